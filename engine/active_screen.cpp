#include "engine/active_screen.h"

#include "engine/engine_context.h"
#include "engine/screen.h"

Screen*& ActiveScreen() {
  return Engine().activeScreen;
}

SmallBallShower* GetSmallBallShower() {
  return Engine().shower;
}

void SetSmallBallShower(SmallBallShower* s) {
  Engine().shower = s;
}

// ---- the link to the main window -----------------------------------------------------------------------
// Each call reads the slot again: a handler may enter or leave a screen and so change it.

void ActiveScreenForwarder::AdvanceShared(int elapsedMs) {
  if (SmallBallShower* s = GetSmallBallShower()) s->Advance(elapsedMs);
}

void ActiveScreenForwarder::Frame(int elapsedMs) {
  if (Screen* screen = *slot_) screen->OnFrame(elapsedMs);
}

void ActiveScreenForwarder::Paint() {
  if (Screen* screen = *slot_) {
    screen->RedrawStack();
    screen->Redraw();
  }
}

void ActiveScreenForwarder::MouseMove(int x, int y) {
  if (Screen* screen = *slot_) screen->OnMouseMove(x, y);
}

bool ActiveScreenForwarder::MouseDown(int x, int y) {
  Screen* screen = *slot_;
  return screen && screen->OnMouseDown(x, y) != nullptr;
}

void ActiveScreenForwarder::MouseUp(int x, int y) {
  if (Screen* screen = *slot_) screen->OnMouseUp(x, y);
}

void ActiveScreenForwarder::RightMouseUp(int x, int y) {
  if (Screen* screen = *slot_) screen->OnRightMouseUp(x, y);
}

void ActiveScreenForwarder::KeyDown(int key, int modifiers) {
  if (Screen* screen = *slot_) screen->OnKeyDown(screen->KeyOfPadButton(key), modifiers);
}

void ActiveScreenForwarder::KeyUp(int key, int modifiers) {
  if (Screen* screen = *slot_) screen->OnKeyUp(screen->KeyOfPadButton(key), modifiers);
}

void ActiveScreenForwarder::Char(int ch, int modifiers) {
  if (Screen* screen = *slot_) screen->OnCharacter(ch, modifiers);
}
