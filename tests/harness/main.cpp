// globbet-harness: the test-only commands that drive the whole game (crash, soak, startup, window), kept
// out of the player's tool.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "engine/check.h"
#include "tests/harness/harness.h"

namespace {
std::vector<const GlobbetToolCommand*>& Commands() {
  static std::vector<const GlobbetToolCommand*> commands;
  return commands;
}
}  // namespace

GlobbetToolCommand::GlobbetToolCommand(const char* n, const char* h, const char* u, int (*r)(const ToolArgs&))
    : name(n), help(h), usage(u), run(r) {
  Commands().push_back(this);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "globbet-harness: %s\n", message.c_str());
  return 1;
}

namespace harness {
bool TakeNumber(ToolArgs& args, const char* name, long long low, long long high, long long& value,
                int& status) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 == args.size() || !headless::ParseInt(args[i + 1], low, high, value)) {
      status = Fail(std::string(name) + " takes " + std::to_string(low) + ".." + std::to_string(high));
      return false;
    }
    args.erase(args.begin() + long(i), args.begin() + long(i) + 2);
  }
  return true;
}

bool LinkData(const std::string& data, const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path from = fs::absolute(data, error);
  if (!fs::is_directory(from / "clp", error)) return false;
  for (const char* sub : {"clp", "wav"})
    fs::create_directory_symlink(from / sub, fs::path(folder) / sub, error);
  return true;
}
}  // namespace harness

int main(int argc, char** argv) {
  SetStopOnFailedCheck(true);  // the harness drives the game to find faults: a failed check is one
  for (const GlobbetToolCommand* c : Commands()) {
    if (argc < 2 || std::strcmp(c->name, argv[1]) != 0) continue;
    return c->run(ToolArgs(argv + 2, argv + argc));
  }
  for (const GlobbetToolCommand* c : Commands())
    std::fprintf(stderr, "globbet-harness %s\n", c->usage);
  return 2;
}
