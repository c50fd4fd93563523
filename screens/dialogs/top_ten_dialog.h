// TopTenDialog: the top-ten screen (336 x 540): the ten best results of a level and mode (at first the
// ones now chosen; a click on the level name or Left and Right turn to the next level code, a click on the
// mode picture to the other mode), ranked, with buttons to close, to clear that list (after a question)
// and to send the best result to the publisher's results page. A click on a row, or Enter on the row Up
// and Down highlight, plays the recording kept with it on the main screen; a row without a readable
// recording is greyed. The list is built afresh at every Enter. Enter (without a row) and Escape close.
#pragma once

#include <array>
#include <string>

#include "engine/dialog_screen.h"
#include "screens/ball_text.h"
#include "store/score_table.h"

class Button;

class TopTenDialog : public DialogScreen {
 public:
  static constexpr int kWidth = 336, kHeight = 540;
  static constexpr int kRows = 10;
  static constexpr int kRowX = 10, kRowY = 122, kRowStep = 31;
  static constexpr int kRowWidth = 320, kRowHeight = 25;
  static constexpr size_t kShownNameLength = 13;
  static constexpr uint32_t kTextColor = 0x3131BA, kRowBackground = 0xCCCCFF;
  static constexpr uint32_t kGreyText = 0x9A9AC8;  // a row whose recording cannot be watched
  static constexpr int kLevelCodes = ScoreTable::kLevelCodes;
  // The ball-letter line of a table without results, centred on its fifth strip (the letters are 30 high).
  static constexpr const char* kEmptyNote = "NO RESULTS";
  static constexpr int kEmptyNoteY = kRowY + 4 * kRowStep - 2, kEmptyNoteDepth = -2;

  // The title picture and the buttons.
  TopTenDialog(Window* window, int x, int y, int width, int height);

  // -- overrides --
  // Title, mode picture and the ten strips, filled in order with the results of the current level code
  // (the note instead when there are none); clear and submit only with results.
  void Enter(Screen** activeSlot) override;
  // Takes the title, the strips with their texts and the note off, then leaves.
  void Leave() override;
  // Close, clear (asks first) or submit.
  void OnButtonCommand(Control* button) override;
  // A row watches its recording; the level name and the mode picture turn the table.
  Control* OnMouseUp(int x, int y) override;
  // Up and Down move the row highlight, Left and Right turn the table.
  void OnKeyDown(int key, int modifiers) override;
  // Enter on a highlighted row (the focus not shown) watches it (nothing for a greyed one); else as a
  // dialog's.
  void OnKeyUp(int key, int modifiers) override;

  // Opens over the active screen on the table of level code code (1..6) with row highlight (-1: none).
  void Open(int code, int highlight);
  // Shows the table step level codes on (the six codes in a ring).
  void Turn(int step);
  // Plays row i's recording on the main screen, coming back here afterwards; false (and nothing done)
  // for a row that cannot be watched.
  bool WatchRow(int i);
  // The coming release of key does nothing here (its press ended a watched recording on the main screen).
  void IgnoreKeyUp(int key) { ignoredKey_ = key; }

  // The results link's digits of the best result of the table shown, or "" without a result.
  std::string ResultDigits() const;

  // The rows shown now, best first: rank (1..10), name (cut), score, and the recording kept with it.
  struct Row {
    std::string name;
    int score = 0;
    int rank = 0;
    std::string recording;   // its path
    bool watchable = false;  // the recording is there with a readable header
  };
  // The level code of the table shown (1..6).
  int Code() const { return code_; }
  // The highlighted row, or -1.
  int Highlight() const { return highlight_; }
  const std::vector<Row>& Rows() const { return rows_; }
  const BallText& Title() const { return title_; }
  // The ball-letter note of an empty table; its letters are on the screen only then.
  const BallText& EmptyNote() const { return emptyNote_; }
  Button* ClearButton() const { return clear_; }
  Button* SubmitButton() const { return submit_; }
  Button* CloseButton() const { return close_; }
  const Clip* ModePicture() const { return modePicture_; }

 private:
  // Title, mode picture, rows, note and buttons of the table of code_.
  void Build();
  // Takes the strips, their texts, the highlight and the note off.
  void RemoveRows();
  // Adds strip i and its text clip (blank without a row).
  void AddRow(int i, const Row* row);
  // Puts the highlight frame on row highlight_ (none at -1).
  void PlaceHighlight();

  BallText title_;
  BallText emptyNote_;
  Clip* modePicture_ = nullptr;
  std::vector<Clip*> rowClips_;  // the strips and their text clips, owned by the screen
  std::vector<Row> rows_;
  Clip* highlightClip_ = nullptr;
  int code_ = 1;
  int highlight_ = -1;
  bool keep_ = false;  // the next Enter keeps code_ and highlight_
  int ignoredKey_ = -1;
  Button* close_ = nullptr;
  Button* clear_ = nullptr;
  Button* submit_ = nullptr;
};
