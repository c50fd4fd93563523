// Whole-file reading for the engine's loaders (clips, sounds).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/load_result.h"

// Reads the whole file into out. False, with out empty, when it does not exist, is no regular file (a
// folder, a named pipe, a device), cannot be opened or read, or is larger than maxSize bytes (a loader's
// bound on what it will hold in memory); failure, when given, then says which (missing or unreadable)
// and why.
bool ReadFileBytes(const std::string& path, size_t maxSize, std::vector<uint8_t>& out,
                   LoadResult* failure = nullptr);
