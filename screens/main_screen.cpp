// MainScreen: layout, sessions, commands and the session's host. Input and the tick:
// main_screen_input.cpp.
//
// Sections: the player factory · layout · slots · sessions · commands · the session's host
#include "screens/main_screen.h"

#include "engine/active_screen.h"
#include "engine/button.h"
#include "engine/catalogue.h"
#include "engine/errors.h"
#include "engine/game_pages.h"
#include "game/arcade_session.h"
#include "game/replay_recorder.h"
#include "game/strategy_session.h"
#include "screens/ball_text.h"
#include "screens/dialogs/help_dialog.h"
#include "screens/dialogs/new_game_dialog.h"
#include "screens/dialogs/options_dialog.h"
#include "screens/dialogs/quit_dialog.h"
#include "screens/dialogs/result_dialog.h"
#include "screens/dialogs/top_ten_dialog.h"
#include "screens/program_exit.h"
#include "screens/screen_build.h"
#include "screens/screen_slots.h"
#include "screens/screens_context.h"
#include "store/options.h"
#include "store/settings_store.h"

// ---- the player factory ---------------------------------------------------------------------------------
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
  MainScreenPiece piece;
  int x, y;
};
constexpr PiecePlace kPieces[] = {
    {MainScreenPiece::kPanel, 580, 0},  {MainScreenPiece::kTopLeft, 0, 0},
    {MainScreenPiece::kTop, 24, 0},     {MainScreenPiece::kTopRight, 562, 0},
    {MainScreenPiece::kRight, 576, 24}, {MainScreenPiece::kBottomRight, 564, 485},
    {MainScreenPiece::kStrip, 24, 495}, {MainScreenPiece::kBottomLeft, 0, 477},
    {MainScreenPiece::kLeft, 0, 24},    {MainScreenPiece::kBottomLeftCorner, 0, 584},
    {MainScreenPiece::kBottom, 16, 596}};

struct ButtonPlace {
  MainScreen::Command command;
  ButtonPicture picture;
  int x, y, code;
};
// In adding order (which is also the order the pointer finds them in). Replay keeps New game's margin
// from the panel's edge and ends where Demo ends.
constexpr ButtonPlace kButtons[] = {{MainScreen::kReplay, ButtonPicture::kReplay, 582, 145, 16},
                                    {MainScreen::kDemo, ButtonPicture::kDemo, 615, 188, 11},
                                    {MainScreen::kExit, ButtonPicture::kExit, 760, 2, 21},
                                    {MainScreen::kHelp, ButtonPicture::kHelp, 694, 2, 21},
                                    {MainScreen::kFullScreen, ButtonPicture::kFullScreen, 661, 2, 21},
                                    {MainScreen::kMinimize, ButtonPicture::kMinimize, 727, 2, 21},
                                    {MainScreen::kMoreGames, ButtonPicture::kMoreGames, 684, 176, 13},
                                    {MainScreen::kNewGame, ButtonPicture::kNewGame, 582, 23, 12},
                                    {MainScreen::kOptions, ButtonPicture::kOptions, 670, 34, 10},
                                    {MainScreen::kTopTen, ButtonPicture::kTopTen, 715, 105, 14},
                                    {MainScreen::kWebLink, ButtonPicture::kWebLink, 600, 550, 0}};
constexpr int kButtonDepth = -1;

// The level name line of the session, written with ball letters.
class BallLetterLine : public BallTextLine {
 public:
  void Show(Screen& screen, int x, int y, const std::string& text, int dropHeight, int depth) override {
    line_.Show(screen, x, y, text, dropHeight, depth);
  }
  void Hide() override { line_.Hide(); }

 private:
  BallText line_;
};
}  // namespace

MainScreen::MainScreen(Window* window, int x, int y, int width, int height)
    : DialogScreen(window, x, y, width, height) {
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
    Button* button = AddButton(*this, catalogue::Get(b.picture), b.x, b.y, kButtonDepth);
    if (button) button->commandCode = b.code;
    buttons_[b.command] = button;
  }
  if (buttons_[kReplay]) buttons_[kReplay]->visible = false;
  SortByDepth();
}

// ---- slots ---------------------------------------------------------------------------------------------
MainScreen::~MainScreen() {
  game_.reset();
  scores_.Clear();
}

void MainScreen::OnClipPathEnd(Clip* clip, const PointSpeed&) {
  if (game_) game_->BallArrived(clip);
}

void MainScreen::Enter(Screen** activeSlot) {
  if (Window* window = GetWindow()) {
    if (GetOptions().fullScreen)
      window->EnterFullScreen();
    else
      window->LeaveFullScreen();
  }
  SetFramePeriod();
  DialogScreen::Enter(activeSlot);
  StartGame(false, false);
}

// ---- sessions ------------------------------------------------------------------------------------------
bool MainScreen::Arcade() const {
  return GetOptions().mode == GameMode::kArcade;
}

void MainScreen::SetFramePeriod() {
  Window* window = GetWindow();
  if (!window) return;
  const int speed = Arcade() && !demoRunning_ ? kArcadeSpeed : GetOptions().speed;
  window->SetFrameInterval(frameIntervals[speed >= 0 && speed < kSpeedCount ? speed : kArcadeSpeed]);
}

void MainScreen::StartGame(bool forceNew, bool afterDemo) {
  Options& options = GetOptions();
  int replayLevel = 0, replayMode = 0;
  bool replayReadable = ReadReplayHeader(kReplayFile, replayLevel, replayMode) == ReplayHeaderCheck::kOk;
  if (replayReadable) ShowReplayButton();
  SetFramePeriod();
  game_.reset();
  if (!demoRunning_) {
    if (options.mode == GameMode::kArcade)
      game_ = std::make_unique<ArcadeSession>(this);
    else
      game_ = std::make_unique<StrategySession>(this);
    if (demoLabel_) demoLabel_->visible = false;
    if (replayLabel_) replayLabel_->visible = false;
  } else if (!replayRunning_) {
    if (Screens().playerFactory) game_ = Screens().playerFactory(*this, false, GameMode::kStrategy, {});
    if (demoLabel_) demoLabel_->visible = true;
  } else {
    // The replay shows the level it was played at.
    if (Watching())
      replayReadable = ReadReplayHeader(watchFile_, replayLevel, replayMode) == ReplayHeaderCheck::kOk;
    if (replayReadable) options.level = replayLevel;
    if (Screens().playerFactory)
      game_ = Screens().playerFactory(*this, true, GameMode(replayMode), watchFile_);
    if (replayLabel_) replayLabel_->visible = true;
  }
  bool ok = game_ != nullptr;
  if (ok) {
    game_->SetSettings(&GetSettings());
    game_->SetHost(this);
    const bool restore = (options.autoSave && options.settingsLoaded && !forceNew) ||
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

void MainScreen::ReturnFromDemo() {
  if (!demoRunning_) return;
  const bool watched = Watching();
  StopDemo();
  StartGame(false, true);
  if (TopTenDialog* topTen = screens::topTen().get(); watched && topTen)
    topTen->Open(topTen->Code(), topTen->Highlight());
}

void MainScreen::StartNewGame() {
  StopDemo();
  StartGame(true, false);
}

void MainScreen::StopDemo() {
  if (!demoRunning_) return;
  demoRunning_ = false;
  replayRunning_ = false;
  EndWatch();
  GetOptions().level = Screens().savedLevel;
}

void MainScreen::StartPlayer(bool replay) {
  // The players arrive later; until then the buttons start nothing.
  if (!Screens().playerFactory) return;
  if (demoLabel_) demoLabel_->visible = !replay;
  if (replayLabel_) replayLabel_->visible = replay;
  if (!demoRunning_) Screens().savedLevel = GetOptions().level;
  demoRunning_ = true;
  replayRunning_ = replay;
  GetOptions().level = 0;
  StartGame(false, false);
}

// ---- commands ------------------------------------------------------------------------------------------
MainScreen::Command MainScreen::CommandOf(const Control* control) const {
  for (int c = 0; c < kCommandCount; ++c)
    if (control && buttons_[c] == control) return Command(c);
  return kCommandCount;
}

void MainScreen::OnButtonCommand(Control* button) {
  const Command command = CommandOf(button);
  if (command != kCommandCount) RunCommand(command);
}

void MainScreen::OpenDialog(Screen* dialog) {
  if (dialog) dialog->Enter(&ActiveScreen());
}

void MainScreen::ToggleFullScreen() {
  Window* window = GetWindow();
  if (!window) return;
  if (window->IsFullScreen())
    window->LeaveFullScreen();
  else
    window->EnterFullScreen();
}

void MainScreen::RunCommand(Command command) {
  Window* window = GetWindow();
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
      game_pages::Open(game_pages::kAbout);
      break;
    case kOptions:
      ReturnFromDemo();
      OpenDialog(screens::options().get());
      break;
    case kHelp:
      if (HelpDialog* help = screens::help().get()) {
        help->SetRect(GetX() + (GetWidth() - help->GetWidth()) / 2,
                      GetY() + (GetHeight() - help->GetHeight()) / 2, help->GetWidth(), help->GetHeight());
        OpenDialog(help);
      }
      break;
    case kTopTen:
      OpenDialog(screens::topTen().get());
      break;
    case kExit:
      if (!GetOptions().autoSave && game_ && game_->Score() != 0 && screens::quit())
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
void MainScreen::ShowReplayButton() {
  if (buttons_[kReplay]) buttons_[kReplay]->visible = true;
}

bool MainScreen::OpenResultDialog() {
  if (!screens::result()) return false;
  OpenDialog(screens::result().get());
  return true;
}

std::unique_ptr<BallTextLine> MainScreen::MakeTextLine() {
  return std::make_unique<BallLetterLine>();
}
