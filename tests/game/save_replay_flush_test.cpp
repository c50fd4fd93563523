// What a killed game leaves: every record the recorder made is in the file at once, a recording cut
// inside its last record reads as one that ends before it, a restore without a recording to continue
// starts one with its header, and the temporary files of interrupted writes are swept by the next
// write that succeeds. Last, the kill checks of globbet-tool crash themselves, in a short run.
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

#include "game/save_replay.h"
#include "store/atomic_file.h"
#include "store/options.h"
#include "tests/tool_runner.h"

namespace {
namespace fs = std::filesystem;

class RecorderAfterKill : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "globbet-flush-XXXXXX").string();
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
    std::ofstream(Path(name), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
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

TEST_F(RecorderAfterKill, EveryRecordIsInTheFileAsSoonAsItIsMade) {
  SaveReplay recorder(folder_);
  recorder.Begin(2, 1);
  EXPECT_EQ(Bytes(kRecordingFile).size(), 8u);
  recorder.WriteRandom(4);
  EXPECT_EQ(Bytes(kRecordingFile).size(), 9u);
  recorder.WriteShot(100, 200);
  EXPECT_EQ(Bytes(kRecordingFile).size(), 17u);
  recorder.WriteArcade(kArcadeTimeoutX, 2, 0, 3);
  EXPECT_EQ(Bytes(kRecordingFile),
            (std::vector<unsigned char>{2,    0,    0, 0, 1, 0, 0, 0, 4, 100, 0, 0, 0, 200, 0, 0, 0,  //
                                        0x0F, 0x27, 0, 0, 2, 0, 0, 0, 0, 3}));
}

TEST_F(RecorderAfterKill, AProcessKilledWhileRecordingLeavesEveryRecord) {
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

TEST_F(RecorderAfterKill, ARecordCutShortReadsAsTheEndOfTheFile) {
  SaveReplay recorder(folder_);
  recorder.Begin(1, 1);
  recorder.WriteRandom(3);
  recorder.WriteArcade(250, 120, 4, 5);
  recorder.WriteArcade(260, 130, 3, 5);
  recorder.Close();
  const std::vector<unsigned char> whole = Bytes(kRecordingFile);
  // Every cut inside the last record: the records before it read, the cut one and any after it do not.
  for (size_t cut = 1; cut < size_t(kArcadeRecordSize); ++cut) {
    SCOPED_TRACE(cut);
    Write(kRecordingFile, std::vector<unsigned char>(whole.begin(), whole.end() - long(cut)));
    ASSERT_TRUE(recorder.Finish());
    ASSERT_TRUE(recorder.OpenPlayback());
    int v = 0, x = 0, y = 0, left = 0, allowance = 0;
    ASSERT_TRUE(recorder.ReadRandom(v));
    EXPECT_EQ(v, 3);
    ASSERT_TRUE(recorder.ReadArcade(x, y, left, allowance));
    EXPECT_EQ(x, 250);
    EXPECT_EQ(left, 4);
    EXPECT_FALSE(recorder.ReadArcade(x, y, left, allowance));
    EXPECT_FALSE(recorder.ReadRandom(v)) << "nothing is read past a cut record";
    recorder.ClosePlayback();
  }
}

TEST_F(RecorderAfterKill, ARestoreWithoutARecordingToContinueStartsOneWithItsHeader) {
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

TEST_F(RecorderAfterKill, AFinishedCopySweepsTheTemporaryFilesOfKilledOnes) {
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

TEST(CrashTool, KillsWhileSavingAndRecordingLeaveSoundFiles) {
  if (RunGlobbetTool("--help").status != 0) GTEST_SKIP() << "globbet-tool is not built";
  const ToolRun run =
      RunGlobbetTool("crash 40 --record 10 --verify-every 2 --seed 11", {}, ToolStderr::kKeep);
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("passed: "), std::string::npos) << run.out;
  // A bad count is refused with a reason.
  EXPECT_EQ(RunGlobbetTool("crash 0").status, 1);
  EXPECT_EQ(RunGlobbetTool("crash 10 --record 10").status, 1);
}

}  // namespace
