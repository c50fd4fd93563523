// GameWindow: the game's start-up and teardown, forwarding to the active screen, the window drag, and the
// game's entry.
#include "app/game_window.h"

#include <chrono>
#include <random>

#include "app/catalogue_load.h"
#include "app/program_context.h"
#include "app/screens_create.h"
#include "app/settings_file.h"
#include "engine/sound_player.h"
#include "game/player_sessions.h"
#include "game/random.h"
#include "screens/intro_screen.h"
#include "screens/main_screen.h"
#include "screens/program_exit.h"
#include "screens/screen_slots.h"
#include "store/options.h"
#include "store/settings_store.h"

// ---- start-up and teardown ---------------------------------------------------------------------------
namespace {
double MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

bool GameWindow::FailStartup(const LoadResult& failure) {
  ReportLoadFailure(failure);
  EndProgram(nullptr, kFatalExitCode);
  return false;
}

bool GameWindow::OnCreate() {
  if (contents_ == Contents::kGame) return CreateGame();
  SetTitle("Globbet");
  int screenW, screenH;
  GetScreenSize(screenW, screenH);
  SetRoundedShape(true);
  SetPosition((screenW - GetClientWidth()) / 2, (screenH - GetClientHeight()) / 2, GetClientWidth(),
              GetClientHeight());
  return true;
}

bool GameWindow::CreateGame() {
  using Clock = std::chrono::steady_clock;
  times_ = StartupTimes{};
  SetTitle("Globbet");
  // The settings are not read yet: the option's initial value (on) chooses the sound mode.
  GetSound().SetMode(GetOptions().mixSounds);
  auto start = Clock::now();
  LoadResult failure;
  if (!LoadCatalogueClips(failure)) return FailStartup(failure);
  times_.catalogue = MsSince(start);
  start = Clock::now();
  LoadCatalogueSounds();
  times_.sounds = MsSince(start);
  start = Clock::now();
  if (!CreateScreens(*this, failure)) return FailStartup(failure);
  ActiveScreen() = nullptr;
  screens::intro()->Enter(&ActiveScreen());
  SetScreenLink(&forwarder_);
  times_.screens = MsSince(start);
  start = Clock::now();
  MainScreen& main = *screens::mainScreen();
  LoadSettings(*this, main.Scores());
  times_.settings = MsSince(start);
  // The window takes its size before it shows: the intro at the factor chosen for the main screen.
  start = Clock::now();
  ChooseScale(GetOptions().windowSize, main.GetWidth(), main.GetHeight());
  int screenW, screenH;
  GetScreenSize(screenW, screenH);
  // The intro has shaped the window to its card.
  const int w = screens::intro()->GetWidth(), h = screens::intro()->GetHeight();
  SetPosition((screenW - w) / 2, (screenH - h) / 2, w, h);
  times_.screens += MsSince(start);
  return true;
}

void GameWindow::OnDestroy() {
  dragging_ = false;
  if (contents_ == Contents::kGame) DestroyGame();
  screens_ = nullptr;
}

void GameWindow::DestroyGame() {
  if (Screen* active = ActiveScreen()) active->Leave();
  // A fatal error ends the program without saving: the store may hold a half-made game.
  if (ProgramExitCode() == 0 && screens::mainScreen()) SaveSettings(*this, screens::mainScreen()->Scores());
  if (screens_ == &forwarder_) screens_ = nullptr;
  screens::DestroyAll();
  ActiveScreen() = nullptr;
  FreeCatalogue();
}

// ---- the frame tick ----------------------------------------------------------------------------------
void GameWindow::OnFrame(int elapsedMs) {
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

void GameWindow::OnPaint() {
  if (ActiveScreenLink* screen = Active()) screen->Paint();
}

// ---- input -------------------------------------------------------------------------------------------
void GameWindow::OnMouseMove(int x, int y) {
  if (ActiveScreenLink* screen = Active()) screen->MouseMove(x, y);
}

void GameWindow::OnMouseDown(int x, int y) {
  ActiveScreenLink* screen = Active();
  const bool taken = screen && screen->MouseDown(x, y);
  if (!taken && x > kDragMinX) {
    dragging_ = true;
    dragStartX_ = x, dragStartY_ = y;
  }
}

void GameWindow::OnMouseUp(int x, int y) {
  dragging_ = false;
  if (ActiveScreenLink* screen = Active()) screen->MouseUp(x, y);
}

void GameWindow::OnRightMouseUp(int x, int y) {
  if (ActiveScreenLink* screen = Active()) screen->RightMouseUp(x, y);
}

void GameWindow::OnKeyDown(int key, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->KeyDown(key, modifiers);
}

void GameWindow::OnKeyUp(int key, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->KeyUp(key, modifiers);
}

void GameWindow::OnCharacter(int ch, int modifiers) {
  if (ActiveScreenLink* screen = Active()) screen->Char(ch, modifiers);
}

void GameWindow::OnPadStick(int x, int y) {
  if (MainScreen* main = screens::mainScreen().get()) main->OnPadStick(x, y);
}

void GameWindow::OnPadRemoved() {
  if (MainScreen* main = screens::mainScreen().get()) main->OnPadRemoved();
}

void GameWindow::OnCloseRequest() {
  if (contents_ == Contents::kGame)
    AnswerCloseRequest(this);
  else
    Window::OnCloseRequest();
}

bool GameWindow::Open() {
  SetBackgroundColor(kBackground);
  SetNoCaption(true);
  SetNoSizingFrame(true);
  return Create("Main", 800, 600);
}

// ---- the entry ---------------------------------------------------------------------------------------
int RunGame() {
  const ProgramContext context;  // before the window, so the window goes first
  // A player gets a new board at each start. Only here: the tools and tests start from the default seed
  // or their own, and the recordings keep every draw whatever the first seed was.
  SetLibRandomSeed(std::random_device{}());
  SetPlayerSessionFactory(MakePlayerSession);
  GameWindow window(GameWindow::Contents::kGame);
  if (!window.Open()) return ProgramExitCode() != 0 ? ProgramExitCode() : 1;
  window.SetFrameInterval(1);
  window.Show();
  const int code = window.Run();
  return ProgramExitCode() != 0 ? ProgramExitCode() : code;
}
