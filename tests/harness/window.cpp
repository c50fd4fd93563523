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

#include "app/game_window.h"
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

double ProcessorSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// A screen stand-in. show: presents a fixed picture, logs the input, ends on Escape or after a time.
// idle: draws nothing, notes how late each tick came and ends after the run.
class TestScreen : public ActiveScreenLink {
 public:
  TestScreen(GameWindow& window, bool show, int runMs) : window_(window), show_(show), runMs_(runMs) {
    // Bands of known colours, so a screenshot shows the orientation and the colours.
    picture_.Create(800, 600, 0x000000);
    const uint32_t bands[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
    for (int i = 0; i < 6; ++i) {
      picture_.fillColor = bands[i];
      BitmapRect r{0, 100 * i, 800, 100 * i + 100};
      picture_.Fill(&r);
    }
  }
  bool HasActiveScreen() const override { return true; }
  void AdvanceShared(int) override {}
  void Frame(int elapsedMs) override {
    if (show_) {
      if (frames_++ == 0) Log("ready", window_.GetWindowX(), window_.GetWindowY());
      livedMs_ += elapsedMs;
      if (runMs_ > 0 && livedMs_ >= runMs_) window_.Close();
    } else if (warmupTicks_ > 0 && --warmupTicks_ == 0) {
      startCpu_ = ProcessorSeconds(), startMs_ = GetPlatform().Ticks();
    } else if (warmupTicks_ == 0) {
      lateness_.push_back(elapsedMs - window_.GetFrameInterval());
      if (int(GetPlatform().Ticks() - startMs_) >= runMs_) {
        cpu_ = ProcessorSeconds() - startCpu_;
        wallMs_ = GetPlatform().Ticks() - startMs_;
        window_.Close();
      }
    }
  }
  void Paint() override {
    if (show_) window_.BlitBitmap(&picture_, 0, 0);
  }
  void MouseMove(int x, int y) override { Log("move", x, y); }
  bool MouseDown(int x, int y) override { return Log("ldown", x, y), false; }
  void MouseUp(int x, int y) override { Log("lup", x, y); }
  void RightMouseUp(int x, int y) override { Log("rup", x, y); }
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

  int Report() {
    if (show_) return std::printf("frames %d\n", frames_), 0;
    if (lateness_.empty() || wallMs_ == 0) return Fail("the loop gave no ticks");
    std::sort(lateness_.begin(), lateness_.end());
    const size_t n = lateness_.size();
    std::printf("processor %.2f %% of one core\n", 100.0 * cpu_ / (wallMs_ / 1000.0));
    std::printf("lateness median %d ms, 90th percentile %d ms, worst %d ms\n", lateness_[n / 2],
                lateness_[n * 9 / 10], lateness_.back());
    return 0;
  }

 private:
  void Log(const char* what, int a, int b) { std::printf("%s %d %d\n", what, a, b); }
  GameWindow& window_;
  Bitmap picture_;
  bool show_;
  int runMs_, livedMs_ = 0, frames_ = 0, warmupTicks_ = 20;
  double startCpu_ = 0, cpu_ = 0;
  uint32_t startMs_ = 0, wallMs_ = 0;
  std::vector<int> lateness_;
};

int RunWindowCommand(const ToolArgs& given) {
  ToolArgs args = given;
  const bool show = !args.empty() && args[0] == "show";
  if (!show && (args.empty() || args[0] != "idle")) return Fail("window: say 'show' or 'idle'");
  long long ms = 0, interval = show ? 1 : 10, seconds = 10;
  int status = 0;
  if (!harness::TakeNumber(args, "--ms", 1, 3600000, ms, status) ||
      !harness::TakeNumber(args, "--interval", 1, 1000, interval, status) ||
      !harness::TakeNumber(args, "--seconds", 1, 3600, seconds, status))
    return status;
  if (args.size() != 1) return Fail("window: bad option");
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each event line is seen as it comes
  SdlPlatform platform;
  if (!platform.Init()) return Fail("window: no display: " + platform.LastError());
  SetPlatform(&platform);
  if (GameWindow window; window.Open()) {
    window.SetFrameInterval(int(interval));
    TestScreen screen(window, show, show ? int(ms) : int(seconds) * 1000);
    window.SetScreenLink(&screen);
    window.Show();
    window.Run();
    status = screen.Report();
  } else {
    status = Fail("window: the window could not be made");
  }
  SetPlatform(nullptr);
  return status;
}

const GlobbetToolCommand kWindow("window", "", "window show|idle [--ms N] [--seconds S] [--interval MS]",
                                 RunWindowCommand);
}  // namespace
