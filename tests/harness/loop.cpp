// globbet-harness loop: the whole game idle in play on the display, measuring its loop: the processor
// share of one core and how late the frame ticks come, with the loop's waiting as it is or as it was.
//   loop [--data DIR] [--speed 0..4] [--seconds S] [--scale 1..3] [--old] [--hidden]
// The game starts in a scratch folder that sees DIR's clp/ and wav/ (no settings file is touched), the
// intro is clicked away and a strategy game waits for its first shot at the speed given (default the
// options' own). After a second of warm-up the loop is measured for S seconds (default 10). --old waits as
// the loop once did: for input until about a millisecond before the tick, then polling. --hidden
// minimises the window once the game is up, prints "ready" and measures only once it is hidden (an X
// server without a window manager needs it unmapped from outside, e.g. xdotool windowunmap). --scale
// shows the window at that window size (lowered when the display cannot hold it; the report says).
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/game_window.h"
#include "app/program_context.h"
#include "engine/active_screen.h"
#include "engine/platform_sdl.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound_player.h"
#include "game/player_sessions.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "tests/harness/harness.h"

namespace {
namespace fs = std::filesystem;

constexpr double kWarmUpMs = 1000, kHideWithinMs = 10000;

double ProcessorMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The SDL platform, waiting for the tick as the loop does now or as it once did.
class LoopPlatform : public SdlPlatform {
 public:
  explicit LoopPlatform(bool old) : old_(old) {}
  bool WaitUntil(uint32_t dueMs) override {
    if (!old_) return SdlPlatform::WaitUntil(dueMs);
    // Input was waited for until about a millisecond before the tick; the loop polled the rest.
    const int32_t untilTick = static_cast<int32_t>(dueMs - Ticks());
    return untilTick > 2 && WaitForEvent(untilTick - 1);
  }

 private:
  bool old_;
};

// Sits between the window and the game's screens, timing every tick once the game is up.
class LoopMeter : public ActiveScreenLink {
 public:
  LoopMeter(GameWindow& window, LoopPlatform& platform, bool hidden, double runMs)
      : window_(window),
        platform_(platform),
        game_(*window.GetScreenLink()),
        hidden_(hidden),
        runMs_(runMs) {}

  bool HasActiveScreen() const override { return game_.HasActiveScreen(); }
  void AdvanceShared(int elapsedMs) override {
    Measure(elapsedMs);
    game_.AdvanceShared(elapsedMs);
  }
  void Frame(int elapsedMs) override { game_.Frame(elapsedMs); }
  void Paint() override { game_.Paint(); }
  void MouseMove(int x, int y) override { game_.MouseMove(x, y); }
  bool MouseDown(int x, int y) override { return game_.MouseDown(x, y); }
  void MouseUp(int x, int y) override { game_.MouseUp(x, y); }
  void RightMouseUp(int x, int y) override { game_.RightMouseUp(x, y); }
  void KeyDown(int key, int modifiers) override { game_.KeyDown(key, modifiers); }
  void KeyUp(int key, int modifiers) override { game_.KeyUp(key, modifiers); }
  void Char(int ch, int modifiers) override { game_.Char(ch, modifiers); }

  // Prints the figures; 1 when the run gave none.
  int Report() {
    if (failure_) return Fail(failure_);
    if (lateness_.empty()) return Fail("loop: the game gave no ticks");
    std::sort(lateness_.begin(), lateness_.end());
    const size_t n = lateness_.size();
    std::printf("interval %d ms, %zu ticks%s, window scale %d\n", window_.GetFrameInterval(), n,
                hidden_ ? ", hidden" : "", platform_.Scale());
    std::printf("processor %.2f %% of one core\n", 100.0 * cpuMs_ / wallMs_);
    std::printf("lateness median %.3f ms, 90th percentile %.3f ms, worst %.3f ms\n", lateness_[n / 2],
                lateness_[n * 9 / 10], lateness_.back());
    return 0;
  }

 private:
  // Starts the measurement once the game is up (and hidden when asked), records each tick, ends the run.
  void Measure(int elapsedMs) {
    const double now = platform_.FineTicks();
    if (startMs_ < 0) {
      if (upMs_ < 0 && ActiveScreen() && ActiveScreen() == screens::mainScreen().get()) {
        upMs_ = now;
        if (hidden_) window_.SetRestored(false), std::printf("ready\n");
      }
      if (upMs_ >= 0 && hidden_ && !window_.IsHidden() && now - upMs_ > kHideWithinMs) {
        failure_ = "loop: the window was never hidden";
        window_.Close();
      }
      if (upMs_ < 0 || now - upMs_ < kWarmUpMs || (hidden_ && !window_.IsHidden())) return;
      startMs_ = now, startCpuMs_ = ProcessorMs();
      return;
    }
    // The tick was due one interval after the last one, on the platform's whole-millisecond clock (a
    // run ends long before it wraps).
    const double due = double(window_.GetLastTick()) - elapsedMs + window_.GetFrameInterval();
    lateness_.push_back(now - due);
    if (now - startMs_ >= runMs_) {
      cpuMs_ = ProcessorMs() - startCpuMs_, wallMs_ = now - startMs_;
      window_.Close();
    }
  }

  GameWindow& window_;
  LoopPlatform& platform_;
  ActiveScreenLink& game_;
  bool hidden_;
  double runMs_, upMs_ = -1, startMs_ = -1, startCpuMs_ = 0, cpuMs_ = 0, wallMs_ = 0;
  const char* failure_ = nullptr;
  std::vector<double> lateness_;
};
}  // namespace

namespace {
int Run(const ToolArgs& given) {
  ToolArgs args = given;
  const std::string data = headless::DataFolder(args);
  long long speed = -1, seconds = 10, scale = 1;
  int status = 0;
  if (!harness::TakeNumber(args, "--speed", 0, kSpeedCount - 1, speed, status) ||
      !harness::TakeNumber(args, "--seconds", 1, 3600, seconds, status) ||
      !harness::TakeNumber(args, "--scale", 1, kWindowSizeCount - 1, scale, status))
    return status;
  bool old = false, hidden = false;
  for (const std::string& word : args) {
    if (word == "--old") {
      old = true;
    } else if (word == "--hidden") {
      hidden = true;
    } else {
      return Fail("loop: bad option " + word);
    }
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // "ready" is seen as it comes
  headless::TempFolder scratch;
  if (!harness::LinkData(data, scratch.path())) return Fail("loop: no clp folder in " + data);
  LoopPlatform platform(old);
  if (!platform.Init()) return Fail("loop: no display: " + platform.LastError());
  const fs::path home = fs::current_path();
  fs::current_path(scratch.path());
  SetPlatform(&platform);
  SoundPlayer sound(MakeSdlAudioDevice());
  SetSound(&sound);
  {
    const ProgramContext context;
    SetPlayerSessionFactory(MakePlayerSession);
    GetOptions().windowSize = int(scale);  // read as the game starts (there is no settings file)
    GameWindow window(GameWindow::Contents::kGame);
    if (window.Open()) {
      if (speed >= 0) GetOptions().speed = int(speed);
      GetOptions().mode = GameMode::kStrategy;
      LoopMeter meter(window, platform, hidden, double(seconds) * 1000);
      window.SetScreenLink(&meter);
      window.Show();
      // The intro ends on a click; its next tick enters the main screen and its game.
      window.OnMouseMove(200, 200), window.OnMouseDown(200, 200), window.OnMouseUp(200, 200);
      window.Run();
      status = meter.Report();
    } else {
      status = Fail("loop: the game did not start");
    }
    SetPlayerSessionFactory(nullptr);
  }
  SetSound(nullptr);
  SetPlatform(nullptr);
  std::error_code error;
  fs::current_path(home, error);
  return status;
}

const GlobbetToolCommand kLoop(
    "loop", "", "loop [--data DIR] [--speed 0..4] [--seconds S] [--scale 1..3] [--old] [--hidden]", &Run);
}  // namespace
