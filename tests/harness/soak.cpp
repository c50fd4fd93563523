// globbet-harness soak: HOURS of simulated play through the whole game on the headless platform
// (Run below), in a scratch folder of its own, the game's generator seeded alike every time. It fails when a
// game cannot go on, when a level and mode or an event (pause, options change, restore, demo, replay) never
// came, or when the resident memory grew by N kB or more after warm-up (a quarter of the run, at most one
// simulated hour; not checked under AddressSanitizer, whose quarantine keeps freed memory on purpose).
//
// The run: the whole game (window, screens, dialogs, sessions, settings file) on the headless platform
// and a simulated clock, played game after game by the demo's choice of shot through the main screen's
// own input, switching level and mode through the options dialog every game, and now and then pausing,
// changing options, running the demo and the replay, and quitting and restarting the program mid-game
// (the automatic save at exit, the resume at start). Every step checks that the game can go on.
//
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "app/game_window.h"
#include "app/program_context.h"
#include "engine/active_screen.h"
#include "engine/audio.h"
#include "engine/button.h"
#include "engine/check_box.h"
#include "engine/platform_headless.h"
#include "engine/sound_player.h"
#include "game/ball.h"
#include "game/demo_decision.h"
#include "game/player_sessions.h"
#include "game/random.h"
#include "game/session.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/main_screen.h"
#include "screens/program_exit.h"
#include "screens/screen_slots.h"
#include "screens/skin_row.h"
#include "screens/step_selector.h"
#include "store/options.h"
#include "tests/harness/harness.h"
#include "tools/globbet-tool/headless_game.h"

namespace {
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool kAddressSanitizer = false;
#endif

namespace fs = std::filesystem;

// ---- the plan and the tally --------------------------------------------------------------------------
constexpr int kFrameMs = 20;  // about one frame of simulated time: a 50 Hz loop

// The level and mode of game n: both change from one game to the next, and any six games in a row
// visit all six pairs (2 and 3 have no common factor).
struct Combo {
  explicit Combo(long long game) : level(int(game % kLevelCount)), mode(int(game % kGameModeCount)) {}
  int level, mode;
};

struct Plan {
  std::string data;           // the folder holding clp/ and wav/
  long long simulatedMs = 0;  // the run ends when the simulated clock has gone this far
};
// Every so many games, the game passes once through each of these.
constexpr int kOptionsEvery = 3, kRestoreEvery = 4, kDemoEvery = 5, kReplayEvery = 7;

enum Event { kPause, kOptionChange, kRestore, kDemo, kReplay };
struct Tally {
  std::array<std::array<long long, kGameModeCount>, kLevelCount> games{};  // finished, by level and mode
  long long demoGames = 0;                                                 // games the demo finished
  long long shots = 0;                                                     // shots fired by the soak's player
  std::array<long long, 5> events{};  // pauses, option changes, restores, demos, replays: kPause...
  long long simulatedMs = 0;
};

constexpr int kCommandMs = 600;                      // a delayed button's 500 ms, and a little
constexpr long long kMaxQuietMs = 10LL * 60 * 1000;  // play without a shot: the game is stuck
constexpr int kShotsBeforeEvents = 2;                // a game is under way before anything else happens
constexpr int kPauseMs = 5000;
constexpr int kPlayerMs = 90'000;  // how long the demo or the replay plays
// Every other demo plays on until it has finished a game and started the next (or this long).
constexpr long long kDemoGameMs = 3LL * 3600 * 1000;
constexpr int kIntroMs = 2000;
constexpr int kReadyMs = 60'000;

// ---- a silent sound output ---------------------------------------------------------------------------
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

int FrameMs(int interval) {
  // The loop ticks once the window's period has passed; a machine that manages a frame every 20 ms
  // sees whole periods of about that length, never more than the screens' five steps of motion.
  interval = std::max(interval, 1);
  return interval * std::clamp(kFrameMs / interval, 1, int(Screen::kMaxFrameSteps));
}

// ---- the run -----------------------------------------------------------------------------------------
class Run {
 public:
  explicit Run(Plan plan) : plan_(std::move(plan)) {}

  // Quits a program still running and removes the scratch folder.
  ~Run() {
    if (window_ && window_->IsCreated()) QuitProgram();
    TearDown();
    SetPlayerSessionFactory(nullptr);
    SetPlatform(nullptr);
    std::error_code ignored;
    // The scratch folder goes with its member, once the program no longer stands in it.
    if (!oldFolder_.empty()) fs::current_path(oldFolder_, ignored);
  }

  // Makes the scratch folder (made the current directory, with links to the data) and starts the
  // program up to the first game. False with the reason in Problem().
  bool Begin() {
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
  // Plays game n of the cycle at its level and mode until it ends or the simulated time is up; false
  // (reason in Problem()) when the game cannot go on.
  bool PlayGame(long long n) {
    const Combo combo(n);
    if (!SwitchTo(combo)) return false;
    // What this game passes through (an event the game ends too early for waits for the next one).
    auto due = [n](int every) { return n % every == every - 1; };
    pending_.options |= due(kOptionsEvery);
    pending_.restore |= due(kRestoreEvery);
    pending_.demo |= due(kDemoEvery);
    pending_.replay |= due(kReplayEvery);
    pending_.pause |= GameMode(combo.mode) == GameMode::kArcade;  // only arcade games let the player pause

    int shots = 0;
    long long lastShotMs = tally_.simulatedMs;
    // A game counts when it has ended: through the result entry, or (without a score) by starting anew.
    auto finished = [&] { ++tally_.games[size_t(combo.level)][size_t(combo.mode)]; };
    SessionState before = CurrentSession()->State();
    bool ending = false;
    while (!TimeIsUp()) {
      if (!Frame()) return false;
      Session* game = CurrentSession();
      if (!game) return Fail("the main screen lost its game");
      if (ActiveScreen() == screens::result().get()) {
        // The result entry: Enter files the score under the name offered, and the next game starts.
        window_->OnKeyUp(vk::kReturn, 0);
        // A result that enters its top ten opens that table, which Escape closes.
        if (ActiveScreen() == screens::topTen().get()) window_->OnKeyUp(vk::kEscape, 0);
        if (ActiveScreen() != screens::mainScreen().get()) return Fail("the result entry did not close");
        finished();
        return Frame();
      }
      if (ActiveScreen() != screens::mainScreen().get()) return Fail("a dialog opened by itself");
      const SessionState state = game->State();
      if (state == SessionState::kGameOverWait) ending = true;
      if (ending && state != SessionState::kGameOverWait) {
        finished();
        return true;
      }
      const bool justSaved = state == SessionState::kReady && before == SessionState::kReloading;
      before = state;
      if (justSaved && shots >= kShotsBeforeEvents) {
        if (!DoPending()) return false;
        before = CurrentSession()->State();
        lastShotMs = tally_.simulatedMs;
        continue;
      }
      if (state == SessionState::kReady && PlayerShotDue(shotClock_, lastFrameMs_)) {
        const long long had = tally_.shots;
        if (!Shoot()) return false;
        if (tally_.shots != had) ++shots, lastShotMs = tally_.simulatedMs;
      }
      if (!ending && tally_.simulatedMs - lastShotMs > kMaxQuietMs)
        return Fail("no shot for ten minutes of play (state " + std::to_string(int(state)) + ")");
    }
    return true;
  }
  bool TimeIsUp() const { return tally_.simulatedMs >= plan_.simulatedMs; }
  const Tally& Totals() const { return tally_; }
  const std::string& Problem() const { return problem_; }

 private:
  // What must come back after a restore, the demo or the replay.
  struct Snapshot {
    std::string session;
    int level = 0, mode = 0, score = 0, gameBall = -1, waitBall = -1, palette = 0;
    std::array<int, kCellCount> cells{};
    bool operator==(const Snapshot&) const = default;
  };
  // Events due in the games to come, each done once at a settled moment of a game.
  struct Pending {
    bool pause = false, options = false, restore = false, demo = false, replay = false;
  };

  // The program's parts gone, as its end leaves them.
  void TearDown() {
    window_.reset();
    context_.reset();
    SetSound(nullptr);
    sound_.reset();
  }
  bool Fail(const std::string& why) {
    if (problem_.empty()) problem_ = why;
    return false;
  }
  // The program's start as its entry does it (the generator going on from the soak's), the intro
  // clicked away after a moment, and the main screen's game ready for a shot.
  bool StartProgram() {
    // As the entry does it, with a sound player of its own; the generator goes on where it stood, so
    // that the games after a restart are new ones.
    sound_ = std::make_unique<SoundPlayer>(std::make_unique<SilentDevice>());
    SetSound(sound_.get());
    context_ = std::make_unique<ProgramContext>();
    SetLibRandomSeed(seed_);
    SetPlayerSessionFactory(MakePlayerSession);
    window_ = std::make_unique<GameWindow>(GameWindow::Contents::kGame);
    if (!window_->Open()) {
      const auto& boxes = platform_.MessageBoxes();
      return Fail("the game did not start" + (boxes.empty() ? std::string() : ": " + boxes.back().text));
    }
    window_->SetFrameInterval(1);
    window_->Show();
    // The intro shows a moment, then a click takes the player to the main screen.
    if (!RunFor(kIntroMs)) return false;
    Click(200, 200);
    if (!Frame()) return false;
    if (ActiveScreen() != screens::mainScreen().get()) return Fail("the intro did not hand over to the game");
    return UntilReady();
  }
  // The platform's close: the loop ends, the program saves and tears down; the exit code must be 0.
 public:
  bool QuitProgram() {
    seed_ = LibRandomSeed();
    platform_.QueueEvent({PlatformEventType::kQuit});
    const int code = window_->Run();
    const int exit = ProgramExitCode() != 0 ? ProgramExitCode() : code;
    TearDown();
    return exit == 0 || Fail("the game ended with exit code " + std::to_string(exit));
  }

 private:
  // One frame; false when the program asked to end or showed a message.
  bool Frame() {
    lastFrameMs_ = FrameMs(window_->GetFrameInterval());
    platform_.AdvanceClock(uint32_t(lastFrameMs_));
    window_->OnFrame(lastFrameMs_);
    tally_.simulatedMs += lastFrameMs_;
    if (ProgramExitCode() != 0 || !window_->IsCreated())
      return Fail("the game ended by itself (exit code " + std::to_string(ProgramExitCode()) + ")");
    if (!platform_.MessageBoxes().empty())
      return Fail("the game said: " + platform_.MessageBoxes().back().text);
    return true;
  }
  // Frames for ms of simulated time.
  bool RunFor(int ms) {
    for (const long long end = tally_.simulatedMs + ms; tally_.simulatedMs < end;)
      if (!Frame()) return false;
    return true;
  }
  void Click(int x, int y) {
    platform_.SetPointerClient(x, y);
    window_->OnMouseMove(x, y);
    window_->OnMouseDown(x, y);
    window_->OnMouseUp(x, y);
  }
  // A click on the middle of control (in screen's coordinates), then msAfter of frames (a delayed
  // command button waits 500 ms).
  bool ClickOn(const Screen& screen, const Clip& control, int msAfter) {
    Click(screen.GetX() + int(control.x) + control.GetWidth() / 2,
          screen.GetY() + int(control.y) + control.GetHeight() / 2);
    return RunFor(msAfter);
  }
  // Frames until the session waits for a shot; false after a minute of simulated time.
  bool UntilReady() {
    for (const long long end = tally_.simulatedMs + kReadyMs; tally_.simulatedMs < end;) {
      if (CurrentSession() && CurrentSession()->State() == SessionState::kReady &&
          ActiveScreen() == screens::mainScreen().get())
        return true;
      if (!Frame()) return false;
    }
    return Fail("the game did not get ready for a shot within a minute");
  }
  Session* CurrentSession() const {
    return screens::mainScreen() ? screens::mainScreen()->GetSession() : nullptr;
  }
  Snapshot Take() const {
    Snapshot s;
    s.level = GetOptions().level, s.mode = int(GetOptions().mode);
    if (const Session* game = CurrentSession()) {
      s.session = game->Name();
      s.score = game->Score();
      s.palette = game->PaletteLength();
      s.gameBall = game->GameBall() ? game->GameBall()->colour : -1;
      s.waitBall = game->WaitBall() ? game->WaitBall()->colour : -1;
      if (game->GetBoard()) s.cells = game->GetBoard()->Cells();
    }
    return s;
  }
  bool Same(const Snapshot& before, const char* after) {
    return Take() == before || Fail(std::string("after ") + after + " the game differs from the game before");
  }

  // The level and mode through the options dialog (a game in progress is given up when asked).
  bool SwitchTo(Combo combo) {
    MainScreen& main = *screens::mainScreen();
    if (!ClickOn(main, *main.ButtonFor(MainScreen::kOptions), kCommandMs)) return false;
    OptionsDialog* options = screens::options().get();
    if (ActiveScreen() != options) return Fail("the options button did not open the options dialog");
    if (!ClickOn(*options, *options->LevelBox(combo.level), 1)) return false;
    if (!ClickOn(*options, *options->TypeBox(GameMode(combo.mode)), 1)) return false;
    window_->OnKeyUp(vk::kReturn, 0);
    // A game in progress (one restored with its score) is given up only when the player says yes.
    if (ActiveScreen() == screens::newGame().get()) window_->OnKeyUp(vk::kReturn, 0);
    if (!Frame()) return false;
    if (GetOptions().level != combo.level || GetOptions().mode != GameMode(combo.mode))
      return Fail("the options dialog did not switch to level " + std::to_string(combo.level) + " mode " +
                  std::to_string(combo.mode));
    if (!UntilReady()) return false;
    const char* expected = GameMode(combo.mode) == GameMode::kStrategy ? "GameOrig" : "GameTime";
    if (CurrentSession()->Name() != expected || CurrentSession()->Score() != 0)
      return Fail("after the switch the session is " + CurrentSession()->Name() + " with score " +
                  std::to_string(CurrentSession()->Score()) + ", not a new " + expected);
    return true;
  }
  // The demo's choice of shot, clicked into the field; false when the game refuses it.
  bool Shoot() {
    Session& game = *CurrentSession();
    if (!game.GameBall() || !game.GetBoard()) return Fail("a game ready to shoot has no ball or board");
    const AimPoint aim = ChooseDemoAim(*game.GetBoard(), game.GameBall()->colour);
    if (!game.CanFire(aim.x, aim.y)) return true;  // not yet: the board still moves
    Click(aim.x, aim.y);
    if (game.State() != SessionState::kFlying)
      return Fail("a click at (" + std::to_string(aim.x) + ", " + std::to_string(aim.y) + ") fired no shot");
    ++tally_.shots;
    return true;
  }
  // One pending event now, at a settled moment after the game saved itself; false on failure.
  bool DoPending() {
    if (pending_.restore) return pending_.restore = false, Restore();
    if (pending_.pause && GetOptions().mode == GameMode::kArcade) return pending_.pause = false, Pause();
    if (pending_.options) return pending_.options = false, ChangeOptions();
    if (pending_.demo) return pending_.demo = false, Player(false);
    if (pending_.replay && screens::mainScreen()->ButtonFor(MainScreen::kReplay)->visible)
      return pending_.replay = false, Player(true);
    return true;
  }
  bool Pause() {
    const Snapshot before = Take();
    const long long way = eventCount_++;
    // Four ways to pause an arcade game, and three to resume it.
    if (way % 4 < 2) window_->OnKeyDown(way % 4 == 0 ? vk::kSpace : vk::kPause, 0);
    if (way % 4 == 2) platform_.SetFocus(false);
    if (way % 4 == 3) window_->OnRightMouseUp(300, 250);
    if (!RunFor(kPauseMs)) return false;
    if (CurrentSession()->State() != SessionState::kPaused) return Fail("the arcade game did not pause");
    platform_.SetFocus(true);
    if (way % 3 == 0) window_->OnKeyDown(vk::kEscape, 0);
    if (way % 3 == 1) Click(300, 250);  // resumes only: the click fires no shot
    if (way % 3 == 2) window_->OnRightMouseUp(300, 250);
    if (CurrentSession()->State() != SessionState::kReady)
      return Fail("the paused game did not resume where it stood");
    ++tally_.events[kPause];
    return Same(before, "a pause") && Frame();
  }
  bool ChangeOptions() {
    MainScreen& main = *screens::mainScreen();
    const Snapshot before = Take();
    const Options was = GetOptions();
    if (!ClickOn(main, *main.ButtonFor(MainScreen::kOptions), kCommandMs)) return false;
    OptionsDialog* dialog = screens::options().get();
    if (ActiveScreen() != dialog) return Fail("the options button did not open the options dialog");
    // Sound or the animations, the speed, and the look of one colour change; level and mode stay.
    const bool sound = eventCount_++ % 2 == 0;
    if (!ClickOn(*dialog, *dialog->SwitchBox(sound ? OptionsDialog::kSoundOn : OptionsDialog::kAnimate), 1))
      return false;
    const int speed = (was.speed + 1) % kSpeedCount;
    if (!ClickOn(*dialog, *dialog->SpeedBar().Cells()[size_t(speed)], 1)) return false;
    const int colour = int(eventCount_ % SkinRow::kSwatches);
    if (!ClickOn(*dialog, *dialog->SkinsRow().Swatch(colour), 1)) return false;
    window_->OnKeyUp(vk::kReturn, 0);
    if (!Frame()) return false;
    const Options& now = GetOptions();
    if (ActiveScreen() != screens::mainScreen().get())
      return Fail("the options dialog did not close on Enter");
    if ((sound ? now.soundOn == was.soundOn : now.animate == was.animate) || now.speed != speed ||
        now.skins == was.skins)
      return Fail("the options dialog did not store the changes");
    if (sound && GetSound().IsEnabled() != now.soundOn) return Fail("the sound did not follow its switch");
    const int period = GetOptions().mode == GameMode::kArcade ? frameIntervals[MainScreen::kArcadeSpeed]
                                                              : frameIntervals[speed];
    if (window_->GetFrameInterval() != period) return Fail("the frame period did not follow the speed");
    ++tally_.events[kOptionChange];
    return Same(before, "an options change");
  }
  bool Restore() {
    const Snapshot before = Take();
    if (!QuitProgram() || !StartProgram()) return false;
    ++tally_.events[kRestore];
    return Same(before, "a restart");
  }
  // The demo (replay false) or the replay for a while, then a key: the player's game comes back.
  bool Player(bool replay) {
    MainScreen& main = *screens::mainScreen();
    const Snapshot before = Take();
    if (!ClickOn(main, *main.ButtonFor(replay ? MainScreen::kReplay : MainScreen::kDemo), kCommandMs))
      return false;
    const char* name = replay ? "the replay" : "the demo";
    if (!main.DemoRunning() || main.ReplayRunning() != replay)
      return Fail(std::string(name) + " did not start");
    SessionState was = CurrentSession()->State();
    const long long start = tally_.simulatedMs, demoGames = tally_.demoGames;
    const bool wholeGame = !replay && tally_.events[kDemo] % 2 == 1;
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
        if (CurrentSession()->State() != SessionState::kPaused)
          return Fail(std::string(name) + " did not pause");
        platform_.SetFocus(true);
        Click(300, 250);
        if (!main.DemoRunning() || CurrentSession()->State() == SessionState::kPaused)
          return Fail(std::string("a click did not resume ") + name);
        ++tally_.events[kPause];
      }
      if (!Frame()) return false;
      if (!main.DemoRunning()) return Fail(std::string(name) + " stopped by itself");
      const SessionState state = CurrentSession()->State();
      if (state == SessionState::kGameOverWait && was != SessionState::kGameOverWait && !replay)
        ++tally_.demoGames;
      was = state;
    }
    window_->OnKeyDown(vk::kSpace, 0);
    if (main.DemoRunning()) return Fail(std::string("a key did not stop ") + name);
    ++tally_.events[replay ? kReplay : kDemo];
    return UntilReady() && Same(before, replay ? "the replay" : "the demo");
  }

  Plan plan_;
  Tally tally_;
  Pending pending_;
  std::string problem_;
  headless::TempFolder folder_;  // the game's current folder during the run
  std::string oldFolder_;
  uint32_t seed_ = 1;  // the game's generator at the next start
  HeadlessPlatform platform_;
  std::unique_ptr<SoundPlayer> sound_;
  std::unique_ptr<ProgramContext> context_;  // the run's state, made at each start
  std::unique_ptr<GameWindow> window_;
  int shotClock_ = 0;
  int lastFrameMs_ = kFrameMs;
  long long eventCount_ = 0;  // pauses and option changes so far, to vary how they are made
};

// VmRSS of this process in kB, or -1 when /proc does not say.
long long ResidentKb() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atoll(line.c_str() + 6);
  return -1;
}

// What the run must have passed through: every level in both modes, and every event; empty when it did.
std::string Missed(const Tally& t) {
  for (int level = 0; level < kLevelCount; ++level)
    for (int mode = 0; mode < kGameModeCount; ++mode)
      if (t.games[size_t(level)][size_t(mode)] == 0)
        return "no game at level " + std::to_string(level) + " mode " + std::to_string(mode);
  const char* names[] = {"pause", "options change", "restore", "demo", "replay"};
  for (int e = kPause; e <= kReplay; ++e)
    if (t.events[size_t(e)] == 0) return std::string("no ") + names[e];
  return "";
}

int RunSoak(const ToolArgs& given) {
  ToolArgs args = given;
  Plan plan;
  plan.data = headless::DataFolder(args);
  long long maxGrowthKb = 1024;
  int status = 0;
  if (!harness::TakeNumber(args, "--max-growth-kb", 1, 1LL << 30, maxGrowthKb, status)) return status;
  char* end = nullptr;
  const double hours = args.size() == 1 ? std::strtod(args[0].c_str(), &end) : 0;
  // A year of simulated time keeps the millisecond count exact.
  if (!end || *end != '\0' || !(hours > 0 && hours <= 24 * 365)) return Fail("soak needs HOURS, 0..8760");
  plan.simulatedMs = std::llround(hours * 3'600'000.0);
  const long long warmUpMs = std::min(plan.simulatedMs / 4, 3'600'000LL);
  Run run(plan);
  bool ok = run.Begin();
  long long warmKb = -1;
  // Memory is read between games, with the program running, at warm-up and at the end alike.
  for (long long n = 0; ok && !run.TimeIsUp(); ++n) {
    ok = run.PlayGame(n);
    if (warmKb < 0 && run.Totals().simulatedMs >= warmUpMs) warmKb = ResidentKb();
  }
  const long long endKb = ResidentKb();
  if (ok) ok = run.QuitProgram();
  const long long growth = warmKb >= 0 && endKb >= 0 ? endKb - warmKb : 0;
  std::printf("rss after warm-up %lld kB, at the end %lld kB\n", warmKb, endKb);
  if (!ok) return Fail("soak failed: " + run.Problem());
  if (const std::string missed = Missed(run.Totals()); !missed.empty()) return Fail("soak failed: " + missed);
  if (!kAddressSanitizer && growth >= maxGrowthKb)
    return Fail("soak failed: resident memory grew by " + std::to_string(growth) + " kB after warm-up");
  std::printf("soak passed\n");
  return 0;
}

const GlobbetToolCommand kSoak("soak", "", "soak HOURS [--max-growth-kb N] [--data DIR]", &RunSoak);
}  // namespace
