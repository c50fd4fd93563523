// The recorder: the bytes of every record, appending after a restore, the end-of-game copy, header
// checks, the playback reads, and what a killed game leaves.
#include "game/replay_recorder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include "store/options.h"
#include "tests/support/replay_files.h"
#include "tests/support/test_folder.h"

namespace {
namespace fs = std::filesystem;

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values)
    s += char(v);
  return s;
}

class SaveReplayTest : public testing::Test {
 protected:
  void SetUp() override { GetOptions() = Options{}; }
  std::string Recording() const { return ReadAll(folder / kRecordingFile); }
  TestFolder folder;
};

TEST_F(SaveReplayTest, EveryRecordIsWrittenFieldByFieldAndReadBack) {
  ReplayRecorder recorder(folder.path());
  recorder.Begin(1, GameMode::kStrategy);
  recorder.WriteRandom(5);
  recorder.WriteRandom(-3);
  recorder.WriteShot(200, -3);
  recorder.WriteArcade(300, 250, 4, -1);
  recorder.WriteArcade(kArcadeTimeoutX, 2, 0, 2);
  EXPECT_EQ(Recording(), ReplayHeader(1, 0) + Bytes({5,    0xFD, 200, 0, 0,   0, 0xFD, 0xFF, 0xFF, 0xFF,  //
                                                     44,   1,    0,   0, 250, 0, 0,    0,    4,    0xFF,  //
                                                     0x0F, 0x27, 0,   0, 2,   0, 0,    0,    0,    2}));
  ASSERT_TRUE(recorder.Finish());
  ASSERT_TRUE(recorder.OpenPlayback());
  int v = 0, w = 0, x = 0, y = 0, left = 0, allowance = 0;
  ASSERT_TRUE(recorder.ReadRandom(v) && recorder.ReadRandom(w) && recorder.ReadShot(x, y));
  EXPECT_EQ(std::vector<int>({v, w, x, y}), std::vector<int>({5, -3, 200, -3}));
  ASSERT_TRUE(recorder.ReadArcade(x, y, left, allowance));
  EXPECT_EQ(std::vector<int>({x, y, left, allowance}), std::vector<int>({300, 250, 4, -1}));
  ASSERT_TRUE(recorder.ReadShot(x, y));  // the first eight bytes of the time-out
  EXPECT_FALSE(recorder.ReadShot(x, y)) << "two bytes left of eight";
}

TEST_F(SaveReplayTest, ARestoreWithoutAWholeHeaderStartsANewRecording) {
  GetOptions().level = 2;
  GetOptions().mode = GameMode::kArcade;
  // None, an empty one (killed between its creation and its header), a header cut short; a whole
  // header is continued whatever the options say now.
  for (int length : {-1, 0, 5, 8}) {
    fs::remove(folder / kRecordingFile);
    if (length >= 0) WriteAll(folder / kRecordingFile, std::string(size_t(length), '\0'));
    ReplayRecorder restored(folder.path());
    restored.Reopen();
    restored.WriteRandom(1);
    EXPECT_EQ(Recording(), (length == 8 ? ReplayHeader(0, 0) : ReplayHeader(2, 1)) + Bytes({1})) << length;
  }
}

// Every record goes to the file as it is made: a killed game leaves all of them.
TEST_F(SaveReplayTest, AProcessKilledWhileRecordingLeavesEveryRecord) {
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ReplayRecorder recorder(folder.path());
    recorder.Begin(0, GameMode::kStrategy);
    recorder.WriteRandom(4);
    recorder.WriteShot(300, 40);
    ::raise(SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(Recording(), ReplayHeader(0, 0) + Bytes({4, 300 % 256, 1, 0, 0, 40, 0, 0, 0}));
}

}  // namespace
