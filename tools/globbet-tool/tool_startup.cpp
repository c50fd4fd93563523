// globbet-tool startup: times the game's start-up to its first intro frame on the display.
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/main_window.h"
#include "engine/platform_sdl.h"
#include "engine/platform_sdl_audio.h"
#include "engine/sound.h"
#include "tools/globbet-tool/command.h"

namespace {
namespace fs = std::filesystem;

const char kUsage[] =
    "usage: globbet-tool startup [--data DIR]\n"
    "\n"
    "Starts the game as its entry does (the display, the sound output, the whole start-up) in a scratch\n"
    "folder that sees the clp/ and wav/ folders of DIR (default: the current folder), so that no settings\n"
    "file is touched, and ends it as soon as the first intro picture has been presented on the shown\n"
    "window. Prints the milliseconds from process start (the kernel's start time, 10 ms steps) and from\n"
    "the command's start to that picture, the split of the start-up: catalogue, sounds, screens (with the\n"
    "intro entered and the window shaped), settings; then the rest of the way: the display opened, the\n"
    "window made (with the sound device), the first picture after showing; and the processor time the\n"
    "process used up to that picture. Exit status 1 when the game does not start.\n";

using Clock = std::chrono::steady_clock;

// Milliseconds from one steady-clock moment to another.
double MsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

// Processor time (user and system, every thread) the process has used, in milliseconds.
double ProcessCpuMs() {
  timespec t{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return -1;
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Milliseconds since the process started, from the kernel's record of its start.
double MsSinceProcessStart() {
  std::ifstream stat("/proc/self/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  // Fields after the name start at 3 (state); the start time is field 22.
  for (int i = 3; i < 22 && fields >> field; ++i) {
  }
  unsigned long long startTicks = 0;
  if (!(fields >> startTicks)) return -1;
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
  return nowMs - startTicks * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// The SDL platform, noting the first picture presented once the window is shown, and closing then.
class FirstFramePlatform : public SdlPlatform {
 public:
  void ShowWindow() override {
    SdlPlatform::ShowWindow();
    shown_ = true;
  }
  void Present(const uint8_t* pixels, int stride, int pictureWidth, int pictureHeight, int srcX, int srcY,
               int width, int height, int dstX, int dstY) override {
    SdlPlatform::Present(pixels, stride, pictureWidth, pictureHeight, srcX, srcY, width, height, dstX, dstY);
    if (!shown_ || done_) return;
    done_ = true;
    sinceProcess_ = MsSinceProcessStart();
    cpuMs_ = ProcessCpuMs();
    at_ = Clock::now();
    RequestClose();
  }
  bool Done() const { return done_; }
  double SinceProcess() const { return sinceProcess_; }
  double CpuMs() const { return cpuMs_; }
  Clock::time_point At() const { return at_; }

 private:
  bool shown_ = false, done_ = false;
  double sinceProcess_ = 0, cpuMs_ = 0;
  Clock::time_point at_;
};

int Run(const ToolArgs& args) {
  const Clock::time_point start = Clock::now();
  fs::path data = fs::current_path();
  for (size_t i = 0; i < args.size(); i += 2) {
    if (args[i] != "--data" || i + 1 >= args.size()) return Fail("startup: bad option (see --help)");
    data = fs::absolute(args[i + 1]);
  }
  std::error_code error;
  if (!fs::is_directory(data / "clp", error)) return Fail("startup: no clp folder in " + data.string());
  std::string pattern = (fs::temp_directory_path() / "globbet-startup-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return Fail("startup: no scratch folder");
  const fs::path scratch = pattern, old = fs::current_path();
  for (const char* sub : {"clp", "wav"})
    fs::create_directory_symlink(data / sub, scratch / sub, error);
  fs::current_path(scratch);

  FirstFramePlatform platform;
  int status = 0;
  const Clock::time_point initStart = Clock::now();
  const bool displayOpen = platform.Init();
  const Clock::time_point initEnd = Clock::now();
  if (!displayOpen) {
    status = Fail("startup: no display: " + platform.LastError());
  } else {
    SetPlatform(&platform);
    OSound sound(MakeSdlAudioDevice());
    SetSound(&sound);
    ResetProgramState();
    OMainWindow window(OMainWindow::Contents::kGame);
    window.SetBackgroundColor(OMainWindow::kBackground);
    window.SetNoCaption(true);
    window.SetNoSizingFrame(true);
    const Clock::time_point createStart = Clock::now();
    const bool created = window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal);
    const Clock::time_point createEnd = Clock::now();
    if (!created) {
      status = Fail("startup: the game did not start");
    } else {
      window.SetFrameInterval(1);
      window.Show();
      window.Run();
      if (!platform.Done()) status = Fail("startup: no picture was presented");
    }
    const StartupTimes& t = window.GetStartupTimes();
    if (status == 0) {
      std::printf("first intro frame: %.0f ms after process start, %.1f ms after the command started\n",
                  platform.SinceProcess(), MsBetween(start, platform.At()));
      std::printf("start-up: catalogue %.1f ms, sounds %.1f ms, screens %.1f ms, settings %.1f ms\n",
                  t.catalogue, t.sounds, t.screens, t.settings);
      // What the window's creation spent outside the game's own start-up: the platform window and the
      // sound device the sound mode opens.
      const double windowAndDevice =
          MsBetween(createStart, createEnd) - t.catalogue - t.sounds - t.screens - t.settings;
      std::printf("platform: display %.1f ms, window and sound device %.1f ms, first picture %.1f ms\n",
                  MsBetween(initStart, initEnd), windowAndDevice, MsBetween(createEnd, platform.At()));
      std::printf("processor: %.1f ms used by the process up to the first intro frame\n", platform.CpuMs());
    }
    SetSound(nullptr);
    SetPlatform(nullptr);
  }
  fs::current_path(old);
  fs::remove_all(scratch, error);
  return status;
}

const GlobbetToolCommand kStartup("startup", "time the game's start-up to its first intro frame", kUsage,
                                  &Run);
}  // namespace
