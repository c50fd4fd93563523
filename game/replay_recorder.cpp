// The recorder: byte layout, writes, the end-of-game copy and the playback reads.
// Sections: byte layout · header check · recording · playback
#include "game/replay_recorder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "store/atomic_file.h"
#include "store/options.h"

// ---- byte layout -------------------------------------------------------------------------------------
namespace {
void PutInt32(unsigned char* out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  out[0] = static_cast<unsigned char>(v);
  out[1] = static_cast<unsigned char>(v >> 8);
  out[2] = static_cast<unsigned char>(v >> 16);
  out[3] = static_cast<unsigned char>(v >> 24);
}

int32_t GetInt32(const unsigned char* in) {
  const uint32_t v = uint32_t{in[0]} | uint32_t{in[1]} << 8 | uint32_t{in[2]} << 16 | uint32_t{in[3]} << 24;
  return static_cast<int32_t>(v);
}

int GetInt8(unsigned char byte) {
  return static_cast<int8_t>(byte);
}

// A game records a few bytes per ball; anything near this size is not a recording of one game.
constexpr std::size_t kMaxRecordingBytes = 64u << 20;

// Opens path only when it is a plain file, or (writing) not there yet: opening a named pipe or a device
// put in its place would block the game or feed it endless bytes.
std::FILE* OpenPlainFile(const std::string& path, const char* mode) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  const bool absent = status.type() == std::filesystem::file_type::not_found;
  if (!absent && status.type() != std::filesystem::file_type::regular) return nullptr;
  if (absent && mode[0] == 'r') return nullptr;
  return std::fopen(path.c_str(), mode);
}

// The whole of a plain file, read in chunks; false when it cannot be read or is too large for a recording.
bool ReadRecording(const std::string& path, std::string& bytes) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> source(OpenPlainFile(path, "rb"), std::fclose);
  if (!source) return false;
  unsigned char chunk[4096];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, source.get());
    bytes.append(reinterpret_cast<const char*>(chunk), got);
    if (bytes.size() > kMaxRecordingBytes) return false;  // not a recording of one game
    if (got < sizeof chunk) break;
  }
  return !std::ferror(source.get());
}

static_assert(kReplayHeaderSize == 2 * sizeof(int32_t), "header: level and type, two int32");
static_assert(kShotRecordSize == 2 * sizeof(int32_t), "strategy shot: x and y, two int32");
static_assert(kArcadeRecordSize == 2 * sizeof(int32_t) + 2 * sizeof(int8_t),
              "arcade record: x, y as int32, then two int8 counters");
}  // namespace

// ---- header check ------------------------------------------------------------------------------------
ReplayHeaderCheck ReadReplayHeader(const std::string& path, int& level, int& type) {
  std::FILE* file = OpenPlainFile(path, "rb");
  if (!file) return ReplayHeaderCheck::kCannotOpen;
  unsigned char bytes[kReplayHeaderSize];
  const std::size_t got = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  if (got != sizeof bytes) return ReplayHeaderCheck::kTooShort;
  level = GetInt32(bytes);
  type = GetInt32(bytes + 4);
  if (level < 0 || level > 2) return ReplayHeaderCheck::kBadLevel;
  if (type < 0 || type > 1) return ReplayHeaderCheck::kBadType;
  return ReplayHeaderCheck::kOk;
}

const char* DescribeReplayHeaderCheck(ReplayHeaderCheck check) {
  switch (check) {
    case ReplayHeaderCheck::kOk:
      return "ok";
    case ReplayHeaderCheck::kCannotOpen:
      return "cannot be opened";
    case ReplayHeaderCheck::kTooShort:
      return "shorter than the 8-byte header";
    case ReplayHeaderCheck::kBadLevel:
      return "level outside 0..2";
    case ReplayHeaderCheck::kBadType:
      return "game type outside 0..1";
  }
  return "unknown";
}

// ---- recording ---------------------------------------------------------------------------------------
ReplayRecorder::ReplayRecorder(std::string folder, std::string replayName)
    : folder_(std::move(folder)), replayName_(std::move(replayName)) {}

ReplayRecorder::~ReplayRecorder() = default;

std::string ReplayRecorder::PathOf(const char* name) const {
  if (folder_.empty()) return name;
  return folder_ + "/" + name;
}

void ReplayRecorder::Append(const unsigned char* bytes, std::size_t size) {
  if (!recording_) return;
  // Every record goes to the file at once, in one write: a killed game leaves all the records it made,
  // at worst the last one cut short, which the reader takes for the end of the file.
  std::fwrite(bytes, 1, size, recording_.get());
  std::fflush(recording_.get());
}

void ReplayRecorder::Begin(int level, GameMode mode) {
  if (recording_) return;
  abandoned_ = false;
  recording_.reset(OpenPlainFile(RecordingPath(), "wb"));
  unsigned char header[kReplayHeaderSize];
  PutInt32(header, level);
  PutInt32(header + 4, int(mode));
  Append(header, sizeof header);
}

void ReplayRecorder::Reopen() {
  if (recording_) return;
  std::error_code error;
  const auto size = std::filesystem::file_size(RecordingPath(), error);
  // No recording to continue (none, or one whose header never reached the file): records appended to
  // it would make a file without a header, which no player reads. A game restored without a stored
  // board is a new game anyway; its recording starts as a new game's does.
  if (error || size < std::uintmax_t{kReplayHeaderSize}) {
    Begin(GetOptions().level, GetOptions().mode);
    return;
  }
  recording_.reset(OpenPlainFile(RecordingPath(), "ab"));
}

void ReplayRecorder::Close() {
  recording_.reset();
}

void ReplayRecorder::Abandon() {
  Close();
  abandoned_ = true;
}

void ReplayRecorder::WriteRandom(int value) {
  const unsigned char byte = static_cast<unsigned char>(value);
  Append(&byte, 1);
}

void ReplayRecorder::WriteShot(int x, int y) {
  unsigned char record[kShotRecordSize];
  PutInt32(record, x);
  PutInt32(record + 4, y);
  Append(record, sizeof record);
}

void ReplayRecorder::WriteArcade(int x, int y, int left, int allowance) {
  unsigned char record[kArcadeRecordSize];
  PutInt32(record, x);
  PutInt32(record + 4, y);
  record[8] = static_cast<unsigned char>(left);
  record[9] = static_cast<unsigned char>(allowance);
  Append(record, sizeof record);
}

bool ReplayRecorder::Finish() {
  Close();
  if (abandoned_) return false;  // the replay stays the last game recorded whole
  std::string bytes;
  if (!ReadRecording(RecordingPath(), bytes)) return false;
  // Through a temporary file renamed over the replay: an interruption leaves the old replay whole.
  return WriteFileAtomically(ReplayPath(), bytes);
}

bool ReplayRecorder::KeepReplay(const std::string& path) const {
  std::string bytes;
  if (!ReadRecording(ReplayPath(), bytes)) return false;
  std::error_code error;
  const std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, error);
  return WriteFileAtomically(path, bytes);
}

// ---- playback ----------------------------------------------------------------------------------------
bool ReplayRecorder::PeekHeader(int& level, int& type) const {
  return ReadReplayHeader(ReplayPath(), level, type) == ReplayHeaderCheck::kOk;
}

bool ReplayRecorder::OpenPlayback() {
  ClosePlayback();
  playback_.reset(OpenPlainFile(ReplayPath(), "rb"));
  unsigned char header[kReplayHeaderSize];
  if (!ReadExactly(header, sizeof header)) {
    ClosePlayback();
    return false;
  }
  return true;
}

void ReplayRecorder::ClosePlayback() {
  playback_.reset();
}

bool ReplayRecorder::ReadExactly(unsigned char* bytes, std::size_t size) {
  return playback_ && std::fread(bytes, 1, size, playback_.get()) == size;
}

bool ReplayRecorder::ReadRandom(int& value) {
  unsigned char byte;
  if (!ReadExactly(&byte, 1)) return false;
  value = GetInt8(byte);
  return true;
}

bool ReplayRecorder::ReadShot(int& x, int& y) {
  unsigned char record[kShotRecordSize];
  if (!ReadExactly(record, sizeof record)) return false;
  x = GetInt32(record);
  y = GetInt32(record + 4);
  return true;
}

bool ReplayRecorder::ReadArcade(int& x, int& y, int& left, int& allowance) {
  unsigned char record[kArcadeRecordSize];
  if (!ReadExactly(record, sizeof record)) return false;
  x = GetInt32(record);
  y = GetInt32(record + 4);
  left = GetInt8(record[8]);
  allowance = GetInt8(record[9]);
  return true;
}
