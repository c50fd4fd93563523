// Runs the built globbet-tool as a maintainer would, for the tests of its commands.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct ToolRun {
  int status = -1;  // the exit status; -1 when the tool did not run or did not exit normally
  std::string out;  // its standard output (standard error is dropped)
};

// What to do with the tool's standard error.
enum class ToolStderr { kDrop, kKeep };

// Runs "globbet-tool ARGS" (ARGS already shell-quoted) and collects what it printed. It runs in folder
// when one is given, else in the test's current folder; standard error is dropped or folded into out.
inline ToolRun RunGlobbetTool(const std::string& args, const std::string& folder = {},
                              ToolStderr err = ToolStderr::kDrop) {
  const std::string tool = std::string(GLOBBET_BINARY_DIR) + "/globbet-tool";
  std::string command = "'" + tool + "' " + args + (err == ToolStderr::kDrop ? " 2>/dev/null" : " 2>&1");
  if (!folder.empty()) command = "cd '" + folder + "' && " + command;
  FILE* pipe = ::popen(command.c_str(), "r");
  ToolRun r;
  if (!pipe) return r;
  char buf[4096];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
    r.out.append(buf, n);
  const int raw = ::pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return r;
}
