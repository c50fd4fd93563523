#include "screens/dialogs/result_dialog.h"

#include <algorithm>
#include <ctime>
#include <memory>

#include "engine/catalogue.h"
#include "engine/edit_box.h"
#include "game/replay_recorder.h"
#include "game/session.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "store/record_files.h"
#include "store/score_table.h"

using namespace dialogs;

namespace {
constexpr int kEditY = 358, kEditMargin = 10, kEditWidth = 260, kEditHeight = 33;
constexpr int kLineY[3] = {115, 200, 280};
constexpr int kBallSize = 32, kLineDepth = -2;
constexpr int kColours = 6;
}  // namespace

ResultDialog::ResultDialog(Window* window, int x, int y, int width, int height)
    : DialogScreen(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kResultPanel), 10, 10, 1);
  if (const Clip* frame = catalogue::Get(GeneralPicture::kNameBox)) {
    auto edit = std::make_unique<EditBox>();
    edit->font.textColor = 0x000052;
    edit->font.size = 14;
    edit->CopyFrom(*frame);
    edit->x = (width - edit->GetWidth()) / 2, edit->y = kEditY;
    edit->SetTextArea(kEditMargin, kEditMargin, kEditWidth, kEditHeight);
    edit->SetMaxLength(kNameLength);
    edit_ = static_cast<EditBox*>(AddControl(std::move(edit)));
  }
  ok_ = AddCommandButton(*this, ButtonPicture::kYes, 70, 410, 0, kCodeYes);
  cancel_ = AddCommandButton(*this, ButtonPicture::kNo, 210, 410, 0, kCodeNo);
  SetKeyButtons(ok_, cancel_);
  SetFocusOrder({edit_, ok_, cancel_}, edit_);
}

int ResultDialog::Bonus(int coloursCleared) {
  if (coloursCleared < 1) return 0;
  return kBonusUnit * coloursCleared * (coloursCleared + 1) / 2;
}

std::string ResultDialog::DefaultName(const std::string& name, int level, const ScoreTable& table) {
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

void ResultDialog::Enter(Screen** activeSlot) {
  const MainScreen* main = screens::mainScreen().get();
  const Session* game = main ? main->GetSession() : nullptr;
  const int score = game ? game->Score() : 0;
  const int bonus = game ? Bonus(kColours - game->PaletteLength()) : 0;
  total_ = score + bonus;
  const int values[3] = {score, bonus, total_};
  for (size_t i = 0; i < 3; ++i) {
    lines_[i].Hide();
    lines_[i].Show(*this, -1, kLineY[i], std::to_string(values[i]), kBallSize + kLineY[i], kLineDepth);
  }
  if (main) name_ = DefaultName(name_, GetOptions().level, main->Scores());
  if (edit_) {
    edit_->SetMaxLength(kNameLength);
    // Focus first: it puts the caret at the start; the text then puts it after the name.
    edit_->SetFocus(true);
    edit_->SetText(name_);
    // Selected, the name offered gives way to the first character typed; a caret key keeps it to edit.
    edit_->SelectAll();
  }
  DialogScreen::Enter(activeSlot);
}

void ResultDialog::Leave() {
  for (BallText& line : lines_)
    line.Hide();
  DialogScreen::Leave();
}

void ResultDialog::OnButtonCommand(Control* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Ok();
  if (button->commandCode == kCodeNo) Cancel();
}

void ResultDialog::Ok() {
  MainScreen* main = screens::mainScreen().get();
  if (main && main->GetSession() && main->GetSession()->Score() != 0) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const std::string date = std::to_string(local.tm_mday) + "-" + std::to_string(local.tm_mon + 1) + "-" +
                             std::to_string(local.tm_year);
    if (edit_) name_ = edit_->GetText();
    // A tab would split the record's fields in the stored table.
    for (char& c : name_)
      if (c == '\t') c = ' ';
    const int code = CurrentLevelCode();
    const ScoreRecord record{date, name_, std::to_string(code)};
    main->Scores().Add(total_, record);
    const int rank = KeepRecording(*main, record);
    Finish();
    if (rank >= 0 && screens::topTen()) screens::topTen()->Open(code, rank);
    return;
  }
  Finish();
}

int ResultDialog::KeepRecording(const MainScreen& main, const ScoreRecord& record) const {
  const auto top = main.Scores().Top(record.code);
  // Among equal results the one just added comes first.
  const auto entered = std::ranges::find_if(
      top, [&](const auto& row) { return row.first == total_ && *row.second == record; });
  if (entered == top.end()) return -1;
  // The replay file is this game's only when its recording was copied there whole at the game's end.
  if (main.GetSession()->ReplayIsThisGame()) ReplayRecorder().KeepReplay(RecordingFilePath(total_, record));
  PruneRecordings(main.Scores());
  return int(entered - top.begin());
}

void ResultDialog::Cancel() {
  Finish();
}

void ResultDialog::Finish() {
  Leave();
  if (MainScreen* main = screens::mainScreen().get())
    if (Session* game = main->GetSession()) game->Start(false);
}
