#include "screens/ball_text.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "engine/screen.h"
#include "engine/sound_player.h"
#include "screens/screens_context.h"
#include "store/options.h"

namespace catalogue {
std::array<std::unique_ptr<BallLetter>, kAlphabetCount>& alphabetStrips() {
  return Screens().alphabetStrips;
}
}  // namespace catalogue

namespace {
// Decoration only: the letters draw from their own generator so the game's numbers stay untouched.
int DrawUpTo(int n) {
  return static_cast<int>(Screens().lettersRandom() % uint32_t(n + 1));
}
}  // namespace

// ---- BallLetter ----------------------------------------------------------------------------------------
void BallLetter::Tick(int elapsed) {
  if (dropState == kStarting) {
    dropTime = 0;
    dropState = kFalling;
  }
  if (dropState == kWaiting) {
    dropTime += elapsed;
    if (dropTime > dropDelay) dropState = kStarting;
  }
  if (dropState == kFalling) {
    const double t = std::min(dropTime / 1000.0, kMaxFallSeconds);
    dropTime += elapsed;
    speedY = kGravity * t + dropSpeed;
    speedX = depthSpeed = 0;
    if (y >= targetY) {
      if (bounceSoundPending) {
        bounceSoundPending = false;
        GetSound().Play(SoundId::kKnock, true);
      }
      dropSpeed = -speedY * kBounceDamping;
      if (std::abs(dropSpeed) >= kSmallestBounce) {
        speedY = dropSpeed;
        y = targetY - 1;
        dropTime = elapsed;
      } else {
        y = targetY;
        speedX = speedY = depthSpeed = 0;
        dropState = kAtRest;
        SetFrameTime(0);
      }
    }
  }
  Clip::Tick(elapsed);
}

// ---- BallText ----------------------------------------------------------------------------------------
BallText::BallText(bool) {}

BallText::~BallText() {
  Hide();
}

int AlphabetFrame(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'Z') return 10 + ch - 'A';
  if (ch >= 'a' && ch <= 'z') return 10 + ch - 'a';
  if (ch == '-') return 36;
  if (ch == '?') return 37;
  return -1;
}

void BallText::Show(Screen& screen, int x, int y, const std::string& text, int dropHeight, int depth) {
  const BallLetter* strip = catalogue::Get(AlphabetStrip::kLetters);
  screen_ = &screen;
  text_ = text;
  if (x == -1) x = (screen.GetWidth() - kAdvance * static_cast<int>(text.size())) / 2;
  if (y == -1) y = (screen.GetHeight() - (strip ? strip->GetHeight() : 0)) / 3;
  x_ = x, y_ = y;
  if (!strip) return;
  const bool animate = GetOptions().animate;
  int offset = 0;
  for (char ch : text) {
    const int at = offset;
    offset += kAdvance;
    if (ch == ' ') continue;
    auto letter = std::make_unique<BallLetter>();
    letter->CopyFrom(*strip);
    int left = x + at;
    const int frame = AlphabetFrame(ch);
    if (frame >= 0) letter->SetFrame(frame);
    if (ch == '?') left -= kQuestionShift;
    letter->x = left;
    letter->y = animate ? y - dropHeight : y;
    letter->depth = depth;
    letter->dropState = animate ? BallLetter::kWaiting : BallLetter::kAtRest;
    letter->targetY = y;
    letter->dropSpeed = 4 + DrawUpTo(2);
    letter->dropDelay = DrawUpTo(kMaxDropDelayMs - 1);
    letter->visible = true;
    letter->stopped = true;
    letter->SetFrameTime(0);
    if (Clip* added = screen.AddClip(std::move(letter))) letters_.push_back(static_cast<BallLetter*>(added));
  }
  screen.SortByDepth();
}

void BallText::Hide() {
  if (screen_)
    for (BallLetter* letter : letters_)
      screen_->RemoveClip(letter);
  letters_.clear();
}
