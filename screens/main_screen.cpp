// AMainWindow: layout, sessions, commands and the session's host. Input and the tick:
// main_screen_input.cpp.
//
// Sections: process-wide values · layout · slots · sessions · commands · the session's host
#include "screens/main_screen.h"

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/errors.h"
#include "game/game_orig.h"
#include "game/game_time.h"
#include "game/save_replay.h"
#include "screens/ball_string.h"
#include "screens/dialogs/wnd_exit.h"
#include "screens/dialogs/wnd_help.h"
#include "screens/dialogs/wnd_options.h"
#include "screens/dialogs/wnd_rest.h"
#include "screens/dialogs/wnd_result.h"
#include "screens/dialogs/wnd_top10.h"
#include "screens/program_exit.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "screens/screens_context.h"
#include "store/config.h"
#include "store/options.h"

// ---- process-wide values -------------------------------------------------------------------------------
void SetPlayerSessionFactory(PlayerSessionFactory factory) {
  Screens().playerFactory = std::move(factory);
}

// ---- layout --------------------------------------------------------------------------------------------
namespace {
// After the two labels: the sockets of the launcher and of the waiting ball (behind the strip's holes),
// then the frame's pieces, in this order.
struct Place {
  int x, y;
};
constexpr Place kSockets[] = {{271, 524}, {27, 524}};
constexpr int kSocketDepth = 1, kPieceDepth = 0;
struct PiecePlace {
  MainWindowPiece piece;
  int x, y;
};
constexpr PiecePlace kPieces[] = {
    {MainWindowPiece::kPanel, 580, 0},  {MainWindowPiece::kTopLeft, 0, 0},
    {MainWindowPiece::kTop, 24, 0},     {MainWindowPiece::kTopRight, 562, 0},
    {MainWindowPiece::kRight, 576, 24}, {MainWindowPiece::kBottomRight, 564, 485},
    {MainWindowPiece::kStrip, 24, 495}, {MainWindowPiece::kBottomLeft, 0, 477},
    {MainWindowPiece::kLeft, 0, 24},    {MainWindowPiece::kBottomLeftCorner, 0, 584},
    {MainWindowPiece::kBottom, 16, 596}};

struct ButtonPlace {
  AMainWindow::Command command;
  ButtonPicture picture;
  int x, y, code;
};
// In adding order (which is also the order the pointer finds them in).
constexpr ButtonPlace kButtons[] = {{AMainWindow::kReplay, ButtonPicture::kReplay, 580, 145, 16},
                                    {AMainWindow::kDemo, ButtonPicture::kDemo, 615, 188, 11},
                                    {AMainWindow::kExit, ButtonPicture::kExit, 760, 2, 21},
                                    {AMainWindow::kHelp, ButtonPicture::kHelp, 694, 2, 21},
                                    {AMainWindow::kFullScreen, ButtonPicture::kFullScreen, 661, 2, 21},
                                    {AMainWindow::kMinimize, ButtonPicture::kMinimize, 727, 2, 21},
                                    {AMainWindow::kMoreGames, ButtonPicture::kMoreGames, 684, 176, 13},
                                    {AMainWindow::kNewGame, ButtonPicture::kNewGame, 582, 23, 12},
                                    {AMainWindow::kOptions, ButtonPicture::kOptions, 670, 34, 10},
                                    {AMainWindow::kTopTen, ButtonPicture::kTopTen, 715, 105, 14},
                                    {AMainWindow::kWebLink, ButtonPicture::kWebLink, 600, 550, 0}};
constexpr int kButtonDepth = -1;

// The level name line of the session, written with ball letters.
class BallLetterLine : public BallTextLine {
 public:
  void Show(OEngine& screen, int x, int y, const std::string& text, int dropHeight, int depth) override {
    line_.Show(screen, x, y, text, dropHeight, depth);
  }
  void Hide() override { line_.Hide(); }

 private:
  AStringB line_;
};
}  // namespace

AMainWindow::AMainWindow(OWindow* window, int x, int y, int width, int height)
    : OKillWindowButton(window, x, y, width, height) {
  framed = false;
  demoLabel_ = AddPicture(*this, catalogue::Get(GeneralPicture::kDemoSign), kLabelX, kLabelY, -1);
  replayLabel_ = AddPicture(*this, catalogue::Get(GeneralPicture::kReplaySign), kLabelX, kLabelY, -1);
  if (demoLabel_) demoLabel_->visible = false;
  if (replayLabel_) replayLabel_->visible = false;
  for (const Place& p : kSockets)
    AddPicture(*this, catalogue::Get(GeneralPicture::kSocket), p.x, p.y, kSocketDepth);
  for (const PiecePlace& p : kPieces)
    AddPicture(*this, catalogue::Get(p.piece), p.x, p.y, kPieceDepth);
  for (const ButtonPlace& b : kButtons) {
    OClipButton* button = AddButton(*this, catalogue::Get(b.picture), b.x, b.y, kButtonDepth);
    if (button) button->commandCode = b.code;
    buttons_[b.command] = button;
  }
  if (buttons_[kReplay]) buttons_[kReplay]->visible = false;
  SortByDepth();
}

// ---- slots ---------------------------------------------------------------------------------------------
AMainWindow::~AMainWindow() {
  game_.reset();
  scores_.Clear();
}

void AMainWindow::OnClipPathEnd(OClip* clip, const PointSpeed&) {
  if (game_) game_->BallArrived(clip);
}

void AMainWindow::Enter(OEngine** activeSlot) {
  if (OWindow* window = GetWindow()) {
    if (GetOptions().FullScreen)
      window->EnterFullScreen();
    else
      window->LeaveFullScreen();
  }
  SetFramePeriod();
  OKillWindowButton::Enter(activeSlot);
  StartGame(false, false);
}

// ---- sessions ------------------------------------------------------------------------------------------
bool AMainWindow::Arcade() const {
  return GetOptions().GameType == GameMode::kArcade;
}

void AMainWindow::SetFramePeriod() {
  OWindow* window = GetWindow();
  if (!window) return;
  const int speed = Arcade() && !demoRunning_ ? kArcadeSpeed : GetOptions().FastSpeed;
  window->SetFrameInterval(frameIntervals[speed >= 0 && speed < kSpeedCount ? speed : kArcadeSpeed]);
}

void AMainWindow::StartGame(bool forceNew, bool afterDemo) {
  Options& options = GetOptions();
  int replayLevel = 0, replayMode = 0;
  const bool replayReadable =
      ReadReplayHeader(kReplayFile, replayLevel, replayMode) == ReplayHeaderCheck::kOk;
  if (replayReadable) ShowReplayButton();
  SetFramePeriod();
  game_.reset();
  if (!demoRunning_) {
    if (options.GameType == GameMode::kArcade)
      game_ = std::make_unique<GameTime>(this);
    else
      game_ = std::make_unique<GameOrig>(this);
    if (demoLabel_) demoLabel_->visible = false;
    if (replayLabel_) replayLabel_->visible = false;
  } else if (!replayRunning_) {
    if (Screens().playerFactory) game_ = Screens().playerFactory(*this, false, GameMode::kStrategy);
    if (demoLabel_) demoLabel_->visible = true;
  } else {
    // The replay shows the level it was played at.
    if (replayReadable) options.Level = replayLevel;
    if (Screens().playerFactory) game_ = Screens().playerFactory(*this, true, GameMode(replayMode));
    if (replayLabel_) replayLabel_->visible = true;
  }
  bool ok = game_ != nullptr;
  if (ok) {
    game_->SetSettings(&GetConfig());
    game_->SetHost(this);
    const bool restore = (options.AutoSave && options.settingsLoaded && !forceNew) ||
                         (afterDemo && !Screens().firstDemoReturn);
    ok = restore ? game_->Load() : game_->Start(false);
    game_->RefreshImages();
  }
  if (!ok) {
    game_.reset();
    ShowError(kCreateGameMessage);
    EndProgram(GetWindow(), kFatalExitCode);
    return;
  }
  if (afterDemo) Screens().firstDemoReturn = false;
}

void AMainWindow::ReturnFromDemo() {
  if (!demoRunning_) return;
  StopDemo();
  StartGame(false, true);
}

void AMainWindow::StartNewGame() {
  StopDemo();
  StartGame(true, false);
}

void AMainWindow::StopDemo() {
  if (!demoRunning_) return;
  demoRunning_ = false;
  replayRunning_ = false;
  GetOptions().Level = Screens().savedLevel;
}

void AMainWindow::StartPlayer(bool replay) {
  // The players arrive later; until then the buttons start nothing.
  if (!Screens().playerFactory) return;
  if (demoLabel_) demoLabel_->visible = !replay;
  if (replayLabel_) replayLabel_->visible = replay;
  if (!demoRunning_) Screens().savedLevel = GetOptions().Level;
  demoRunning_ = true;
  replayRunning_ = replay;
  GetOptions().Level = 0;
  StartGame(false, false);
}

// ---- commands ------------------------------------------------------------------------------------------
AMainWindow::Command AMainWindow::CommandOf(const OClipControl* control) const {
  for (int c = 0; c < kCommandCount; ++c)
    if (control && buttons_[c] == control) return Command(c);
  return kCommandCount;
}

void AMainWindow::OnButtonCommand(OClipControl* button) {
  const Command command = CommandOf(button);
  if (command != kCommandCount) RunCommand(command);
}

void AMainWindow::OpenDialog(OEngine* dialog) {
  if (dialog) dialog->Enter(&ActiveScreen());
}

void AMainWindow::ToggleFullScreen() {
  OWindow* window = GetWindow();
  if (!window) return;
  if (window->IsFullScreen())
    window->LeaveFullScreen();
  else
    window->EnterFullScreen();
}

void AMainWindow::RunCommand(Command command) {
  OWindow* window = GetWindow();
  switch (command) {
    case kNewGame:
      if (game_ && game_->Score() != 0 && screens::newGame()) {
        screens::newGame()->rebuildSession = true;
        screens::newGame()->requester = nullptr;
        OpenDialog(screens::newGame().get());
      } else {
        StartNewGame();
      }
      break;
    case kMinimize:
      if (window) window->SetRestored(false);
      break;
    case kFullScreen:
      ToggleFullScreen();
      break;
    case kMoreGames:
    case kWebLink:
      OpenExternal(kMoreGamesUrl);
      break;
    case kOptions:
      ReturnFromDemo();
      OpenDialog(screens::options().get());
      break;
    case kHelp:
      if (AWndHelp* help = screens::help().get()) {
        help->SetRect(GetX() + (GetWidth() - help->GetWidth()) / 2,
                      GetY() + (GetHeight() - help->GetHeight()) / 2, help->GetWidth(), help->GetHeight());
        OpenDialog(help);
      }
      break;
    case kTopTen:
      OpenDialog(screens::top10().get());
      break;
    case kExit:
      if (!GetOptions().AutoSave && game_ && game_->Score() != 0 && screens::quit())
        OpenDialog(screens::quit().get());
      else if (window)
        window->Close();
      break;
    case kDemo:
      StartPlayer(false);
      break;
    case kReplay:
      StartPlayer(true);
      break;
    case kCommandCount:
      break;
  }
}

// ---- the session's host --------------------------------------------------------------------------------
void AMainWindow::ShowReplayButton() {
  if (buttons_[kReplay]) buttons_[kReplay]->visible = true;
}

bool AMainWindow::OpenResultDialog() {
  if (!screens::result()) return false;
  OpenDialog(screens::result().get());
  return true;
}

std::unique_ptr<BallTextLine> AMainWindow::MakeTextLine() {
  return std::make_unique<BallLetterLine>();
}
