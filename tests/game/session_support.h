// Helpers of the session and ball tests: a scratch folder seeing the build's data files (the current
// directory for the test's length), the catalogue loaded from it as start-up does, a headless window, a sound
// player that remembers what it played, a plain screen that hosts a session the way the main screen does.
#pragma once

#include "app/catalogue_load.h"
#include "game/random.h"
#include "store/settings_store.h"
#include "tests/app/program_testing.h"
#include "tests/support/board_rows.h"
#include "tests/support/headless_window.h"

namespace session_testing {

// Loads the catalogue as start-up does, from the scratch folder's links, into the test's own context.
// False when a data file is missing.
inline bool LoadCatalogue() {
  LoadResult failure;
  return LoadCatalogueClips(failure);
}

// The test sound player with the game's effects loaded, one channel per effect.
class SoundLog : public ::SoundLog {
 public:
  SoundLog() {
    Player().SetMode(true);
    LoadCatalogueSounds();
  }
};

// A screen hosting a session as the main screen does: clips move only while the game is not paused,
// then the game ticks; a clip at the end of its path is passed to the game.
class SessionScreen : public Screen, public SessionHost {
 public:
  using Screen::Screen;
  void OnFrame(int elapsed) override {
    if (!game || game->State() != SessionState::kPaused) {
      if (SmallBallShower* shower = GetSmallBallShower()) shower->ResetFallingCount();
      Screen::OnFrame(elapsed);
    }
    if (game) game->Tick(elapsed);
  }
  void OnClipPathEnd(Clip* clip, const PointSpeed&) override {
    if (game) game->BallArrived(clip);
  }
  bool OpenResultDialog() override { return ++resultDialogs; }
  void ShowReplayButton() override { replayButton = true; }

  Session* game = nullptr;
  int resultDialogs = 0;
  bool replayButton = false;
};

// The common set-up: data, the headless window (10 ms frames), sound log, shower, options, a fixed random
// sequence, the screen.
class SessionFixture : public HeadlessWindowTest {
 protected:
  static constexpr int kTickMs = 10;

  void SetUp() override {
    ASSERT_TRUE(LoadCatalogue()) << "data files missing: build the globbet_data target";
    ASSERT_NO_FATAL_FAILURE(HeadlessWindowTest::SetUp());
    GetOptions() = Options{};
    for (int k = 0; k < 6; ++k)
      ApplyLook(*catalogue::ballSprites()[size_t(k)]);
    SetSmallBallShower(&shower);
    shower.Seed(7);
    SetLibRandomSeed(12345);
    screen = std::make_unique<SessionScreen>(&window, 0, 0, 800, 600);
    screen->redrawMode = Screen::RedrawMode::kDirty;
    screen->backgroundColor = 0xCCCCFF;
    screen->Enter(nullptr);
  }
  void TearDown() override {
    Quit();
    screen.reset();
    SetSmallBallShower(nullptr);
    HeadlessWindowTest::TearDown();
  }

  // Makes and starts (or restores) a session of type G on the screen.
  template <class G>
  G& Make(bool load = false) {
    Quit();
    auto made = std::make_unique<G>(screen.get(), folder.path());
    G& g = *made;
    game = std::move(made);
    screen->game = game.get();
    game->SetSettings(&store);
    game->SetHost(screen.get());
    EXPECT_TRUE(load ? game->Load() : game->Start(false));
    game->RefreshImages();
    return g;
  }

  // Ends the session as a quit does.
  void Quit() {
    game.reset();
    screen->game = nullptr;
  }
  // One frame of the screen.
  void Frame() {
    platform.AdvanceClock(kTickMs);
    screen->OnFrame(kTickMs);
  }
  // Frames until done() holds (true) or maxFrames have passed (false).
  bool RunUntil(const std::function<bool()>& done, int maxFrames = 20000) {
    for (int i = 0; i < maxFrames && !done(); ++i)
      Frame();
    return done();
  }
  bool RunUntilReady() {
    return RunUntil([&] { return game->State() == SessionState::kReady; });
  }

  // Replaces the board by rows (board_rows.h), each ball with its sprite.
  void SetBoard(const std::string& rows) {
    game->GetBoard()->Reset(true);
    SetRows(*game->GetBoard(), rows, true);
  }

  // An aim point whose shot lands in cell index on the board as it stands; {-1, -1} when none does.
  std::pair<int, int> AimFor(int index) {
    for (int y = 14; y < 500; y += 3)
      for (int x = 14; x < 577; x += 2)
        if (Fire(*game->GetBoard(), x, y), game->GetBoard()->LandingIndex() == index) return {x, y};
    return {-1, -1};
  }

  program_testing::ScratchFolder folder;  // first: the sounds and the catalogue load through its links
  SoundLog sounds;
  SmallBalls shower;
  SettingsStore store;
  std::unique_ptr<SessionScreen> screen;
  std::unique_ptr<Session> game;
};

}  // namespace session_testing
