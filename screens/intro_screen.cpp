#include "screens/intro_screen.h"

#include <algorithm>

#include "engine/active_screen.h"
#include "engine/sound_player.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"
#include "screens/screens_context.h"
#include "screens/zoom_clip.h"

const int IntroScreen::kPulse[kPulseCount + 1] = {0,  5,  10, 3,  7,  15, 5,  10, 12, 8,  21, 14,       25,
                                                  10, 18, 5,  25, 20, 27, 29, 22, 18, 22, 25, 27,       30,
                                                  33, 27, 31, 29, 33, 28, 35, 33, 30, 20, 37, 30,       28,
                                                  35, 38, 28, 25, 30, 35, 29, 40, 30, 23, 50, kPulseEnd};

namespace {
// Where the four bursts go when the pulse ends.
constexpr int kBursts[4][2] = {{211, 168}, {251, 168}, {211, 218}, {251, 218}};
}  // namespace

IntroScreen::IntroScreen(Window* window, int x, int y, int width, int height)
    : Screen(window, x, y, width, height) {}

bool IntroScreen::Build(LoadResult& failure) {
  elapsed_ = 0;
  auto background = std::make_unique<Clip>();
  failure = background->Load(kBackgroundFile);
  if (!failure) return false;
  background->x = 0, background->y = 0, background->depth = kBackgroundDepth;
  background->SetFrameTime(0);
  background->SetColorKeyAll(int32_t(kBackgroundKey));
  shape_.assign(size_t(kWidth) * kHeight, 1);
  if (const Bitmap* picture = background->GetShownPicture())
    for (int y = 0; y < std::min(kHeight, picture->GetHeight()); ++y)
      for (int x = 0; x < std::min(kWidth, picture->GetWidth()); ++x)
        shape_[size_t(y) * kWidth + size_t(x)] = picture->GetPixel(x, y) != kBackgroundKey;
  background_ = AddClip(std::move(background));
  Clip logoFile;
  failure = logoFile.Load(kLogoFile);
  if (!failure) return false;
  const Bitmap* picture = logoFile.GetShownPicture();
  auto logo = picture ? MakeZoomClip(*picture, kLogoFrom, kLogoTo, 1) : nullptr;
  if (!logo) {
    failure = {LoadResult::Fault::kDamaged, kLogoFile, "it holds no picture to zoom"};
    return false;
  }
  logo->x = kLogoX, logo->y = kLogoY, logo->depth = kLogoDepth;
  logo->SetFrame(kPulse[0]);
  logo->stopped = true;
  logo_ = AddClip(std::move(logo));
  SortByDepth();
  return true;
}

void IntroScreen::Enter(Screen** activeSlot) {
  elapsed_ = 0;
  if (Window* window = GetWindow()) window->SetShapeMask(shape_, kWidth, kHeight);
  Screen::Enter(activeSlot);
}

Control* IntroScreen::OnMouseDown(int, int) {
  pressed_ = true;
  elapsed_ = kLengthMs + 1;
  return nullptr;
}

Control* IntroScreen::OnMouseUp(int, int) {
  pressed_ = false;
  elapsed_ = kLengthMs + 1;
  return nullptr;
}

void IntroScreen::OnFrame(int elapsedMs) {
  // The pulse moves every 80 ms: a 10 ms tick is ample, where the program's first 1 ms tick would keep
  // the loop polling without a pause for the whole intro.
  if (Window* window = GetWindow(); window && window->GetFrameInterval() < kFrameIntervalMs)
    window->SetFrameInterval(kFrameIntervalMs);
  if (kPulse[step_] != kPulseEnd) {
    int& pulseTimer = Screens().introPulseTimer;  // shared by every intro, as the program has one
    pulseTimer += elapsedMs;
    if (pulseTimer >= kPulseStepMs) {
      pulseTimer = 0;
      ++step_;
    }
    if (kPulse[step_] == kPulseEnd) {
      if (SmallBallShower* shower = GetSmallBallShower())
        for (const auto& at : kBursts)
          shower->Burst(*this, at[0], at[1], kBurstColour, true);
      GetSound().Play(SoundId::kClick, true);
      if (logo_) logo_->visible = false;
      Redraw();
    } else if (logo_ && logo_->GetCurrentFrame() != kPulse[step_]) {
      logo_->SetFrame(kPulse[step_]);
    }
  }
  elapsed_ += elapsedMs;
  if (elapsed_ <= kLengthMs) {
    Screen::OnFrame(elapsedMs);
    return;
  }
  HandOver();
}

void IntroScreen::HandOver() {
  if (SmallBallShower* shower = GetSmallBallShower()) shower->Clear();
  ActiveScreen() = nullptr;
  Window* window = GetWindow();
  int screenW = 0, screenH = 0;
  if (window) {
    window->GetScreenSize(screenW, screenH);
    window->SetRoundedShape(false);
  }
  Leave();
  while (!GetClips().empty())
    RemoveClip(GetClips().back().get());
  background_ = logo_ = nullptr;
  MainScreen* main = screens::mainScreen().get();
  if (!main) return;
  if (window) {
    window->SetRoundedShape(true);
    const int w = main->GetWidth(), h = main->GetHeight();
    window->SetPosition((screenW - w) / 2, (screenH - h) / 2, w, h);
  }
  main->Enter(&ActiveScreen());
  // The click that ended the intro must not become the first shot.
  if (pressed_) main->SwallowNextRelease();
  pressed_ = false;
}
