#include "screens/dialogs/top_ten_dialog.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/draw_style.h"
#include "engine/game_pages.h"
#include "engine/platform.h"
#include "engine/text_block.h"
#include "game/replay_recorder.h"
#include "game/session.h"
#include "screens/dialogs/clear_records_dialog.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/results_link.h"
#include "screens/main_screen.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "store/record_files.h"
#include "store/score_table.h"

using namespace dialogs;

namespace {
constexpr int kTitleY = 87, kTitleDrop = 100, kModeY = 65;
constexpr int kTextMargin = 5, kNameX = 38, kScoreRight = 312;
constexpr int kHighlightBorder = 2;

// Draws a row's text on a surface keyed by its background, so only the letters show; an empty row
// (null) shows nothing over its strip.
std::unique_ptr<Bitmap> RowSurface(const TopTenDialog::Row* row) {
  auto surface = std::make_unique<Bitmap>();
  if (!surface->Create(TopTenDialog::kRowWidth, TopTenDialog::kRowHeight)) return surface;
  const DrawPenRecord savedPen = DrawPen();
  const DrawBrushRecord savedBrush = DrawBrush();
  DrawPen().color = TopTenDialog::kRowBackground;
  DrawBrush().color = TopTenDialog::kRowBackground;
  surface->DrawRectangle(0, 0, TopTenDialog::kRowWidth, TopTenDialog::kRowHeight);
  DrawPen() = savedPen;
  DrawBrush() = savedBrush;
  surface->SetColorKey(-1);
  if (!row) return surface;
  DrawFontRecord font;
  font.textColor = row->watchable ? TopTenDialog::kTextColor : TopTenDialog::kGreyText;
  font.backgroundColor = TopTenDialog::kRowBackground;
  font.styleFlags = kFontBold;
  font.size = 15;
  font.SetFaceName("Courier New");
  DrawFontScope scope(font);
  const std::string rank = std::to_string(row->rank) + ".";
  surface->DrawText(rank.c_str(), kTextMargin, kTextMargin);
  surface->DrawText(row->name.c_str(), kNameX, kTextMargin);
  char score[16];
  std::snprintf(score, sizeof score, "%8d", row->score);
  int width = 0, height = 0;
  surface->MeasureText(score, width, height);
  surface->DrawText(score, kScoreRight - width, kTextMargin);
  return surface;
}

// A frame around a row, keyed inside, so the row shows through.
std::unique_ptr<Bitmap> HighlightSurface() {
  auto surface = std::make_unique<Bitmap>();
  if (!surface->Create(TopTenDialog::kRowWidth, TopTenDialog::kRowHeight)) return surface;
  const DrawPenRecord savedPen = DrawPen();
  const DrawBrushRecord savedBrush = DrawBrush();
  DrawPen().color = DrawBrush().color = TopTenDialog::kTextColor;
  surface->DrawRectangle(0, 0, TopTenDialog::kRowWidth, TopTenDialog::kRowHeight);
  DrawPen().color = DrawBrush().color = TopTenDialog::kRowBackground;
  surface->DrawRectangle(kHighlightBorder, kHighlightBorder, TopTenDialog::kRowWidth - 2 * kHighlightBorder,
                         TopTenDialog::kRowHeight - 2 * kHighlightBorder);
  DrawPen() = savedPen;
  DrawBrush() = savedBrush;
  surface->SetColorKey(int32_t(TopTenDialog::kRowBackground));
  return surface;
}

// The level (0..2) and mode of a level code (1..6).
int CodeLevel(int code) {
  return (code - 1) % 3;
}
GameMode CodeMode(int code) {
  return code > 3 ? GameMode::kArcade : GameMode::kStrategy;
}
}  // namespace

TopTenDialog::TopTenDialog(Window* window, int x, int y, int width, int height)
    : DialogScreen(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kTopTenTitle), -1, 10, 1);
  close_ = AddCommandButton(*this, ButtonPicture::kClose, 125, 432, 0, kCodeClose);
  clear_ = AddCommandButton(*this, ButtonPicture::kClear, 233, 435, 0, kCodeClear);
  submit_ = AddCommandButton(*this, ButtonPicture::kSubmit, 24, 435, 0, kCodeSubmit);
  SetKeyButtons(close_, close_);
  SetFocusOrder({submit_, close_, clear_});
}

void TopTenDialog::Enter(Screen** activeSlot) {
  if (!keep_) code_ = CurrentLevelCode(), highlight_ = -1;
  keep_ = false;
  Build();
  DialogScreen::Enter(activeSlot);
}

void TopTenDialog::Open(int code, int highlight) {
  code_ = std::clamp(code, 1, kLevelCodes);
  highlight_ = highlight;
  keep_ = true;
  Enter(&ActiveScreen());
}

void TopTenDialog::Build() {
  title_.Hide();
  title_.Show(*this, -1, kTitleY, LevelName(CodeLevel(code_)), kTitleDrop, 0);
  if (modePicture_) RemoveClip(modePicture_);
  modePicture_ =
      AddPicture(*this,
                 catalogue::Get(CodeMode(code_) == GameMode::kArcade ? GeneralPicture::kArcadeBadge
                                                                     : GeneralPicture::kStrategyBadge),
                 -1, kModeY, 1);
  RemoveRows();
  if (const MainScreen* main = screens::mainScreen().get())
    for (const auto& [score, record] : main->Scores().Top(std::to_string(code_))) {
      Row row{record->name.substr(0, kShownNameLength), score, int(rows_.size()) + 1,
              RecordingFilePath(score, *record), false};
      int level = 0, type = 0;
      row.watchable = ReadReplayHeader(row.recording, level, type) == ReplayHeaderCheck::kOk;
      rows_.push_back(std::move(row));
    }
  // Always the ten strips, so the table looks the same however many results it holds.
  for (int i = 0; i < kRows; ++i)
    AddRow(i, i < int(rows_.size()) ? &rows_[size_t(i)] : nullptr);
  if (rows_.empty()) emptyNote_.Show(*this, -1, kEmptyNoteY, kEmptyNote, kTitleDrop, kEmptyNoteDepth);
  if (highlight_ >= int(rows_.size())) highlight_ = -1;
  PlaceHighlight();
  if (clear_) clear_->visible = !rows_.empty();
  if (submit_) submit_->visible = !rows_.empty();
}

void TopTenDialog::Turn(int step) {
  code_ = (code_ - 1 + step % kLevelCodes + kLevelCodes) % kLevelCodes + 1;
  highlight_ = -1;
  Build();
}

void TopTenDialog::PlaceHighlight() {
  if (highlightClip_) RemoveClip(highlightClip_);
  highlightClip_ = nullptr;
  if (highlight_ < 0) return;
  auto frame = std::make_unique<Clip>();
  frame->AddFrame(HighlightSurface());
  frame->x = kRowX, frame->y = kRowY + kRowStep * highlight_, frame->depth = -2;
  highlightClip_ = AddClip(std::move(frame));
  SortByDepth();
}

bool TopTenDialog::WatchRow(int i) {
  MainScreen* main = screens::mainScreen().get();
  if (!main || i < 0 || i >= int(rows_.size()) || !rows_[size_t(i)].watchable) return false;
  highlight_ = i;
  const Row row = rows_[size_t(i)];
  Leave();
  if (main->Watch(row.recording, row.name, row.score)) return true;
  Open(code_, i);
  return false;
}

Control* TopTenDialog::OnMouseUp(int x, int y) {
  if (Control* control = DialogScreen::OnMouseUp(x, y)) return control;
  if (GetPendingButton()) return nullptr;
  x -= GetX(), y -= GetY();
  const int row = (y - kRowY) / kRowStep;
  if (x >= kRowX && x < kRowX + kRowWidth && y >= kRowY && (y - kRowY) % kRowStep < kRowHeight)
    WatchRow(row);
  else if (modePicture_ && y >= kModeY && y < kTitleY)
    Turn(3);  // the other mode, same level
  else if (y >= kTitleY && y < kRowY)
    Turn(CodeLevel(code_) == 2 ? -2 : 1);  // the next level, same mode
  return nullptr;
}

void TopTenDialog::OnKeyDown(int key, int modifiers) {
  const int rows = int(rows_.size());
  if ((key == vk::kDown || key == vk::kUp) && rows > 0) {
    highlight_ = key == vk::kDown ? (highlight_ + 1) % rows : (highlight_ <= 0 ? rows : highlight_) - 1;
    PlaceHighlight();
  } else if (key == vk::kLeft || key == vk::kRight) {
    Turn(key == vk::kRight ? 1 : -1);
  } else {
    DialogScreen::OnKeyDown(key, modifiers);
  }
}

void TopTenDialog::OnKeyUp(int key, int modifiers) {
  if (key == ignoredKey_) {
    ignoredKey_ = -1;
    return;
  }
  // A highlighted row takes Enter, even one that cannot be watched: the player meant the row.
  if (key == vk::kReturn && !IsFocusShown() && !GetPendingButton() && highlight_ >= 0) {
    WatchRow(highlight_);
    return;
  }
  DialogScreen::OnKeyUp(key, modifiers);
}

void TopTenDialog::AddRow(int i, const Row* row) {
  const int y = kRowY + kRowStep * i;
  if (Clip* picture = AddPicture(*this, catalogue::Get(GeneralPicture::kTopTenRow), kRowX, y, 0))
    rowClips_.push_back(picture);
  auto text = std::make_unique<Clip>();
  text->AddFrame(RowSurface(row));
  text->x = kRowX, text->y = y, text->depth = -1;
  if (Clip* added = AddClip(std::move(text))) rowClips_.push_back(added);
}

void TopTenDialog::RemoveRows() {
  emptyNote_.Hide();
  if (highlightClip_) RemoveClip(highlightClip_);
  highlightClip_ = nullptr;
  for (Clip* clip : rowClips_)
    RemoveClip(clip);
  rowClips_.clear();
  rows_.clear();
}

void TopTenDialog::Leave() {
  title_.Hide();
  RemoveRows();
  DialogScreen::Leave();
}

std::string TopTenDialog::ResultDigits() const {
  const MainScreen* main = screens::mainScreen().get();
  if (!main) return {};
  const std::string code = std::to_string(code_);
  const auto top = main->Scores().Top(code);
  if (top.empty()) return {};
  return results_link::Encode(results_link::ResultText(top.front().first, code, top.front().second->name));
}

void TopTenDialog::OnButtonCommand(Control* button) {
  if (!button) return;
  if (button == close_) {
    Leave();
  } else if (button == clear_) {
    if (screens::clearRecords()) screens::clearRecords()->Enter(&ActiveScreen());
  } else if (button == submit_) {
    // The game's results page reads the digits from its address and shows the result card.
    const std::string digits = ResultDigits();
    if (!digits.empty()) game_pages::Open(game_pages::kResults, "?e=" + digits);
    Leave();
  }
}
