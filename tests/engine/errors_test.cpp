// The error box goes through the platform layer and to standard error; the log and the programmer's
// checks write their lines there too. The browser gets web addresses and the game's own pages only.
#include <gtest/gtest.h>

#include "engine/check.h"
#include "engine/errors.h"
#include "engine/game_pages.h"
#include "engine/log.h"
#include "engine/platform_headless.h"

namespace {
TEST(Errors, MessagesAreCutAt1023BytesAndShownInACaptionlessBoxAndOnStandardError) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  ::testing::internal::CaptureStderr();
  ShowError("Error: file %s not found. Please reinstall game.", std::string(2000, 'f').c_str());
  const std::string err = ::testing::internal::GetCapturedStderr();
  const std::string cut = "Error: file " + std::string(1011, 'f');
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].caption, "");
  EXPECT_EQ(platform.MessageBoxes()[0].text, cut);
  EXPECT_EQ(err, cut + "\n");
  SetPlatform(nullptr);
}

TEST(Log, WritesOnePrefixedLinePerMessageAsSevereAsTheThreshold) {
  const LogLevel was = GetLogThreshold();
  SetLogThreshold(LogLevel::kWarning);
  ::testing::internal::CaptureStderr();
  Log(LogLevel::kWarning, "%s refused", "two\nlines");
  Log(LogLevel::kInfo, "dropped");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "globbet: warning: two lines refused\n");
  SetLogThreshold(was);
}

// The test programs stop on a failed check; the game as players run it logs the same line and lets the
// caller take its safe way on.
TEST(Checks, AFailedCheckNamesItsPlaceConditionAndFixThenStopsOrLetsTheCallerGoOn) {
  const char* line = "globbet: error: tests/engine/errors_test.cpp:[0-9]+: check failed: 2 < 1; fix";
  EXPECT_DEATH(GLOBBET_CHECK(2 < 1, "fix"), line);
  SetStopOnFailedCheck(false);
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(GLOBBET_CHECK(2 < 1, "fix"));
  SetStopOnFailedCheck(true);
  EXPECT_TRUE(
      ::testing::internal::RE::FullMatch(::testing::internal::GetCapturedStderr(), std::string(line) + "\n"));
}

// Of files, only the about page and the results page with its digits, straight inside the real pages
// folder: no other file, no way out of the folder, nothing else after the page.
TEST(GamePages, TheBrowserGetsWebAddressesAndOnlyTheGamesOwnPages) {
  const std::string p = "file:///d/pages/";
  // clang-format off
  const std::pair<std::string, bool> kCases[] = {
      {"https://e.org/a?b#c", true}, {"https://e.org/a b", false}, {"javascript:alert(1)", false},
      {"/d/pages/about.html", false}, {p + "about.html", true}, {p + "results.html", true},
      {p + "results.html?e=123045", true}, {p + "results.html#e=123045", true}, {p + "about.html?e=1", false},
      {p + "results.html?e=", false}, {p + "results.html?e=12a", false}, {p + "results.html?e=1&x=2", false},
      {p + "pages.css", false}, {p + "../../etc/passwd", false}, {p + "a/about.html", false},
      {"file:///d/pagesx/about.html", false}, {"file://host/d/pages/about.html", false}};
  // clang-format on
  for (const auto& [url, allowed] : kCases)
    EXPECT_EQ(game_pages::MayOpen(url, "/d/pages"), allowed) << url;
  EXPECT_FALSE(game_pages::MayOpen("file:///about.html", ""));
}
}  // namespace
