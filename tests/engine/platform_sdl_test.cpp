// The SDL platform with SDL's dummy video driver: a real window, a composed picture presented into it,
// full screen, closing, and the key mapping.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engine/platform_sdl.h"

namespace {

class SdlWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    ASSERT_TRUE(platform.Init()) << platform.LastError();
    SetPlatform(&platform);
  }
  void TearDown() override { SetPlatform(nullptr); }

  SdlPlatform platform;
};

TEST_F(SdlWindowTest, PresentsAComposedPictureTopRowFirst) {
  OMainWindow window;
  window.SetBackgroundColor(OMainWindow::kBackground);
  window.SetNoCaption(true);
  window.SetNoSizingFrame(true);
  ASSERT_TRUE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
  window.Show();
  EXPECT_EQ(platform.ShownPixel(400, 300), 0xCCCCFFu);  // the background before any picture

  // A picture composed of a picture: a red top band and a green square drawn onto a blue ground.
  OBitmap picture, square;
  ASSERT_TRUE(picture.Create(800, 600, 0x0000FF));
  picture.fillColor = 0xFF0000;
  BitmapRect band{0, 0, 800, 10};
  picture.Fill(&band);
  ASSERT_TRUE(square.Create(50, 50, 0x00FF00));
  picture.Draw(&square, 300, 200);
  window.BlitBitmap(&picture, 0, 0);
  EXPECT_EQ(platform.ShownPixel(0, 0), 0xFF0000u);
  EXPECT_EQ(platform.ShownPixel(799, 9), 0xFF0000u);
  EXPECT_EQ(platform.ShownPixel(0, 10), 0x0000FFu);
  EXPECT_EQ(platform.ShownPixel(300, 200), 0x00FF00u);
  EXPECT_EQ(platform.ShownPixel(349, 249), 0x00FF00u);
  EXPECT_EQ(platform.ShownPixel(350, 250), 0x0000FFu);
  EXPECT_EQ(platform.ShownPixel(799, 599), 0x0000FFu);

  // A part of a picture at its own place.
  OBitmap patch;
  ASSERT_TRUE(patch.Create(100, 100, 0xFFFF00));
  BitmapRect part{10, 20, 30, 25};
  window.BlitBitmap(&patch, 500, 400, &part);
  EXPECT_EQ(platform.ShownPixel(510, 420), 0xFFFF00u);
  EXPECT_EQ(platform.ShownPixel(529, 424), 0xFFFF00u);
  EXPECT_EQ(platform.ShownPixel(530, 424), 0x0000FFu);
  EXPECT_EQ(platform.ShownPixel(510, 425), 0x0000FFu);
}

TEST_F(SdlWindowTest, FullScreenScalesByWholeFactorsAndComesBack) {
  OMainWindow window;
  window.SetNoCaption(true);
  window.SetNoSizingFrame(true);
  ASSERT_TRUE(window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal));
  window.Show();
  int screenW, screenH;
  window.GetScreenSize(screenW, screenH);
  ASSERT_GT(screenW, 0);
  ASSERT_TRUE(window.EnterFullScreen());
  EXPECT_TRUE(window.EnterFullScreen());
  EXPECT_EQ(window.GetClientWidth(), 800);  // the program still sees its picture's size

  OBitmap picture;
  ASSERT_TRUE(picture.Create(800, 600, 0x00FF00));
  window.BlitBitmap(&picture, 0, 0);
  const PicturePlacement p = PlacePicture(screenW, screenH, 800, 600);
  EXPECT_EQ(platform.ShownPixel(p.left, p.top), 0x00FF00u);
  EXPECT_EQ(platform.ShownPixel(p.left + 800 * p.scale - 1, p.top + 600 * p.scale - 1), 0x00FF00u);
  if (p.left > 0) {
    EXPECT_EQ(platform.ShownPixel(p.left - 1, p.top), 0x000000u);  // the rest is black
  }

  const int wx = window.GetWindowX(), wy = window.GetWindowY();
  EXPECT_TRUE(window.LeaveFullScreen());
  int x, y, w, h;
  platform.GetWindowPosition(x, y);
  platform.GetClientSize(w, h);
  EXPECT_EQ(x, wx);
  EXPECT_EQ(y, wy);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

TEST_F(SdlWindowTest, CloseEndsTheLoop) {
  class ClosingWindow : public OMainWindow {
   public:
    void OnFrame(int elapsedMs) override {
      OMainWindow::OnFrame(elapsedMs);
      if (++frames == 3) Close();
    }
    void OnDestroy() override { ++destroyed; }
    int frames = 0, destroyed = 0;
  } window;
  ASSERT_TRUE(window.Create("Main", "OMainWindow", 400, 400, OWindow::kShowNormal));
  window.SetFrameInterval(5);
  window.Show();
  EXPECT_EQ(window.Run(), 0);
  EXPECT_EQ(window.frames, 3);
  EXPECT_EQ(window.destroyed, 1);
  EXPECT_FALSE(platform.HasWindow());
}

TEST(SdlKeys, KeysMapToTheVirtualKeyCodesOfTheGameRules) {
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_a, true), 65);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_z, true), 90);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_v, false), 86);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_0, true), 48);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_9, true), 57);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_TAB, true), 9);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RETURN, true), 13);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_ENTER, true), 13);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_ESCAPE, true), 27);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_SPACE, true), 32);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_PAUSE, true), 19);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_END, true), 35);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_HOME, true), 36);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_LEFT, true), 37);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RIGHT, true), 39);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_INSERT, true), 45);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_DELETE, true), 46);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F1, true), 112);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F3, true), 114);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F4, true), 115);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_F12, true), 123);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_LCTRL, true), 17);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_RSHIFT, true), 16);
  // The numeric pad's 0 is a digit with Num Lock and Insert without: both paste with Ctrl.
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_0, true), 96);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_0, false), 45);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_9, true), 105);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_KP_PERIOD, false), 46);
  EXPECT_EQ(SdlKeyToVirtualKey(SDLK_MENU, true), 0);  // no use in the game

  EXPECT_EQ(SdlKeyCharacter(SDLK_RETURN), 13);
  EXPECT_EQ(SdlKeyCharacter(SDLK_BACKSPACE), 8);
  EXPECT_EQ(SdlKeyCharacter(SDLK_ESCAPE), 27);
  EXPECT_EQ(SdlKeyCharacter(SDLK_TAB), 9);
  EXPECT_EQ(SdlKeyCharacter(SDLK_a), 0);  // letters arrive as text
}

// With no display to reach and no driver asked for, starting fails (the game then says it cannot create
// its window) rather than running unseen on an invisible fallback driver.
TEST(SdlStart, FailsWithoutADisplayUnlessAnInvisibleDriverIsAsked) {
  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> saved;
  for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    saved.push_back({name, value ? value : "", value != nullptr});
    unsetenv(name);
  }
  {
    SdlPlatform platform;
    EXPECT_FALSE(platform.Init());
    EXPECT_NE(platform.LastError().find("display"), std::string::npos) << platform.LastError();
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 1);
  {
    SdlPlatform platform;
    EXPECT_TRUE(platform.Init()) << platform.LastError();
  }
  for (const Saved& s : saved) {
    if (s.set)
      setenv(s.name, s.value.c_str(), 1);
    else
      unsetenv(s.name);
  }
}

}  // namespace
