#include "screens/dialogs/help_dialog.h"

#include <memory>

#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/game_pages.h"
#include "engine/text_block.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/screen_build.h"

using namespace dialogs;

namespace {
constexpr int kPageButtonInset = 45, kNextY = 343, kPreviousY = 20;
// The text stops this far short of the page buttons' column, so that the buttons never cover it.
constexpr int kTextToButtons = 10;

// Five paragraphs, then the keys; an empty line parts paragraphs, the layout wraps the words.
const char kHelpText[] =
    "The goal of the game is to clear the board of balls and to score as many points as you can on the "
    "way. Aim with the mouse and click, or with the arrow keys or a game controller: the ball shown at the "
    "bottom of the field flies toward the point you chose and bounces off the side walls. When it touches "
    "two or more balls of its own colour, so that three or more touch, the whole group explodes.\n\n"
    "The more balls a single shot removes, the more points it brings, so take your time and plan your "
    "shots: the fewer shots you need, the better. Balls that lose their hold and fall off the board are "
    "worth ten times as much as the balls of an exploded group, so look for shots that cut big clusters "
    "loose from the top. A shot can also bounce off a side wall to reach a place you cannot aim at "
    "directly.\n\n"
    "The row of small balls at the bottom left, labelled ATTEMPTS, shows how many misses you have left "
    "before new balls arrive. A miss is a shot that removes nothing. Clear a colour from the board "
    "completely and you earn a bonus at the end of the game, and from then on new balls come only in the "
    "colours that remain. But take care: the fewer colours are left, the more lines are added after each "
    "miss, and the faster the board grows toward you.\n\n"
    "There are two ways to play, chosen in the options together with the level. In strategy mode new "
    "balls arrive after a number of shots that removed nothing, and you may think as long as you like. In "
    "arcade mode they arrive after a period of time: the row of small balls, labelled TIME there, counts "
    "the periods down, so do not wait too long before you shoot. The level, Novice, Expert or Master, "
    "sets how many misses you are allowed and how quickly the time runs out.\n\n"
    "When a game is over you can watch it again in replay mode and study every shot you made. The game "
    "ends when all the balls are destroyed, or when the balls fill the board down to the bottom row. Then "
    "enter your name and see how your score compares with your best. From the top ten you can also open "
    "your best result as a card to print or share. Good luck and have fun!\n\n"
    "Keys in the game:\n"
    "Left, Right - turn the aim (hold to turn faster; with Shift, in fine steps)\n"
    "Up - shoot along the aim\n"
    "Space, Pause or Escape - pause an arcade game, or go on with it\n"
    "Right mouse button - the same as Space, in arcade mode\n"
    "F4 - full screen on or off, in strategy mode\n"
    "F3 or Enter - minimize the window, in strategy mode\n"
    "Any key - end the demo or the replay and go back to your game\n"
    "Game controller - stick or pad aims, A shoots, Start pauses\n\n"
    "Keys in a window such as this one:\n"
    "Enter - press the focused button, else the main one (OK, Yes, Close; No to deleting records)\n"
    "Escape - cancel, or close the window\n"
    "Tab, Shift+Tab - move the focus to the next or the previous control\n"
    "Space - press the button with the focus\n"
    "Top ten: Up, Down, Enter or a click - watch a row's game; Left, Right - the other tables\n"
    "Game controller - A, B and the pad act as Enter, Escape and the arrow keys";
}  // namespace

const std::string& HelpDialog::Text() {
  static const std::string text(kHelpText);  // a constant made once: not process state
  return text;
}

HelpDialog::HelpDialog(Window* window, int x, int y, int width, int height)
    : DialogScreen(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kHelpTitle), -1, 10, 1);
  close_ = AddCommandButton(*this, ButtonPicture::kClose, 440, 402, 0, kCodeClose);
  moreGames_ = AddCommandButton(*this, ButtonPicture::kMoreGames, 356, 415, 0, kCodeSubmit);
  next_ = AddCommandButton(*this, ButtonPicture::kNextPage, width - kPageButtonInset, kNextY, 0, kCodeNo);
  previous_ =
      AddCommandButton(*this, ButtonPicture::kPreviousPage, width - kPageButtonInset, kPreviousY, 0, kCodeNo);
  if (previous_) previous_->visible = false;
  SetKeyButtons(close_, close_);
  SetFocusOrder({previous_, next_, moreGames_, close_});
}

void HelpDialog::LayOutText() {
  if (text_) return;
  DrawFontRecord font;
  font.textColor = 0x3131BA;
  font.backgroundColor = 0xCCCCFF;
  font.styleFlags = 0;
  font.size = 10;
  font.SetFaceName("arial");
  auto text = std::make_unique<TextBlock>();
  text->x = kTextX, text->y = kTextY, text->depth = kTextDepth;
  text->SetSize(GetWidth() - kPageButtonInset - kTextToButtons - kTextX + TextBlock::kPageMargin,
                kTextHeight);
  text->SetText(Text(), &font);
  text_ = static_cast<TextBlock*>(AddClip(std::move(text)));
  if (next_) next_->visible = PageCount() >= 2;
}

int HelpDialog::Page() const {
  return text_ ? text_->GetCurrentFrame() : 0;
}

int HelpDialog::PageCount() const {
  return text_ ? text_->GetFrameCount() : 0;
}

void HelpDialog::ShowPage(int page) {
  if (!text_ || page < 0 || page >= PageCount()) return;
  text_->SetFrame(page);
  if (next_) next_->visible = page + 1 < PageCount();
  if (previous_) previous_->visible = page != 0;
  if (GetPicture()) Redraw();
}

void HelpDialog::Enter(Screen** activeSlot) {
  LayOutText();
  ShowPage(0);
  DialogScreen::Enter(activeSlot);
}

void HelpDialog::OnButtonCommand(Control* button) {
  if (!button) return;
  if (button == close_) {
    Leave();
  } else if (button == moreGames_) {
    game_pages::Open(game_pages::kAbout);
  } else if (button == next_) {
    ShowPage(Page() + 1);
  } else if (button == previous_) {
    ShowPage(Page() - 1);
  }
}
