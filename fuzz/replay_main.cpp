// Runs a fuzz target's entry point once over every file of the given folders, for compilers without
// libFuzzer.
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "tests/support/test_folder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      const std::string bytes = ReadAll(entry.path().string());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++count;
    }
  std::printf("replayed %d inputs\n", count);
  return 0;
}
