// Sections: the plan and the tally · a silent sound output · start, frames and input · a game · the
// events along the way
#include "tests/harness/soak_run.h"

#include <algorithm>
#include <filesystem>

#include "app/main_window.h"
#include "engine/active_screen.h"
#include "engine/audio.h"
#include "engine/button.h"
#include "engine/check_box.h"
#include "engine/sound.h"
#include "game/demo_decision.h"
#include "game/player_sessions.h"
#include "game/random.h"
#include "screens/ball.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "screens/main_screen.h"
#include "screens/program_exit.h"
#include "screens/progress_bar.h"
#include "screens/screen_slots.h"
#include "screens/skins_row.h"
#include "tests/harness/harness.h"

namespace soak {
namespace fs = std::filesystem;

namespace {
constexpr int kCommandMs = 600;                      // a delayed button's 500 ms, and a little
constexpr long long kMaxQuietMs = 10LL * 60 * 1000;  // play without a shot: the game is stuck
constexpr int kShotsBeforeEvents = 2;                // a game is under way before anything else happens
constexpr int kPauseMs = 5000;
constexpr int kPlayerMs = 90'000;  // how long the demo or the replay plays
// Every other demo plays on until it has finished a game and started the next (or this long).
constexpr long long kDemoGameMs = 3LL * 3600 * 1000;
constexpr int kIntroMs = 2000;
constexpr int kReadyMs = 60'000;
}  // namespace

// ---- the plan and the tally --------------------------------------------------------------------------
Combo ComboOf(long long game) {
  // 2 and 3 have no common factor: six games in a row meet every pair once.
  return {int(game % kLevelCount), int(game % kGameTypeCount)};
}

long long Tally::Games() const {
  long long n = 0;
  for (const auto& level : games)
    for (long long count : level)
      n += count;
  return n;
}

// ---- a silent sound output ---------------------------------------------------------------------------
namespace {
// Plays nothing and keeps no history (hours of effects would otherwise pile up).
class SilentDevice : public AudioDevice {
 public:
  bool Open() override { return open_ = true; }
  bool IsOpen() const override { return open_; }
  int CreateSample(const WaveFormat&, const uint8_t*, size_t) override { return open_ ? next_++ : 0; }
  void DestroySample(int) override {}
  void ReserveChannels(int) override {}
  void PlayOnChannel(int, int) override {}
  void HaltChannel(int) override {}
  bool IsChannelPlaying(int) const override { return false; }

 private:
  bool open_ = false;
  int next_ = 1;
};
}  // namespace

// ---- start, frames and input -------------------------------------------------------------------------
Run::Run(Plan plan) : plan_(std::move(plan)), seed_(plan_.seed), nextProgressMs_(plan_.progressMs) {}

Run::~Run() {
  if (window_ && window_->IsCreated()) QuitProgram();
  window_.reset();
  SetSound(nullptr);
  sound_.reset();
  SetPlayerSessionFactory(nullptr);
  SetPlatform(nullptr);
  std::error_code ignored;
  // The scratch folder goes with its member, once the program no longer stands in it.
  if (!oldFolder_.empty()) fs::current_path(oldFolder_, ignored);
}

bool Run::Fail(const std::string& why) {
  if (problem_.empty()) problem_ = why;
  return false;
}

bool Run::Begin() {
  if (folder_.path().empty()) return Fail("cannot make a scratch folder");
  // The game keeps its files in its current folder and reads its data from clp/ and wav/ there.
  if (!harness::LinkData(plan_.data, folder_.path()))
    return Fail("no clp folder in '" + plan_.data + "' (give the game's data folder with --data DIR)");
  std::error_code error;
  oldFolder_ = fs::current_path(error).string();
  fs::current_path(folder_.path(), error);
  if (error) return Fail("cannot enter the scratch folder " + folder_.path());
  SetPlatform(&platform_);
  return StartProgram();
}

bool Run::StartProgram() {
  // As the entry does it, with a sound player of its own; the generator goes on where it stood, so
  // that the games after a restart are new ones.
  sound_ = std::make_unique<OSound>(std::make_unique<SilentDevice>());
  SetSound(sound_.get());
  ResetProgramState();
  SetLibRandomSeed(seed_);
  SetPlayerSessionFactory(MakePlayerSession);
  window_ = std::make_unique<OMainWindow>(OMainWindow::Contents::kGame);
  window_->SetBackgroundColor(OMainWindow::kBackground);
  window_->SetNoCaption(true);
  window_->SetNoSizingFrame(true);
  if (!window_->Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal)) {
    const auto& boxes = platform_.MessageBoxes();
    return Fail("the game did not start" + (boxes.empty() ? std::string() : ": " + boxes.back().text));
  }
  window_->SetFrameInterval(1);
  window_->Show();
  // The intro shows a moment, then a click takes the player to the main screen.
  if (!RunFor(kIntroMs)) return false;
  Click(200, 200);
  if (!Frame()) return false;
  if (ActiveScreen() != screens::mainScreen.get()) return Fail("the intro did not hand over to the game");
  return UntilReady();
}

bool Run::QuitProgram() {
  seed_ = LibRandomSeed();
  platform_.QueueEvent({PlatformEventType::kQuit});
  const int code = window_->Run();
  const int exit = ProgramExitCode() != 0 ? ProgramExitCode() : code;
  window_.reset();
  SetSound(nullptr);
  sound_.reset();
  if (exit != 0) return Fail("the game ended with exit code " + std::to_string(exit));
  return true;
}

namespace {
int FrameMs(int interval) {
  // The loop ticks once the window's period has passed; a machine that manages a frame every 20 ms
  // sees whole periods of about that length, never more than the screens' five steps of motion.
  interval = std::max(interval, 1);
  return interval * std::clamp(kFrameMs / interval, 1, int(OEngine::kMaxFrameSteps));
}
}  // namespace

bool Run::Frame() {
  lastFrameMs_ = FrameMs(window_->GetFrameInterval());
  platform_.AdvanceClock(uint32_t(lastFrameMs_));
  window_->OnFrame(lastFrameMs_);
  tally_.simulatedMs += lastFrameMs_;
  if (plan_.progressMs > 0 && tally_.simulatedMs >= nextProgressMs_) {
    while (nextProgressMs_ <= tally_.simulatedMs)
      nextProgressMs_ += plan_.progressMs;
    if (plan_.progress) plan_.progress();
  }
  if (ProgramExitCode() != 0 || !window_->IsCreated())
    return Fail("the game ended by itself (exit code " + std::to_string(ProgramExitCode()) + ")");
  if (!platform_.MessageBoxes().empty())
    return Fail("the game said: " + platform_.MessageBoxes().back().text);
  return true;
}

bool Run::RunFor(int ms) {
  for (const long long end = tally_.simulatedMs + ms; tally_.simulatedMs < end;)
    if (!Frame()) return false;
  return true;
}

void Run::Click(int x, int y) {
  platform_.SetPointerClient(x, y);
  window_->OnMouseMove(x, y);
  window_->OnLButtonDown(x, y);
  window_->OnLButtonUp(x, y);
}

bool Run::ClickOn(const OEngine& screen, const OClip& control, int msAfter) {
  Click(screen.GetX() + int(control.x) + control.GetWidth() / 2,
        screen.GetY() + int(control.y) + control.GetHeight() / 2);
  return RunFor(msAfter);
}

bool Run::UntilReady() {
  for (const long long end = tally_.simulatedMs + kReadyMs; tally_.simulatedMs < end;) {
    if (Session() && Session()->State() == GameState::kReady && ActiveScreen() == screens::mainScreen.get())
      return true;
    if (!Frame()) return false;
  }
  return Fail("the game did not get ready for a shot within a minute");
}

Game* Run::Session() const {
  return screens::mainScreen ? screens::mainScreen->GetGame() : nullptr;
}

Run::Snapshot Run::Take() const {
  Snapshot s;
  s.level = GetOptions().Level, s.mode = GetOptions().GameType;
  if (const Game* game = Session()) {
    s.session = game->Name();
    s.score = game->Score();
    s.palette = game->PaletteLength();
    s.gameBall = game->GameBall() ? game->GameBall()->colour : -1;
    s.waitBall = game->WaitBall() ? game->WaitBall()->colour : -1;
    if (game->GetField()) s.cells = game->GetField()->Cells();
  }
  return s;
}

bool Run::Same(const Snapshot& before, const char* after) {
  const Snapshot now = Take();
  if (now == before) return true;
  std::string what = now.session != before.session
                         ? "the session (" + now.session + ", was " + before.session + ")"
                     : now.level != before.level || now.mode != before.mode ? std::string("the level or mode")
                     : now.score != before.score                            ? std::string("the score")
                     : now.cells != before.cells                            ? std::string("the board")
                                                                            : std::string("the balls");
  return Fail(std::string("after ") + after + " " + what + " differs from the game before");
}

// ---- a game ------------------------------------------------------------------------------------------
bool Run::SwitchTo(Combo combo) {
  AMainWindow& main = *screens::mainScreen;
  if (!ClickOn(main, *main.Button(AMainWindow::kOptions), kCommandMs)) return false;
  AWndOptions* options = screens::options.get();
  if (ActiveScreen() != options) return Fail("the options button did not open the options dialog");
  if (!ClickOn(*options, *options->LevelBox(combo.level), 1)) return false;
  if (!ClickOn(*options, *options->TypeBox(combo.mode), 1)) return false;
  window_->OnKeyUp(vk::kReturn, 0);
  // A game in progress (one restored with its score) is given up only when the player says yes.
  if (ActiveScreen() == screens::newGame.get()) window_->OnKeyUp(vk::kReturn, 0);
  if (!Frame()) return false;
  if (GetOptions().Level != combo.level || GetOptions().GameType != combo.mode)
    return Fail("the options dialog did not switch to level " + std::to_string(combo.level) + " mode " +
                std::to_string(combo.mode));
  if (!UntilReady()) return false;
  const char* expected = combo.mode == 0 ? "GameOrig" : "GameTime";
  if (Session()->Name() != expected || Session()->Score() != 0)
    return Fail("after the switch the session is " + Session()->Name() + " with score " +
                std::to_string(Session()->Score()) + ", not a new " + expected);
  return true;
}

bool Run::Shoot() {
  Game& game = *Session();
  if (!game.GameBall() || !game.GetField()) return Fail("a game ready to shoot has no ball or board");
  const AimPoint aim = ChooseDemoAim(*game.GetField(), game.GameBall()->colour);
  if (!game.CanFire(aim.x, aim.y)) return true;  // not yet: the board still moves
  Click(aim.x, aim.y);
  if (game.State() != GameState::kFlying)
    return Fail("a click at (" + std::to_string(aim.x) + ", " + std::to_string(aim.y) + ") fired no shot");
  ++tally_.shots;
  return true;
}

bool Run::PlayGame(long long n) {
  const Combo combo = ComboOf(n);
  if (!SwitchTo(combo)) return false;
  // What this game passes through (an event the game ends too early for waits for the next one).
  auto due = [n](int every) { return every > 0 && n % every == every - 1; };
  pending_.options |= due(plan_.optionsEvery);
  pending_.restore |= due(plan_.restoreEvery);
  pending_.demo |= due(plan_.demoEvery);
  pending_.replay |= due(plan_.replayEvery);
  pending_.pause |= combo.mode == 1;  // only arcade games let the player pause

  int shots = 0;
  long long lastShotMs = tally_.simulatedMs;
  // A game counts when it has ended: through the result entry, or (without a score) by starting anew.
  auto finished = [&] { ++tally_.games[size_t(combo.level)][size_t(combo.mode)]; };
  GameState before = Session()->State();
  bool ending = false;
  while (!TimeIsUp()) {
    if (!Frame()) return false;
    Game* game = Session();
    if (!game) return Fail("the main screen lost its game");
    if (ActiveScreen() == screens::result.get()) {
      // The result entry: Enter files the score under the name offered, and the next game starts.
      window_->OnKeyUp(vk::kReturn, 0);
      if (ActiveScreen() != screens::mainScreen.get()) return Fail("the result entry did not close");
      finished();
      return Frame();
    }
    if (ActiveScreen() != screens::mainScreen.get()) return Fail("a dialog opened by itself");
    const GameState state = game->State();
    if (state == GameState::kGameOverWait) ending = true;
    if (ending && state != GameState::kGameOverWait) {
      finished();
      return true;
    }
    const bool justSaved = state == GameState::kReady && before == GameState::kReloading;
    before = state;
    if (justSaved && shots >= kShotsBeforeEvents) {
      if (!DoPending()) return false;
      before = Session()->State();
      lastShotMs = tally_.simulatedMs;
      continue;
    }
    if (state == GameState::kReady && PlayerShotDue(shotClock_, lastFrameMs_)) {
      const long long had = tally_.shots;
      if (!Shoot()) return false;
      if (tally_.shots != had) ++shots, lastShotMs = tally_.simulatedMs;
    }
    if (!ending && tally_.simulatedMs - lastShotMs > kMaxQuietMs)
      return Fail("no shot for ten minutes of play (state " + std::to_string(int(state)) + ")");
  }
  return true;
}

bool Run::End() {
  return QuitProgram();
}

// ---- the events along the way ------------------------------------------------------------------------
bool Run::DoPending() {
  if (pending_.restore) return pending_.restore = false, Restore();
  if (pending_.pause && GetOptions().GameType == 1) return pending_.pause = false, Pause();
  if (pending_.options) return pending_.options = false, ChangeOptions();
  if (pending_.demo) return pending_.demo = false, Player(false);
  if (pending_.replay && screens::mainScreen->Button(AMainWindow::kReplay)->visible)
    return pending_.replay = false, Player(true);
  return true;
}

bool Run::Pause() {
  const Snapshot before = Take();
  const long long way = eventCount_++;
  // Four ways to pause an arcade game, and three to resume it.
  switch (way % 4) {
    case 0:
      window_->OnKeyDown(vk::kSpace, 0);
      break;
    case 1:
      window_->OnKeyDown(vk::kPause, 0);
      break;
    case 2:
      platform_.SetFocus(false);
      break;
    default:
      window_->OnRButtonUp(300, 250);
      break;
  }
  if (!RunFor(kPauseMs)) return false;
  if (Session()->State() != GameState::kPaused) return Fail("the arcade game did not pause");
  platform_.SetFocus(true);
  switch (way % 3) {
    case 0:
      window_->OnKeyDown(vk::kEscape, 0);
      break;
    case 1:
      Click(300, 250);  // resumes only: the click fires no shot
      break;
    default:
      window_->OnRButtonUp(300, 250);
      break;
  }
  if (Session()->State() != GameState::kReady) return Fail("the paused game did not resume where it stood");
  ++tally_.pauses;
  return Same(before, "a pause") && Frame();
}

bool Run::ChangeOptions() {
  AMainWindow& main = *screens::mainScreen;
  const Snapshot before = Take();
  const Options was = GetOptions();
  if (!ClickOn(main, *main.Button(AMainWindow::kOptions), kCommandMs)) return false;
  AWndOptions* dialog = screens::options.get();
  if (ActiveScreen() != dialog) return Fail("the options button did not open the options dialog");
  // Sound or the animations, the speed, and the look of one colour change; level and mode stay.
  const bool sound = eventCount_++ % 2 == 0;
  if (!ClickOn(*dialog, *dialog->SwitchBox(sound ? AWndOptions::kSoundOn : AWndOptions::kAnimate), 1))
    return false;
  const int speed = (was.FastSpeed + 1) % kSpeedCount;
  if (!ClickOn(*dialog, *dialog->SpeedBar().Cells()[size_t(speed)], 1)) return false;
  const int colour = int(eventCount_ % ASkins::kSwatches);
  if (!ClickOn(*dialog, *dialog->SkinsRow().Swatch(colour), 1)) return false;
  window_->OnKeyUp(vk::kReturn, 0);
  if (!Frame()) return false;
  const Options& now = GetOptions();
  if (ActiveScreen() != screens::mainScreen.get()) return Fail("the options dialog did not close on Enter");
  if ((sound ? now.SoundOn == was.SoundOn : now.Animate == was.Animate) || now.FastSpeed != speed ||
      now.Skins == was.Skins)
    return Fail("the options dialog did not store the changes");
  if (sound && GetSound().IsEnabled() != now.SoundOn) return Fail("the sound did not follow its switch");
  const int period =
      GetOptions().GameType == 1 ? frameIntervals[AMainWindow::kArcadeSpeed] : frameIntervals[speed];
  if (window_->GetFrameInterval() != period) return Fail("the frame period did not follow the speed");
  ++tally_.optionChanges;
  return Same(before, "an options change");
}

bool Run::Restore() {
  const Snapshot before = Take();
  if (!QuitProgram() || !StartProgram()) return false;
  ++tally_.restores;
  return Same(before, "a restart");
}

bool Run::Player(bool replay) {
  AMainWindow& main = *screens::mainScreen;
  const Snapshot before = Take();
  if (!ClickOn(main, *main.Button(replay ? AMainWindow::kReplay : AMainWindow::kDemo), kCommandMs))
    return false;
  const char* name = replay ? "the replay" : "the demo";
  if (!main.DemoRunning() || main.ReplayRunning() != replay)
    return Fail(std::string(name) + " did not start");
  GameState was = Session()->State();
  const long long start = tally_.simulatedMs, demoGames = tally_.demoGames;
  const bool wholeGame = !replay && tally_.demos % 2 == 1;
  auto playing = [&] {
    const long long played = tally_.simulatedMs - start;
    return played < kPlayerMs || (wholeGame && tally_.demoGames == demoGames && played < kDemoGameMs);
  };
  for (bool paused = false; playing();) {
    if (!paused && tally_.simulatedMs - start >= kPlayerMs / 2) {
      paused = true;
      // Losing the focus pauses it; a press resumes it and its release goes nowhere.
      platform_.SetFocus(false);
      if (!RunFor(kPauseMs)) return false;
      if (Session()->State() != GameState::kPaused) return Fail(std::string(name) + " did not pause");
      platform_.SetFocus(true);
      Click(300, 250);
      if (!main.DemoRunning() || Session()->State() == GameState::kPaused)
        return Fail(std::string("a click did not resume ") + name);
      ++tally_.pauses;
    }
    if (!Frame()) return false;
    if (!main.DemoRunning()) return Fail(std::string(name) + " stopped by itself");
    const GameState state = Session()->State();
    if (state == GameState::kGameOverWait && was != GameState::kGameOverWait && !replay) ++tally_.demoGames;
    was = state;
  }
  window_->OnKeyDown(vk::kSpace, 0);
  if (main.DemoRunning()) return Fail(std::string("a key did not stop ") + name);
  ++(replay ? tally_.replays : tally_.demos);
  return UntilReady() && Same(before, replay ? "the replay" : "the demo");
}

}  // namespace soak
