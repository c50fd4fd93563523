// Screen input and stacking: clicks need a press on the same control, Tab moves the focus round,
// Ctrl+V and Ctrl+Insert paste into the focused control, and dialogs stack over the active screen and
// hand it back when they leave.
#include <gtest/gtest.h>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/edit.h"
#include "screen_testing.h"

using namespace screen_testing;

namespace {

class ScreenInput : public HeadlessFixture {
 protected:
  void SetUp() override {
    HeadlessFixture::SetUp();
    screen = std::make_unique<Recording<>>(&window, 100, 50, 400, 300);
  }
  // A 40 x 20 button of three looks at (x, y) on the screen.
  OClipButton* AddButton(int x, int y) {
    auto button = SequenceClip<OClipButton>(40, 20, {0x808080, 0x404040, 0xC0C0C0});
    button->x = x, button->y = y;
    return static_cast<OClipButton*>(screen->AddControl(std::move(button)));
  }
  OClipEdit* AddEdit(int x, int y) {
    auto edit = std::make_unique<OClipEdit>();
    edit->CopyFrom(*SequenceClip(100, 30, {0xFFFFFF, 0xFFFFFF, 0xFFFFFF}));
    edit->x = x, edit->y = y;
    return static_cast<OClipEdit*>(screen->AddControl(std::move(edit)));
  }
  std::unique_ptr<Recording<>> screen;
};

TEST_F(ScreenInput, OnlyAReleaseOnThePressedControlClicks) {
  OClipButton* a = AddButton(10, 10);
  OClipButton* b = AddButton(100, 10);
  // Pointer coordinates are the window's; controls see them relative to the screen.
  EXPECT_EQ(screen->OnMouseMove(100 + 20, 50 + 15), a);
  EXPECT_EQ(a->GetCurrentSequence(), OClipButton::kHover);
  EXPECT_EQ(screen->OnLButtonDown(120, 65), a);
  EXPECT_TRUE(screen->IsLeftButtonDown());
  EXPECT_EQ(a->GetCurrentSequence(), OClipButton::kPressed);
  EXPECT_EQ(screen->OnLButtonUp(120, 65), a);
  ASSERT_EQ(screen->clicked.size(), 1u);
  EXPECT_EQ(screen->clicked[0], a);

  // Released over a control that was not pressed: taken, but no click.
  EXPECT_EQ(screen->OnLButtonUp(210, 65), b);
  // Pressed on one, released on the other: no click either.
  screen->OnLButtonDown(120, 65);
  EXPECT_EQ(screen->OnLButtonUp(210, 65), b);
  // The first release ended a's press: releasing over it later without a press does nothing.
  EXPECT_EQ(screen->OnLButtonUp(120, 65), a);
  EXPECT_EQ(screen->clicked.size(), 1u);

  // Hidden controls take no input.
  a->visible = false;
  EXPECT_EQ(screen->OnLButtonDown(120, 65), nullptr);
  EXPECT_EQ(screen->OnLButtonUp(120, 65), nullptr);
  EXPECT_EQ(screen->clicked.size(), 1u);
}

TEST_F(ScreenInput, TabMovesTheFocusOnAndWrapsToTheFirstControl) {
  OClipEdit* first = AddEdit(0, 0);
  OClipEdit* second = AddEdit(0, 40);
  OClipEdit* third = AddEdit(0, 80);
  second->SetFocus(true);
  screen->OnKeyDown(vk::kTab, 0);
  EXPECT_FALSE(second->focused);
  EXPECT_TRUE(third->focused);
  EXPECT_FALSE(first->focused);
  screen->OnKeyDown(vk::kTab, 0);
  EXPECT_TRUE(first->focused);
  EXPECT_FALSE(third->focused);
  EXPECT_TRUE(first->IsCaretShown());
  EXPECT_FALSE(third->IsCaretShown());
}

TEST_F(ScreenInput, KeysCharactersAndPastesReachOnlyTheFocusedControl) {
  OClipEdit* focused = AddEdit(0, 0);
  OClipEdit* other = AddEdit(0, 40);
  focused->SetFocus(true);
  screen->OnChar('a', 0);
  screen->OnChar('b', 0);
  screen->OnKeyDown(vk::kLeft, 0);
  EXPECT_EQ(focused->GetCaret(), 1);
  platform.SetClipboard(std::string(150, 'x'));
  screen->OnKeyDown('V', kModCtrl);
  EXPECT_EQ(focused->GetText(), "a" + std::string(100, 'x') + "b");  // at most 100 characters a paste
  platform.SetClipboard("12");
  screen->OnKeyDown(vk::kInsert, kModCtrl);
  screen->OnKeyDown(vk::kNumpad0, kModCtrl | kModShift);
  screen->OnKeyDown('V', 0);  // without Ctrl: a key like any other
  EXPECT_EQ(focused->GetText(), "a" + std::string(100, 'x') + "1212b");
  platform.SetClipboard(std::nullopt);
  screen->OnKeyDown('V', kModCtrl);
  EXPECT_EQ(focused->GetText().size(), 106u);
  EXPECT_EQ(other->GetText(), "");
}

TEST_F(ScreenInput, DialogsStackOverTheActiveScreenAndHandItBack) {
  OEngine* slot = nullptr;
  screen->Enter(&slot);
  EXPECT_EQ(slot, screen.get());
  EXPECT_EQ(screen->GetScreenBeneath(), nullptr);
  ASSERT_NE(screen->GetPicture(), nullptr);

  Recording<> dialog(&window, 150, 100, 100, 80);
  Recording<> second(&window, 170, 120, 40, 40);
  dialog.Enter(&slot);
  EXPECT_EQ(slot, &dialog);
  EXPECT_EQ(dialog.GetScreenBeneath(), screen.get());
  EXPECT_TRUE(screen->skipRedraw);  // its next frame must not paint over the dialog
  dialog.Enter(&slot);              // entering the active screen again never stacks it on itself
  EXPECT_EQ(dialog.GetScreenBeneath(), screen.get());
  second.Enter(&slot);
  EXPECT_EQ(second.GetScreenBeneath(), &dialog);
  second.RedrawStack();  // bottom first

  second.Leave(7);
  EXPECT_EQ(slot, &dialog);
  ASSERT_EQ(dialog.closed.size(), 1u);
  EXPECT_EQ(dialog.closed[0].child, &second);
  EXPECT_EQ(dialog.closed[0].value, 7);
  EXPECT_EQ(second.GetPicture(), nullptr);
  EXPECT_TRUE(second.skipRedraw);

  screen->skipRedraw = false;
  dialog.Leave(3);
  EXPECT_EQ(slot, screen.get());
  ASSERT_EQ(screen->closed.size(), 1u);
  EXPECT_EQ(screen->closed[0].value, 3);
  EXPECT_EQ(dialog.GetScreenBeneath(), nullptr);
  {
    Recording<> shortLived(&window, 0, 0, 10, 10);
    shortLived.Enter(&slot);
  }
  EXPECT_EQ(slot, nullptr);  // never left naming a screen that is gone
}

TEST_F(ScreenInput, TheMainWindowForwardsToTheActiveScreen) {
  OEngine* slot = nullptr;
  ActiveScreenForwarder link(&slot);
  EXPECT_FALSE(link.HasActiveScreen());
  OClipButton* button = AddButton(10, 10);
  screen->Enter(&slot);
  EXPECT_TRUE(link.HasActiveScreen());
  EXPECT_TRUE(link.LButtonDown(120, 65));
  link.LButtonUp(120, 65);
  EXPECT_EQ(screen->clicked.size(), 1u);
  EXPECT_FALSE(link.LButtonDown(5, 5));
  button->x = 50;
  link.Frame(10);
  EXPECT_EQ(platform.GetPixel(100 + 55, 50 + 15), 0xC0C0C0u);  // still under the pointer: hover
  EXPECT_EQ(&ActiveScreen(), &ActiveScreen());
}

}  // namespace
