// The recorder: exact bytes, appending after a restore, the end-of-game copy, header checks, the
// playback reads, and what a killed game leaves (every record made, a restore without a recording,
// the temporary files of interrupted copies swept by the next one).
#include "game/save_replay.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "store/atomic_file.h"
#include "store/options.h"

namespace {
namespace fs = std::filesystem;

class SaveReplayTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "globbet-replay-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
    GetOptions() = Options{};
  }
  void TearDown() override {
    fs::remove_all(folder_);
    GetOptions() = Options{};
  }

  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  // The file as another process sees it now.
  std::vector<unsigned char> Bytes(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
  }
  void Write(const std::string& name, const std::vector<unsigned char>& bytes) const {
    std::ofstream out(Path(name), std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

TEST_F(SaveReplayTest, NewStrategyGameAtLevelOneWritesHeaderDrawsAndShots) {
  SaveReplay recorder(folder_);
  recorder.Close();
  recorder.Begin(1, 0);
  for (int i = 0; i < 153; ++i)
    recorder.WriteRandom(i % 6);
  recorder.WriteRandom(3);  // the first game ball
  recorder.WriteRandom(5);  // the first waiting ball
  recorder.WriteShot(200, -3);
  recorder.Close();
  const std::vector<unsigned char> bytes = Bytes(kRecordingFile);
  ASSERT_EQ(bytes.size(), 8u + 155u + 8u);
  EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8),
            (std::vector<unsigned char>{1, 0, 0, 0, 0, 0, 0, 0}));
  for (int i = 0; i < 153; ++i)
    EXPECT_EQ(bytes[8 + i], i % 6);
  EXPECT_EQ(bytes[161], 3);
  EXPECT_EQ(bytes[162], 5);
  EXPECT_EQ(std::vector<unsigned char>(bytes.end() - 8, bytes.end()),
            (std::vector<unsigned char>{200, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF}));
}

TEST_F(SaveReplayTest, ArcadeRecordsCarryTheCountersAsSignedBytes) {
  SaveReplay recorder(folder_);
  recorder.Begin(2, 1);
  recorder.WriteArcade(300, 250, 4, 4);
  recorder.WriteArcade(kArcadeTimeoutX, 2, 0, -1);
  recorder.Close();
  EXPECT_EQ(Bytes(kRecordingFile), (std::vector<unsigned char>{2,    0,    0, 0, 1,   0, 0, 0,        //
                                                               44,   1,    0, 0, 250, 0, 0, 0, 4, 4,  //
                                                               0x0F, 0x27, 0, 0, 2,   0, 0, 0, 0, 0xFF}));
  ASSERT_TRUE(recorder.Finish());
  ASSERT_TRUE(recorder.OpenPlayback());
  int x = 0, y = 0, left = 0, allowance = 0;
  ASSERT_TRUE(recorder.ReadArcade(x, y, left, allowance));
  EXPECT_EQ(x, 300);
  EXPECT_EQ(left, 4);
  ASSERT_TRUE(recorder.ReadArcade(x, y, left, allowance));
  EXPECT_EQ(x, 9999);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(allowance, -1);
  EXPECT_FALSE(recorder.ReadArcade(x, y, left, allowance));
}

TEST_F(SaveReplayTest, RestoredGameAppendsAndLeavesTheReplayUntilTheEnd) {
  Write(kReplayFile, {0, 0, 0, 0, 0, 0, 0, 0, 42});
  {
    SaveReplay recorder(folder_);
    recorder.Begin(0, 0);
    recorder.WriteRandom(1);
  }  // quitting mid-game closes the recording
  SaveReplay restored(folder_);
  restored.Reopen();
  restored.WriteRandom(2);
  restored.Begin(1, 1);  // already recording: no new file
  restored.WriteShot(7, 8);
  EXPECT_EQ(Bytes(kReplayFile), (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 0, 42}));
  ASSERT_TRUE(restored.Finish());
  const std::vector<unsigned char> expected = {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 7, 0, 0, 0, 8, 0, 0, 0};
  EXPECT_EQ(Bytes(kRecordingFile), expected);
  EXPECT_EQ(Bytes(kReplayFile), expected);
  for (const auto& entry : fs::directory_iterator(folder_))  // no temporary file is left behind
    EXPECT_TRUE(entry.path().filename() == kReplayFile || entry.path().filename() == kRecordingFile)
        << entry.path();
}

TEST_F(SaveReplayTest, NothingIsWrittenWithoutAnOpenRecording) {
  SaveReplay recorder(folder_);
  recorder.WriteRandom(1);
  recorder.WriteShot(1, 2);
  EXPECT_FALSE(fs::exists(fs::path(folder_) / kRecordingFile));
  EXPECT_FALSE(recorder.Finish());  // no recording to copy: the replay stays as it was
  EXPECT_FALSE(fs::exists(fs::path(folder_) / kReplayFile));
}

TEST_F(SaveReplayTest, HeaderChecks) {
  SaveReplay recorder(folder_);
  int level = -1, type = -1;
  EXPECT_FALSE(recorder.PeekHeader(level, type));  // missing
  Write(kReplayFile, {2, 0, 0, 0, 1, 0, 0, 0});    // exactly a header: accepted
  EXPECT_TRUE(recorder.PeekHeader(level, type));
  EXPECT_EQ(level, 2);
  EXPECT_EQ(type, 1);
  Write(kReplayFile, {2, 0, 0, 0, 1, 0, 0});
  EXPECT_FALSE(recorder.PeekHeader(level, type));
  int l = 0, t = 0;
  EXPECT_EQ(ReadReplayHeader(recorder.ReplayPath(), l, t), ReplayHeaderCheck::kTooShort);
  Write(kReplayFile, {3, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(ReadReplayHeader(recorder.ReplayPath(), l, t), ReplayHeaderCheck::kBadLevel);
  Write(kReplayFile, {0, 0, 0, 0, 2, 0, 0, 0});
  EXPECT_EQ(ReadReplayHeader(recorder.ReplayPath(), l, t), ReplayHeaderCheck::kBadType);
  Write(kReplayFile, {0, 0, 0, 0x80, 0, 0, 0, 0});  // a negative level
  EXPECT_EQ(ReadReplayHeader(recorder.ReplayPath(), l, t), ReplayHeaderCheck::kBadLevel);
}

TEST_F(SaveReplayTest, PlaybackReadsSignedDrawsAndStopsAtACutRecord) {
  Write(kReplayFile, {0, 0, 0, 0, 0, 0, 0, 0, 5, 0xFB, 10, 0, 0, 0, 20, 0, 0, 0, 1, 2, 3});
  SaveReplay player(folder_);
  int v = 0, x = 0, y = 0;
  EXPECT_FALSE(player.ReadRandom(v));  // not open yet
  ASSERT_TRUE(player.OpenPlayback());
  ASSERT_TRUE(player.ReadRandom(v));
  EXPECT_EQ(v, 5);
  ASSERT_TRUE(player.ReadRandom(v));
  EXPECT_EQ(v, -5);
  ASSERT_TRUE(player.ReadShot(x, y));
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 20);
  EXPECT_FALSE(player.ReadShot(x, y));  // three bytes left of eight
  ASSERT_TRUE(player.OpenPlayback());   // reopening starts after the header again
  ASSERT_TRUE(player.ReadRandom(v));
  EXPECT_EQ(v, 5);
  player.ClosePlayback();
  EXPECT_FALSE(player.ReadRandom(v));
  Write(kReplayFile, {0, 0, 0});
  EXPECT_FALSE(player.OpenPlayback());
  EXPECT_FALSE(player.IsPlaying());
}
// Every record goes to the file as it is made: a killed game leaves all of them.
TEST_F(SaveReplayTest, AProcessKilledWhileRecordingLeavesEveryRecord) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    SaveReplay recorder(folder_);  // never closed: the kill comes first
    recorder.Begin(0, 0);
    for (int i = 0; i < 153; ++i)
      recorder.WriteRandom(i % 6);
    recorder.WriteShot(300, 40);
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  const std::vector<unsigned char> bytes = Bytes(kRecordingFile);
  ASSERT_EQ(bytes.size(), 8u + 153u + 8u);
  EXPECT_EQ(bytes[8 + 152], 152 % 6);
  EXPECT_EQ(bytes[161], 300 % 256);
}

TEST_F(SaveReplayTest, ARestoreWithoutARecordingToContinueStartsOneWithItsHeader) {
  GetOptions().Level = 2;
  GetOptions().GameType = 1;
  // None at all, an empty one (killed between its creation and its header), a header cut short.
  for (int length : {-1, 0, 5}) {
    SCOPED_TRACE(length);
    fs::remove(Path(kRecordingFile));
    if (length >= 0) Write(kRecordingFile, std::vector<unsigned char>(size_t(length), 9));
    SaveReplay restored(folder_);
    restored.Reopen();
    restored.WriteRandom(1);
    EXPECT_EQ(Bytes(kRecordingFile), (std::vector<unsigned char>{2, 0, 0, 0, 1, 0, 0, 0, 1}));
  }
  // A recording that holds its header is continued, whatever the options say now.
  Write(kRecordingFile, {0, 0, 0, 0, 0, 0, 0, 0});
  SaveReplay restored(folder_);
  restored.Reopen();
  restored.WriteRandom(5);
  EXPECT_EQ(Bytes(kRecordingFile), (std::vector<unsigned char>{0, 0, 0, 0, 0, 0, 0, 0, 5}));
}

TEST_F(SaveReplayTest, AFinishedCopySweepsTheTemporaryFilesOfKilledOnes) {
  // A process that has ended: its temporary files can never be finished.
  const pid_t gone = ::fork();
  ASSERT_GE(gone, 0);
  if (gone == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
  const std::string replayTemp = fs::path(TemporaryPrefix(Path(kReplayFile))).filename().string();
  const std::string settingsTemp = fs::path(TemporaryPrefix(Path("sv.dat"))).filename().string();
  const std::string stale = replayTemp + std::to_string(gone) + "-0";
  const std::string own = replayTemp + std::to_string(::getpid()) + "-3";    // abandoned by this process
  const std::string live = replayTemp + std::to_string(::getppid()) + "-0";  // another's write under way
  const std::string other = settingsTemp + std::to_string(gone) + "-0";      // another file's
  const std::string foreign = replayTemp + "notes";                          // not one of ours
  for (const std::string& name : {stale, own, live, other, foreign})
    Write(name, {1, 2, 3});
  SaveReplay recorder(folder_);
  recorder.Begin(0, 0);
  ASSERT_TRUE(recorder.Finish());
  std::vector<std::string> kept{kRecordingFile, kReplayFile, other, live, foreign};
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(Names(), kept);
  EXPECT_EQ(Bytes(kReplayFile), Bytes(kRecordingFile));
}

}  // namespace
