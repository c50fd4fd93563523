// TopTenDialog: the top-ten screen (336 x 540): the ten best results of the level and mode now chosen, with
// buttons to close, to clear that list (after a question) and to send the best result to the
// publisher's results page. The list is built afresh at every Enter. Enter and Escape close it.
#pragma once

#include <array>
#include <string>

#include "engine/dialog_screen.h"
#include "screens/ball_text.h"

class Button;

class TopTenDialog : public DialogScreen {
 public:
  static constexpr int kWidth = 336, kHeight = 540;
  static constexpr int kRows = 10;
  static constexpr int kRowX = 10, kRowY = 122, kRowStep = 31;
  static constexpr int kRowWidth = 320, kRowHeight = 25;
  static constexpr size_t kShownNameLength = 13;
  static constexpr uint32_t kTextColor = 0x3131BA, kRowBackground = 0xCCCCFF;
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

  // The results link's digits of the best result of the current level code, or "" without a result.
  std::string ResultDigits() const;

  // The texts of the rows shown now, best first: name (cut) and score.
  struct Row {
    std::string name;
    int score = 0;
  };
  const std::vector<Row>& Rows() const { return rows_; }
  const BallText& Title() const { return title_; }
  // The ball-letter note of an empty table; its letters are on the screen only then.
  const BallText& EmptyNote() const { return emptyNote_; }
  Button* ClearButton() const { return clear_; }
  Button* SubmitButton() const { return submit_; }
  Button* CloseButton() const { return close_; }
  const Clip* ModePicture() const { return modePicture_; }

 private:
  // Takes the strips, their texts and the note off.
  void RemoveRows();
  // Adds strip i and its text clip (blank without a row).
  void AddRow(int i, const Row* row);

  BallText title_;
  BallText emptyNote_;
  Clip* modePicture_ = nullptr;
  std::vector<Clip*> rowClips_;  // the strips and their text clips, owned by the screen
  std::vector<Row> rows_;
  Button* close_ = nullptr;
  Button* clear_ = nullptr;
  Button* submit_ = nullptr;
};
