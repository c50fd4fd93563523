// The enciphered settings file: blocks with their count byte and a checksum, read whole and written
// crash-safely.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "store/atomic_file.h"
#include "store/cipher_file.h"
#include "tests/support/test_folder.h"

namespace {
TEST(EncryptedFile, RoundTripsRandomTexts) {
  EXPECT_EQ(Crc32("123456789"), 0xFC891918u);  // the checksum's published check value
  TestFolder dir;
  std::mt19937 rng(3);
  for (int i = 0; i < 60; ++i) {
    std::string text(i < 17 ? i : rng() % 300, '\0');
    for (char& c : text)
      c = char(rng());
    ASSERT_TRUE(WriteEncryptedFile(dir / "sv.dat", text, kSettingsKey, 8));
    EXPECT_EQ(std::filesystem::file_size(dir / "sv.dat"), text.size() - text.size() % 8 + 12);
    std::string back = "untouched";
    ASSERT_TRUE(ReadEncryptedFile(dir / "sv.dat", back, kSettingsKey, 8));
    EXPECT_EQ(back, text);
  }
}

TEST(EncryptedFile, AnyChangedByteIsRefusedOrGivesTheSameText) {
  // 28 bytes: the closing block holds text, so every change garbles text or checksum and is refused. 16
  // bytes: the closing block is filler only, and a change there may leave the count 0 and the text whole.
  for (const std::string text : {"Game = {\n\tLevel=2\n}\nx=\"abc\"\n", "sixteen bytes!!!"}) {
    const std::string good = EncodeEncrypted(text, kSettingsKey, 8);
    for (size_t i = 0; i < good.size(); ++i) {
      for (int flip = 1; flip < 256; flip += 6) {
        std::string bad = good, out = "untouched";
        bad[i] = char(bad[i] ^ flip);
        if (DecodeEncrypted(bad, out, kSettingsKey, 8)) {
          EXPECT_EQ(out, text) << i << " " << flip;
          EXPECT_TRUE(text.size() % 8 == 0 && i >= 16 && i < 24) << i << " " << flip;
        } else {
          EXPECT_EQ(out, "untouched");
        }
      }
    }
  }
}

// ---- crash-safe writing ------------------------------------------------------------------------------
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(AtomicWrite, FailureAtAnyPointLeavesTheOldFile) {
  TestFolder dir;
  const std::string path = dir / "sv.dat";
  ASSERT_TRUE(WriteEncryptedFile(path, "old", kSettingsKey, 8));
  const std::string old = ReadAll(path), next = EncodeEncrypted("new", kSettingsKey, 8);
  for (WriteFault fault : {WriteFault::kFailWrite, WriteFault::kFailBeforeRename}) {
    EXPECT_FALSE(WriteFileAtomically(path, next, fault));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"sv.dat"}) << "the temporary file is removed";
  }
  // A kill just before the rename leaves a stray temporary file. The next write removes it and those of
  // ended processes, but not a live process's write under way, another file's or a name of no writer.
  EXPECT_FALSE(WriteFileAtomically(path, next, WriteFault::kAbandonBeforeRename));
  EXPECT_EQ(ReadAll(path), old);
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string temp = std::filesystem::path(TemporaryPrefix(path)).filename().string();
  std::vector<std::string> kept = {
      "sv.dat", temp + std::to_string(::getppid()) + "-0", temp + "notes",
      std::filesystem::path(TemporaryPrefix(dir / "replay.dat")).filename().string() + std::to_string(gone) +
          "-0"};
  for (const std::string& name : {kept[1], kept[2], kept[3], temp + std::to_string(gone) + "-0"})
    WriteAll(dir / name, "123");
  EXPECT_TRUE(WriteFileAtomically(path, next));
  EXPECT_EQ(ReadAll(path), next);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(dir.path()), kept);
}

TEST(AtomicWrite, KeepsThePermissionsOfTheFileItReplaces) {
  TestFolder dir;
  const std::string path = dir / "sv.dat";
  ASSERT_TRUE(WriteFileAtomically(path, "one"));
  ::chmod(path.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(path, "two"));
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ReadAll(path), "two");
}
}  // namespace
