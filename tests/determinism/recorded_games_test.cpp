// The recorded games of tests/replays played back by the whole program on the headless platform, where
// the main screen's replay button plays "replay.dat" as a player watches it: each must end as
// manifest.txt says (score, shots, board hash), whatever the speed and the frame rate.
// check_determinism runs these again on the plain maths, and plays them with 'globbet-tool replay verify'.

#include <sstream>

#include "game/arcade_replay.h"
#include "game/replay_recorder.h"
#include "game/strategy_replay.h"
#include "tests/app/program_testing.h"
#include "tools/globbet-tool/board_hash.h"

using namespace program_testing;
using headless::BoardHashText;

namespace {

// One line of the manifest: the recording, how it was made and how it must end.
struct RecordedGame {
  std::string file;
  int seed = 0, level = 0, mode = 0, speed = 0, score = 0, shots = 0;
  std::string hash;
  std::string Path() const { return std::string(GLOBBET_SOURCE_DIR) + "/tests/replays/" + file; }
};

std::vector<RecordedGame> Manifest() {
  std::vector<RecordedGame> games;
  std::ifstream in(std::string(GLOBBET_SOURCE_DIR) + "/tests/replays/manifest.txt");
  for (std::string line; std::getline(in, line);) {
    RecordedGame g;
    if (line.empty() || line[0] == '#') continue;
    if (std::istringstream(line) >> g.file >> g.seed >> g.level >> g.mode >> g.speed >> g.score >> g.shots >>
        g.hash)
      games.push_back(g);
    else
      ADD_FAILURE() << "manifest line: " << line;
  }
  EXPECT_GE(games.size(), size_t(kLevelCount * kGameModeCount));
  return games;
}

// Plays the recording with the whole program at the game speed (0..4) in frames of tickMs (at least the
// speed's frame interval: the window's loop never ticks sooner) and expects the manifest's end.
void ExpectEndInProgram(const RecordedGame& game, int speed, int tickMs) {
  SCOPED_TRACE(testing::Message() << game.file << " speed " << speed << " frame " << tickMs);
  ScratchFolder folder;
  ASSERT_TRUE(fs::copy_file(game.Path(), fs::path(folder.path()) / kReplayFile));
  SoundLog sounds;
  Program program;
  bool ended = false, over = false;
  int score = 0, shots = 0;
  std::array<int, kCellCount> board{};
  ASSERT_TRUE(program.StartIn());
  GetOptions().speed = speed;
  ASSERT_GE(tickMs, frameIntervals[speed]);
  program.Main()->RunCommand(MainScreen::kReplay);
  ASSERT_TRUE(program.Main()->ReplayRunning());
  Session* session = program.CurrentSession();
  ReplayPass* pass = nullptr;
  if (auto* strategy = dynamic_cast<StrategyReplay*>(session)) pass = &strategy->Pass();
  if (auto* arcade = dynamic_cast<ArcadeReplay*>(session)) pass = &arcade->Pass();
  ASSERT_NE(pass, nullptr) << "the replay button made " << session->Name();
  pass->SetObserver([&](bool gameOver) {  // the first pass is the recorded game
    if (ended) return;
    ended = true, over = gameOver, score = session->Score(), shots = pass->Shots();
    board = session->GetBoard()->Cells();
  });
  ActiveScreenForwarder window;  // the main window's frame, as its loop gives it after tickMs
  for (long long tick = 0; !ended && tick < 2'000'000 && program.Main()->ReplayRunning(); ++tick) {
    program.platform.AdvanceClock(uint32_t(tickMs));
    window.AdvanceShared(tickMs);
    window.Frame(tickMs);
  }
  EXPECT_TRUE(ended && over) << "the replay did not reach the end of the recorded game";
  EXPECT_EQ(score, game.score);
  EXPECT_EQ(shots, game.shots);
  EXPECT_EQ(BoardHashText(board), game.hash);
}

TEST(RecordedGames, TheProgramsReplayEndsAsRecordedAtAnySpeedAndFrameRate) {
  // Every game at the fastest speed in 20 ms frames (the quickest way through the long ones); the short
  // ones also at the default speed with its 10 ms frame, at the fastest with 1 ms frames, and at the
  // slowest on a machine that manages a frame only every 75 ms.
  for (const RecordedGame& game : Manifest()) {
    ExpectEndInProgram(game, 4, 20);
    for (auto [speed, tickMs] : {std::pair{2, 10}, {4, 1}, {0, 75}})
      if (game.shots < 70) ExpectEndInProgram(game, speed, tickMs);
  }
}

}  // namespace
