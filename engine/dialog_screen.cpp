#include "engine/dialog_screen.h"

#include "engine/active_screen.h"
#include "engine/catalogue.h"
#include "engine/sound_player.h"

DialogScreen::DialogScreen(Window* window, int x, int y, int width, int height)
    : Screen(window, x, y, width, height) {
  for (Clip*& corner : corners_) {
    auto clip = std::make_unique<Clip>();
    clip->AddFrame(std::make_unique<Bitmap>());
    corner = AddClip(std::move(clip));
  }
}

// ---- frame and input ---------------------------------------------------------------------------------

void DialogScreen::OnFrame(int elapsed) {
  if (pending_) {
    pendingTimer_ += elapsed;
    if (pendingTimer_ > kCommandDelayMs) {
      pendingTimer_ = 0;
      pending_ = false;
      Control* button = pendingButton_;
      pendingButton_ = nullptr;
      // The screen may have let the button go while its command waited.
      if (button && HasClip(button)) {
        button->SetFrame(0, 0);
        button->visible = true;
        OnButtonCommand(button);
      }
    }
  }
  if (SmallBallShower* shower = GetSmallBallShower()) shower->ResetFallingCount();
  // The ring goes with its control: a button that vanished or a page that hid it hides the ring too.
  if (ring_ && GetKeyFocus()) ring_->visible = GetKeyFocus()->visible;
  Screen::OnFrame(elapsed);
}

Control* DialogScreen::OnMouseDown(int x, int y) {
  Control* control = Screen::OnMouseDown(x, y);
  SmallBallShower* shower = GetSmallBallShower();
  if (control && control->commandCode >= kCommandCodeMin && shower) {
    const int code = control->commandCode;
    const int colour = code < 20 ? code - kCommandCodeMin : code - 20;
    const int bx = ClipPixel(control->x + (control->GetWidth() - 32) / 2);
    const int by = ClipPixel(control->y + (control->GetHeight() - 32) / 2);
    shower->Burst(*this, bx, by, colour, false);
  }
  return control;
}

Control* DialogScreen::OnMouseUp(int x, int y) {
  Control* control = Screen::OnMouseUp(x, y);
  if (!pending_ && control && control->commandCode >= kCommandCodeMin) {
    pending_ = true;
    pendingTimer_ = 0;
    pendingButton_ = control;
    control->visible = false;
    GetSound().Play(SoundId::kClick, true);
  }
  return control;
}

// ---- entering and leaving ----------------------------------------------------------------------------

void DialogScreen::TakeCorners(const Screen& beneath) {
  const Bitmap* source = beneath.GetPicture();
  const int w = GetWidth(), h = GetHeight(), c = kCornerSize;
  // Corner places in this screen, in the order of the corner clips.
  const int places[4][2] = {{0, 0}, {w - c, h - c}, {0, h - c}, {w - c, 0}};
  for (size_t i = 0; i < corners_.size(); ++i) {
    Clip* corner = corners_[i];
    if (!corner || !HasClip(corner)) continue;
    auto picture = std::make_unique<Bitmap>();
    if (!picture->Create(c, c, static_cast<int32_t>(backgroundColor))) continue;
    // The corner of this screen, in the coordinates of the screen beneath.
    const int sx = GetX() + places[i][0] - beneath.GetX(), sy = GetY() + places[i][1] - beneath.GetY();
    if (source) picture->Draw(source, -sx, -sy);
    corner->ReplaceFrame(0, std::move(picture));
    corner->x = places[i][0];
    corner->y = places[i][1];
    corner->depth = 5;
  }
}

void DialogScreen::LayFrame() {
  // Pieces of an earlier opening go first: each Enter lays one frame, not one more.
  for (Clip* piece : frame_)
    RemoveClip(piece);
  frame_.clear();
  const int w = GetWidth(), h = GetHeight();
  struct Place {
    FramePiece piece;
    int x, y, depth;
  };
  const Place places[] = {{FramePiece::kTopLeft, 0, 0, 0},
                          {FramePiece::kTop, 19, 0, 10},
                          {FramePiece::kTopRight, w - 20, 0, 0},
                          {FramePiece::kRight, w - 10, 19, 10},
                          {FramePiece::kBottomRight, w - 20, h - 20, 0},
                          {FramePiece::kBottom, 19, h - 10, 10},
                          {FramePiece::kBottomLeft, 0, h - 20, 0},
                          {FramePiece::kLeft, 0, 19, 10}};
  for (const Place& place : places) {
    const Clip* source = catalogue::Get(place.piece);
    if (!source) continue;
    auto piece = std::make_unique<Clip>();
    piece->CopyFrom(*source);
    piece->x = place.x;
    piece->y = place.y;
    piece->depth = place.depth;
    piece->SetFrameTime(0, -1);
    if (Clip* added = AddClip(std::move(piece))) frame_.push_back(added);
  }
}

void DialogScreen::Enter(Screen** activeSlot) {
  Screen* beneath = activeSlot ? *activeSlot : nullptr;
  if (beneath && beneath != this) {
    TakeCorners(*beneath);
    if (SmallBallShower* shower = GetSmallBallShower()) shower->Clear();
    beneath->Screen::OnFrame(100);
    beneath->Redraw();
  }
  if (framed) LayFrame();
  ResetFocus();
  SortByDepth();
  Screen::Enter(activeSlot);
}
