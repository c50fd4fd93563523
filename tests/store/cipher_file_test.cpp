// The block layer with its count byte, the checksum, and the settings-file read and crash-safe write.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <optional>
#include <random>
#include <set>

#include "store/atomic_file.h"
#include "store/cipher_file.h"
#include "tests/support/test_folder.h"

namespace {
const auto* kKey = reinterpret_cast<const uint8_t*>(kSettingsKey);

std::vector<uint8_t> Encipher(const std::string& plain) {
  std::vector<uint8_t> out(plain.size() + 8);
  size_t n = EncryptBlocks(0, reinterpret_cast<const uint8_t*>(plain.data()), plain.size(), out.data(),
                           out.size(), kKey, 8);
  out.resize(n);
  return out;
}

// Deciphers, or nullopt when the count byte is out of range.
std::optional<std::string> Decipher(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> out(data.size() + 8);
  ptrdiff_t n = DecryptBlocks(0, data.data(), data.size(), out.data(), out.size(), kKey, 8);
  if (n < 0 || n > ptrdiff_t(data.size())) return std::nullopt;
  return std::string(out.begin(), out.begin() + n);
}

TEST(CipherBlocks, LengthsAndRoundTripAroundBlockBoundaries) {
  for (size_t n : {0, 1, 7, 8, 9, 13, 15, 16, 17, 100}) {
    std::string plain(n, 'x');
    for (size_t i = 0; i < n; ++i)
      plain[i] = char(i * 37);
    std::vector<uint8_t> data = Encipher(plain);
    EXPECT_EQ(data.size(), n - n % 8 + 8) << n;
    EXPECT_EQ(Decipher(data), plain) << n;
  }
}

TEST(CipherBlocks, SizeQueriesWriteNothing) {
  uint8_t out[16];
  std::memset(out, 0xAA, sizeof out);
  const uint8_t plain[13] = {};
  EXPECT_EQ(EncryptBlocks(0, plain, 13, out, 15, kKey, 8), 16u);
  EXPECT_EQ(out[0], 0xAA);
  std::vector<uint8_t> data = Encipher("0123456789abc");
  EXPECT_EQ(DecryptBlocks(0, data.data(), data.size(), out, 15, kKey, 8), 16);
  EXPECT_EQ(out[0], 0xAA);
  EXPECT_EQ(DecryptBlocks(0, data.data(), 7, out, 16, kKey, 8), 0);
}

TEST(CipherBlocks, TrailingPartialBlockIsIgnored) {
  std::vector<uint8_t> data = Encipher("0123456789abc");
  data.resize(20, 0x55);
  EXPECT_EQ(Decipher(data), "0123456789abc");
}

TEST(CipherBlocks, FillerDiffersButTextStays) {
  // The closing block holds filler, so two encipherings of one text usually differ there; both read back.
  std::set<std::vector<uint8_t>> seen;
  for (int i = 0; i < 8; ++i) {
    std::vector<uint8_t> data = Encipher("twelve bytes");
    EXPECT_EQ(Decipher(data), "twelve bytes");
    seen.insert(data);
  }
  EXPECT_GT(seen.size(), 1u);
}

TEST(CipherBlocks, CountByteIsReturnedUnclampedForTheCallerToCheck) {
  // A wrong key gives a random count byte; whatever it is, the result tells the caller it is unusable or
  // stays inside the buffer it wrote.
  std::vector<uint8_t> data = Encipher("some text that is long enough");
  const auto* other = reinterpret_cast<const uint8_t*>(kClipKey);
  std::vector<uint8_t> out(data.size());
  ptrdiff_t n = DecryptBlocks(0, data.data(), data.size(), out.data(), out.size(), other, 8);
  EXPECT_EQ(n, ptrdiff_t(data.size()) - 8 + int8_t(out.back()));
}

TEST(Crc32, CheckValueAndEmptyInput) {
  EXPECT_EQ(Crc32("123456789"), 0xFC891918u);
  EXPECT_EQ(Crc32(""), 0u);
  EXPECT_EQ(Crc32(nullptr, 5), 0u);
}

// ---- the settings file -----------------------------------------------------------------------------------
TEST(EncryptedFile, RoundTripsRandomTexts) {
  TestFolder dir;
  std::mt19937 rng(3);
  for (int i = 0; i < 50; ++i) {
    std::string text(rng() % 300, '\0');
    for (char& c : text)
      c = char(rng());
    ASSERT_TRUE(WriteEncryptedFile(dir / "sv.dat", text, kSettingsKey, 8));
    EXPECT_EQ(std::filesystem::file_size(dir / "sv.dat"), text.size() - text.size() % 8 + 12);
    std::string back = "untouched";
    ASSERT_TRUE(ReadEncryptedFile(dir / "sv.dat", back, kSettingsKey, 8));
    EXPECT_EQ(back, text);
  }
}

TEST(EncryptedFile, AnyChangedByteIsRefused) {
  // 28 bytes: the closing block holds text, so every change garbles text or checksum.
  const std::string text = "Game = {\n\tLevel=2\n}\nx=\"abc\"\n";
  const std::string good = EncodeEncrypted(text, kSettingsKey, 8);
  for (size_t i = 0; i < good.size(); ++i) {
    for (int flip : {0x01, 0x80, 0xFF}) {
      std::string bad = good;
      bad[i] = char(bad[i] ^ flip);
      std::string out = "untouched";
      EXPECT_FALSE(DecodeEncrypted(bad, out, kSettingsKey, 8)) << i << " " << flip;
      EXPECT_EQ(out, "untouched");
    }
  }
}

TEST(EncryptedFile, ChangedClosingFillerBlockNeverYieldsOtherText) {
  // A text of whole blocks ends with a block of filler only: a change there is refused, or (when the
  // garbled count byte happens to be 0) gives back the unchanged text.
  const std::string text = "sixteen bytes!!!";
  const std::string good = EncodeEncrypted(text, kSettingsKey, 8);
  for (size_t i = 0; i < good.size(); ++i) {
    for (int flip = 1; flip < 256; flip += 3) {
      std::string bad = good, out;
      bad[i] = char(bad[i] ^ flip);
      if (DecodeEncrypted(bad, out, kSettingsKey, 8)) {
        EXPECT_EQ(out, text) << i;
      }
    }
  }
}

TEST(EncryptedFile, ShortMissingAndForeignFilesAreRefused) {
  TestFolder dir;
  std::string out = "untouched";
  EXPECT_FALSE(ReadEncryptedFile(dir / "missing.dat", out, kSettingsKey, 8));
  WriteAll(dir / "short.dat", "abc");
  EXPECT_FALSE(ReadEncryptedFile(dir / "short.dat", out, kSettingsKey, 8));
  ASSERT_TRUE(WriteEncryptedFile(dir / "sv.dat", "Level=1\n", kSettingsKey, 8));
  EXPECT_FALSE(ReadEncryptedFile(dir / "sv.dat", out, kClipKey, 8));
  ASSERT_TRUE(WriteEncryptedFile(dir / "clip.dat", "Level=1\n", kClipKey, 8));
  EXPECT_FALSE(ReadEncryptedFile(dir / "clip.dat", out, kSettingsKey, 8));
  EXPECT_FALSE(ReadEncryptedFile(dir.path(), out, kSettingsKey, 8));  // a folder
  if (std::filesystem::exists("/dev/zero")) {  // endless: refused once far larger than any settings file
    EXPECT_FALSE(ReadEncryptedFile("/dev/zero", out, kSettingsKey, 8));
  }
  EXPECT_EQ(out, "untouched");
}

TEST(EncryptedFile, FourToElevenBytesAreEmptyTextWhenChecksumIsZero) {
  std::string out = "x";
  EXPECT_TRUE(DecodeEncrypted(std::string(4, '\0'), out, kSettingsKey, 8));
  EXPECT_EQ(out, "");
  out = "x";
  EXPECT_TRUE(DecodeEncrypted(std::string("1234567") + std::string(4, '\0'), out, kSettingsKey, 8));
  EXPECT_EQ(out, "");
  EXPECT_FALSE(DecodeEncrypted(std::string("1234567\1") + std::string(3, '\0'), out, kSettingsKey, 8));
}

// ---- crash-safe writing
// ------------------------------------------------------------------------------------
size_t FilesIn(const std::string& folder) {
  size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
    ++n;
  return n;
}

TEST(AtomicWrite, FailureAtAnyPointLeavesTheOldFile) {
  TestFolder dir;
  const std::string path = dir / "sv.dat";
  ASSERT_TRUE(WriteEncryptedFile(path, "old", kSettingsKey, 8));
  const std::string old = ReadAll(path);
  const std::string next = EncodeEncrypted("new", kSettingsKey, 8);
  for (WriteFault fault : {WriteFault::kFailWrite, WriteFault::kFailBeforeRename}) {
    EXPECT_FALSE(WriteFileAtomically(path, next, fault));
    EXPECT_EQ(ReadAll(path), old);
    EXPECT_EQ(FilesIn(dir.path()), 1u) << "the temporary file is removed";
  }
  // A kill just before the rename leaves a stray temporary file, but the settings read as before.
  EXPECT_FALSE(WriteFileAtomically(path, next, WriteFault::kAbandonBeforeRename));
  std::string out;
  ASSERT_TRUE(ReadEncryptedFile(path, out, kSettingsKey, 8));
  EXPECT_EQ(out, "old");
  // The next write still succeeds next to the stray file.
  EXPECT_TRUE(WriteEncryptedFile(path, "new", kSettingsKey, 8));
  ASSERT_TRUE(ReadEncryptedFile(path, out, kSettingsKey, 8));
  EXPECT_EQ(out, "new");
}

TEST(AtomicWrite, UnusableFolderOrTargetReportsFalseAndChangesNothing) {
  TestFolder dir;
  EXPECT_FALSE(WriteEncryptedFile(dir / "no-such-folder/sv.dat", "x", kSettingsKey, 8));
  // A target that is a folder cannot be replaced by a file.
  std::filesystem::create_directory(dir / "sv.dat");
  WriteAll(dir / "sv.dat/inside", "keep");
  EXPECT_FALSE(WriteEncryptedFile(dir / "sv.dat", "x", kSettingsKey, 8));
  EXPECT_EQ(ReadAll(dir / "sv.dat/inside"), "keep");
  EXPECT_EQ(FilesIn(dir.path()), 1u);
  if (::geteuid() != 0) {  // the superuser writes into read-only folders
    std::filesystem::create_directory(dir / "ro");
    ASSERT_TRUE(WriteEncryptedFile(dir / "ro/sv.dat", "old", kSettingsKey, 8));
    std::filesystem::permissions(dir / "ro",
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_FALSE(WriteEncryptedFile(dir / "ro/sv.dat", "new", kSettingsKey, 8));
    std::string out;
    EXPECT_TRUE(ReadEncryptedFile(dir / "ro/sv.dat", out, kSettingsKey, 8));
    EXPECT_EQ(out, "old");
    std::filesystem::permissions(dir / "ro", std::filesystem::perms::owner_all);
  }
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
