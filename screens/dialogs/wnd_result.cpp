#include "screens/dialogs/wnd_result.h"

#include <ctime>
#include <memory>

#include "engine/catalogue.h"
#include "engine/edit.h"
#include "game/game.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/main_screen.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "store/scores.h"

using namespace dialogs;

namespace {
constexpr int kEditY = 358, kEditMargin = 10, kEditWidth = 260, kEditHeight = 33;
constexpr int kLineY[3] = {115, 200, 280};
constexpr int kBallSize = 32, kLineDepth = -2;
constexpr int kColours = 6;
}  // namespace

AWndResult::AWndResult(OWindow* window, int x, int y, int width, int height)
    : OKillWindowButton(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kResultPanel), 10, 10, 1);
  if (const OClip* frame = catalogue::Get(GeneralPicture::kNameBox)) {
    auto edit = std::make_unique<OClipEdit>();
    edit->font.textColor = 0x000052;
    edit->font.size = 14;
    edit->CopyFrom(*frame);
    edit->x = (width - edit->GetWidth()) / 2, edit->y = kEditY;
    edit->SetTextArea(kEditMargin, kEditMargin, kEditWidth, kEditHeight);
    edit->SetMaxLength(kNameLength);
    edit_ = static_cast<OClipEdit*>(AddControl(std::move(edit)));
  }
  ok_ = AddCommandButton(*this, ButtonPicture::kYes, 70, 410, 0, kCodeYes);
  cancel_ = AddCommandButton(*this, ButtonPicture::kNo, 210, 410, 0, kCodeNo);
}

int AWndResult::Bonus(int coloursCleared) {
  if (coloursCleared < 1) return 0;
  return kBonusUnit * coloursCleared * (coloursCleared + 1) / 2;
}

std::string AWndResult::DefaultName(const std::string& name, int level, const TScoresTable& table) {
  std::string result = name;
  if (result.empty()) {
    const std::string code = std::to_string(level + 1);
    for (const auto& [score, record] : table)
      if (record.code == code) {
        result = record.name;
        break;
      }
  }
  const bool blank = result.find_first_not_of(' ') == std::string::npos;
  bool levelName = false;
  for (int l = 0; l < kLevelCount; ++l)
    levelName = levelName || result == LevelName(l);
  if (blank || levelName) result = LevelName(level);
  return result;
}

void AWndResult::Enter(OEngine** activeSlot) {
  const AMainWindow* main = screens::mainScreen().get();
  const Game* game = main ? main->GetGame() : nullptr;
  const int score = game ? game->Score() : 0;
  const int bonus = game ? Bonus(kColours - game->PaletteLength()) : 0;
  total_ = score + bonus;
  const int values[3] = {score, bonus, total_};
  for (size_t i = 0; i < 3; ++i) {
    lines_[i].Hide();
    lines_[i].Show(*this, -1, kLineY[i], std::to_string(values[i]), kBallSize + kLineY[i], kLineDepth);
  }
  if (main) name_ = DefaultName(name_, GetOptions().Level, main->Scores());
  if (edit_) {
    edit_->SetMaxLength(kNameLength);
    // Focus first: it puts the caret at the start; the text then puts it after the name.
    edit_->SetFocus(true);
    edit_->SetText(name_);
  }
  OKillWindowButton::Enter(activeSlot);
}

void AWndResult::Leave() {
  for (AStringB& line : lines_)
    line.Hide();
  OKillWindowButton::Leave();
}

void AWndResult::OnKeyUp(int key, int) {
  if (key == kKeyEnter) Ok();
  if (key == kKeyEscape) Cancel();
}

void AWndResult::OnButtonCommand(OClipControl* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Ok();
  if (button->commandCode == kCodeNo) Cancel();
}

void AWndResult::Ok() {
  AMainWindow* main = screens::mainScreen().get();
  if (main && main->GetGame() && main->GetGame()->Score() != 0) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string date = std::to_string(local.tm_mday) + "-" + std::to_string(local.tm_mon + 1) + "-" +
                             std::to_string(local.tm_year);
    if (edit_) name_ = edit_->GetText();
    // A tab would split the record's fields in the stored table.
    for (char& c : name_)
      if (c == '\t') c = ' ';
    main->Scores().AddRecord(date + "\t" + name_ + "\t" + std::to_string(CurrentLevelCode()) + "\t" +
                             std::to_string(total_));
  }
  Finish();
}

void AWndResult::Cancel() {
  Finish();
}

void AWndResult::Finish() {
  Leave();
  if (AMainWindow* main = screens::mainScreen().get())
    if (Game* game = main->GetGame()) game->Start(false);
}
