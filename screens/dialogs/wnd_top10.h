// AWndTop10: the top-ten screen (336 x 540): the ten best results of the level and mode now chosen, with
// buttons to close, to clear that list (after a question) and to send the best result to the
// publisher's results page. The list is built afresh at every Enter.
#pragma once

#include <array>
#include <string>

#include "engine/kill_window_button.h"
#include "screens/ball_string.h"

class OClipButton;

class AWndTop10 : public OKillWindowButton {
 public:
  static constexpr int kWidth = 336, kHeight = 540;
  static constexpr int kRows = 10;
  static constexpr int kRowX = 10, kRowY = 122, kRowStep = 31;
  static constexpr int kRowWidth = 320, kRowHeight = 25;
  static constexpr size_t kShownNameLength = 13;
  static constexpr uint32_t kTextColor = 0x3131BA, kRowBackground = 0xCCCCFF;

  // The title picture and the buttons.
  AWndTop10(OWindow* window, int x, int y, int width, int height);

  // -- overrides --
  // Title, mode picture and the rows of the current level code; clear and submit only with rows.
  void Enter(OEngine** activeSlot) override;
  // Takes the title and the rows off, then leaves.
  void Leave() override;
  // Close, clear (asks first) or submit.
  void OnButtonCommand(OClipControl* button) override;

  // The address the best result of the current level code goes to, or "" without a result.
  std::string ResultsAddress() const;

  // The texts of the rows shown now, best first: name (cut) and score.
  struct Row {
    std::string name;
    int score = 0;
  };
  const std::vector<Row>& Rows() const { return rows_; }
  const AStringB& Title() const { return title_; }
  OClipButton* ClearButton() const { return clear_; }
  OClipButton* SubmitButton() const { return submit_; }
  OClipButton* CloseButton() const { return close_; }
  const OClip* ModePicture() const { return modePicture_; }

 private:
  // Takes the row pictures and texts off.
  void RemoveRows();
  // Adds row i's picture and text clip.
  void AddRow(int i, const Row& row);

  AStringB title_;
  OClip* modePicture_ = nullptr;
  std::vector<OClip*> rowClips_;  // the row pictures and text clips, owned by the screen
  std::vector<Row> rows_;
  OClipButton* close_ = nullptr;
  OClipButton* clear_ = nullptr;
  OClipButton* submit_ = nullptr;
};
