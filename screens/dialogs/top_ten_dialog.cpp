#include "screens/dialogs/top_ten_dialog.h"

#include <cstdio>
#include <memory>

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/draw_style.h"
#include "engine/game_pages.h"
#include "engine/text_block.h"
#include "game/session.h"
#include "screens/dialogs/clear_records_dialog.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/results_link.h"
#include "screens/main_screen.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "store/score_table.h"

using namespace dialogs;

namespace {
constexpr int kTitleY = 87, kTitleDrop = 100, kModeY = 65;
constexpr int kTextMargin = 5, kScoreRight = 312;

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
  font.textColor = TopTenDialog::kTextColor;
  font.backgroundColor = TopTenDialog::kRowBackground;
  font.styleFlags = kFontBold;
  font.size = 15;
  font.SetFaceName("Courier New");
  DrawFontScope scope(font);
  surface->DrawText(row->name.c_str(), kTextMargin, kTextMargin);
  char score[16];
  std::snprintf(score, sizeof score, "%8d", row->score);
  int width = 0, height = 0;
  surface->MeasureText(score, width, height);
  surface->DrawText(score, kScoreRight - width, kTextMargin);
  return surface;
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
  const Options& options = GetOptions();
  title_.Hide();
  title_.Show(*this, -1, kTitleY, LevelName(options.level), kTitleDrop, 0);
  if (modePicture_) RemoveClip(modePicture_);
  modePicture_ =
      AddPicture(*this,
                 catalogue::Get(options.mode == GameMode::kArcade ? GeneralPicture::kArcadeBadge
                                                                  : GeneralPicture::kStrategyBadge),
                 -1, kModeY, 1);
  RemoveRows();
  const std::string code = std::to_string(CurrentLevelCode());
  if (const MainScreen* main = screens::mainScreen().get())
    for (const auto& [score, record] : main->Scores()) {
      if (int(rows_.size()) == kRows) break;
      if (record.code == code) rows_.push_back({record.name.substr(0, kShownNameLength), score});
    }
  // Always the ten strips, so the table looks the same however many results it holds.
  for (int i = 0; i < kRows; ++i)
    AddRow(i, i < int(rows_.size()) ? &rows_[size_t(i)] : nullptr);
  if (rows_.empty()) emptyNote_.Show(*this, -1, kEmptyNoteY, kEmptyNote, kTitleDrop, kEmptyNoteDepth);
  if (clear_) clear_->visible = !rows_.empty();
  if (submit_) submit_->visible = !rows_.empty();
  DialogScreen::Enter(activeSlot);
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
  const std::string code = std::to_string(CurrentLevelCode());
  for (const auto& [score, record] : main->Scores())
    if (record.code == code) return results_link::Encode(results_link::ResultText(score, code, record.name));
  return {};
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
