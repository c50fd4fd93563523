// globbet-harness window: opens the game's real window for end-to-end checks and measures its loop.
//   show  opens the 800 x 600 rounded window with a test picture and logs every input event
//   idle  runs the loop with nothing to draw and reports processor use and tick lateness
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engine/bitmap.h"
#include "engine/platform_sdl.h"
#include "tests/harness/harness.h"

namespace {
// show: opens the game's window (800 x 600, rounded corners, draggable right of x = 580), presents a test
//   picture and prints a line per input event: 'ready X Y' once shown, then 'move X Y', 'ldown X Y',
//   'lup X Y', 'rup X Y', 'key K M', 'keyup K M', 'char C M', 'frames N' at the end. F4 switches full
//   screen ('fullscreen 1 0' / 'windowed 1 0'). Escape, a close request or --ms milliseconds end it.
// idle: runs the loop at the frame interval (default 10 ms) for --seconds (default 10) with nothing to
//   draw; prints the processor share of one core and the tick lateness.
const char kUsage[] =
    "usage: globbet-harness window show [--ms N] [--interval MS]\n"
    "       globbet-harness window idle [--seconds S] [--interval MS]\n";

// Reads "--name value" pairs; false on an unknown word or a bad number.
bool ReadOptions(const ToolArgs& args, size_t from, std::vector<std::pair<std::string, int*>> options) {
  for (size_t i = from; i < args.size(); i += 2) {
    auto it = std::find_if(options.begin(), options.end(), [&](auto& o) { return o.first == args[i]; });
    if (it == options.end() || i + 1 >= args.size()) return false;
    char* end = nullptr;
    const long v = std::strtol(args[i + 1].c_str(), &end, 10);
    if (!end || *end || v < 1 || v > 3600000) return false;
    *it->second = static_cast<int>(v);
  }
  return true;
}

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A screen stand-in: presents a fixed picture, logs the input, ends on Escape or after a time.
class TestScreen : public ActiveScreenLink {
 public:
  TestScreen(OMainWindow& window, int lifetimeMs) : window_(window), lifetimeMs_(lifetimeMs) {
    // Bands of known colours with a white frame, so a screenshot shows the orientation and the colours.
    picture_.Create(800, 600, 0x000000);
    const uint32_t bands[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 6; ++i) {
      picture_.fillColor = bands[i];
      BitmapRect r{0, 100 * i, 800, 100 * i + 100};
      picture_.Fill(&r);
    }
    picture_.fillColor = 0xFFFFFF;
    for (BitmapRect r : {BitmapRect{40, 40, 760, 44}, BitmapRect{40, 556, 760, 560},
                         BitmapRect{40, 40, 44, 560}, BitmapRect{756, 40, 760, 560}}) {
      picture_.Fill(&r);
    }
  }
  bool HasActiveScreen() const override { return true; }
  void AdvanceShared(int) override {}
  void Frame(int elapsedMs) override {
    ++frames_;
    if (!announced_) {
      std::printf("ready %d %d\n", window_.GetWindowX(), window_.GetWindowY());
      std::fflush(stdout);
      announced_ = true;
    }
    livedMs_ += elapsedMs;
    if (lifetimeMs_ > 0 && livedMs_ >= lifetimeMs_) window_.Close();
  }
  void Paint() override { window_.BlitBitmap(&picture_, 0, 0); }
  void MouseMove(int x, int y) override { Log("move", x, y); }
  bool LButtonDown(int x, int y) override {
    Log("ldown", x, y);
    return false;
  }
  void LButtonUp(int x, int y) override { Log("lup", x, y); }
  void RButtonUp(int x, int y) override { Log("rup", x, y); }
  void KeyDown(int key, int modifiers) override {
    Log("key", key, modifiers);
    if (key == vk::kEscape) window_.Close();
    if (key == vk::kF4) {
      const bool ok = window_.IsFullScreen() ? window_.LeaveFullScreen() : window_.EnterFullScreen();
      Log(window_.IsFullScreen() ? "fullscreen" : "windowed", ok, 0);
    }
  }
  void KeyUp(int key, int modifiers) override { Log("keyup", key, modifiers); }
  void Char(int ch, int modifiers) override { Log("char", ch, modifiers); }
  int Frames() const { return frames_; }

 private:
  void Log(const char* what, int a, int b) {
    std::printf("%s %d %d\n", what, a, b);
    std::fflush(stdout);
  }
  OMainWindow& window_;
  OBitmap picture_;
  int lifetimeMs_;
  int livedMs_ = 0;
  int frames_ = 0;
  bool announced_ = false;
};

// Records how late each tick came and closes the window after the run.
class IdleScreen : public ActiveScreenLink {
 public:
  IdleScreen(OMainWindow& window, int runMs) : window_(window), runMs_(runMs) {}
  bool HasActiveScreen() const override { return true; }
  void AdvanceShared(int) override {}
  void Frame(int elapsedMs) override {
    const auto now = std::chrono::steady_clock::now();
    if (lastTick_ != std::chrono::steady_clock::time_point{}) {
      // Each tick is timed from the one before, so a period beyond the interval is that tick's lateness.
      const double periodMs = std::chrono::duration<double, std::milli>(now - lastTick_).count();
      finePeriods_.push_back(periodMs - window_.GetFrameInterval());
    }
    lastTick_ = now;
    if (warmupTicks_ > 0) {
      --warmupTicks_;
      if (warmupTicks_ == 0) {
        startCpu_ = ProcessorSeconds(), startMs_ = GetPlatform().Ticks();
        finePeriods_.clear();
      }
      return;
    }
    lateness_.push_back(elapsedMs - window_.GetFrameInterval());
    if (static_cast<int>(GetPlatform().Ticks() - startMs_) >= runMs_) {
      cpu_ = ProcessorSeconds() - startCpu_;
      wallMs_ = GetPlatform().Ticks() - startMs_;
      window_.Close();
    }
  }
  void Paint() override {}
  void MouseMove(int, int) override {}
  bool LButtonDown(int, int) override { return false; }
  void LButtonUp(int, int) override {}
  void RButtonUp(int, int) override {}
  void KeyDown(int, int) override {}
  void KeyUp(int, int) override {}
  void Char(int, int) override {}

  int Report() {
    if (lateness_.empty() || wallMs_ == 0) return Fail("the loop gave no ticks");
    std::sort(lateness_.begin(), lateness_.end());
    const size_t n = lateness_.size();
    std::printf("ticks %zu in %u ms (interval %d ms)\n", n, wallMs_, window_.GetFrameInterval());
    std::printf("processor %.2f %% of one core\n", 100.0 * cpu_ / (wallMs_ / 1000.0));
    std::printf("lateness median %d ms, 90th percentile %d ms, worst %d ms\n", lateness_[n / 2],
                lateness_[n * 9 / 10], lateness_.back());
    std::sort(finePeriods_.begin(), finePeriods_.end());
    if (!finePeriods_.empty()) {
      const size_t m = finePeriods_.size();
      std::printf("tick period minus interval (steady clock): median %.3f ms, 90th percentile %.3f ms\n",
                  finePeriods_[m / 2], finePeriods_[m * 9 / 10]);
    }
    return 0;
  }

 private:
  OMainWindow& window_;
  int runMs_;
  int warmupTicks_ = 20;
  double startCpu_ = 0, cpu_ = 0;
  uint32_t startMs_ = 0, wallMs_ = 0;
  std::vector<int> lateness_;
  std::vector<double> finePeriods_;
  std::chrono::steady_clock::time_point lastTick_;
};

int RunWindowCommand(const ToolArgs& args) {
  if (args.empty() || (args[0] != "show" && args[0] != "idle")) return Fail("window: say 'show' or 'idle'");
  int ms = 0, interval = args[0] == "idle" ? 10 : 1, seconds = 10;
  if (!ReadOptions(args, 1, {{"--ms", &ms}, {"--interval", &interval}, {"--seconds", &seconds}})) {
    return Fail("window: bad option (see --help)");
  }
  SdlPlatform platform;
  if (!platform.Init()) return Fail("window: no display: " + platform.LastError());
  SetPlatform(&platform);
  int status = 0;
  {
    OMainWindow window;
    window.SetBackgroundColor(OMainWindow::kBackground);
    window.SetNoCaption(true);
    window.SetNoSizingFrame(true);
    if (!window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal)) {
      SetPlatform(nullptr);
      return Fail("window: the window could not be made");
    }
    window.SetFrameInterval(interval);
    if (args[0] == "show") {
      TestScreen screen(window, ms);
      window.SetScreenLink(&screen);
      window.Show();
      window.Run();
      std::printf("frames %d\n", screen.Frames());
    } else {
      IdleScreen screen(window, seconds * 1000);
      window.SetScreenLink(&screen);
      window.Show();
      window.Run();
      status = screen.Report();
    }
  }
  SetPlatform(nullptr);
  return status;
}

const GlobbetToolCommand kWindowCommand("window", "open the game's window: end-to-end checks, loop timing",
                                        kUsage, RunWindowCommand);
}  // namespace
