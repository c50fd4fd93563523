// Dialog screens: delayed command buttons, small-ball bursts over command buttons, the corner pieces
// taken from the screen beneath and the dialog frame laid from the catalogue.
#include <gtest/gtest.h>

#include "clip_testing.h"
#include "engine/active_screen.h"
#include "engine/audio_null.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/sound.h"
#include "screen_testing.h"

using namespace screen_testing;

namespace {

class Dialog : public Recording<OKillWindowButton> {
 public:
  using Recording<OKillWindowButton>::Recording;
  void OnButtonCommand(OClipControl* button) override { commands.push_back(button); }
  std::vector<OClipControl*> commands;
};

class FakeShower : public SmallBallShower {
 public:
  struct Shot {
    int x, y, colour;
  };
  void Burst(OEngine&, int x, int y, int colour, bool) override { bursts.push_back({x, y, colour}); }
  void Clear() override { ++clears; }
  void ResetFallingCount() override { ++resets; }
  void Advance(int ms) override { advanced += ms; }
  std::vector<Shot> bursts;
  int clears = 0, resets = 0, advanced = 0;
};

class DialogScreen : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    SetSmallBallShower(&shower);
    dialog = std::make_unique<Dialog>(&window, 0, 0, 300, 200);
    dialog->framed = false;
  }
  void TearDown() override {
    SetSound(nullptr);
    SetSmallBallShower(nullptr);
    for (auto& piece : catalogue::framePieces)
      piece.reset();
    HeadlessFixture::TearDown();
  }
  OClipButton* AddButton(int x, int y, int code) {
    auto button = SequenceClip<OClipButton>(40, 20, {0x808080, 0x404040, 0xC0C0C0});
    button->x = x, button->y = y;
    button->commandCode = code;
    return static_cast<OClipButton*>(dialog->AddControl(std::move(button)));
  }
  void Click(int x, int y) {
    dialog->OnLButtonDown(x, y);
    dialog->OnLButtonUp(x, y);
  }
  FakeShower shower;
  std::unique_ptr<Dialog> dialog;
};

TEST_F(DialogScreen, ACommandRunsHalfASecondAfterTheReleaseAndASecondOneMeanwhileIsDropped) {
  testing_files::TempFolder temp;
  ASSERT_TRUE(
      testing_files::WriteBytes(temp.File("5.wav"), MakeWaveFile(1, 8000, 8, std::vector<uint8_t>(800))));
  auto device = std::make_unique<NullAudioDevice>();
  const NullAudioDevice* speaker = device.get();
  OSound sound(std::move(device));
  ASSERT_TRUE(sound.Load(5, temp.File("5.wav")));
  SetSound(&sound);
  OClipButton* ok = AddButton(10, 10, 12);
  OClipButton* cancel = AddButton(100, 10, 21);
  dialog->Enter(nullptr);
  Click(20, 20);
  EXPECT_EQ(speaker->Starts().size(), 1u);  // the release sounds at once
  SetSound(nullptr);
  EXPECT_FALSE(ok->visible);
  EXPECT_EQ(dialog->GetPendingButton(), ok);
  EXPECT_EQ(dialog->clicked.size(), 1u);  // the screen's click comes at once; the command waits
  Click(110, 20);                         // within the 500 ms: not queued
  EXPECT_TRUE(cancel->visible);
  dialog->OnFrame(300);
  dialog->OnFrame(200);  // 500 ms: not yet over
  EXPECT_TRUE(dialog->commands.empty());
  dialog->OnFrame(1);
  ASSERT_EQ(dialog->commands.size(), 1u);
  EXPECT_EQ(dialog->commands[0], ok);
  EXPECT_TRUE(ok->visible);
  EXPECT_EQ(ok->GetCurrentSequence(), 0);
  EXPECT_EQ(dialog->GetPendingButton(), nullptr);
  EXPECT_EQ(shower.resets, 3);
  dialog->OnFrame(1000);
  EXPECT_EQ(dialog->commands.size(), 1u);
}

TEST_F(DialogScreen, ButtonsBelowCodeTenAreOrdinaryAndAButtonTakenAwayRunsNothing) {
  OClipButton* plain = AddButton(10, 10, 9);
  OClipButton* command = AddButton(100, 10, 10);
  dialog->Enter(nullptr);
  Click(20, 20);
  EXPECT_TRUE(plain->visible);
  EXPECT_EQ(dialog->GetPendingButton(), nullptr);
  Click(110, 20);
  dialog->RemoveControl(command);
  dialog->OnFrame(600);
  EXPECT_TRUE(dialog->commands.empty());
  EXPECT_EQ(dialog->GetPendingButton(), nullptr);
  EXPECT_EQ(dialog->clicked.size(), 2u);  // both were clicks for the screen
}

TEST_F(DialogScreen, PressingACommandButtonThrowsSmallBallsOfItsColour) {
  AddButton(10, 11, 15);
  AddButton(100, 10, 23);
  AddButton(200, 10, 3);
  dialog->Enter(nullptr);
  dialog->OnLButtonDown(20, 20);
  dialog->OnLButtonDown(110, 20);
  dialog->OnLButtonDown(210, 20);
  dialog->OnLButtonDown(5, 150);
  ASSERT_EQ(shower.bursts.size(), 2u);
  // Centred on the button: x + (40 - 32) / 2, y + (20 - 32) / 2 (truncated toward zero).
  EXPECT_EQ(shower.bursts[0].x, 14);
  EXPECT_EQ(shower.bursts[0].y, 5);
  EXPECT_EQ(shower.bursts[0].colour, 5);
  EXPECT_EQ(shower.bursts[1].colour, 3);
  SetSmallBallShower(nullptr);  // no shower installed: presses still work
  EXPECT_NE(dialog->OnLButtonDown(20, 20), nullptr);
}

TEST_F(DialogScreen, EnteringTakesTheCornersBeneathAndLaysOneFrame) {
  for (int i = 0; i < catalogue::kFramePieceCount; ++i)
    catalogue::framePieces[size_t(i)] = SolidClip(20, 20, {0x010101u * unsigned(i + 1)});
  OEngine* slot = nullptr;
  Recording<> beneath(&window, 0, 0, 800, 600);
  beneath.backgroundColor = 0x336699;
  auto marker = SolidClip(20, 20, {0xFF00FF});
  marker->x = 480, marker->y = 380;  // where the dialog's bottom-right corner will be
  beneath.AddClip(std::move(marker));
  beneath.Enter(&slot);

  Dialog framed(&window, 200, 200, 300, 200);
  framed.Enter(&slot);
  EXPECT_EQ(shower.clears, 1);
  const OClip* bottomRight = framed.GetCorner(1);
  ASSERT_NE(bottomRight, nullptr);
  EXPECT_EQ(bottomRight->x, 280);
  EXPECT_EQ(bottomRight->y, 180);
  EXPECT_EQ(bottomRight->depth, 5);
  EXPECT_EQ(bottomRight->GetShownPicture()->GetPixel(0, 0), 0xFF00FFu);
  EXPECT_EQ(framed.GetCorner(0)->GetShownPicture()->GetPixel(5, 5), 0x336699u);
  // Four corners and eight frame pieces; the right edge 10 pixels in from the right.
  EXPECT_EQ(framed.GetClips().size(), 12u);
  bool rightEdge = false;
  for (const auto& clip : framed.GetClips())
    rightEdge |= clip->x == 290 && clip->y == 19 && clip->depth == 10;
  EXPECT_TRUE(rightEdge);
  framed.Leave(5);
  ASSERT_EQ(beneath.closed.size(), 1u);
  EXPECT_EQ(beneath.closed[0].value, 0);  // a dialog always reports 0
  framed.Enter(&slot);                    // opened again: still one frame
  EXPECT_EQ(framed.GetClips().size(), 12u);
}

}  // namespace
