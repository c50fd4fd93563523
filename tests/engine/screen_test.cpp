// Screens: the dirty-rectangle redraw against the full redraw, merging of changed areas, motion along
// paths, expiry within a frame, input to controls, stacking of dialogs and delayed command buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/dialog_screen.h"
#include "engine/edit_box.h"
#include "engine/wave.h"
#include "tests/support/headless_window.h"
#include "tests/support/pictures.h"
#include "tests/support/sound_log.h"
#include "tests/support/test_folder.h"

namespace {

class ScreenTest : public HeadlessWindowTest {
 protected:
  // A 40 x 20 button of three looks at (x, y) on screen.
  Button* AddButton(Screen& screen, int x, int y, int code = 0) {
    auto button = SequenceClip<Button>(40, 20, {0x808080, 0x404040, 0xC0C0C0});
    button->x = x, button->y = y;
    button->commandCode = code;
    return static_cast<Button*>(screen.AddControl(std::move(button)));
  }
  static void Click(Screen& screen, int x, int y) {
    screen.OnMouseDown(x, y);
    screen.OnMouseUp(x, y);
  }
};

TEST_F(ScreenTest, DirtyRedrawAfterRandomChangesGivesTheFullRedrawPicture) {
  constexpr int kLeft = 540, kTop = 420, kWidth = 300, kHeight = 200;
  Screen screen(&window, kLeft, kTop, kWidth, kHeight);
  screen.backgroundColor = 0xCCCCFF;
  screen.redrawMode = Screen::RedrawMode::kDirty;
  std::mt19937 random(12345);
  const auto coin = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
  // Opaque, colour-keyed, blended, masked, two-frame and offset clips over each other, at fractional
  // positions as a flying ball has them.
  std::vector<Clip*> clips;
  for (int i = 0; i < 40; ++i) {
    auto clip = std::make_unique<Clip>();
    const uint32_t color = 0x100000u * unsigned(i % 15 + 1) + 0x0701u * unsigned(i);
    const int kind = i % 5;
    clip->AddFrame(kind >= 3 ? std::make_unique<Bitmap>(MaskedPattern(12, 12, color))
                             : Picture(16, kind == 1 ? 16 : 10, color, kind == 1 ? 0x00FF00 : -1));
    for (int k = 0; kind == 1 && k < 16; ++k)
      clip->GetFrame(0)->SetPixel(k, k, 0x00FF00);
    if (kind == 2) clip->AddFrame(Picture(10, 18, color ^ 0xFFFFFF)), clip->SetTransparency(100);
    if (kind == 4) clip->GetFrame(0)->offsetX = 3, clip->GetFrame(0)->offsetY = -2;
    clip->x = coin(kWidth + 20) - 10;
    clip->y = coin(kHeight + 20) - 10;
    clip->depth = coin(5);
    clips.push_back(screen.AddClip(std::move(clip)));
  }
  screen.Enter(nullptr);
  for (int round = 0; round < 60; ++round) {
    for (int change = 0; change < 6; ++change) {
      Clip* clip = clips[size_t(coin(int(clips.size())))];
      const int what = coin(4);
      if (what == 0) clip->x += coin(41) - 20.37;
      if (what == 0) clip->y += coin(41) - 20.61;
      if (what == 1) clip->visible = !clip->visible;
      if (what == 2) clip->SetFrame(clip->GetCurrentFrame() + 1, -1);
      if (what == 3 && clips.size() > 20 && coin(3) == 0) {
        screen.RemoveClip(clip);
        clips.erase(std::find(clips.begin(), clips.end(), clip));
      }
    }
    screen.OnFrame(10);
    EXPECT_TRUE(screen.GetDirtyList().empty());
    const std::vector<uint32_t> dirty = Pixels(*screen.GetPicture());
    screen.Redraw();
    const std::vector<uint32_t> full = Pixels(*screen.GetPicture());
    ASSERT_EQ(dirty, full) << "round " << round;
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(platform.GetPixel(kLeft + x, kTop + y),
                  kLeft + x < 800 && kTop + y < 600 ? full[size_t(y * kWidth + x)] : 0u)
            << "round " << round << ": the window did not get every changed area, at " << x << "," << y;
  }
}

TEST_F(ScreenTest, OverlappingAreasMergeUntilNoneOverlapAndTouchingOnesStaySeparate) {
  Screen screen(nullptr, 0, 0, 100, 100);
  screen.AddDirty({12, 0, 20, 5});
  screen.AddDirty({0, 0, 10, 30});
  screen.AddDirty({10, 0, 12, 30});  // touches both: nothing merges
  EXPECT_EQ(screen.GetDirtyList().size(), 3u);
  screen.AddDirty({50, 50, 60, 60});
  screen.AddDirty({5, 20, 15, 25});     // overlaps two; grown by them it reaches the third
  screen.AddDirty({-20, -20, 0, 0});    // off the screen: nothing to repaint
  screen.AddDirty({95, 95, 150, 150});  // cut to the screen
  screen.AddDirty({30, 30, 30, 40});    // empty
  std::vector<std::vector<int>> list;
  for (const BitmapRect& r : screen.GetDirtyList())
    list.push_back({r.left, r.top, r.right, r.bottom});
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (std::vector<std::vector<int>>{{0, 0, 20, 30}, {50, 50, 60, 60}, {95, 95, 100, 100}}));
}

// Each row: a clip at start, its speed and way points, the frames' elapsed times, then where it is and
// which way-point tags it has reported.
TEST_F(ScreenTest, MotionBySpeedAndAlongPaths) {
  const std::vector<PointSpeed> down{{50, 70, 7.5, 10}}, legs{{30, 40, 1, 5}, {0, 80, 2, 5}}, none;
  // Start, sideways speed, way points, the frames' elapsed times, where it ends and the tags reported.
  using Points = std::vector<double>;
  const std::tuple<double, double, double, const std::vector<PointSpeed>*, std::vector<int>, double, double,
                   Points, Points>
      rows[] = {
          {0, 0, 1, &none, {9, 10, 25, 49, 80, 1000, -30}, 17, 0, {}, {}},  // whole 10 ms steps, five a frame
          {50, 20, 3, &down, {10, 10, 10, 10}, 50, 60, {}, {}},  // straight down, sideways only a token step
          {50, 20, 3, &down, {40, 20}, 50, 70, {}, {7.5}},       // two steps pass the point: put on it
          {0, 0, 0, &legs, {10}, 3, 4, {}, {}},                  // 3-4-5 triangles: one leg a step
          {0, 0, 0, &legs, {50, 50}, 30, 40, {1}, {}},
          {0, 0, 0, &legs, {50, 50, 50, 50}, 0, 80, {1}, {2}},
      };
  for (const auto& [x, y, speedX, path, frames, wantX, wantY, points, ends] : rows) {
    SCOPED_TRACE(testing::Message() << "at " << x << "," << y << " after " << frames.size() << " frames");
    Recording<> screen(&window, 0, 0, 200, 200);
    screen.Enter(nullptr);
    Clip* clip = screen.AddClip(SolidClip(10, 10, {0xFF0000}));
    clip->x = x, clip->y = y, clip->speedX = speedX;
    if (!path->empty()) clip->SetPath(*path, true);
    for (int ms : frames)
      screen.OnFrame(ms);
    EXPECT_NEAR(clip->x, wantX, 1e-4);
    EXPECT_NEAR(clip->y, wantY, 1e-6);
    EXPECT_EQ(screen.points, points);
    EXPECT_EQ(screen.ends, ends);
    EXPECT_TRUE(ends.empty() || clip->speedX == 0) << "a finished path leaves the clip at rest";
  }
}

TEST_F(ScreenTest, ExpiredOrRemovedClipsGoInTheSameFrameAndTheRestCarryOn) {
  Recording<> screen(&window, 0, 0, 200, 200);
  screen.redrawMode = Screen::RedrawMode::kDirty;
  screen.Enter(nullptr);
  EXPECT_EQ(screen.AddClip(std::make_unique<Clip>()), nullptr) << "nothing to show: refused";
  Clip *clips[4], *doomed = nullptr;
  for (int i = 0; i < 4; ++i) {
    clips[i] = screen.AddClip(SolidClip(10, 10, {0x00FF00}));
    clips[i]->x = 40 * i;
  }
  clips[3]->speedX = 1;
  clips[0]->lifetime = 15;
  clips[1]->SetPath({{40, 5, 0, 10}}, true);
  // Arriving, the clip takes itself and the next one away, as a game does when a flying ball lands.
  screen.onPathEnd = [&](Clip* clip) {
    screen.RemoveClip(clips[2]);
    screen.RemoveClip(doomed = clip);
  };
  screen.OnFrame(0);
  EXPECT_EQ(platform.GetPixel(5, 5), 0x00FF00u);
  screen.OnFrame(20);  // the lifetime runs out in this frame's tick
  EXPECT_EQ(screen.expired, std::vector<Clip*>{clips[0]});
  EXPECT_EQ(doomed, clips[1]);
  ASSERT_EQ(screen.GetClips().size(), 1u);
  EXPECT_DOUBLE_EQ(clips[3]->x, 122) << "the clip that is left still moved in that frame";
  EXPECT_EQ(platform.GetPixel(5, 5), 0u) << "the area of the expired clip is repainted";
}

TEST_F(ScreenTest, OnlyAReleaseOnThePressedControlClicks) {
  Screen* slot = nullptr;
  ActiveScreenForwarder mainWindow(&slot);
  Recording<> screen(&window, 100, 50, 400, 300);
  Button* a = AddButton(screen, 10, 10);
  Button* b = AddButton(screen, 100, 10);
  screen.Enter(&slot);
  // Pointer coordinates are the window's; controls see them relative to the screen.
  EXPECT_TRUE(mainWindow.MouseDown(120, 65));
  mainWindow.MouseUp(120, 65);
  EXPECT_EQ(screen.clicked, std::vector<Control*>{a});
  EXPECT_EQ(screen.OnMouseUp(210, 65), b) << "released over a control not pressed: taken, no click";
  screen.OnMouseDown(120, 65);
  screen.OnMouseUp(210, 65);
  EXPECT_EQ(screen.OnMouseUp(120, 65), a) << "that release ended the press";
  a->visible = false;
  EXPECT_EQ(screen.OnMouseDown(120, 65), nullptr) << "hidden controls take no input";
  EXPECT_EQ(screen.clicked.size(), 1u);
}

TEST_F(ScreenTest, TabAndKeysCharactersAndPastesReachTheFocusedControl) {
  Recording<> screen(&window, 0, 0, 400, 300);
  EditBox* edits[3];
  for (int i = 0; i < 3; ++i) {
    auto edit = std::make_unique<EditBox>();
    edit->CopyFrom(*SequenceClip(100, 30, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    edit->y = 40 * i;
    edits[i] = static_cast<EditBox*>(screen.AddControl(std::move(edit)));
  }
  edits[1]->SetFocus(true);
  screen.OnKeyDown(vk::kTab, 0);
  screen.OnKeyDown(vk::kTab, 0);  // wraps to the first
  EXPECT_TRUE(edits[0]->focused);
  EXPECT_FALSE(edits[1]->focused || edits[2]->focused);
  screen.OnCharacter('a', 0);
  screen.OnCharacter('b', 0);
  screen.OnKeyDown(vk::kLeft, 0);
  platform.SetClipboard(std::string(150, 'x'));
  screen.OnKeyDown('V', kModCtrl);
  EXPECT_EQ(edits[0]->GetText(), "a" + std::string(100, 'x') + "b") << "at most 100 characters a paste";
  platform.SetClipboard("12");
  screen.OnKeyDown(vk::kInsert, kModCtrl);
  screen.OnKeyDown('V', 0);  // without Ctrl: a key like any other
  EXPECT_EQ(edits[0]->GetText(), "a" + std::string(100, 'x') + "12b");
  EXPECT_EQ(edits[1]->GetText(), "");
}

// ---- dialogs ---------------------------------------------------------------------------------------

class Dialog : public Recording<DialogScreen> {
 public:
  using Recording<DialogScreen>::Recording;
  void OnButtonCommand(Control* button) override { commands.push_back(button); }
  std::vector<Control*> commands;
};

TEST_F(ScreenTest, ACommandRunsHalfASecondAfterTheReleaseAndASecondOneMeanwhileIsDropped) {
  SoundLog sounds;
  TestFolder folder;
  const auto wave = MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(800));
  WriteAll(folder / "5.wav", std::string(wave.begin(), wave.end()));
  ASSERT_TRUE(sounds.Player().Load(SoundId::kClick, folder / "5.wav"));
  Dialog dialog(&window, 0, 0, 300, 200);
  dialog.framed = false;
  Button* ok = AddButton(dialog, 10, 10, 12);
  Button* cancel = AddButton(dialog, 100, 10, 21);
  dialog.Enter(nullptr);
  Click(dialog, 20, 20);
  EXPECT_EQ(sounds.Count(SoundId::kClick), 1) << "the release sounds at once";
  EXPECT_FALSE(ok->visible);
  EXPECT_EQ(dialog.clicked.size(), 1u) << "the screen's click comes at once; the command waits";
  Click(dialog, 110, 20);  // within the 500 ms: not queued
  EXPECT_TRUE(cancel->visible);
  dialog.OnFrame(300);
  dialog.OnFrame(200);
  EXPECT_TRUE(dialog.commands.empty()) << "500 ms: not yet over";
  dialog.OnFrame(1);
  EXPECT_EQ(dialog.commands, std::vector<Control*>{ok});
  EXPECT_TRUE(ok->visible);
  dialog.OnFrame(1000);
  EXPECT_EQ(dialog.commands.size(), 1u);
  // A command button taken away while it waits runs nothing.
  Click(dialog, 110, 20);
  dialog.RemoveControl(cancel);
  dialog.OnFrame(600);
  EXPECT_EQ(dialog.commands.size(), 1u);
}

}  // namespace
