#include "engine/active_screen.h"

#include "engine/engine_context.h"
#include "engine/screen.h"

OEngine*& ActiveScreen() {
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
  if (OEngine* screen = *slot_) screen->OnFrame(elapsedMs);
}

void ActiveScreenForwarder::Paint() {
  if (OEngine* screen = *slot_) {
    screen->RedrawStack();
    screen->Redraw();
  }
}

void ActiveScreenForwarder::MouseMove(int x, int y) {
  if (OEngine* screen = *slot_) screen->OnMouseMove(x, y);
}

bool ActiveScreenForwarder::LButtonDown(int x, int y) {
  OEngine* screen = *slot_;
  return screen && screen->OnLButtonDown(x, y) != nullptr;
}

void ActiveScreenForwarder::LButtonUp(int x, int y) {
  if (OEngine* screen = *slot_) screen->OnLButtonUp(x, y);
}

void ActiveScreenForwarder::RButtonUp(int x, int y) {
  if (OEngine* screen = *slot_) screen->OnRButtonUp(x, y);
}

void ActiveScreenForwarder::KeyDown(int key, int modifiers) {
  if (OEngine* screen = *slot_) screen->OnKeyDown(key, modifiers);
}

void ActiveScreenForwarder::KeyUp(int key, int modifiers) {
  if (OEngine* screen = *slot_) screen->OnKeyUp(key, modifiers);
}

void ActiveScreenForwarder::Char(int ch, int modifiers) {
  if (OEngine* screen = *slot_) screen->OnChar(ch, modifiers);
}
