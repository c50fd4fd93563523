// Runs the built globbet-tool as a maintainer would, for the tests of its commands, and checks tables of
// runs.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include "tests/support/test_folder.h"

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

// One run of a table: the arguments ($DATA the data folder given), files placed in the folder before
// it, the exit status, and the output: exactly out, or when out starts with '~', each of its
// '|'-separated parts somewhere in it.
struct ToolRow {
  const char* args;
  std::map<std::string, std::string> files;
  int status;
  const char* out;
};

// Runs the rows one after the other in one fresh folder.
inline void ExpectToolRows(std::initializer_list<ToolRow> rows, ToolStderr err = ToolStderr::kDrop,
                           const std::string& data = {}) {
  TestFolder folder;
  for (const ToolRow& row : rows) {
    for (const auto& [name, bytes] : row.files)
      WriteAll(folder / name, bytes);
    std::string args = row.args;
    for (size_t at; (at = args.find("$DATA")) != std::string::npos;)
      args.replace(at, 5, data);
    const ToolRun run = RunGlobbetTool(args, folder.path(), err);
    EXPECT_EQ(run.status, row.status) << row.args << "\n" << run.out;
    if (row.out[0] != '~') {
      EXPECT_EQ(run.out, row.out) << row.args;
      continue;
    }
    std::istringstream parts(row.out + 1);
    for (std::string part; std::getline(parts, part, '|');)
      EXPECT_NE(run.out.find(part), std::string::npos) << row.args << ": " << part << " not in:\n" << run.out;
  }
}
