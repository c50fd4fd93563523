// globbet-tool: inspect and make the game's files from the command line.
#include <cstdio>
#include <cstring>
#include <vector>

#include "tools/globbet-tool/command.h"

namespace {
std::vector<const GlobbetToolCommand*>& Commands() {
  static std::vector<const GlobbetToolCommand*> commands;
  return commands;
}

int Overview(FILE* out) {
  std::fprintf(out, "usage: globbet-tool COMMAND [ARGS...]\n\ncommands:\n");
  for (const GlobbetToolCommand* c : Commands())
    std::fprintf(out, "  %-10s %s\n", c->name, c->help);
  std::fprintf(out,
               "\n'globbet-tool COMMAND --help' explains one command; 'globbet-tool --version' prints\n"
               "the version.\n");
  return 0;
}
}  // namespace

GlobbetToolCommand::GlobbetToolCommand(const char* n, const char* h, const char* u, int (*r)(const ToolArgs&))
    : name(n), help(h), usage(u), run(r) {
  Commands().push_back(this);
}

bool WantsHelp(const ToolArgs& args) {
  for (const std::string& a : args)
    if (a == "--help" || a == "-h") return true;
  return false;
}

int PrintUsage(const char* usage) {
  std::fputs(usage, stdout);
  return 0;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "globbet-tool: %s\n", message.c_str());
  return 1;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    Overview(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help"))
    return Overview(stdout);
  if (!std::strcmp(argv[1], "--version") || !std::strcmp(argv[1], "-v")) {
    std::printf("globbet-tool %s\n", GLOBBET_VERSION);
    return 0;
  }
  for (const GlobbetToolCommand* c : Commands()) {
    if (std::strcmp(c->name, argv[1]) != 0) continue;
    ToolArgs args(argv + 2, argv + argc);
    if (WantsHelp(args)) return PrintUsage(c->usage);
    return c->run(args);
  }
  std::fprintf(stderr, "globbet-tool: unknown command '%s'\n", argv[1]);
  Overview(stderr);
  return 2;
}
