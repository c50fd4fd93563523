// globbet-tool's command table. Each command family lives in its own file and registers itself with a
// static GlobbetToolCommand object, so adding a command touches no other file.
#pragma once

#include <string>
#include <vector>

using ToolArgs = std::vector<std::string>;

// A top-level command word ("sv", "trace", "clp" ...): run() gets the words after it and returns the
// process exit status; help is one line for the overview, usage the full text for "--help".
struct GlobbetToolCommand {
  GlobbetToolCommand(const char* name, const char* help, const char* usage, int (*run)(const ToolArgs&));
  const char* name;
  const char* help;
  const char* usage;
  int (*run)(const ToolArgs&);
};

// True when args ask for help ("--help" or "-h" anywhere).
bool WantsHelp(const ToolArgs& args);

// Prints the usage text of a command to standard output and returns 0.
int PrintUsage(const char* usage);

// Prints "globbet-tool: <message>" to standard error and returns 1.
int Fail(const std::string& message);
