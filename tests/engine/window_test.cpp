// The main window on the headless platform (the loop's timing, the drag, full screen, presenting), SDL's
// key mapping, a quit request during start-up and SDL's start without a display.
#include <SDL.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "app/game_window.h"
#include "engine/latin1_text.h"
#include "engine/platform_headless.h"
#include "engine/platform_sdl.h"
#include "engine/screen.h"
#include "tests/support/pictures.h"

namespace {

using Ev = PlatformEventType;

// A screen stand-in that records the ticks, pointer moves and keys that reach it.
class RecordingScreens : public ActiveScreenForwarder {
 public:
  explicit RecordingScreens(HeadlessPlatform& platform)
      : ActiveScreenForwarder(&none_), platform_(platform) {}
  bool HasActiveScreen() const override { return true; }
  void Frame(int elapsedMs) override {
    frames.push_back({elapsedMs, int(platform_.Ticks())});
    if (frames.size() == 2) platform_.AdvanceClock(slowFrameMs);
  }
  void MouseMove(int, int) override { moves.push_back(int(platform_.Ticks())); }
  void KeyDown(int key, int) override { keys += " d" + std::to_string(key); }
  void KeyUp(int key, int) override { keys += " u" + std::to_string(key); }
  void Char(int ch, int) override { keys += " c" + std::to_string(ch); }

  int slowFrameMs = 0;
  std::string keys;                         // " d<key>", " u<key>" and " c<char>" in the order they arrived
  std::vector<int> moves;                   // the clock at each pointer move
  std::vector<std::pair<int, int>> frames;  // elapsed ms and the clock at each tick

 private:
  Screen* none_ = nullptr;
  HeadlessPlatform& platform_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    platform.SetScreenSize(1280, 1024);
    ASSERT_TRUE(window.Open());
    window.SetScreenLink(&screens);
    window.Show();
    start = int(platform.Ticks());
  }
  void TearDown() override { SetPlatform(nullptr); }
  std::pair<int, int> Position() {
    int x, y;
    platform.GetWindowPosition(x, y);
    return {x, y};
  }

  HeadlessPlatform platform;
  GameWindow window;
  RecordingScreens screens{platform};
  int start = 0;
};

TEST_F(WindowTest, AWindowThatCannotBeCreatedSaysSoAndRunsNothing) {
  platform.SetCreateFails(true);
  Window failed;
  EXPECT_FALSE(failed.Create("Main", 800, 600));
  ASSERT_EQ(platform.MessageBoxes().size(), 1u);
  EXPECT_EQ(platform.MessageBoxes()[0].text, "Can't create window");
  EXPECT_EQ(failed.Run(), 0);
}

TEST_F(WindowTest, TicksPassTheMeasuredTimeAndInputWakesTheWaitingLoop) {
  window.SetFrameInterval(10);
  screens.slowFrameMs = 24;  // the second frame takes 24 ms, and 1 ms for the poll after it
  platform.QueueEventAt(start + 50, {Ev::kMouseMove, 10, 20});
  platform.QueueEventAt(start + 65, {Ev::kQuit});
  EXPECT_EQ(window.Run(), 0);
  EXPECT_EQ(screens.frames,
            (std::vector<std::pair<int, int>>{
                {10, start + 10}, {10, start + 20}, {25, start + 45}, {10, start + 55}, {10, start + 65}}));
  EXPECT_EQ(screens.moves, std::vector<int>{start + 50}) << "input wakes the waiting loop at once";
  EXPECT_FALSE(platform.HasWindow());
}

TEST_F(WindowTest, AnUntakenPressRightOfTheThresholdDragsTheWindowAndHoldsTheTicks) {
  window.OnMouseDown(580, 10);
  EXPECT_FALSE(window.IsDragging());
  window.OnMouseUp(580, 10);

  window.SetFrameInterval(10);
  platform.QueueEventAt(start + 15, {Ev::kMouseDown, 581, 20});
  platform.QueueEventAt(start + 32, {Ev::kMouseMove, 611, 35});
  platform.QueueEventAt(start + 55, {Ev::kMouseUp, 581, 20});
  platform.QueueEventAt(start + 70, {Ev::kQuit});
  window.Run();
  // No screen ticks while the button is down (15 .. 55), then again on the same beat, one interval each.
  EXPECT_EQ(screens.frames,
            (std::vector<std::pair<int, int>>{{10, start + 10}, {10, start + 60}, {10, start + 70}}));
  EXPECT_EQ(screens.moves.size(), 1u) << "pointer events still arrive";
  EXPECT_EQ(Position(), std::pair(240 + 30, 212 + 15)) << "the window followed the pointer";
}

TEST_F(WindowTest, FullScreenFreezesThePositionMapsThePointerAndLeavingRestoresIt) {
  platform.SetFullScreenFails(true);
  EXPECT_FALSE(window.EnterFullScreen());
  EXPECT_FALSE(window.IsFullScreen());
  platform.SetFullScreenFails(false);
  platform.SetScreenSize(1700, 1300);  // twice the picture, centred with 50 pixels around it
  ASSERT_TRUE(window.EnterFullScreen());
  EXPECT_TRUE(window.EnterFullScreen()) << "a second entry succeeds and changes nothing";
  window.SetPosition(5, 6, 400, 400);
  EXPECT_EQ(window.GetClientWidth(), 800);
  int x, y;
  for (const auto& [screen, picture] :
       {std::pair{std::pair(1649, 1249), std::pair(799, 599)}, {{49, 50}, {-1, 0}}}) {
    platform.SetPointerScreen(screen.first, screen.second);
    window.GetCursorClientPos(x, y);
    EXPECT_EQ(std::pair(x, y), picture) << "pointer at " << screen.first << "," << screen.second;
  }
  EXPECT_TRUE(window.LeaveFullScreen());
  EXPECT_EQ(Position(), std::pair(240, 212));
}

// Alt, F10 and whatever is pressed or typed with Alt are the desktop's (switching windows, its menus):
// they never reach the screens, nor does the release of a key pressed with Alt. Alt+F4 closes through the
// window manager's close; the game's own keys pass.
TEST_F(WindowTest, TheDesktopsKeysNeverReachTheScreens) {
  constexpr int kAlt = kModAlt;
  const PlatformEvent altDown{Ev::kKeyDown, 0, 0, vk::kMenu, 0, kAlt}, altUp{Ev::kKeyUp, 0, 0, vk::kMenu};
  const auto down = [](int key, int mods = 0) { return PlatformEvent{Ev::kKeyDown, 0, 0, key, 0, mods}; };
  const auto up = [](int key, int mods = 0) { return PlatformEvent{Ev::kKeyUp, 0, 0, key, 0, mods}; };
  const auto typed = [](int ch, int mods = 0) { return PlatformEvent{Ev::kChar, 0, 0, 0, ch, mods}; };
  const struct {
    const char* name;
    std::vector<PlatformEvent> events;  // then the close, unless they end with it
    const char* reached;
  } cases[] = {
      {"the game's keys",
       {down(vk::kF4), up(vk::kF4), down(vk::kReturn), typed(13), up(vk::kReturn), down(vk::kEscape),
        down(vk::kSpace, kModShift), down(vk::kPause), down(vk::kF3), typed('a', kModCtrl)},
       " d115 u115 d13 c13 u13 d27 d32 d19 d114 c97"},
      {"Alt+Tab", {altDown, down(vk::kTab, kAlt), up(vk::kTab, kAlt), altUp}, ""},
      {"Alt+Enter, Alt let go first",
       {altDown, down(vk::kReturn, kAlt), typed(13, kAlt), altUp, up(vk::kReturn)},
       ""},
      {"Alt+letter", {altDown, down('N', kAlt), typed('n', kAlt), up('N', kAlt), altUp, typed('n')}, " c110"},
      {"F10", {down(vk::kF10), up(vk::kF10)}, ""},
      {"a key held through Alt", {down(vk::kSpace), altDown, up(vk::kSpace, kAlt)}, " d32 u32"},
      {"Alt+F4", {altDown, down(vk::kF4, kAlt), {Ev::kQuit}}, ""},
  };
  for (const auto& c : cases) {
    if (!window.IsCreated()) {
      ASSERT_TRUE(window.Open());
      window.SetScreenLink(&screens);  // the run's end unlinked them
    }
    screens.keys.clear();
    for (const PlatformEvent& e : c.events)
      platform.QueueEvent(e);
    if (c.events.back().type != Ev::kQuit) platform.QueueEvent({Ev::kQuit});
    window.Run();
    EXPECT_EQ(screens.keys, c.reached) << c.name;
    EXPECT_FALSE(platform.HasWindow()) << c.name;
  }
}

// Minimised, the window composes and presents nothing while its ticks go on; shown again it is painted
// whole, the picture it lost included.
TEST_F(WindowTest, AMinimisedWindowDrawsNothingAndIsPaintedWholeWhenShownAgain) {
  Screen* slot = nullptr;
  Screen screen(&window, 0, 0, 800, 600);
  screen.backgroundColor = 0x102030;
  screen.redrawMode = Screen::RedrawMode::kDirty;
  screen.Enter(&slot);
  ActiveScreenForwarder forwarder(&slot);
  window.SetScreenLink(&forwarder);
  Clip* ball = screen.AddClip(SolidClip(10, 10, {0xFF0000}));
  ball->moving = true, ball->speedX = 1;  // a pixel a tick
  window.SetFrameInterval(10);
  window.SetRestored(false);
  platform.FillClient(0, 0, 800, 600, 0);  // what a hidden window may lose
  const int presents = platform.PresentCount();
  platform.QueueEventAt(start + 50, {Ev::kShown});
  platform.QueueEventAt(start + 75, {Ev::kQuit});
  window.Run();
  EXPECT_EQ(ball->x, 7) << "seven ticks, five of them hidden";
  EXPECT_EQ(platform.PresentCount(), presents + 3) << "the whole picture once shown, then one per tick";
  for (const auto& [x, color] : {std::pair{6, 0x102030u}, {7, 0xFF0000u}, {16, 0xFF0000u}, {400, 0x102030u}})
    EXPECT_EQ(platform.GetPixel(x, 0), color) << x;
}

// Row zero of the picture is its top; whatever passes the window's edges and the spare row stay unseen.
TEST_F(WindowTest, BlitShowsLogicalRowZeroOnTopClippedAndNeverTheSpareRow) {
  Bitmap picture;
  ASSERT_TRUE(picture.Create(20, 10, 0x0000FF));
  picture.SetPixel(9, 5, 0xFF0000);
  std::memset(picture.GetPixels() + picture.GetHeight() * picture.GetStride(), 0x77, picture.GetStride());
  window.BlitBitmap(&picture, 790, -5);
  window.BlitBitmap(&picture, 0, 590);
  for (const auto& [x, y, color] : {std::tuple{799, 0, 0xFF0000u},
                                    {799, 4, 0x0000FFu},
                                    {799, 5, 0xCCCCFFu},
                                    {0, 599, 0x0000FFu},
                                    {20, 599, 0xCCCCFFu}})
    EXPECT_EQ(platform.GetPixel(x, y), color) << x << "," << y;
}

// The window size for an 800 x 600 picture on a desktop's usable area: automatic (0) takes the largest
// factor whose window fits in 85 % of it, a chosen factor is lowered only to one that fits at all.
TEST(WindowScale, TheFactorFitsTheUsableArea) {
  const struct {
    int choice, width, height, scale;
  } rows[] = {
      {0, 640, 480, 1},   {0, 1920, 1040, 1}, {0, 2560, 1400, 1}, {0, 2560, 1600, 2}, {0, 3840, 2120, 3},
      {0, 5120, 2880, 4}, {3, 1920, 1040, 1}, {2, 2560, 1400, 2}, {3, 2560, 1600, 2}, {1, 3840, 2120, 1},
  };
  for (const auto& r : rows)
    EXPECT_EQ(ChooseWindowScale(r.choice, r.width, r.height, 800, 600), r.scale)
        << r.choice << " on " << r.width << "x" << r.height;
}

// ---- SDL ---------------------------------------------------------------------------------------------

// The end-to-end run presses the keys the game uses; these are the keypad's and the characters.
TEST(SdlWindow, KeysMapToTheGamesKeyCodes) {
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_0, true), 96);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_ENTER, true), 13);
  // Without Num Lock the pad's 0 is Insert, so Ctrl with it pastes.
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_0, false), 45);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_PERIOD, false), 46);
  EXPECT_EQ(SdlKeyCharacter(SDLK_BACKSPACE), 8);
  EXPECT_EQ(SdlKeyCharacter(SDLK_a), 0) << "letters arrive as text";
}

// Typed text is UTF-8; the game keeps what Latin-1 holds and drops the rest, malformed bytes included.
TEST(SdlWindow, TypedTextBecomesLatin1) {
  const std::pair<const char*, const char*> cases[] = {
      {"Zo\xC3\xAB \xC3\x80\xC2\xA0\xC3\xBF", "Zo\xEB \xC0\xA0\xFF"},  // the upper half's ends
      {"a\xE2\x82\xAC\xC5\x93\xF0\x9F\x98\x80!", "a!"},                // euro sign, oe, four bytes
      {"\xC0\xBA\xE0\x80\xBA:", ":"},                                  // overlong forms of ':'
      {"\x80x\xC3y\xFF\xC3", "xy"},  // stray continuation, lead without it, no lead, cut short
  };
  for (const auto& [utf8, latin1] : cases)
    EXPECT_EQ(Utf8ToLatin1(utf8), latin1) << utf8;
}

// The loop waits for input in SDL's whole milliseconds, all but the last of them, and sleeps to the exact
// moment its millisecond clock reaches the tick, across the clock's wrap too.
TEST(SdlWindow, TheTickWaitEndsWhenTheClockReachesTheTick) {
  constexpr int64_t kMs = 1'000'000, kOrigin = 123'456'789, kWrap = int64_t{1} << 32;
  const struct {
    int64_t sinceOrigin;
    uint32_t due;
    int inputWaitMs;
    int64_t deadline;  // since the origin
  } rows[] = {
      {3 * kMs + 400'000, 10, 5, 10 * kMs},
      {9 * kMs + 500'000, 10, 0, 10 * kMs},
      {10 * kMs, 10, 0, 10 * kMs},
      {12 * kMs + 1, 10, 0, 12 * kMs + 1},
      {(kWrap - 2) * kMs + 500'000, 3, 3, (kWrap + 3) * kMs},
  };
  for (const auto& row : rows) {
    const TickWait wait = PlanTickWait(kOrigin + row.sinceOrigin, kOrigin, row.due);
    EXPECT_EQ(wait.inputWaitMs, row.inputWaitMs) << row.sinceOrigin;
    EXPECT_EQ(wait.deadlineNs - kOrigin, row.deadline) << row.sinceOrigin;
  }
}

// A quit request while the program starts is held, then arrives as the window's close once the platform
// is up, so that the game ends through its exit save rather than at the signal's default.
TEST(SdlWindow, AQuitSignalDuringStartUpArrivesAsTheClose) {
  HoldQuitSignalsUntilInit();
  raise(SIGTERM);
  SdlPlatform platform;
  ASSERT_TRUE(platform.Init());
  bool quit = false;
  PlatformEvent event;
  for (int i = 0; i < 100 && !quit; ++i) {
    platform.WaitForEvent(10);
    while (platform.PollEvent(event))
      quit |= event.type == PlatformEventType::kQuit;
  }
  EXPECT_TRUE(quit);
}

// At 2x each picture pixel shows as 2 x 2 window pixels and a press at a window pixel reaches the game at
// the picture's point; full screen and back keeps the factor.
TEST(SdlWindow, AScaledWindowShowsThePictureEnlargedAndMapsPressesBack) {
  SdlPlatform platform;
  ASSERT_TRUE(platform.Init());
  SetPlatform(&platform);
  Window window;
  ASSERT_TRUE(window.Create("Main", 800, 600));
  window.Show();
  EXPECT_TRUE(platform.SetWindowScale(2));
  Bitmap picture;
  ASSERT_TRUE(picture.Create(800, 600, 0x0000FF));
  picture.SetPixel(500, 200, 0xFF0000);
  const auto shown = [&](int x, int y) {
    window.BlitBitmap(&picture, 0, 0);
    return platform.ShownPixel(x, y);
  };
  for (const auto& [x, y, color] : {std::tuple{1000, 400, 0xFF0000u},
                                    {1001, 401, 0xFF0000u},
                                    {1002, 401, 0x0000FFu},
                                    {999, 400, 0x0000FFu},
                                    {1599, 1199, 0x0000FFu}})
    EXPECT_EQ(shown(x, y), color) << x << "," << y;
  SDL_Event press{};
  press.type = SDL_MOUSEBUTTONDOWN;
  press.button.button = SDL_BUTTON_LEFT, press.button.x = 1001, press.button.y = 401;
  ASSERT_EQ(SDL_PushEvent(&press), 1);
  PlatformEvent event;
  while (platform.PollEvent(event) && event.type != PlatformEventType::kMouseDown) {
  }
  EXPECT_EQ(std::tuple(event.type, event.x, event.y), std::tuple(PlatformEventType::kMouseDown, 500, 200));
  ASSERT_TRUE(window.EnterFullScreen());
  window.LeaveFullScreen();
  EXPECT_EQ(shown(1001, 401), 0xFF0000u) << "back at 2x";
  SetPlatform(nullptr);
}

// With no display to reach and no driver asked for, starting fails (the game then says it cannot create
// its window) rather than running unseen on an invisible fallback driver. Nothing after this test in the
// program needs a display.
TEST(SdlWindow, StartingFailsWithoutADisplay) {
  for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"})
    unsetenv(name);
  SdlPlatform platform;
  EXPECT_FALSE(platform.Init());
  EXPECT_NE(platform.LastError().find("display"), std::string::npos) << platform.LastError();
}

}  // namespace
