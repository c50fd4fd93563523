// AWndHelp: the help screen (650 x 500, re-centred over the main screen each time it opens): the rules
// laid out as pages of text with next and previous page buttons, a close button and the link to the
// page of further games. Enter closes it.
#pragma once

#include <string>

#include "engine/kill_window_button.h"

class OClipButton;
class OText;

class AWndHelp : public OKillWindowButton {
 public:
  static constexpr int kWidth = 650, kHeight = 500;
  static constexpr int kTextX = 20, kTextY = 73, kTextHeight = 320, kTextDepth = -200;

  // The title, the buttons and the text, laid out into pages.
  AWndHelp(OWindow* window, int x, int y, int width, int height);

  // -- overrides --
  // Opens at the first page.
  void Enter(OEngine** activeSlot) override;
  // Enter closes.
  void OnKeyUp(int key, int modifiers) override;
  // Close, more games, next or previous page.
  void OnButtonCommand(OClipControl* button) override;

  // Shows page (0 or 1) with the button that leads to the other one.
  void ShowPage(int page);
  // The page shown, and how many there are.
  int Page() const;
  int PageCount() const;

  OClipButton* NextButton() const { return next_; }
  OClipButton* PreviousButton() const { return previous_; }
  OClipButton* MoreGamesButton() const { return moreGames_; }
  OClipButton* CloseButton() const { return close_; }

  // The text the help shows.
  static const std::string& Text();

 private:
  OText* text_ = nullptr;
  OClipButton* close_ = nullptr;
  OClipButton* moreGames_ = nullptr;
  OClipButton* next_ = nullptr;
  OClipButton* previous_ = nullptr;
};
