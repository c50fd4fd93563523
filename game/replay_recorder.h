// The recorder of a game's random draws and shots. A recording game writes "currgame.dat" as it goes;
// at the game's end the recording replaces "replay.dat", which the replay players read back.
//
// File layout (both files; little-endian, no padding):
//   offset 0  int32 level (0..2)     offset 4  int32 game type (0 strategy, 1 arcade)
//   then untagged records in the order the game produced them:
//     random draw    1 byte (the low byte of the value drawn)
//     strategy shot  int32 x, int32 y
//     arcade shot    int32 x, int32 y, int8 misses left, int8 miss allowance
//     arcade timeout int32 9999, int32 rows pushed, int8 misses left, int8 miss allowance
// The reader knows from the game's progress which record comes next. Each record reaches the file as it
// is made (no buffering), so the file of a killed game ends with whole records, or with one cut short
// that the reader ignores (a read that finds fewer bytes than a record is the end of the file).
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "store/options.h"

constexpr int kReplayHeaderSize = 8;
constexpr int kShotRecordSize = 8;
constexpr int kArcadeRecordSize = 10;
constexpr int kArcadeTimeoutX = 9999;  // x of an arcade record that stands for rows pushed by time
constexpr const char* kRecordingFile = "currgame.dat";
constexpr const char* kReplayFile = "replay.dat";

// Why a replay file's header was accepted or refused.
enum class ReplayHeaderCheck { kOk, kCannotOpen, kTooShort, kBadLevel, kBadType };

// Reads the header of the replay file at path into level and type and checks them.
ReplayHeaderCheck ReadReplayHeader(const std::string& path, int& level, int& type);

// A one-line reason for a header check's result ("ok" for kOk).
const char* DescribeReplayHeaderCheck(ReplayHeaderCheck check);

class ReplayRecorder {
 public:
  // A recorder for the files in folder (empty: the current directory); replayName names the file the
  // playback reads (a kept recording of the top ten, say).
  explicit ReplayRecorder(std::string folder = {}, std::string replayName = kReplayFile);
  ReplayRecorder(const ReplayRecorder&) = delete;
  ReplayRecorder& operator=(const ReplayRecorder&) = delete;
  ~ReplayRecorder();

  // Starts a new recording with the header (level, mode), unless one is open.
  void Begin(int level, GameMode mode);
  // Continues the recording of a restored game at its end, unless one is open. Without a recording that
  // holds at least a header it begins a new one as Begin does, with the level and game type options.
  void Reopen();
  // Closes the recording.
  void Close();
  // Gives the recording up: it is not the game being played (another game's, left by a killed
  // process). Nothing is recorded and Finish keeps the replay until the next Begin.
  void Abandon();
  // True after Abandon, until the next Begin.
  bool Abandoned() const { return abandoned_; }
  // Records the value of a random draw (its low byte). No-op without an open recording.
  void WriteRandom(int value);
  // Records a strategy shot at (x, y). No-op without an open recording.
  void WriteShot(int x, int y);
  // Records an arcade shot or time-out with the counters before it. No-op without an open recording.
  void WriteArcade(int x, int y, int left, int allowance);
  // Closes the recording and makes it the replay file. The copy goes to a temporary file that is
  // renamed over the replay only when complete, so an interruption leaves the old replay whole.
  // True when the replay file was replaced.
  bool Finish();
  // Copies the replay file to path (making its folder), crash-safe as Finish writes the replay. True
  // when the copy is in place.
  bool KeepReplay(const std::string& path) const;

  // True when the replay file exists with a valid header; level and type receive its values.
  bool PeekHeader(int& level, int& type) const;
  // Opens the replay file for reading after its header (closing one still open); false when it
  // cannot be opened or is shorter than a header.
  bool OpenPlayback();
  // Closes the replay file.
  void ClosePlayback();
  // Reads the next record; false at the end of the file or without an open replay. Byte fields are
  // signed.
  bool ReadRandom(int& value);
  bool ReadShot(int& x, int& y);
  bool ReadArcade(int& x, int& y, int& left, int& allowance);

  // True while a recording is open.
  bool IsRecording() const { return recording_ != nullptr; }
  // True while a replay is open for reading.
  bool IsPlaying() const { return playback_ != nullptr; }
  // Full paths of the two files.
  std::string RecordingPath() const { return PathOf(kRecordingFile); }
  std::string ReplayPath() const { return PathOf(replayName_.c_str()); }

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  using File = std::unique_ptr<std::FILE, FileCloser>;

  std::string PathOf(const char* name) const;
  // Appends bytes to the recording when one is open and hands them to the file system at once.
  void Append(const unsigned char* bytes, std::size_t size);
  // Reads exactly size bytes of the replay; false when fewer remain.
  bool ReadExactly(unsigned char* bytes, std::size_t size);

  bool abandoned_ = false;
  std::string folder_;
  std::string replayName_;
  File recording_;
  File playback_;
};
