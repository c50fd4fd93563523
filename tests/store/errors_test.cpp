// The error box and external links go through the platform layer.
#include <gtest/gtest.h>

#include "engine/platform_headless.h"
#include "store/errors.h"

namespace {
class ErrorsTest : public ::testing::Test {
 protected:
  void SetUp() override { SetPlatform(&platform_); }
  void TearDown() override { SetPlatform(nullptr); }
  HeadlessPlatform platform_;
};

TEST_F(ErrorsTest, MessageBoxHasEmptyCaptionAndGoesToStandardError) {
  ::testing::internal::CaptureStderr();
  ShowError("Error: file %s not found. Please reinstall game.", "clp/7.clp");
  std::string err = ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(platform_.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform_.MessageBoxes()[0].caption, "");
  EXPECT_EQ(platform_.MessageBoxes()[0].text, "Error: file clp/7.clp not found. Please reinstall game.");
  EXPECT_EQ(err, "Error: file clp/7.clp not found. Please reinstall game.\n");
}

TEST_F(ErrorsTest, LongMessagesAreCutAt1023Bytes) {
  ::testing::internal::CaptureStderr();
  ShowError("Error: file %s not found. Please reinstall game.", std::string(2000, 'f').c_str());
  ::testing::internal::GetCapturedStderr();
  ASSERT_EQ(platform_.MessageBoxes().size(), 1u);
  const std::string& text = platform_.MessageBoxes()[0].text;
  EXPECT_EQ(text.size(), 1023u);
  EXPECT_EQ(text, "Error: file " + std::string(1011, 'f'));
}

TEST_F(ErrorsTest, OpenExternalHandsTheAddressToTheBrowser) {
  EXPECT_TRUE(OpenExternal("https://example.org/games?r=gbt"));
  EXPECT_FALSE(OpenExternal(""));
  EXPECT_FALSE(OpenExternal(nullptr));
  platform_.SetOpenUrlFails(true);
  EXPECT_FALSE(OpenExternal("https://example.org/x"));
  EXPECT_EQ(platform_.OpenedUrls(),
            (std::vector<std::string>{"https://example.org/games?r=gbt", "https://example.org/x"}));
}
}  // namespace
