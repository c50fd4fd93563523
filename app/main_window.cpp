// OMainWindow: forwarding to the active screen, the window drag, and the game's entry.
#include "app/main_window.h"

// ---- start-up and teardown ---------------------------------------------------------------------------
bool OMainWindow::OnCreate() {
  // The resource catalogue, the screens and the settings join the start-up here as they arrive; the
  // window itself is ready now.
  SetTitle("Globbet");
  int screenW, screenH;
  GetScreenSize(screenW, screenH);
  SetRoundedShape(true);
  SetPosition((screenW - GetClientWidth()) / 2, (screenH - GetClientHeight()) / 2, GetClientWidth(),
              GetClientHeight());
  return true;
}

void OMainWindow::OnDestroy() {
  // The screens' own teardown (leaving the active screen, saving the settings) runs before this.
  dragging_ = false;
  screens_ = nullptr;
}

// ---- the frame tick ----------------------------------------------------------------------------------
void OMainWindow::OnFrame(int elapsedMs) {
  if (screens_) screens_->AdvanceShared(elapsedMs);
  if (dragging_) {
    // The global pointer, not client coordinates: those go stale while the window moves under them.
    int screenX, screenY;
    GetPlatform().GetPointerScreen(screenX, screenY);
    SetPosition(screenX - dragStartX_, screenY - dragStartY_, GetClientWidth(), GetClientHeight());
    return;
  }
  if (ActiveScreenLink* screen = Active()) screen->Frame(elapsedMs);
}

void OMainWindow::OnPaint(int arg) {
  (void)arg;
  if (ActiveScreenLink* screen = Active()) screen->Paint();
}

// ---- input -------------------------------------------------------------------------------------------
void OMainWindow::OnMouseMove(int x, int y) {
  if (ActiveScreenLink* screen = Active()) screen->MouseMove(x, y);
}

void OMainWindow::OnLButtonDown(int x, int y) {
  ActiveScreenLink* screen = Active();
  const bool taken = screen && screen->LButtonDown(x, y);
  if (!taken && x > kDragMinX) {
    dragging_ = true;
    dragStartX_ = x, dragStartY_ = y;
  }
}

void OMainWindow::OnLButtonUp(int x, int y) {
  dragging_ = false;
  if (ActiveScreenLink* screen = Active()) screen->LButtonUp(x, y);
}

void OMainWindow::OnRButtonUp(int x, int y) {
  if (ActiveScreenLink* screen = Active()) screen->RButtonUp(x, y);
}

void OMainWindow::OnKeyDown(int key, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->KeyDown(key, modifiers);
}

void OMainWindow::OnKeyUp(int key, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->KeyUp(key, modifiers);
}

void OMainWindow::OnChar(int ch, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->Char(ch, modifiers);
}

// ---- the entry ---------------------------------------------------------------------------------------
int RunGame() {
  OMainWindow window;
  window.SetBackgroundColor(OMainWindow::kBackground);
  window.SetNoCaption(true);
  window.SetNoSizingFrame(true);
  if (!window.Create("Main", "OMainWindow", 800, 600, OWindow::kShowNormal)) return 1;
  window.SetFrameInterval(1);
  window.Show();
  return window.Run();
}
