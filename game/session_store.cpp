// The session in the settings store, under its Name():
//   .Score       the score                .ColorLeft   colours in play
//   .ColorsLeft  the colour of each entry in play, in order
//   .GameBall    palette index of the launcher ball's colour (only with a ball), .WaitBall likewise
//   .Field       the board (board_store.cpp)
//   .ReplayLength the length of "currgame.dat" at this save: a restore cuts the recording back to it,
//                so records made after the save (a shot still in flight at a quit) do not stay in it
//   .ReplayCheck  FNV-1a of those bytes: a restore whose recording does not start with them (another
//                game's, begun before a killed process could store its own) gives the recording up;
//                length and check 0 store a recording already given up
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/ball.h"
#include "game/replay_recorder.h"
#include "game/session.h"
#include "store/options.h"
#include "store/settings_store.h"

namespace {
// A stored palette index; one outside the palette (a damaged store) takes entry 0.
int StoredIndex(const SettingsStore& store, const std::string& key) {
  const int k = store.GetInt(key, 0);
  return k >= 0 && k < kColourCount ? k : 0;
}

// The first palette index whose colour is ball's, or -1.
int PaletteIndexOf(const Session& game, const Ball& ball) {
  for (int k = 0; k < kColourCount; ++k)
    if (game.PaletteColour(k) == ball.colour) return k;
  return -1;
}

// FNV-1a of the first length bytes of the file at path; false when it holds fewer.
bool RecordingCheck(const std::string& path, long long length, uint32_t& check) {
  std::ifstream in(path, std::ios::binary);
  check = 2166136261u;
  char chunk[4096];
  for (long long left = length; left > 0;) {
    const auto want = static_cast<std::streamsize>(std::min<long long>(left, sizeof chunk));
    if (!in.read(chunk, want)) return false;
    for (std::streamsize i = 0; i < want; ++i)
      check = (check ^ static_cast<unsigned char>(chunk[i])) * 16777619u;
    left -= want;
  }
  return true;
}

// The length of the recording at path with every record written so far; -1 when there is none.
long long RecordingLength(const std::string& path) {
  std::fflush(nullptr);  // the recorder's buffered records belong to the length
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  return error ? -1 : static_cast<long long>(size);
}
}  // namespace

void Session::SaveRecordingLength() {
  // Only the recording games come here: the players and the demo store nothing.
  const std::string path = ReplayRecorder(folder_).RecordingPath();
  const long long length = recordingLost_ ? -1 : RecordingLength(path);
  uint32_t check = 0;
  if (length >= kReplayHeaderSize && length <= INT_MAX && RecordingCheck(path, length, check)) {
    settings_->SetInt(Name() + ".ReplayLength", static_cast<int>(length));
    settings_->SetInt(Name() + ".ReplayCheck", static_cast<int>(check));
  } else if (recordingLost_) {
    settings_->SetInt(Name() + ".ReplayLength", 0);
    settings_->SetInt(Name() + ".ReplayCheck", 0);
  }
}

bool Session::CutRecordingToSave() {
  const std::string key = Name() + ".ReplayLength";
  if (!settings_->Has(key)) return true;
  const int length = settings_->GetInt(key, -1);
  const std::string path = ReplayRecorder(folder_).RecordingPath();
  const std::string checkKey = Name() + ".ReplayCheck";
  if (settings_->Has(checkKey)) {
    uint32_t check = 0;
    if (length < kReplayHeaderSize || !RecordingCheck(path, length, check) ||
        check != static_cast<uint32_t>(settings_->GetInt(checkKey, 0)))
      return false;
  } else if (length < kReplayHeaderSize) {
    return true;  // a store from before the check, with no usable length: the file is left alone
  }
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size <= static_cast<std::uintmax_t>(length)) return true;
  std::filesystem::resize_file(path, static_cast<std::uintmax_t>(length), error);
  return true;
}

void Session::Save() {
  if (!settings_) return;
  const std::string name = Name();
  settings_->SetInt(name + ".Score", Score());
  settings_->SetInt(name + ".ColorLeft", paletteLength_);
  settings_->SetIntArray(name + ".ColorsLeft", palette_.data(), paletteLength_, ' ');
  // A ball whose colour has left the palette keeps whatever index was stored before.
  const int gameIndex = gameBall_ ? PaletteIndexOf(*this, *gameBall_) : -1;
  if (gameIndex >= 0) settings_->SetInt(name + ".GameBall", gameIndex);
  const int waitIndex = waitBall_ ? PaletteIndexOf(*this, *waitBall_) : -1;
  if (waitIndex >= 0) settings_->SetInt(name + ".WaitBall", waitIndex);
  if (board_) board_->Save();
  SaveRecordingLength();
  GetOptions().newGameNeeded = false;
  GetOptions().settingsLoaded = true;
}

bool Session::Load() {
  restored_ = false;
  recordingLost_ = false;
  if (GetOptions().newGameNeeded) return Start(false);
  if (!Start(true)) return false;
  // Before anything of the restored game is recorded.
  recordingLost_ = !CutRecordingToSave();
  const std::string name = Name();
  int score = settings_->GetInt(name + ".Score", 0);
  if (score < 0) score = 0;
  score_->Reset();
  score_->Add(score);
  paletteLength_ = settings_->GetInt(name + ".ColorLeft", kColourCount - 2 * Level());
  if (paletteLength_ < 1 || paletteLength_ > 5) paletteLength_ = kColourCount;
  int entry = 0;
  for (int v : settings_->GetIntArray(name + ".ColorsLeft", ' ')) {
    // A colour that names no ball ends the restore here; FinishLoad finds the board empty.
    if (v < 0 || v >= kColourCount) return FinishLoad();
    if (entry < kColourCount) palette_[size_t(entry++)] = v;
  }
  NewGameBall(StoredIndex(*settings_, name + ".GameBall"));
  NewWaitBall(StoredIndex(*settings_, name + ".WaitBall"));
  board_->Load();
  return FinishLoad();
}

bool Session::FinishLoad() {
  // A stored game always has balls in its top row (one without would have ended): a board that comes
  // back without them was damaged, and would count as cleared, with the full bonus. A new game instead.
  bool topRow = false;
  for (int i = 0; i < kColumns; ++i)
    topRow = topRow || !board_->IsEmpty(i);
  if (!topRow) return Start(false);
  state_ = SessionState::kReady;
  restored_ = true;
  return true;
}
