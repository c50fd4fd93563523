// The recorded games of tests/replays played back by the whole program on the headless platform, where
// the main screen's replay button plays "replay.dat" as a player watches it: each must end as the
// manifest says (score, shots, board hash). check_determinism plays them with 'globbet-tool replay
// verify' too. Sections: the manifest · the program's replay
#include <gtest/gtest.h>

#include <set>

#include "game/game_saved.h"
#include "game/game_saved_time.h"
#include "game/player_sessions.h"
#include "game/save_replay.h"
#include "tests/app/program_testing.h"
#include "tests/determinism/recorded_games.h"
#include "tools/globbet-tool/board_hash.h"

using namespace recorded_games;
using headless::BoardHashText;

namespace {

std::vector<RecordedGame> Manifest() {
  std::vector<std::string> problems;
  std::vector<RecordedGame> games = ReadManifest(problems);
  for (const std::string& problem : problems)
    ADD_FAILURE() << problem;
  return games;
}

std::string PathOf(const RecordedGame& game) {
  return ReplayFolder() + "/" + game.file;
}

// Compares a replay's end with the manifest's line.
void ExpectEnd(const RecordedGame& game, const ReplayEnd& end) {
  EXPECT_TRUE(end.gameOver) << "the replay did not reach the end of the recorded game";
  EXPECT_EQ(end.score, game.score);
  EXPECT_EQ(end.shots, game.shots);
  EXPECT_EQ(BoardHashText(end.board), game.hash);
}

// ---- the manifest -------------------------------------------------------------------------------------
TEST(RecordedGames, TheManifestCoversEveryLevelAndModeWithLongGames) {
  const std::vector<RecordedGame> games = Manifest();
  std::set<std::pair<int, int>> kinds;
  int longGames = 0;
  for (const RecordedGame& game : games) {
    SCOPED_TRACE(game.file);
    int level = -1, type = -1;
    ASSERT_EQ(ReadReplayHeader(PathOf(game), level, type), ReplayHeaderCheck::kOk);
    EXPECT_EQ(level, game.level) << "the manifest's level differs from the recording's header";
    EXPECT_EQ(type, game.mode) << "the manifest's mode differs from the recording's header";
    kinds.insert({level, type});
    longGames += game.shots >= 500;
  }
  EXPECT_EQ(kinds.size(), size_t(kLevelCount * kGameTypeCount)) << "one recording per level and mode";
  EXPECT_GE(longGames, 2) << "keep some games of 500 shots or more";
}

TEST(RecordedGames, TheBoardHashIsPinned) {
  // Values of FNV-1a 64 worked out independently of the game: a change here invalidates the manifest.
  std::array<int, kCellCount> board;
  board.fill(kEmptyCell);
  EXPECT_EQ(BoardHashText(board), "fbd096c31a4f8555");
  board[0] = 0;
  EXPECT_EQ(BoardHashText(board), "1bff4821061e234a");
  board[0] = kEmptyCell;
  board[kCellCount - 1] = 5;
  EXPECT_EQ(BoardHashText(board), "fbcfecc31a4e6477");
}

// ---- the program's replay -----------------------------------------------------------------------------
using namespace program_testing;

constexpr long long kMaxTicks = 2'000'000;  // about five hours of play at 10 ms: a replay that never ends

// Plays the recording with the whole program at the game speed (0..4): "replay.dat" in the current
// folder, the intro clicked away, the replay button's command, then frames of tickMs until the replay
// player ends its pass. The window's loop never ticks before the speed's frame interval has passed, so
// tickMs is at least that interval.
ReplayEnd PlayInProgram(const std::string& recording, int speed, int tickMs) {
  ReplayEnd end;
  ScratchFolder folder;
  folder.LinkData();
  std::error_code error;
  if (!fs::copy_file(recording, fs::path(folder.path()) / kReplayFile, error)) {
    ADD_FAILURE() << "cannot copy " << recording;
    return end;
  }
  SoundLog sounds;
  SetPlayerSessionFactory(MakePlayerSession);
  Program program;
  bool ended = false;
  [&] {
    ASSERT_TRUE(program.Start());
    program.SkipIntro();
    ASSERT_TRUE(program.UntilReady());
    GetOptions().FastSpeed = speed;
    ASSERT_GE(tickMs, frameIntervals[speed]) << "a frame shorter than the interval moves nothing";
    program.Main()->RunCommand(AMainWindow::kReplay);
    ASSERT_TRUE(program.Main()->ReplayRunning());
    Game* session = program.Session();
    ReplayPass* pass = nullptr;
    if (auto* strategy = dynamic_cast<GameSaved*>(session)) pass = &strategy->Pass();
    if (auto* arcade = dynamic_cast<GameSavedTime*>(session)) pass = &arcade->Pass();
    ASSERT_NE(pass, nullptr) << "the replay button made " << session->Name();
    // The player starts again after each pass; the first pass is the recorded game.
    pass->SetObserver([&](bool gameOver) {
      if (ended) return;
      ended = true;
      end.gameOver = gameOver;
      end.score = session->Score();
      end.shots = pass->Shots();
      if (session->GetField()) end.board = session->GetField()->Cells();
    });
    long long tick = 0;
    for (; !ended && tick < kMaxTicks && program.Main()->ReplayRunning(); ++tick)
      program.Tick(tickMs);
    EXPECT_TRUE(ended) << "after " << tick << " frames of " << tickMs << " ms the replay "
                       << (program.Main()->ReplayRunning() ? "has not ended" : "stopped");
  }();
  SetPlayerSessionFactory(nullptr);
  return end;
}

TEST(RecordedGames, TheProgramsReplayEndsAsRecorded) {
  // The fastest speed on a machine that draws a frame every 20 ms (twenty frame steps each): the
  // quickest way through the long games; the next test shows that the speed and the frame do not
  // matter.
  for (const RecordedGame& game : Manifest()) {
    SCOPED_TRACE(game.file);
    ExpectEnd(game, PlayInProgram(PathOf(game), 4, 20));
  }
}

TEST(RecordedGames, TheProgramsReplayDoesNotDependOnSpeedOrFrameRate) {
  // The shortest recording of each mode at the players' default speed with its 10 ms frame, at the
  // fastest speed with its 1 ms frame, and at the slowest speed on a machine that manages a frame only
  // every 75 ms (two and a half intervals, the half lost).
  const std::vector<RecordedGame> games = Manifest();
  for (int mode : {0, 1}) {
    const RecordedGame* shortest = nullptr;
    for (const RecordedGame& game : games)
      if (game.mode == mode && (!shortest || game.shots < shortest->shots)) shortest = &game;
    ASSERT_NE(shortest, nullptr);
    SCOPED_TRACE(shortest->file);
    ExpectEnd(*shortest, PlayInProgram(PathOf(*shortest), 2, 10));
    ExpectEnd(*shortest, PlayInProgram(PathOf(*shortest), 4, 1));
    ExpectEnd(*shortest, PlayInProgram(PathOf(*shortest), 0, 75));
  }
}

}  // namespace
