// Buttons and check boxes: their looks by state, hits with edges included and the pixel-exact test,
// check boxes of two and six looks.
#include <gtest/gtest.h>

#include "engine/button.h"
#include "engine/check_box.h"
#include "screen_testing.h"

using namespace screen_testing;

namespace {

TEST(ClipButton, ThreeLooksFollowThePointerAndTheButton) {
  auto button = SequenceClip<OClipButton>(40, 20, {1, 2, 3});
  button->x = 10, button->y = 10;
  EXPECT_TRUE(button->OnHover(30, 20, false));
  EXPECT_EQ(button->GetCurrentSequence(), OClipButton::kHover);
  EXPECT_TRUE(button->OnPress(30, 20));
  EXPECT_TRUE(button->pressed);
  EXPECT_EQ(button->GetCurrentSequence(), OClipButton::kPressed);
  EXPECT_FALSE(button->OnHover(100, 100, true));  // dragged off: normal look
  EXPECT_EQ(button->GetCurrentSequence(), OClipButton::kNormal);
  EXPECT_TRUE(button->OnHover(30, 20, true));  // back on while held: pressed look
  EXPECT_EQ(button->GetCurrentSequence(), OClipButton::kPressed);
  EXPECT_TRUE(button->OnRelease(30, 20));
  EXPECT_EQ(button->GetCurrentSequence(), OClipButton::kHover);
  button->visible = false;
  EXPECT_FALSE(button->OnPress(30, 20));
}

TEST(ClipButton, AButtonOfOneLookKeepsItWhenPressedAndStillRecordsThePress) {
  auto button = SolidClip<OClipButton>(40, 20, {0x111111, 0x222222});
  button->SetFrame(1, -1);
  EXPECT_TRUE(button->OnPress(0, 0));
  EXPECT_TRUE(button->pressed);
  EXPECT_EQ(button->GetCurrentFrame(), 1);
  EXPECT_TRUE(button->OnHover(5, 5, true));
  EXPECT_EQ(button->GetCurrentFrame(), 1);
}

TEST(ClipButton, HitsIncludeTheEdgesAndThePixelExactTestSkipsKeyedPixels) {
  auto button = std::make_unique<OClipButton>();
  auto face = Picture(20, 10, 0x00FF00, 0xFF00FF);
  face->SetPixel(5, 5, 0xFF00FF);
  button->AddFrame(std::move(face));
  button->x = 100, button->y = 50;
  EXPECT_TRUE(button->HitTest(100, 50));
  EXPECT_TRUE(button->HitTest(120, 60));  // right and bottom edges hit
  EXPECT_FALSE(button->HitTest(121, 60));
  EXPECT_FALSE(button->HitTest(100, 49));
  EXPECT_TRUE(button->HitTest(105, 55));
  button->pixelExact = true;
  EXPECT_FALSE(button->HitTest(105, 55));  // the key colour
  EXPECT_TRUE(button->HitTest(106, 55));
  EXPECT_FALSE(button->HitTest(120, 60));  // on the rectangle's edge but past the picture
  EXPECT_FALSE(button->OnPress(105, 55));
  EXPECT_FALSE(button->pressed);
  // A masked picture is hit where it shows, whatever the key says.
  uint8_t* mask = button->GetFrame(0)->CreateMask(0);
  ASSERT_NE(mask, nullptr);
  button->GetFrame(0)->GetMaskRow(2)[3] = 255;
  EXPECT_TRUE(button->HitTest(105, 55));
  EXPECT_FALSE(button->HitTest(103, 52));
}

TEST(ClipCheckBox, TwoLooksToggleOnReleaseWithoutAHoverLook) {
  auto box = SequenceClip<OClipCheckBox>(16, 16, {1, 2});
  EXPECT_TRUE(box->OnHover(8, 8, false));
  EXPECT_EQ(box->GetCurrentSequence(), 0);
  EXPECT_TRUE(box->OnPress(8, 8));
  EXPECT_FALSE(box->pressed);  // a check box never makes a click
  EXPECT_TRUE(box->OnRelease(8, 8));
  EXPECT_TRUE(box->IsChecked());
  EXPECT_EQ(box->GetCurrentSequence(), 1);
  EXPECT_TRUE(box->OnHover(8, 8, false));
  EXPECT_EQ(box->GetCurrentSequence(), 1);
  EXPECT_FALSE(box->OnRelease(40, 8));  // elsewhere: no toggle
  EXPECT_TRUE(box->IsChecked());
  EXPECT_FALSE(box->OnKey('A', 0));
  EXPECT_FALSE(box->IsChecked());
  EXPECT_EQ(box->GetCurrentSequence(), 0);
}

TEST(ClipCheckBox, SixLooksShowHoverAndPressedStates) {
  auto box = SequenceClip<OClipCheckBox>(16, 16, {1, 2, 3, 4, 5, 6});
  box->OnHover(8, 8, false);
  EXPECT_EQ(box->GetCurrentSequence(), 4);
  box->OnPress(8, 8);
  EXPECT_EQ(box->GetCurrentSequence(), 2);
  box->OnHover(8, 8, true);  // held down: the look stays
  EXPECT_EQ(box->GetCurrentSequence(), 2);
  box->OnRelease(8, 8);
  EXPECT_EQ(box->GetCurrentSequence(), 3);
  box->OnHover(8, 8, false);
  EXPECT_EQ(box->GetCurrentSequence(), 5);
  box->OnHover(30, 30, false);
  EXPECT_EQ(box->GetCurrentSequence(), 1);
  box->Uncheck();
  EXPECT_EQ(box->GetCurrentSequence(), 0);
  box->Check();
  EXPECT_EQ(box->GetCurrentSequence(), 1);
}

}  // namespace
