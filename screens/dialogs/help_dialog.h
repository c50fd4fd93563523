// HelpDialog: the help screen (650 x 500, re-centred over the main screen each time it opens): the rules
// laid out as pages of text with next and previous page buttons, a close button and the link to the
// page of further games. Enter and Escape close it.
#pragma once

#include <string>

#include "engine/dialog_screen.h"

class Button;
class TextBlock;

class HelpDialog : public DialogScreen {
 public:
  static constexpr int kWidth = 650, kHeight = 500;
  static constexpr int kTextX = 20, kTextY = 73, kTextHeight = 320, kTextDepth = -200;

  // The title and the buttons; the text is laid out when the dialog first opens.
  HelpDialog(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // Lays out the text into pages the first time, then opens at the first page.
  void Enter(Screen** activeSlot) override;
  // Close, more games, next or previous page.
  void OnButtonCommand(Control* button) override;

  // Shows page (0 .. PageCount() - 1) with the buttons that lead to the pages before and after it.
  void ShowPage(int page);
  // The page shown, and how many there are (none before the first opening).
  int Page() const;
  int PageCount() const;

  Button* NextButton() const { return next_; }
  Button* PreviousButton() const { return previous_; }
  Button* MoreGamesButton() const { return moreGames_; }
  Button* CloseButton() const { return close_; }

  // The text the help shows.
  static const std::string& Text();

 private:
  // Adds the text, laid out into pages beside the page buttons, unless it is there already; the next
  // button shows when a second page exists.
  void LayOutText();

  TextBlock* text_ = nullptr;
  Button* close_ = nullptr;
  Button* moreGames_ = nullptr;
  Button* next_ = nullptr;
  Button* previous_ = nullptr;
};
