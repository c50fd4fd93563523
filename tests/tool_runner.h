// Runs the built globbet-tool as a maintainer would, for the tests of its commands.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct ToolRun {
  int status = -1;  // the exit status; -1 when the tool did not run or did not exit normally
  std::string out;  // its standard output (standard error is dropped)
};

// Runs "globbet-tool ARGS" from the build folder and collects what it printed.
inline ToolRun RunGlobbetTool(const std::string& args) {
  const std::string tool = std::string(GLOBBET_BINARY_DIR) + "/globbet-tool";
  FILE* pipe = ::popen(("'" + tool + "' " + args + " 2>/dev/null").c_str(), "r");
  ToolRun r;
  if (!pipe) return r;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
    r.out.append(buf, n);
  const int raw = ::pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}
