#include "screens/dialogs/options_dialog.h"

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/check_box.h"
#include "engine/sound_player.h"
#include "game/session.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/main_screen.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "screens/skin_row.h"
#include "screens/step_selector.h"

using namespace dialogs;

namespace {
constexpr int kSpeedX = 190, kSpeedY = 284, kSkinsX = 170, kSkinsY = 212;
constexpr int kOkX = 110, kCancelX = 260, kButtonY = 470;
// The pane over the DirectSound box (115, 104) and its label; a blend 40 % the box, 60 % background reads
// as greyed.
constexpr int kMixVeilX = 113, kMixVeilY = 102, kMixVeilWidth = 127, kMixVeilHeight = 28;
constexpr int kVeilTransparency = 102;

// True when the main screen's session has a score: a game that a restart would throw away.
bool GameInProgress() {
  const MainScreen* main = screens::mainScreen().get();
  return main && main->GetSession() && main->GetSession()->Score() != 0;
}

// A hidden pane of the screen's background colour, in front of the controls: what shows through it is
// greyed. Null when it cannot be made.
Clip* AddVeil(Screen& screen, int x, int y, int width, int height) {
  auto pane = std::make_unique<Bitmap>();
  if (!pane->Create(width, height, int32_t(screen.backgroundColor & 0xFFFFFF))) return nullptr;
  pane->transparency = kVeilTransparency;
  auto veil = std::make_unique<Clip>();
  veil->AddFrame(std::move(pane));
  veil->x = x, veil->y = y, veil->depth = -1;
  veil->visible = false;
  return screen.AddClip(std::move(veil));
}
}  // namespace

OptionsDialog::OptionsDialog(Window* window, int x, int y, int width, int height)
    : DialogScreen(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kOptionsTitle), -1, 15, 1);
  AddPicture(*this, catalogue::Get(GeneralPicture::kOptionsPanel), 39, 76, 1);
  ok_ = AddCommandButton(*this, ButtonPicture::kYes, kOkX, kButtonY, 0, kCodeYes);
  cancel_ = AddCommandButton(*this, ButtonPicture::kNo, kCancelX, kButtonY, 0, kCodeNo);
  int boxY = kFirstBoxY;
  for (CheckBox*& box : switches_) {
    box = AddCheckBox(*this, ButtonPicture::kCheckBox, kBoxX, boxY);
    if (box) boxY += box->GetHeight() + kBoxGap;
  }
  // Reading order: 1x, 2x, 3x, automatic.
  for (int i = 0; i < kWindowSizeCount; ++i) {
    const int place = (i + kWindowSizeCount - 1) % kWindowSizeCount;
    sizes_[size_t(i)] =
        AddCheckBox(*this, ButtonPicture::kRadioBox, kSizeBoxX[place % 2], kSizeBoxY[place / 2]);
  }
  symbols_ = AddCheckBox(*this, ButtonPicture::kCheckBox, kSymbolsX, kSymbolsY);
  for (size_t i = 0; i < levels_.size(); ++i)
    levels_[i] = AddCheckBox(*this, ButtonPicture::kRadioBox, kLevelBoxX, kLevelBoxY[i]);
  for (size_t i = 0; i < types_.size(); ++i)
    types_[i] = AddCheckBox(*this, ButtonPicture::kRadioBox, kTypeBoxX, kTypeBoxY[i]);
  speed_ = std::make_unique<StepSelector>(*this, kSpeedCount, kSpeedX, kSpeedY);
  skins_ = std::make_unique<SkinRow>(*this, kSkinsX, kSkinsY);
  savedLevel = GetOptions().level;
  savedGameType = GetOptions().mode;
  CheckOnly(levels_, savedLevel);
  CheckOnly(types_, int(savedGameType));
  SetKeyButtons(ok_, cancel_);
  // Top to bottom as the dialog reads: the switches, the window sizes, the symbols box, the speed, the
  // levels and modes, the answers.
  std::vector<Control*> order(switches_.begin(), switches_.end());
  order.insert(order.end(), sizes_.begin() + 1, sizes_.end());
  order.push_back(sizes_[0]);
  order.push_back(symbols_);
  order.insert(order.end(), speed_->Cells().begin(), speed_->Cells().end());
  order.insert(order.end(), levels_.begin(), levels_.end());
  order.insert(order.end(), types_.begin(), types_.end());
  order.insert(order.end(), {ok_, cancel_});
  SetFocusOrder(std::move(order));
}

// The bar and the row take their clips off this screen, so they go while it still stands.
OptionsDialog::~OptionsDialog() {
  skins_.reset();
  speed_.reset();
}

template <size_t N>
void OptionsDialog::CheckOnly(const std::array<CheckBox*, N>& boxes, int index) {
  for (size_t i = 0; i < N; ++i) {
    if (!boxes[i]) continue;
    if (int(i) == index)
      boxes[i]->Check();
    else
      boxes[i]->Uncheck();
  }
}

template <size_t N>
int OptionsDialog::FirstChecked(const std::array<CheckBox*, N>& boxes, int fallback) {
  for (size_t i = 0; i < N; ++i)
    if (boxes[i] && boxes[i]->IsChecked()) return int(i);
  return fallback;
}

Control* OptionsDialog::OnMouseMove(int x, int y) {
  Control* control = DialogScreen::OnMouseMove(x, y);
  skins_->OnHover(x, y);
  return control;
}

Control* OptionsDialog::OnMouseDown(int x, int y) {
  Control* control = DialogScreen::OnMouseDown(x, y);
  skins_->OnPress(x, y);
  return control;
}

void OptionsDialog::FollowBox(Control* control) {
  if (control && control == switches_[kSoundOn]) FollowSound();
  if (control && control == symbols_)
    skins_->ShowAll(symbols_->IsChecked() ? SkinRow::kSymbolLook : SkinRow::kPlainLook);
  speed_->OnControl(control);
  for (size_t i = 0; i < levels_.size(); ++i)
    if (levels_[i] == control) CheckOnly(levels_, int(i));
  for (size_t i = 0; i < types_.size(); ++i)
    if (types_[i] == control) CheckOnly(types_, int(i));
  for (size_t i = 0; i < sizes_.size(); ++i)
    if (sizes_[i] == control) CheckOnly(sizes_, int(i));
}

Control* OptionsDialog::OnMouseUp(int x, int y) {
  Control* control = DialogScreen::OnMouseUp(x, y);
  if (control) FollowBox(control);
  skins_->OnRelease(x, y);
  FollowSwatches();
  if (GetPicture()) Redraw();
  return control;
}

void OptionsDialog::FollowSound() {
  const bool soundOn = switches_[kSoundOn] && switches_[kSoundOn]->IsChecked();
  if (CheckBox* mix = switches_[kMixSounds]) mix->enabled = soundOn;
  if (mixVeil_) mixVeil_->visible = !soundOn;
}

void OptionsDialog::FollowSwatches() {
  if (!symbols_ || symbols_->IsChecked() == skins_->AllShow(SkinRow::kSymbolLook)) return;
  if (symbols_->IsChecked())
    symbols_->Uncheck();
  else
    symbols_->Check();
}

void OptionsDialog::OnControlKeyed(Control* control) {
  DialogScreen::OnControlKeyed(control);
  FollowBox(control);
  FollowSwatches();
}

void OptionsDialog::Enter(Screen** activeSlot) {
  Options& options = GetOptions();
  skins_->Load(options.skins);
  FollowSwatches();
  // The background colour is the dialog's once it is set up, so the pane is made at the first showing.
  if (!mixVeil_) mixVeil_ = AddVeil(*this, kMixVeilX, kMixVeilY, kMixVeilWidth, kMixVeilHeight);
  // The box shows what the player really does: a device that refused one channel per effect says no.
  options.mixSounds = GetSound().GetMode() == 1;
  const bool values[kSwitchCount] = {options.soundOn, options.mixSounds, options.autoSave, options.animate};
  for (size_t i = 0; i < switches_.size(); ++i) {
    if (!switches_[i]) continue;
    if (values[i])
      switches_[i]->Check();
    else
      switches_[i]->Uncheck();
  }
  FollowSound();
  speed_->SetValue(options.speed);
  savedLevel = options.level;
  savedGameType = options.mode;
  CheckOnly(levels_, options.level);
  CheckOnly(types_, int(options.mode));
  CheckOnly(sizes_, options.windowSize);
  DialogScreen::Enter(activeSlot);
}

void OptionsDialog::OnButtonCommand(Control* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Ok();
  if (button->commandCode == kCodeNo) Cancel();
}

void OptionsDialog::Ok() {
  Options& options = GetOptions();
  MainScreen* main = screens::mainScreen().get();
  // 1. The looks of the ball colours.
  skins_->Save(options.skins);
  if (main && main->GetSession()) main->GetSession()->RefreshImages();
  // 2. The switches and the speed; the player follows at once.
  auto checked = [this](Switch s) { return switches_[s] && switches_[s]->IsChecked(); };
  options.soundOn = checked(kSoundOn);
  options.autoSave = checked(kAutoSave);
  options.animate = checked(kAnimate);
  options.mixSounds = checked(kMixSounds);
  options.speed = speed_->GetValue();
  GetSound().SetEnabled(options.soundOn);
  GetSound().SetMode(options.mixSounds);
  // 3. The frame period of the new speed.
  if (main) main->SetFramePeriod();
  // 4. Level and mode from the radio groups.
  savedLevel = options.level;
  options.level = FirstChecked(levels_, options.level);
  options.mode = GameMode(FirstChecked(types_, int(options.mode)));
  const bool levelChanged = options.level != savedLevel;
  const bool typeChanged = options.mode != savedGameType;
  options.windowSize = FirstChecked(sizes_, options.windowSize);
  // 5.
  Leave();
  // The window takes its size once the dialog has gone, so the main screen is what is drawn at it.
  if (Window* window = GetWindow(); window && main) {
    window->ChooseScale(options.windowSize, main->GetWidth(), main->GetHeight());
  }
  // 6, 7. A change starts anew; a game with a score is thrown away only when the player says yes.
  if (!main || (!levelChanged && !typeChanged)) return;
  NewGameDialog* ask = screens::newGame().get();
  if (GameInProgress() && ask) {
    ask->requester = this;
    ask->rebuildSession = typeChanged;
    ask->Enter(&ActiveScreen());
  } else if (typeChanged) {
    main->StartGame(true, false);
  } else {
    main->StopDemo();
    if (main->GetSession()) main->GetSession()->Start(false);
  }
}
