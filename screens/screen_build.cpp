#include "screens/screen_build.h"

#include <memory>

#include "engine/button.h"
#include "engine/screen.h"

Clip* AddPicture(Screen& screen, const Clip* clip, int x, int y, int depth) {
  if (!clip) return nullptr;
  auto picture = std::make_unique<Clip>();
  picture->CopyFrom(*clip);
  picture->x = x == -1 ? (screen.GetWidth() - picture->GetWidth()) / 2 : x;
  picture->y = y == -1 ? (screen.GetHeight() - picture->GetHeight()) / 2 : y;
  picture->depth = depth;
  picture->SetFrameTime(0, -1);
  return screen.AddClip(std::move(picture));
}

Button* AddButton(Screen& screen, const Clip* clip, int x, int y, int depth) {
  if (!clip) return nullptr;
  auto button = std::make_unique<Button>();
  button->CopyFrom(*clip);
  button->x = x, button->y = y, button->depth = depth;
  button->SetFrame(0, 0);
  for (int look = Button::kNormal; look <= Button::kHover; ++look)
    button->SetFrameTime(200, look);
  button->pixelExact = true;
  return static_cast<Button*>(screen.AddControl(std::move(button)));
}
