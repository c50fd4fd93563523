// globbet-harness startup: times the game's start-up to its first intro frame on the display.
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/game_window.h"
#include "app/program_context.h"
#include "engine/platform_sdl.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound_player.h"
#include "tests/harness/harness.h"

namespace {
namespace fs = std::filesystem;

// Starts the game as its entry does in a scratch folder that sees DIR's clp/ and wav/ (no settings file
// is touched) and ends it once the first intro picture is presented on the shown window; prints the
// milliseconds to that picture from the process's and the command's start, the split of the start-up,
// and the processor time used.

using Clock = std::chrono::steady_clock;

// Milliseconds from one steady-clock moment to another.
double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// The time of clock (CLOCK_PROCESS_CPUTIME_ID: the processor time of every thread) in milliseconds.
double ClockMs(clockid_t clock) {
  timespec t{};
  clock_gettime(clock, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Milliseconds since the process started, from the kernel's record of its start.
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  const std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  unsigned long long startTicks = 0;
  // The fields after the name start at 3 (the state); the start time is field 22.
  const char* kSkip19 = "%*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %*s %llu";
  if (close == std::string::npos || std::sscanf(text.c_str() + close + 1, kSkip19, &startTicks) != 1)
    return -1;
  return ClockMs(CLOCK_BOOTTIME) - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// The SDL platform, noting the first picture presented once the window is shown, and closing then.
struct FirstFramePlatform : SdlPlatform {
  void ShowWindow() override {
    SdlPlatform::ShowWindow();
    shown = true;
  }
  void Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX, int srcY,
               int width, int height, int dstX, int dstY) override {
    SdlPlatform::Present(pixels, stride, pictureWidth, pictureHeight, srcX, srcY, width, height, dstX, dstY);
    if (!shown || done) return;
    done = true;
    sinceProcess = MsSinceProcessStart();
    cpuMs = ClockMs(CLOCK_PROCESS_CPUTIME_ID);
    at = Clock::now();
    RequestClose();
  }
  bool shown = false, done = false;
  double sinceProcess = 0, cpuMs = 0;
  Clock::time_point at;
};

int Run(const ToolArgs& args) {
  const Clock::time_point start = Clock::now();
  ToolArgs rest = args;
  const std::string data = headless::DataFolder(rest);
  headless::TempFolder scratch;
  if (!harness::LinkData(data, scratch.path())) return Fail("startup: no clp folder in " + data);
  FirstFramePlatform platform;
  const Clock::time_point initStart = Clock::now();
  if (!platform.Init()) return Fail("startup: no display: " + platform.LastError());
  const Clock::time_point initEnd = Clock::now();
  const fs::path old = fs::current_path();
  fs::current_path(scratch.path());
  SetPlatform(&platform);
  SoundPlayer sound(MakeSdlAudioDevice());
  SetSound(&sound);
  const ProgramContext context;
  GameWindow window(GameWindow::Contents::kGame);
  const Clock::time_point createStart = Clock::now();
  const bool created = window.Open();
  const Clock::time_point createEnd = Clock::now();
  if (created) window.SetFrameInterval(1), window.Show(), window.Run();
  int status = 0;
  const StartupTimes& t = window.GetStartupTimes();
  if (!platform.done) {
    status = Fail(created ? "startup: no picture was presented" : "startup: the game did not start");
  } else {
    std::printf("first intro frame: %.0f ms after process start, %.1f ms after the command started\n",
                platform.sinceProcess, MsBetween(start, platform.at));
    std::printf("start-up: catalogue %.1f ms, sounds %.1f ms, screens %.1f ms, settings %.1f ms\n",
                t.catalogue, t.sounds, t.screens, t.settings);
    // What the window's creation spent outside the game's own start-up: the platform window and the
    // sound device the sound mode opens.
    const double windowAndDevice =
        MsBetween(createStart, createEnd) - t.catalogue - t.sounds - t.screens - t.settings;
    std::printf("platform: display %.1f ms, window and sound device %.1f ms, first picture %.1f ms\n",
                MsBetween(initStart, initEnd), windowAndDevice, MsBetween(createEnd, platform.at));
    std::printf("processor: %.1f ms used by the process up to the first intro frame\n", platform.cpuMs);
  }
  SetSound(nullptr);
  SetPlatform(nullptr);
  std::error_code error;
  fs::current_path(old, error);
  return status;
}

const GlobbetToolCommand kStartup("startup", "", "startup [--data DIR]", &Run);
}  // namespace
