// The generator writes the same bytes on every run: a second run matches the build's data folder file
// for file (the data files and the desktop icons).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_folder.h"

namespace {

TEST(CatalogueGenerator, ASecondRunWritesTheSameBytes) {
  namespace fs = std::filesystem;
  const fs::path generator = fs::path(GLOBBET_BINARY_DIR) / "tools/assets/globbet-assets";
  TestFolder out;
  ASSERT_EQ(std::system(("'" + generator.string() + "' '" + out.path() + "' > /dev/null").c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out.path())) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), out.path());
    EXPECT_TRUE(ReadAll(entry.path()) == ReadAll(fs::path(GLOBBET_DATA_DIR) / relative)) << relative;
    ++files;
  }
  EXPECT_EQ(files, 96 + 5);
}

}  // namespace
