// OWindow and OMainWindow on the headless platform: the loop's timing, the drag, full screen,
// presenting and the clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engine/platform_headless.h"

namespace {

PlatformEvent Mouse(PlatformEventType type, int x, int y) {
  PlatformEvent e;
  e.type = type;
  e.x = x, e.y = y;
  return e;
}

PlatformEvent Quit() {
  PlatformEvent e;
  e.type = PlatformEventType::kQuit;
  return e;
}

// A screen stand-in that records what reaches it.
class RecordingScreens : public ActiveScreenLink {
 public:
  explicit RecordingScreens(HeadlessPlatform& platform) : platform_(platform) {}
  bool HasActiveScreen() const override { return active; }
  void AdvanceShared(int elapsedMs) override { sharedMs += elapsedMs; }
  void Frame(int elapsedMs) override {
    frames.push_back(elapsedMs);
    frameTimes.push_back(platform_.Ticks());
    if (onFrame) onFrame(static_cast<int>(frames.size()));
  }
  void Paint() override { ++paints; }
  void MouseMove(int x, int y) override { moves.push_back({x, y, static_cast<int>(platform_.Ticks())}); }
  bool LButtonDown(int, int) override {
    ++presses;
    return takePress;
  }
  void LButtonUp(int, int) override { ++releases; }
  void RButtonUp(int, int) override {}
  void KeyDown(int key, int) override { keys.push_back(key); }
  void KeyUp(int, int) override {}
  void Char(int ch, int) override { chars.push_back(ch); }

  bool active = true;
  bool takePress = false;
  int sharedMs = 0, paints = 0, presses = 0, releases = 0;
  std::vector<int> frames;
  std::vector<uint32_t> frameTimes;
  struct Move {
    int x, y, at;
  };
  std::vector<Move> moves;
  std::vector<int> keys, chars;
  std::function<void(int)> onFrame;

 private:
  HeadlessPlatform& platform_;
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPlatform(&platform);
    platform.SetScreenSize(1280, 1024);
    window.SetBackgroundColor(OMainWindow::kBackground);
    window.SetNoCaption(true);
    window.SetNoSizingFrame(true);
    ASSERT_TRUE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
    window.SetScreenLink(&screens);
    window.Show();
  }
  void TearDown() override { SetPlatform(nullptr); }

  HeadlessPlatform platform;
  OMainWindow window;
  RecordingScreens screens{platform};
};

// ---- creation ----------------------------------------------------------------------------------------
TEST_F(WindowTest, CreationGivesTheGameItsBorderlessRoundedCentredWindow) {
  EXPECT_TRUE(platform.IsBorderless());
  EXPECT_TRUE(platform.IsRounded());
  EXPECT_TRUE(platform.IsShown());
  EXPECT_EQ(platform.Title(), "Globbet");
  EXPECT_EQ(platform.Background(), 0xCCCCFFu);
  EXPECT_EQ(window.GetClientWidth(), 800);
  EXPECT_EQ(window.GetClientHeight(), 600);
  EXPECT_EQ(window.GetWindowX(), 240);
  EXPECT_EQ(window.GetWindowY(), 212);
}

class RefusingWindow : public OWindow {
 public:
  bool OnCreate() override { return false; }
  void OnDestroy() override { ++destroyed; }
  int destroyed = 0;
};

TEST(WindowCreation, FailuresReportAndLeaveNoWindow) {
  HeadlessPlatform platform;
  SetPlatform(&platform);
  {
    platform.SetCreateFails(true);
    OWindow window;
    EXPECT_FALSE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
    ASSERT_EQ(platform.MessageBoxes().size(), 1u);
    EXPECT_EQ(platform.MessageBoxes()[0].caption, "Error");
    EXPECT_EQ(platform.MessageBoxes()[0].text, "Can't create window");
    EXPECT_EQ(window.Run(), 0);  // no window: returns at once
    platform.SetCreateFails(false);
  }
  {
    RefusingWindow window;
    EXPECT_FALSE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
    EXPECT_EQ(window.destroyed, 1);
    EXPECT_FALSE(platform.HasWindow());
  }
  {
    // A zero width or height leaves both to the platform.
    OMainWindow window;
    ASSERT_TRUE(window.Create("Main", "OMainWindow", 0, 600, OWindow::kShowNormal));
    EXPECT_EQ(window.GetClientWidth(), 640);
    EXPECT_EQ(window.GetClientHeight(), 480);
  }
  SetPlatform(nullptr);
}

// ---- the loop ----------------------------------------------------------------------------------------
TEST_F(WindowTest, TicksPassTheMeasuredElapsedTimeNotTheInterval) {
  window.SetFrameInterval(10);
  screens.onFrame = [&](int n) {
    if (n == 2) platform.AdvanceClock(24);  // a slow frame: 24 ms, and 1 ms for the poll after it
    if (n == 4) window.Close();
  };
  EXPECT_EQ(window.Run(), 0);
  ASSERT_EQ(screens.frames.size(), 4u);
  EXPECT_EQ(screens.frames[0], 10);
  EXPECT_EQ(screens.frames[1], 10);
  EXPECT_EQ(screens.frames[2], 25);  // the late tick reports how late it is
  EXPECT_EQ(screens.frames[3], 10);
  EXPECT_EQ(screens.sharedMs, 55);
  EXPECT_FALSE(platform.HasWindow());
}

TEST_F(WindowTest, InputWakesTheWaitingLoopAtOnce) {
  window.SetFrameInterval(50);
  const uint32_t start = platform.Ticks();
  platform.QueueEventAt(start + 3, Mouse(PlatformEventType::kMouseMove, 10, 20));
  platform.QueueEventAt(start + 120, Quit());
  window.Run();
  ASSERT_EQ(screens.moves.size(), 1u);
  EXPECT_EQ(screens.moves[0].at, static_cast<int>(start + 3));
  ASSERT_EQ(screens.frames.size(), 2u);
  EXPECT_EQ(screens.frameTimes[0], start + 50);
  EXPECT_EQ(screens.frameTimes[1], start + 100);
}

TEST_F(WindowTest, EventsReachTheScreenAndRepaintsFollowLostPictures) {
  PlatformEvent key;
  key.type = PlatformEventType::kKeyDown;
  key.key = vk::kF4;
  PlatformEvent ch;
  ch.type = PlatformEventType::kChar;
  ch.ch = -23;  // a byte above 127
  platform.QueueEvent(key);
  platform.QueueEvent(ch);
  const int paintsBefore = screens.paints;
  window.SetPosition(10, 10, 400, 400);  // a new size loses the picture
  platform.QueueEvent(Quit());
  window.Run();
  EXPECT_EQ(screens.keys, std::vector<int>{vk::kF4});
  EXPECT_EQ(screens.chars, std::vector<int>{-23});
  EXPECT_EQ(screens.paints, paintsBefore + 1);
}

// ---- the drag ----------------------------------------------------------------------------------------
TEST_F(WindowTest, OnlyAnUntakenPressRightOfTheThresholdStartsADrag) {
  window.OnLButtonDown(580, 10);
  EXPECT_FALSE(window.IsDragging());
  window.OnLButtonUp(580, 10);
  window.OnLButtonDown(581, 10);
  EXPECT_TRUE(window.IsDragging());
  window.OnLButtonUp(581, 10);
  EXPECT_FALSE(window.IsDragging());

  screens.takePress = true;  // a control took it
  window.OnLButtonDown(700, 10);
  EXPECT_FALSE(window.IsDragging());
  screens.takePress = false;

  screens.active = false;  // no screen: the window alone decides
  window.OnLButtonDown(700, 10);
  EXPECT_TRUE(window.IsDragging());
  EXPECT_EQ(screens.presses, 3);  // the last press had no screen to go to
}

TEST_F(WindowTest, DraggingMovesTheWindowWithThePointerAndStopsScreenTicks) {
  window.SetFrameInterval(10);
  const uint32_t t = platform.Ticks();
  platform.QueueEventAt(t + 15, Mouse(PlatformEventType::kLButtonDown, 700, 20));
  platform.QueueEventAt(t + 32, Mouse(PlatformEventType::kMouseMove, 730, 35));
  platform.QueueEventAt(t + 55, Mouse(PlatformEventType::kLButtonUp, 700, 20));
  platform.QueueEventAt(t + 80, Quit());
  window.Run();
  // Ticks at 10, none while the button is down (15 .. 55: the window's ticks at 20 .. 50 only move it),
  // then again on the same beat.
  std::vector<uint32_t> ticks;
  for (uint32_t at : screens.frameTimes)
    ticks.push_back(at - t);
  EXPECT_EQ(ticks, (std::vector<uint32_t>{10, 60, 70, 80}));
  EXPECT_EQ(screens.moves.size(), 1u);  // pointer events still arrive
  EXPECT_EQ(screens.releases, 1);
  // The pointer went 30 right and 15 down from the press: so did the window.
  int x, y;
  platform.GetWindowPosition(x, y);
  EXPECT_EQ(x, 240 + 30);
  EXPECT_EQ(y, 212 + 15);
  EXPECT_EQ(window.GetWindowX(), 270);
  EXPECT_EQ(window.GetClientWidth(), 800);
}

// ---- full screen -------------------------------------------------------------------------------------
TEST_F(WindowTest, FullScreenFreezesThePositionAndLeavingRestoresIt) {
  ASSERT_TRUE(window.EnterFullScreen());
  EXPECT_TRUE(platform.IsFullScreen());
  const int moves = platform.MoveCount();
  window.SetPosition(5, 6, 400, 400);
  EXPECT_EQ(platform.MoveCount(), moves);
  EXPECT_EQ(window.GetWindowX(), 240);
  EXPECT_EQ(window.GetClientWidth(), 800);
  // A second entry reports success and changes nothing.
  EXPECT_TRUE(window.EnterFullScreen());
  EXPECT_EQ(platform.MoveCount(), moves);
  EXPECT_TRUE(window.LeaveFullScreen());
  EXPECT_FALSE(platform.IsFullScreen());
  int x, y, w, h;
  platform.GetWindowPosition(x, y);
  platform.GetClientSize(w, h);
  EXPECT_EQ(x, 240);
  EXPECT_EQ(y, 212);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

TEST_F(WindowTest, ARefusedFullScreenLeavesTheWindowAsItWas) {
  platform.SetFullScreenFails(true);
  EXPECT_FALSE(window.EnterFullScreen());
  EXPECT_FALSE(window.IsFullScreen());
  EXPECT_FALSE(window.EnterFullScreen());  // no success without having entered
  window.SetPosition(100, 50, 0, 0);       // still windowed: it moves
  int x, y;
  platform.GetWindowPosition(x, y);
  EXPECT_EQ(x, 100);
  platform.SetFullScreenFails(false);
  EXPECT_TRUE(window.EnterFullScreen());
  EXPECT_TRUE(window.IsFullScreen());
}

TEST_F(WindowTest, FullScreenPointerIsInPictureCoordinates) {
  platform.SetScreenSize(1600, 1200);  // room for twice the picture
  ASSERT_TRUE(window.EnterFullScreen());
  platform.SetPointerScreen(1599, 1199);
  int x, y;
  window.GetCursorClientPos(x, y);
  EXPECT_EQ(x, 799);
  EXPECT_EQ(y, 599);
}

TEST(PicturePlacement, LargestWholeScaleCentred) {
  PicturePlacement p = PlacePicture(1600, 1200, 800, 600);
  EXPECT_EQ(p.scale, 2);
  EXPECT_EQ(p.left, 0);
  p = PlacePicture(1920, 1080, 800, 600);  // 2.4 x 1.8: only 1 fits both ways
  EXPECT_EQ(p.scale, 1);
  EXPECT_EQ(p.left, 560);
  EXPECT_EQ(p.top, 240);
  EXPECT_EQ(p.ToPictureX(559), -1);      // left of the picture stays negative
  p = PlacePicture(640, 480, 800, 600);  // a display smaller than the picture
  EXPECT_EQ(p.scale, 1);
  EXPECT_EQ(p.left, -80);
  EXPECT_EQ(p.ToPictureX(0), 80);
  p = PlacePicture(2400, 1800, 800, 600);
  EXPECT_EQ(p.scale, 3);
  EXPECT_EQ(p.ToPictureX(5), 1);
  EXPECT_EQ(p.ToPictureY(-1), -1);
}

// ---- presenting --------------------------------------------------------------------------------------
TEST_F(WindowTest, BlitShowsLogicalRowZeroOnTopAndNeverTheSpareRow) {
  OBitmap picture;
  ASSERT_TRUE(picture.Create(20, 10, 0x0000FF));
  picture.fillColor = 0xFF0000;
  BitmapRect top{0, 0, 20, 1};
  picture.Fill(&top);
  // Whatever lies in the spare row must not reach the window.
  uint8_t* spare = picture.GetPixels() + picture.GetHeight() * picture.GetStride();
  std::memset(spare, 0x77, picture.GetStride());

  window.BlitBitmap(&picture, 100, 200);
  EXPECT_EQ(platform.GetPixel(100, 200), 0xFF0000u);
  EXPECT_EQ(platform.GetPixel(119, 209), 0x0000FFu);
  EXPECT_EQ(platform.GetPixel(100, 199), 0xCCCCFFu);
  EXPECT_EQ(platform.GetPixel(100, 210), 0xCCCCFFu);
  EXPECT_EQ(platform.GetPixel(120, 205), 0xCCCCFFu);

  // A rectangle goes to (x + left, y + top), its size the edges' differences.
  BitmapRect part{5, 0, 8, 2};
  window.BlitBitmap(&picture, 0, 0, &part);
  EXPECT_EQ(platform.GetPixel(5, 0), 0xFF0000u);
  EXPECT_EQ(platform.GetPixel(7, 1), 0x0000FFu);
  EXPECT_EQ(platform.GetPixel(8, 0), 0xCCCCFFu);
  EXPECT_EQ(platform.GetPixel(5, 2), 0xCCCCFFu);

  // Off the edges: clipped, not written out of bounds.
  window.BlitBitmap(&picture, 790, -5);
  EXPECT_EQ(platform.GetPixel(799, 4), 0x0000FFu);
  const int presents = platform.PresentCount();
  window.BlitBitmap(nullptr, 0, 0);
  OBitmap empty;
  window.BlitBitmap(&empty, 0, 0);
  window.BlitBitmap(&picture, 800, 0);
  EXPECT_EQ(platform.PresentCount(), presents);
}

TEST_F(WindowTest, InvalidateErasesToTheBackgroundAndRepaints) {
  OBitmap picture;
  ASSERT_TRUE(picture.Create(800, 600, 0x123456));
  window.BlitBitmap(&picture, 0, 0);
  const int paints = screens.paints;
  BitmapRect r{10, 10, 20, 20};
  window.Invalidate(&r);
  EXPECT_EQ(platform.GetPixel(10, 10), 0xCCCCFFu);
  EXPECT_EQ(platform.GetPixel(20, 20), 0x123456u);
  EXPECT_EQ(screens.paints, paints + 1);
}

// ---- queries -----------------------------------------------------------------------------------------
TEST_F(WindowTest, PasteTextCopiesAtMostMaxCharsAndAlwaysTerminates) {
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  platform.SetClipboard(std::nullopt);
  EXPECT_FALSE(window.PasteText(buffer, 5));
  EXPECT_EQ(buffer[0], 'x');  // no text: untouched

  platform.SetClipboard("hello");
  EXPECT_TRUE(window.PasteText(buffer, 0));
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'x');  // only the terminating zero was written
  EXPECT_TRUE(window.PasteText(buffer, 3));
  EXPECT_STREQ(buffer, "hel");
  EXPECT_TRUE(window.PasteText(buffer, 7));
  EXPECT_STREQ(buffer, "hello");
  EXPECT_TRUE(window.PasteText(buffer, -4));
  EXPECT_EQ(buffer[0], '\0');
}

TEST_F(WindowTest, TitleIsFormattedAndBounded) {
  window.SetTitle("Score %d", 1200);
  EXPECT_EQ(platform.Title(), "Score 1200");
  const std::string longText(3000, 'a');
  window.SetTitle("%s", longText.c_str());
  EXPECT_EQ(std::string(window.GetTitle()).size(), 1023u);
}

TEST_F(WindowTest, StateQueriesComeFromThePlatform) {
  platform.SetModifiers(kModShift | kModAlt);
  EXPECT_EQ(window.GetModifiers(), kModShift | kModAlt);
  platform.SetFocus(false);
  EXPECT_FALSE(window.HasFocus());
  window.SetRestored(false);
  EXPECT_TRUE(platform.IsMinimised());
  window.SetRestored(true);
  EXPECT_FALSE(platform.IsMinimised());
  int w, h;
  window.GetScreenSize(w, h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 1024);
}

}  // namespace
