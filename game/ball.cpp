// Ball sprites. Sections: Ball · looks · the ball sprite table · sprites on a screen
#include "game/ball.h"

#include "engine/active_screen.h"
#include "engine/catalogue.h"
#include "engine/check.h"
#include "engine/screen.h"
#include "game/game_context.h"
#include "store/options.h"

int FallingBallCount() {
  return Game().fallingBalls;
}

void ResetFallingBallCount() {
  Game().fallingBalls = 0;
}

// ---- Ball ---------------------------------------------------------------------------------------
Ball::Ball(const Ball& other) : Clip() {
  CopyFrom(other);
  x = other.x, y = other.y, depth = other.depth;
  visible = other.visible;
  stopped = other.stopped;
  frameTime = other.frameTime;
  if (other.GetCurrentFrame() != 0) SetFrame(other.GetCurrentFrame());
  colour = other.colour;
  displayMode = other.displayMode;
  shine = other.shine;
  dying = other.dying;
  dyingTime = other.dyingTime;
  shineTime = 0;
  burstScreen = other.burstScreen;
}

Ball& Ball::operator=(const Ball& other) {
  if (this == &other) return *this;
  CopyFrom(other);
  colour = other.colour;
  displayMode = other.displayMode;
  return *this;
}

void Ball::StartAppear() {
  frameTime = 20;
  SetFrame(kAppearFrame);
  displayMode = kNew;
  visible = true;
  dyingTime = 0;
  dying = false;
  stopped = false;
}

void Ball::StartShine() {
  shineTime = 0;
  if (shine == kShineDown) return;
  shine = kShineDown;
  dyingTime = 0;
  frameTime = 0;
  // The shine steps the frames itself: the clip's own playback must not step them forward again, or a
  // long tick would swing between frames 8 and 9 for ever.
  stopped = true;
}

void Ball::StartDying() {
  dying = true;
  dyingTime = 0;
  // As for the shine: the first step back may come in the same tick as the frame's own "next"
  // instruction, which would undo it on every tick of 50 ms or more.
  stopped = true;
}

void Ball::StartFall(int limit) {
  if (displayMode == kFalling) return;
  fallLimit = limit;
  fallStartY = ClipPixel(y);
  displayMode = kFalling;
  speedY = kFallSpeed;
  stopped = false;
}

void Ball::MoveTo(double tx, double ty, double speed) {
  path.clear();
  path.push_back(PointSpeed{tx, ty, 0.0, speed});
  displayMode = kMoving;
}

void Ball::OnPathEnd(const PointSpeed&) {
  if (displayMode == kMoving) Stop();
}

void Ball::StepBack() {
  if (GetCurrentFrame() > 0) SetFrame(GetCurrentFrame() - 1);
}

void Ball::Tick(int elapsed) {
  if (dying) {
    dyingTime += elapsed;
    if (GetCurrentFrame() == 0) {
      visible = false;
      dying = false;
    } else if (dyingTime * kFramesPerSecond / 1000 >= 1) {
      StepBack();
    }
  }
  if (displayMode == kFalling) {
    const int iy = ClipPixel(y);
    if (iy - fallStartY > fallLimit || y > kFallFloorY) {
      SmallBallShower* shower = GetSmallBallShower();
      if (shower && burstScreen && GetOptions().animate)
        shower->Burst(*burstScreen, ClipPixel(x), iy, colour, false);
      lifetime = 0;
      return;
    }
    ++Game().fallingBalls;
  }
  if (shine == kShineDown) {
    shineTime += elapsed;
    if (GetCurrentFrame() <= kShineTurnFrame) {
      shine = kShineUp;
    } else if (shineTime > kShineStepMs) {
      shineTime = 0;
      StepBack();
    }
  } else if (shine == kShineUp) {
    shineTime += elapsed;
    if (GetCurrentFrame() >= kRestFrame) {
      shine = kNoShine;
    } else if (shineTime > kShineStepMs) {
      shineTime = 0;
      SetFrame(GetCurrentFrame() + 1);
    }
  }
  Clip::Tick(elapsed);
}

// ---- looks ---------------------------------------------------------------------------------------
namespace {
constexpr int kTwinkleFrames = Ball::kRestFrame - Ball::kShineTurnFrame;

// True when both pictures are masked and of one size.
bool SameMaskedShape(const Bitmap& a, const Bitmap& b) {
  return a.GetMask() && b.GetMask() && a.GetWidth() == b.GetWidth() && a.GetHeight() == b.GetHeight();
}

// The twinkle picture with what the look changes on the plain resting ball laid over it, so that a
// symbol stays readable while the ball sparkles. False when the three are not masked pictures of one size.
bool LookOverTwinkle(const Bitmap& twinkle, const Bitmap& look, const Bitmap& plainRest, Bitmap& out) {
  if (!SameMaskedShape(twinkle, look) || !SameMaskedShape(look, plainRest)) return false;
  const int w = twinkle.GetWidth(), h = twinkle.GetHeight();
  if (!out.Create(w, h) || !out.CreateMask(255)) return false;
  for (int y = 0; y < h; ++y) {
    const uint8_t *lm = look.GetMaskRow(y), *pm = plainRest.GetMaskRow(y), *tm = twinkle.GetMaskRow(y);
    uint8_t* om = out.GetMaskRow(y);
    for (int x = 0; x < w; ++x) {
      const uint32_t lp = look.GetPixel(x, y);
      const bool fromLook = lm[x] != pm[x] || lp != plainRest.GetPixel(x, y);
      out.SetPixel(x, y, fromLook ? lp : twinkle.GetPixel(x, y));
      om[x] = fromLook ? lm[x] : tm[x];
    }
  }
  out.offsetX = twinkle.offsetX, out.offsetY = twinkle.offsetY;
  out.colorKey = twinkle.colorKey;
  return true;
}

// Makes the colour's twinkle frames carry the look (once per look); false when the sprite's plain
// frames are not known or do not suit the look.
bool PrepareTwinkle(BallTwinkle& twinkle, const Bitmap& look) {
  if (int(twinkle.plain.size()) != kTwinkleFrames + 1) return false;
  if (twinkle.look.SharesStorageWith(look)) return true;
  const Bitmap& plainRest = twinkle.plain.back();
  std::vector<Bitmap> frames(kTwinkleFrames);
  for (int k = 0; k < kTwinkleFrames; ++k) {
    if (!LookOverTwinkle(twinkle.plain[size_t(k)], look, plainRest, frames[size_t(k)])) return false;
  }
  twinkle.withLook = std::move(frames);
  twinkle.look = look;
  return true;
}

// Shows the colour's twinkle frames with the look on ball, keeping the ball's frame instructions.
void ApplyTwinkle(Ball& ball, const Bitmap& look) {
  if (ball.colour < 0 || ball.colour >= catalogue::kBallSpriteCount) return;
  if (ball.GetOwnFrameCount() != Ball::kRestFrame + 1) return;
  BallTwinkle& twinkle = Game().ballTwinkles[size_t(ball.colour)];
  if (!PrepareTwinkle(twinkle, look)) return;
  for (int k = 0; k < kTwinkleFrames; ++k) {
    const Bitmap* old = ball.GetFrame(Ball::kShineTurnFrame + k);
    auto picture = std::make_unique<Bitmap>(twinkle.withLook[size_t(k)]);  // shares the pixels
    picture->frameAction = old->frameAction;
    picture->actionArg1 = old->actionArg1, picture->actionArg2 = old->actionArg2;
    ball.ReplaceFrame(Ball::kShineTurnFrame + k, std::move(picture));
  }
}
}  // namespace

void ApplyLook(Ball& ball) {
  if (ball.colour < 0 || ball.colour >= catalogue::kSkinCount) return;
  const Clip* skin = catalogue::skins()[size_t(ball.colour)].get();
  const int f = GetOptions().skins[size_t(ball.colour)];
  if (!skin || f < 0 || f >= skin->GetFrameCount()) return;
  const int last = ball.GetOwnFrameCount() - 1;
  const Bitmap* look = skin->GetOwnFrameCount() > 0 ? skin->GetFrame(f) : nullptr;
  if (!look || last < 0) return;
  auto picture = std::make_unique<Bitmap>(*look);  // shares the skin's pixels
  picture->frameAction = kFrameStop;
  picture->actionArg1 = picture->actionArg2 = 0;
  // ReplaceFrame shows the new picture at once where the old one was shown.
  ball.ReplaceFrame(last, std::move(picture));
  ApplyTwinkle(ball, *look);
}

// ---- the ball sprite table -----------------------------------------------------------------------
namespace catalogue {
std::array<std::unique_ptr<Ball>, kBallSpriteCount>& ballSprites() {
  return Game().ballSprites;
}

LoadResult LoadBallSprite(int colour, const std::string& path) {
  if (!GLOBBET_CHECK(colour >= 0 && colour < kBallSpriteCount, "pass a sprite colour 0..6"))
    return {LoadResult::Fault::kUnreadable, path, "no ball sprite slot " + std::to_string(colour)};
  auto ball = std::make_unique<Ball>();
  LoadResult result = ball->Load(path);
  if (!result) {
    ballSprites()[size_t(colour)].reset();
    return result;
  }
  ball->SetFrameTime(0);
  ball->colour = colour;
  ball->displayMode = Ball::kNew;
  // The loaded twinkle and resting frames, before any look is drawn into them.
  BallTwinkle& twinkle = Game().ballTwinkles[size_t(colour)];
  twinkle = BallTwinkle{};
  if (ball->GetOwnFrameCount() == Ball::kRestFrame + 1)
    for (int f = Ball::kShineTurnFrame; f <= Ball::kRestFrame; ++f)
      twinkle.plain.push_back(*ball->GetFrame(f));
  ballSprites()[size_t(colour)] = std::move(ball);
  return result;
}

const Ball* BallTemplate(int colour) {
  if (colour < 0 || colour >= kBallSpriteCount) return nullptr;
  return ballSprites()[size_t(colour)].get();
}
}  // namespace catalogue

// ---- sprites on a screen -------------------------------------------------------------------------
Ball* AddBallSprite(Screen& screen, const Ball* source, double x, double y, double depth) {
  if (!source || source->GetFrameCount() == 0) return nullptr;
  auto ball = std::make_unique<Ball>(*source);
  ball->x = x, ball->y = y, ball->depth = depth;
  ball->visible = true;
  ball->burstScreen = &screen;
  return static_cast<Ball*>(screen.AddClip(std::move(ball)));
}
