// The generator writes the same bytes on every run: a second run into a folder of its own matches the
// build's data folder file for file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/file_bytes.h"

namespace {

TEST(CatalogueGenerator, SecondRunWritesTheSameBytes) {
  namespace fs = std::filesystem;
  const fs::path generator = fs::path(GLOBBET_BINARY_DIR) / "tools/assets/globbet-assets";
  if (!fs::exists(generator)) GTEST_SKIP() << "the generator is not built here";
  std::string pattern = (fs::temp_directory_path() / "globbet-assets-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  const fs::path out = pattern;
  const std::string command = "'" + generator.string() + "' '" + out.string() + "' > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), out);
    std::vector<uint8_t> again, built;
    ASSERT_TRUE(ReadFileBytes(entry.path().string(), 64u << 20, again));
    ASSERT_TRUE(ReadFileBytes((fs::path(GLOBBET_DATA_DIR) / relative).string(), 64u << 20, built))
        << relative << " is missing from the data folder";
    EXPECT_TRUE(again == built) << relative << " differs between two runs";
    ++files;
  }
  EXPECT_EQ(files, 96 + 5);  // the data files and the desktop icons (four PNG sizes and the SVG)
  std::error_code error;
  fs::remove_all(out, error);
}

}  // namespace
