#include "screens/dialogs/wnd_options.h"

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/check_box.h"
#include "engine/sound.h"
#include "game/game.h"
#include "screens/dialogs/dialog_parts.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/main_screen.h"
#include "screens/progress_bar.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "screens/skins_row.h"

using namespace dialogs;

namespace {
constexpr int kSpeedX = 190, kSpeedY = 264, kSkinsX = 170, kSkinsY = 227;
constexpr int kOkX = 110, kCancelX = 260, kButtonY = 470;

// True when the main screen's session has a score: a game that a restart would throw away.
bool GameInProgress() {
  const AMainWindow* main = screens::mainScreen().get();
  return main && main->GetGame() && main->GetGame()->Score() != 0;
}
}  // namespace

AWndOptions::AWndOptions(OWindow* window, int x, int y, int width, int height)
    : OKillWindowButton(window, x, y, width, height) {
  AddPicture(*this, catalogue::Get(GeneralPicture::kOptionsTitle), -1, 15, 1);
  AddPicture(*this, catalogue::Get(GeneralPicture::kOptionsPanel), 39, 76, 1);
  ok_ = AddCommandButton(*this, ButtonPicture::kYes, kOkX, kButtonY, 0, kCodeYes);
  cancel_ = AddCommandButton(*this, ButtonPicture::kNo, kCancelX, kButtonY, 0, kCodeNo);
  int boxY = kFirstBoxY;
  for (OClipCheckBox*& box : switches_) {
    box = AddCheckBox(*this, ButtonPicture::kCheckBox, kBoxX, boxY);
    if (box) boxY += box->GetHeight() + kBoxGap;
  }
  for (size_t i = 0; i < levels_.size(); ++i)
    levels_[i] = AddCheckBox(*this, ButtonPicture::kRadioBox, kLevelBoxX, kLevelBoxY[i]);
  for (size_t i = 0; i < types_.size(); ++i)
    types_[i] = AddCheckBox(*this, ButtonPicture::kRadioBox, kTypeBoxX, kTypeBoxY[i]);
  speed_ = std::make_unique<AProgressBar>(*this, kSpeedCount, kSpeedX, kSpeedY);
  skins_ = std::make_unique<ASkins>(*this, kSkinsX, kSkinsY);
  savedLevel = GetOptions().Level;
  savedGameType = GetOptions().GameType;
  CheckOnly(levels_, savedLevel);
  CheckOnly(types_, int(savedGameType));
}

// The bar and the row take their clips off this screen, so they go while it still stands.
AWndOptions::~AWndOptions() {
  skins_.reset();
  speed_.reset();
}

template <size_t N>
void AWndOptions::CheckOnly(const std::array<OClipCheckBox*, N>& boxes, int index) {
  for (size_t i = 0; i < N; ++i) {
    if (!boxes[i]) continue;
    if (int(i) == index)
      boxes[i]->Check();
    else
      boxes[i]->Uncheck();
  }
}

template <size_t N>
int AWndOptions::FirstChecked(const std::array<OClipCheckBox*, N>& boxes, int fallback) {
  for (size_t i = 0; i < N; ++i)
    if (boxes[i] && boxes[i]->IsChecked()) return int(i);
  return fallback;
}

OClipControl* AWndOptions::OnLButtonDown(int x, int y) {
  OClipControl* control = OKillWindowButton::OnLButtonDown(x, y);
  skins_->OnPress(x, y);
  return control;
}

OClipControl* AWndOptions::OnLButtonUp(int x, int y) {
  OClipControl* control = OKillWindowButton::OnLButtonUp(x, y);
  if (control) {
    speed_->OnControl(control);
    for (size_t i = 0; i < levels_.size(); ++i)
      if (levels_[i] == control) CheckOnly(levels_, int(i));
    for (size_t i = 0; i < types_.size(); ++i)
      if (types_[i] == control) CheckOnly(types_, int(i));
  }
  skins_->OnRelease(x, y);
  if (GetPicture()) Redraw();
  return control;
}

void AWndOptions::OnKeyUp(int key, int) {
  if (key == kKeyEnter) Ok();
  if (key == kKeyEscape) Cancel();
}

void AWndOptions::Enter(OEngine** activeSlot) {
  Options& options = GetOptions();
  skins_->Load(options.Skins);
  // The box shows what the player really does: a device that refused one channel per effect says no.
  options.DirectSound = GetSound().GetMode() == 1;
  const bool values[kSwitchCount] = {options.SoundOn, options.DirectSound, options.AutoSave, options.Animate};
  for (size_t i = 0; i < switches_.size(); ++i) {
    if (!switches_[i]) continue;
    if (values[i])
      switches_[i]->Check();
    else
      switches_[i]->Uncheck();
  }
  speed_->SetValue(options.FastSpeed);
  savedLevel = options.Level;
  savedGameType = options.GameType;
  CheckOnly(levels_, options.Level);
  CheckOnly(types_, int(options.GameType));
  OKillWindowButton::Enter(activeSlot);
}

void AWndOptions::OnButtonCommand(OClipControl* button) {
  if (!button) return;
  if (button->commandCode == kCodeYes) Ok();
  if (button->commandCode == kCodeNo) Cancel();
}

void AWndOptions::Ok() {
  Options& options = GetOptions();
  AMainWindow* main = screens::mainScreen().get();
  // 1. The looks of the ball colours.
  skins_->Save(options.Skins);
  if (main && main->GetGame()) main->GetGame()->RefreshImages();
  // 2. The switches and the speed; the player follows at once.
  auto checked = [this](Switch s) { return switches_[s] && switches_[s]->IsChecked(); };
  options.SoundOn = checked(kSoundOn);
  options.AutoSave = checked(kAutoSave);
  options.Animate = checked(kAnimate);
  options.DirectSound = checked(kDirectSound);
  options.FastSpeed = speed_->GetValue();
  GetSound().SetEnabled(options.SoundOn);
  GetSound().SetMode(options.DirectSound);
  // 3. The frame period of the new speed.
  if (main) main->SetFramePeriod();
  // 4. Level and mode from the radio groups.
  savedLevel = options.Level;
  options.Level = FirstChecked(levels_, options.Level);
  options.GameType = GameMode(FirstChecked(types_, int(options.GameType)));
  const bool levelChanged = options.Level != savedLevel;
  const bool typeChanged = options.GameType != savedGameType;
  // 5.
  Leave();
  // 6, 7. A change starts anew; a game with a score is thrown away only when the player says yes.
  if (!main || (!levelChanged && !typeChanged)) return;
  AWndRest* ask = screens::newGame().get();
  if (GameInProgress() && ask) {
    ask->requester = this;
    ask->rebuildSession = typeChanged;
    ask->Enter(&ActiveScreen());
  } else if (typeChanged) {
    main->StartGame(true, false);
  } else {
    main->StopDemo();
    if (main->GetGame()) main->GetGame()->Start(false);
  }
}
