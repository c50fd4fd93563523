// globbet-tool's sv and cipher commands, run as the program a player or maintainer would run.
#include <gtest/gtest.h>

#include <filesystem>

#include "store/cipher_file.h"
#include "store/config.h"
#include "tests/support/test_folder.h"
#include "tests/support/tool_runner.h"

namespace {

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(tool_)) GTEST_SKIP() << "globbet-tool is not built";
  }
  // Runs the tool in the test folder with the given (shell-quoted) arguments; standard error is dropped.
  ToolRun Run(const std::string& args) { return RunGlobbetTool(args, dir_.path()); }
  const std::string tool_ = std::string(GLOBBET_BINARY_DIR) + "/globbet-tool";
  TestFolder dir_;
};

TEST_F(ToolTest, SetGetAndDecodeKeepEveryEntry) {
  EXPECT_EQ(Run("sv decode").status, 1);  // no sv.dat yet
  EXPECT_EQ(Run("sv set Game.Options.Level 2").status, 0);
  EXPECT_EQ(Run("sv set Game.CurrGame.Skins '[1  -2 3]'").status, 0);
  EXPECT_EQ(Run("sv set Game.Scores.Table '\"ann\\t5\\n\"'").status, 0);
  EXPECT_EQ(Run("sv set Other.Key -7 sv.dat").status, 0);
  EXPECT_EQ(Run("sv get Game.CurrGame.Skins").out, "[1 -2 3]\n");
  EXPECT_EQ(Run("sv get Game.Scores.Table").out, "\"ann\\t5\\n\"\n");
  EXPECT_EQ(Run("sv get Game.Missing").status, 1);

  std::string text;
  ASSERT_TRUE(ReadEncryptedFile(dir_ / "sv.dat", text, kSettingsKey, 8));
  OConfig store;
  ASSERT_FALSE(store.LoadText(text));
  EXPECT_EQ(store.GetInt("Game.Options.Level", 0), 2);
  EXPECT_EQ(store.GetString("Game.Scores.Table"), "ann\t5\n");
  EXPECT_EQ(store.GetInt("Other.Key", 0), -7);
  EXPECT_EQ(Run("sv decode").out, text);
}

TEST_F(ToolTest, RefusesBadInputWithoutTouchingTheFile) {
  ASSERT_EQ(Run("sv set A 1").status, 0);
  const std::string before = ReadAll(dir_ / "sv.dat");
  for (const char* args : {"sv set A abc", "sv set A 2147483648", "sv set A '[1 x]'", "sv set 'A B' 1",
                           "sv set A.{ 1", "sv set ..A 1", "sv set A '\"open\\\"'", "sv frobnicate"})
    EXPECT_EQ(Run(args).status, 1) << args;
  EXPECT_EQ(ReadAll(dir_ / "sv.dat"), before);

  WriteAll(dir_ / "bad.dat", before.substr(0, before.size() - 1) + char(before.back() ^ 1));
  EXPECT_EQ(Run("sv decode bad.dat").status, 1);
  EXPECT_EQ(Run("sv set A 2 bad.dat").status, 1);
  // A settings text the store cannot read to its end is not rewritten: the unread rest would be lost.
  WriteAll(dir_ / "broken.txt", "A=1\n}\nB=2\n");
  ASSERT_EQ(Run("sv encode broken.txt broken.dat").status, 0);
  EXPECT_EQ(Run("sv set C 3 broken.dat").status, 1);
  EXPECT_EQ(Run("sv decode broken.dat").out, "A=1\n}\nB=2\n");
}

TEST_F(ToolTest, CipherCommandsAreTheBareBlockLayer) {
  WriteAll(dir_ / "plain", "thirteen byte");
  ASSERT_EQ(Run("cipher encrypt TorvikSa plain enc").status, 0);
  const std::string enc = ReadAll(dir_ / "enc");
  ASSERT_EQ(enc.size(), 16u);
  std::vector<uint8_t> out(16);
  EXPECT_EQ(DecryptBlocks(0, reinterpret_cast<const uint8_t*>(enc.data()), 16, out.data(), 16,
                          reinterpret_cast<const uint8_t*>("TorvikSa"), 8),
            13);
  ASSERT_EQ(Run("cipher decrypt TorvikSa enc back").status, 0);
  EXPECT_EQ(ReadAll(dir_ / "back"), "thirteen byte");
  EXPECT_EQ(Run("cipher decrypt short enc back").status, 1);
  EXPECT_EQ(Run("cipher decrypt TorvikSa missing back").status, 1);
  EXPECT_EQ(Run("cipher encrypt TorvikSa plain").status, 1);
  EXPECT_EQ(Run("cipher --help").status, 0);
  EXPECT_EQ(Run("sv --help").status, 0);
}
}  // namespace
