// What the player's keys, clicks and buttons lead to through the whole program: one row a scenario,
// played from a game at a level and mode waiting for its first shot, then the screen, the game and the
// options it left. Then what the result and top-ten dialogs show and store: the bonus, the name offered,
// the record filed, the list of a level code, and the results link sent for its best record.
#include <SDL.h>

#include <algorithm>
#include <map>
#include <regex>
#include <sstream>

#include "engine/platform_sdl.h"
#include "game/arcade_session.h"
#include "game/strategy_session.h"
#include "screens/skin_row.h"
#include "tests/app/program_testing.h"

using namespace program_testing;

namespace {

struct Scenario {
  const char* name;
  int level, type;
  // Steps: score:N (points for the game), records (two records of level code 3, one of 6), autosave:0|1,
  // cmd:COMMAND, btn:COMMAND (a click on its button), press:COMMAND (the press alone), down:KEY, up:KEY,
  // row:N (a click on the top ten's row N), title:0|1 (a click on its level name, its mode picture),
  // shifttab, stick:X (the game controller's stick pushed sideways), unplug (the controller),
  // right (a right-button release), click:X,Y, release:X,Y, move:X,Y, level:N type:N switch:N speed:N symbols
  // (the options' boxes), swatch:N hover:N (a click on, the pointer over a ball look), dlg:BUTTON (a dialog's
  // button, then half a second), tap:BUTTON (the click alone), ticks:N, unfocus, result (the game ends), end
  // (a ball in the bottom row: the game ends without points), close (the desktop asks the window to close).
  const char* steps;
  // closed, or a screen (main quit newgame help topTen clear) or game state (ready paused flying) and
  // KEY=VALUE of what Shown gives (ring=1: the dialog's picture shows the focus ring around the focused
  // control; over=1: the game-over sign shows; label: the frame of the indicator's label, by mode).
  const char* want;
};

const Scenario kScenarios[] = {
    {"ExitWithAutoSaveClosesAtOnce", 0, 0, "score:30 autosave:1 cmd:Exit", "closed"},
    {"ExitWithoutAScoreClosesAtOnce", 0, 0, "autosave:0 cmd:Exit", "closed"},
    {"ExitDuringAGameAsks", 0, 0, "score:30 autosave:0 cmd:Exit", "quit line=QUIT_THE/GAME_?"},
    {"QuitYesCloses", 0, 0, "score:30 autosave:0 cmd:Exit dlg:Yes", "closed"},
    {"QuitNoGoesOn", 0, 0, "score:30 autosave:0 cmd:Exit dlg:No", "main ready score=30"},
    // The desktop's close is the exit button's; asked again while the question is open, it closes.
    {"CloseDuringAGameAsks", 0, 0, "score:30 autosave:0 cmd:Help close", "quit line=QUIT_THE/GAME_?"},
    {"ASecondCloseCloses", 0, 0, "score:30 autosave:0 close close", "closed"},
    {"NewGameWithoutAScoreStartsAtOnce", 0, 0, "cmd:NewGame", "main score=0"},
    {"NewGameDuringAGameAsks", 0, 0, "score:30 cmd:NewGame", "newgame line=START_NEW/GAME_?"},
    {"NewGameEscapeKeepsTheGame", 0, 0, "score:30 cmd:NewGame up:Escape", "main score=30"},
    {"NewGameYesRestarts", 0, 0, "score:30 cmd:NewGame dlg:Yes", "main score=0"},
    {"ALevelChangeDuringAGameAsks", 0, 0, "score:40 cmd:Options level:2 up:Return", "newgame level=2"},
    {"NoToTheChangeRestoresLevelAndMode", 0, 0, "score:40 cmd:Options level:2 type:1 up:Return up:Escape",
     "main score=40 session=GameOrig level=0 type=0"},
    {"YesToTheModeChangeMakesTheNewSession", 1, 0, "score:40 cmd:Options type:1 up:Return up:Return",
     "main score=0 session=GameTime level=1 type=1"},
    {"WithoutAGameAChangeActsAtOnce", 0, 0, "cmd:Options type:1 level:1 up:Return",
     "main session=GameTime level=1 type=1"},
    {"TheOkButtonStores", 0, 0, "cmd:Options level:2 dlg:Ok", "main level=2"},
    {"EnterStoresTheSwitchesAndSpeed", 0, 0, "cmd:Options switch:0 switch:2 speed:4 up:Return",
     "main sound=00 autosave=0 speed=4"},
    {"EscapeInTheOptionsStoresNothing", 0, 0, "cmd:Options level:2 switch:0 speed:4 up:Escape",
     "main level=0 sound=11 speed=2"},
    {"ReopenedOptionsShowTheOptions", 0, 0, "cmd:Options switch:0 speed:4 up:Escape cmd:Options up:Return",
     "sound=11 speed=2"},
    // Without sound, mixing is greyed and deaf to clicks and keys, its value kept; with sound it is back.
    {"SoundOffGreysMixSounds", 0, 0, "cmd:Options switch:0 switch:1 down:Tab down:Tab up:Space",
     "greyed=11 mixbox=1"},
    {"SoundOnGivesMixSoundsBack", 0, 0, "cmd:Options switch:0 switch:0 switch:1", "greyed=00 mixbox=0"},
    // The symbols box puts every colour's symbol on, again the plain looks; it shows whether all six have it.
    {"TheSymbolsBoxMarksEveryColour", 0, 0, "cmd:Options swatch:2 symbols dlg:Ok", "main looks=111111"},
    {"TheSymbolsBoxAgainGivesThePlainLooks", 0, 0, "cmd:Options swatch:2 symbols symbols dlg:Ok",
     "looks=000000"},
    {"SixSymbolSwatchesCheckTheSymbolsBox", 0, 0,
     "cmd:Options swatch:0 swatch:1 swatch:2 swatch:3 swatch:4 swatch:5", "symbols=1"},
    {"AnotherLookClearsTheSymbolsBox", 0, 0, "cmd:Options symbols swatch:4", "symbols=0"},
    {"TheSwatchUnderThePointerGlows", 0, 0, "cmd:Options hover:3", "glow=3"},
    // Enter runs a dialog's default button, Escape its cancel or close; the options' and the result's are
    // above.
    {"QuitEnterCloses", 0, 0, "score:30 autosave:0 cmd:Exit up:Return", "closed"},
    {"QuitEscapeGoesOn", 0, 0, "score:30 autosave:0 cmd:Exit up:Escape", "main ready score=30"},
    {"NewGameEnterRestarts", 0, 0, "score:30 cmd:NewGame up:Return", "main score=0"},
    {"HelpEnterGoesBackToTheGame", 0, 0, "cmd:Help ticks:3 up:Return", "main ready"},
    {"HelpEscapeGoesBackToTheGame", 0, 0, "cmd:Help up:Escape", "main ready"},
    {"TopTenEnterCloses", 2, 0, "records cmd:TopTen up:Return", "main records=3"},
    {"TopTenEscapeCloses", 2, 0, "records cmd:TopTen up:Escape", "main records=3"},
    {"ClearEnterKeepsEverything", 2, 0, "records cmd:TopTen dlg:Clear up:Return", "top10 records=3"},
    {"ClearYesWithTheFocusClears", 2, 0, "records cmd:TopTen dlg:Clear down:Tab up:Return",
     "top10 records=1"},
    {"ClearEscapeKeepsEverything", 2, 0, "records cmd:TopTen dlg:Clear up:Escape", "top10 records=3"},
    {"AWaitingButtonTakesNoKey", 0, 0, "score:30 autosave:0 cmd:Exit tap:No up:Return ticks:60",
     "main ready"},
    // The focus shows only after Tab; Tab and Shift+Tab walk the shown controls (wrapping from none to the
    // last); Space or Enter presses the focused one, a radio box as a click would.
    {"NoFocusShowsBeforeTab", 0, 0, "cmd:TopTen ticks:2", "top10 ring=0"},
    {"TabShowsTheFocusOnAShownButton", 0, 0, "cmd:TopTen shifttab up:Space", "main"},
    {"TheFocusShowsAroundItsControl", 0, 0, "cmd:Options down:Tab ticks:2", "ring=1"},
    {"SpacePressesTheFocusedBox", 0, 0, "cmd:Options down:Tab down:Tab shifttab up:Space dlg:Ok",
     "main sound=00"},
    {"EnterPressesTheFocusedRadioBox", 0, 0, "cmd:Options shifttab shifttab shifttab up:Return dlg:Ok",
     "main session=GameTime type=1"},
    {"EnterPressesTheFocusedCancel", 0, 0, "score:500 result down:Tab down:Tab up:Return", "main records=0"},
    {"SpacePressesTheFocusedOk", 0, 0, "score:500 result down:Tab down:Tab shifttab up:Space",
     "top10 records=1"},
    {"HelpTurnsItsPages", 0, 0, "cmd:Help dlg:Next", "help page=101"},
    {"HelpTurnsBack", 0, 0, "cmd:Help dlg:Next dlg:Previous", "help page=010"},
    {"HelpOpensTheMoreGamesPage", 0, 0, "cmd:Help dlg:MoreGames", "help url=file://SCRATCH/pages/about.html"},
    {"HelpReopensAtItsFirstPage", 0, 0, "cmd:Help dlg:Next dlg:Close cmd:Help", "help page=010"},
    // A filed result opens its table with its row marked; without a whole recording of the game (this one
    // never ended) the row is greyed and Enter on it does nothing.
    {"ResultEnterFilesStartsAnewAndMarksTheRow", 0, 0, "score:500 result up:Return up:Return",
     "top10 score=0 records=1 highlight=0 watchable=0 watching=0"},
    // A game that ended keeps its recording: Enter on its row plays it with its caption, any key or its
    // end brings the table back, the key's release spent.
    {"TheEndedGamesRowPlaysItsRecording", 1, 1, "score:500 end ticks:30 up:Return up:Return ticks:3",
     "main watching=1 caption=1 session=GameSavedTime level=1"},
    {"AKeyEndsTheWatch", 1, 1, "score:500 end ticks:30 up:Return row:0 ticks:3 down:Return up:Return",
     "top10 watching=0 caption=0 highlight=0 session=GameTime level=1"},
    {"TheRecordingsEndHoldsItsFinalBoard", 1, 0, "score:500 end ticks:30 up:Return row:0 stopped ticks:150",
     "main watching=1 caption=1"},
    {"TheRecordingsEndBringsTheTableBack", 1, 0, "score:500 end ticks:30 up:Return row:0 stopped ticks:200",
     "top10 watching=0 code=2"},
    // Up and Down move the mark (wrapping), Left and Right turn the tables, the level name and the mode
    // picture too; clear clears the table shown.
    {"UpAndDownMoveTheMark", 2, 0, "records cmd:TopTen down:Down down:Down down:Down down:Up",
     "top10 highlight=1"},
    {"LeftAndRightTurnTheTables", 2, 0, "records cmd:TopTen down:Right down:Right down:Right down:Left",
     "top10 code=5 rows=0"},
    {"TheModePictureTurnsToTheOtherMode", 2, 0, "records cmd:TopTen title:0 title:0 title:1", "code=5"},
    {"ClearClearsTheTableShown", 2, 0, "records cmd:TopTen down:Left down:Left down:Left dlg:Clear dlg:Yes",
     "top10 code=6 records=2 rows=0"},
    {"ResultEscapeFilesNothing", 0, 0, "score:500 result up:Escape", "main score=0 records=0"},
    // Strategy Master is level code 3.
    {"ClearAsks", 2, 0, "records cmd:TopTen dlg:Clear", "clear line=DELETE_ALL/RECORDS_?"},
    // Ten strips with their texts always. Clips: 17 that stay (the frame's twelve pieces, the title
    // picture, three buttons, the mode picture), the level's 6 letters, the 20 row clips, the note's 9
    // letters; leaving takes off all but the 17.
    {"ClearYesClearsTheLevelCode", 2, 0, "records cmd:TopTen dlg:Clear dlg:Yes",
     "top10 records=1 rows=0 note=NO_RESULTS top10clips=52"},
    {"ClearNoKeepsEverything", 2, 0, "records cmd:TopTen dlg:Clear dlg:No",
     "top10 records=3 rows=2 note= top10clips=43"},
    {"LeavingTheTopTenTakesItsRowsOff", 2, 0, "cmd:TopTen dlg:TopTenClose", "main top10clips=17"},
    // Each of the four toggles the pause: one that did nothing would leave the game ready.
    {"ArcadeSpacePauseEscapeTheRightButtonAndThePadsStartPause", 0, 1,
     "down:Space down:Pause down:Escape right down:PadStart", "paused"},
    {"UnpluggingThePadPausesArcade", 0, 1, "unplug", "paused"},
    {"ArcadePausesWithoutTheFocus", 0, 1, "unfocus ticks:1", "paused"},
    {"StrategyIgnoresThePauses", 0, 0, "down:Space down:Pause down:Escape right unfocus ticks:3",
     "ready label=0"},
    // An end without points has nothing to enter: the sign shows it (and the timer's label says TIME).
    {"AnEndWithoutPointsShowsTheGameOverSign", 0, 1, "end ticks:30", "main over=1 label=1"},
    {"APressThatResumesNeverShoots", 0, 1, "down:Space ticks:3 click:300,200", "ready"},
    {"TheClickAfterResumingShoots", 0, 1, "down:Space ticks:3 click:300,200 ticks:10 click:300,200",
     "flying"},
    {"AReleaseOutsideTheFieldResumes", 0, 1, "down:Space release:700,400", "ready"},
    {"AClickInTheFieldShoots", 0, 0, "click:300,250", "flying"},
    // Keys aim from straight up, held ones faster; the shot is a click at the aim's point, the guide
    // shows whenever the next shot waits and a mouse move takes it away.
    {"RightAndUpShootAsAClickAtTheAimsPoint", 0, 0, "down:Right ticks:45 up:Right down:Up ticks:300",
     "ready aim=349,14 landed=161 guide=1"},
    // A pixel further right lands in the next cell.
    {"AClickAtTheKeysAimLandsAlike", 0, 0, "click:349,14 ticks:300", "ready landed=161"},
    {"ShiftTurnsFinely", 0, 0, "shiftright down:Up", "flying aim=295,14"},
    {"TheAimStopsAtTheFieldsLowestLeftCorner", 0, 0, "down:Left ticks:200 down:Up ticks:1",
     "flying aim=14,499 guide=0"},
    {"TheAimStopsAtTheFieldsLowestRightCorner", 0, 0, "down:Right ticks:200 down:Up", "flying aim=576,499"},
    {"AMouseMoveTakesTheGuideAway", 0, 0, "down:Right up:Right ticks:2 move:100,100 ticks:2", "guide=0"},
    {"ThePadsStickTurnsAndItsAShoots", 0, 1, "stick:32767 ticks:20 stick:0 down:PadA", "flying aim=499,14"},
    // In dialogs the controller works as the keys: B is Escape, A Enter, the D-pad the arrows; a button
    // that ends a watched record does not act again in the top ten it returns to.
    {"ThePadsBBacksOutOfADialog", 0, 0, "cmd:Help up:PadB", "main ready"},
    {"ThePadsAFilesAResult", 0, 0, "score:500 result up:PadA", "top10 records=1 highlight=0"},
    {"ThePadsDPadTurnsTheTablesAndMarksARow", 2, 0,
     "records cmd:TopTen down:PadRight down:PadRight down:PadRight down:PadDown", "top10 code=6 highlight=0"},
    {"ThePadsAWatchesAndEndsTheWatchOnce", 1, 1,
     "score:500 end ticks:30 up:Return row:0 ticks:3 down:PadA up:PadA ticks:3",
     "top10 watching=0 highlight=0"},
    {"F4TogglesFullScreen", 0, 0, "down:F4", "full=1"},
    {"F3Minimizes", 0, 0, "down:F3", "min=1"},
    {"EnterMinimizes", 0, 0, "down:Return", "min=1"},
    {"TheMinimizeButtonActsOnThePress", 0, 0, "press:Minimize", "min=1"},
    {"AButtonWaitsHalfASecond", 0, 0, "btn:FullScreen ticks:45", "full=0"},
    {"AButtonActsHalfASecondAfterItsRelease", 0, 0, "btn:FullScreen ticks:55", "full=1"},
    {"TheWebLinkOpensThePageAtOnce", 0, 0, "btn:WebLink", "url=file://SCRATCH/pages/about.html"},
};

void AddRecord(Program& program, const std::string& name, int code, int score) {
  program.Main()->Scores().AddRecord("6-12-126\t" + name + "\t" + std::to_string(code) + "\t" +
                                     std::to_string(score));
}

// Commands and keys by name.
// clang-format off
const std::map<std::string, int> kNames = {
    {"Exit", MainScreen::kExit}, {"NewGame", MainScreen::kNewGame}, {"Options", MainScreen::kOptions},
    {"Help", MainScreen::kHelp}, {"TopTen", MainScreen::kTopTen}, {"WebLink", MainScreen::kWebLink},
    {"Minimize", MainScreen::kMinimize}, {"FullScreen", MainScreen::kFullScreen}, {"Return", vk::kReturn},
    {"Escape", vk::kEscape}, {"Space", vk::kSpace}, {"Tab", vk::kTab}, {"Pause", vk::kPause}, {"F3", vk::kF3}, {"F4", vk::kF4},
    {"Left", vk::kLeft}, {"Right", vk::kRight}, {"Up", vk::kUp}, {"Down", vk::kDown}, {"PadA", vk::kPadA}, {"PadB", vk::kPadB},
    {"PadStart", vk::kPadStart}, {"PadRight", vk::kPadRight}, {"PadDown", vk::kPadDown}};
// clang-format on

// The frame of the session's indicator label, or -1.
int IndicatorLabel(const Session& game) {
  const AttemptsIndicator* indicator = nullptr;
  if (const auto* strategy = dynamic_cast<const StrategySession*>(&game)) indicator = &strategy->Indicator();
  if (const auto* arcade = dynamic_cast<const ArcadeSession*>(&game)) indicator = &arcade->Indicator();
  return indicator && indicator->Label() ? indicator->Label()->GetCurrentFrame() : -1;
}

// Whether the active dialog's picture shows the focus ring around the focused control.
bool FocusRingShown() {
  const auto* dialog = dynamic_cast<const DialogScreen*>(ActiveScreen());
  if (!dialog || !dialog->GetPicture() || !dialog->GetFocusRing() || !dialog->GetKeyFocus()) return false;
  const Clip& around = *dialog->GetFocusRing();
  const int x = int(around.x), y = int(around.y) + around.GetHeight() / 2;
  return x == int(dialog->GetKeyFocus()->x) - 5 &&
         dialog->GetPicture()->GetPixel(x, y) ==
             around.GetShownPicture()->GetPixel(0, around.GetHeight() / 2);
}

// The options dialog's state as " KEY=VALUE" items: Mix sounds greyed, the boxes, the looks, the glow.
std::string ShownOptions(const Options& o) {
  const OptionsDialog& options = *screens::options();
  const CheckBox& mix = *options.SwitchBox(OptionsDialog::kMixSounds);
  std::string looks;
  for (int look : o.skins)
    looks += std::to_string(look);
  int glow = -1;
  if (const Clip* ring = options.SkinsRow().HoverRing(); ring && ring->visible)
    for (int k = 0; k < SkinRow::kSwatches; ++k)
      if (int(ring->x) + ring->GetWidth() / 2 == int(options.SkinsRow().Swatch(k)->x) + 16) glow = k;
  std::ostringstream out;
  out << " greyed=" << (options.MixVeil() && options.MixVeil()->visible) << !mix.enabled
      << " mixbox=" << mix.IsChecked() << " symbols=" << options.SymbolsBox()->IsChecked()
      << " looks=" << looks << " glow=" << glow;
  return out.str();
}

class ProgramScenario : public ProgramTest, public ::testing::WithParamInterface<Scenario> {
 protected:
  // The options' steps: level, type, switch, speed, symbols, swatch (clicks) and hover.
  void DoInOptions(const std::string& verb, int n) {
    OptionsDialog& options = *screens::options();
    if (verb == "level") program.ClickOn(options, options.LevelBox(n));
    if (verb == "type") program.ClickOn(options, options.TypeBox(GameMode(n)));
    if (verb == "switch") program.ClickOn(options, options.SwitchBox(OptionsDialog::Switch(n)));
    if (verb == "speed") program.ClickOn(options, options.SpeedBar().Cells()[size_t(n)]);
    if (verb == "symbols") program.ClickOn(options, options.SymbolsBox());
    if (verb == "swatch") program.ClickOn(options, options.SkinsRow().Swatch(n));
    if (verb == "hover") {
      const Clip& swatch = *options.SkinsRow().Swatch(n);
      program.Window().OnMouseMove(options.GetX() + int(swatch.x) + 16, options.GetY() + int(swatch.y) + 16);
    }
  }
  // A click on a dialog's button by name, then half a second when asked.
  void PressDialogButton(const std::string& name, bool thenWait) {
    OptionsDialog& options = *screens::options();
    HelpDialog& help = *screens::help();
    TopTenDialog& top = *screens::topTen();
    auto* question = dynamic_cast<ConfirmDialog*>(ActiveScreen());
    const std::map<std::string, std::pair<const Screen*, const Clip*>> buttons = {
        {"Yes", {question, question ? question->YesButton() : nullptr}},
        {"No", {question, question ? question->NoButton() : nullptr}},
        {"Ok", {&options, options.OkButton()}},
        {"Clear", {&top, top.ClearButton()}},
        {"TopTenClose", {&top, top.CloseButton()}},
        {"Next", {&help, help.NextButton()}},
        {"Previous", {&help, help.PreviousButton()}},
        {"MoreGames", {&help, help.MoreGamesButton()}},
        {"Close", {&help, help.CloseButton()}}};
    const auto [screen, button] = buttons.at(name);
    ASSERT_EQ(ActiveScreen(), screen) << name;
    program.ClickOn(*screen, button);
    if (thenWait) program.Ticks(60);
  }
  void Do(const std::string& verb, const std::string& arg) {
    const int n = kNames.count(arg) ? kNames.at(arg) : std::atoi(arg.c_str());
    int x = 0, y = 0;
    std::sscanf(arg.c_str(), "%d,%d", &x, &y);
    TopTenDialog& top = *screens::topTen();
    if (verb == "score") program.CurrentSession()->GetScore().Add(n);
    if (verb == "records")
      for (auto [code, score] : {std::pair{3, 400}, {3, 300}, {6, 500}})
        AddRecord(program, "P", code, score);
    if (verb == "autosave") GetOptions().autoSave = n != 0;
    if (verb == "cmd") program.Main()->RunCommand(MainScreen::Command(n));
    if (verb == "btn" || verb == "press") {
      const Button* b = program.Main()->ButtonFor(MainScreen::Command(n));
      x = int(b->x) + b->GetWidth() / 2, y = int(b->y) + b->GetHeight() / 2;
      program.Window().OnMouseMove(x, y);
      program.Window().OnMouseDown(x, y);
    }
    if (verb == "btn" || verb == "release") program.Window().OnMouseUp(x, y);
    if (verb == "down") program.KeyDown(n);
    if (verb == "up") program.KeyUp(n);
    if (verb == "shifttab") program.Window().OnKeyDown(vk::kTab, kModShift);
    if (verb == "shiftright") program.Window().OnKeyDown(vk::kRight, kModShift);
    if (verb == "stick") program.Window().OnPadStick(n, 0);
    if (verb == "unplug") program.Window().OnPadRemoved();
    if (verb == "move") program.Window().OnMouseMove(x, y);
    if (verb == "right") program.Window().OnRightMouseUp(300, 300);
    if (verb == "click") program.Click(x, y);
    DoInOptions(verb, n);
    if (verb == "dlg" || verb == "tap") PressDialogButton(arg, verb == "dlg");
    if (verb == "ticks") program.Ticks(n);
    if (verb == "stopped") {  // until the watched recording ends
      for (int i = 0; i < 3000 && !program.CurrentSession()->PlayerStopped(); ++i)
        program.Ticks();
      ASSERT_TRUE(program.CurrentSession()->PlayerStopped());
    }
    if (verb == "unfocus") program.platform.SetFocus(false);
    if (verb == "close") program.Window().OnCloseRequest();
    if (verb == "end") {
      program.CurrentSession()->GetBoard()->SetCell(kCellCount - 1, 0);  // a ball in the bottom row
      program.CurrentSession()->NextBall();
    }
    if (verb == "row")
      program.Click(top.GetX() + TopTenDialog::kRowX + 10,
                    top.GetY() + TopTenDialog::kRowY + TopTenDialog::kRowStep * n + 10);
    if (verb == "title") program.Click(top.GetX() + top.GetWidth() / 2, top.GetY() + (n ? 70 : 100));
    if (verb == "result") {
      ASSERT_TRUE(program.Main()->OpenResultDialog());
    }
  }
  // What the program shows, as " KEY=VALUE" items.
  std::string Shown() {
    Session& game = *program.CurrentSession();
    const auto* question = dynamic_cast<ConfirmDialog*>(ActiveScreen());
    std::string lines = question ? question->Line(0).Text() + "/" + question->Line(1).Text() : "";
    const BallText& note = screens::topTen()->EmptyNote();
    std::string noteText = note.Letters().empty() ? "" : note.Text();
    for (std::string* text : {&lines, &noteText})
      std::replace(text->begin(), text->end(), ' ', '_');
    const std::pair<const char*, const Screen*> named[] = {
        {"main", screens::mainScreen().get()}, {"quit", screens::quit().get()},
        {"newgame", screens::newGame().get()}, {"help", screens::help().get()},
        {"top10", screens::topTen().get()},    {"clear", screens::clearRecords().get()}};
    std::string screen = "other";
    for (auto [name, slot] : named)
      if (ActiveScreen() == slot) screen = name;
    const SessionState state = game.State();
    const HelpDialog& help = *screens::help();
    const TopTenDialog& top = *screens::topTen();
    const Options& o = GetOptions();
    const auto& urls = program.platform.OpenedUrls();
    int aimX, aimY;
    program.Main()->Aim().AimPoint(aimX, aimY);
    const auto& dots = program.Main()->Aim().GuideDots();
    std::ostringstream out;
    out << " screen=" << screen << " state="
        << (state == SessionState::kReady    ? "ready"
            : state == SessionState::kPaused ? "paused"
            : state == SessionState::kFlying ? "flying"
                                             : "other")
        << " score=" << game.Score() << " session=" << game.Name() << " level=" << o.level
        << " type=" << int(o.mode) << " sound=" << o.soundOn << GetSound().IsEnabled()
        << " autosave=" << o.autoSave << " speed=" << o.speed << " full=" << program.Window().IsFullScreen()
        << " min=" << program.platform.IsMinimised() << " url=" << (urls.empty() ? "" : urls.back())
        << " records=" << program.Main()->Scores().Size() << " rows=" << screens::topTen()->Rows().size()
        << " note=" << noteText << " top10clips=" << screens::topTen()->GetClips().size() << " line=" << lines
        << " page=" << help.Page() << help.NextButton()->visible << help.PreviousButton()->visible
        << " ring=" << FocusRingShown() << ShownOptions(o) << " aim=" << aimX << "," << aimY
        << " landed=" << game.GetBoard()->LandingIndex()
        << " guide=" << std::ranges::any_of(dots, [](const Clip* dot) { return dot->visible; })
        << " over=" << (game.GameOverSign() && game.GameOverSign()->visible)
        << " label=" << IndicatorLabel(game) << " code=" << screens::topTen()->Code()
        << " highlight=" << screens::topTen()->Highlight()
        << " watchable=" << (top.Rows().empty() ? -1 : top.Rows()[0].watchable)
        << " watching=" << program.Main()->Watching()
        << " caption=" << (program.Main()->WatchCaption() != nullptr) << " ";
    // The game's pages open from the scratch folder, whose path differs from run to run.
    return std::regex_replace(out.str(), std::regex(" url=file://[^ ]*/pages/"),
                              " url=file://SCRATCH/pages/");
  }
};

TEST_P(ProgramScenario, EndsAsThePlayerExpects) {
  const Scenario& s = GetParam();
  ASSERT_TRUE(program.StartIn(s.level, GameMode(s.type)));
  std::istringstream steps(s.steps);
  for (std::string step; steps >> step && program.platform.HasWindow();) {
    const size_t colon = step.find(':');
    ASSERT_NO_FATAL_FAILURE(
        Do(step.substr(0, colon), colon == std::string::npos ? "" : step.substr(colon + 1)));
  }
  if (std::string(s.want) == "closed") {
    EXPECT_FALSE(program.platform.HasWindow());
    return;
  }
  ASSERT_TRUE(program.platform.HasWindow());
  const std::string shown = Shown();
  std::istringstream want(s.want);
  for (std::string item; want >> item;) {
    const bool found = item.find('=') != std::string::npos
                           ? shown.find(" " + item + " ") != std::string::npos
                           : shown.find(" screen=" + item + " ") != std::string::npos ||
                                 shown.find(" state=" + item + " ") != std::string::npos;
    EXPECT_TRUE(found) << item << " is not in:" << shown;
  }
}

INSTANTIATE_TEST_SUITE_P(Player, ProgramScenario, ::testing::ValuesIn(kScenarios),
                         [](const auto& info) { return std::string(info.param.name); });

using Dialogs = ProgramTest;

TEST(ResultRules, TheBonusIsTenThousandTimesOnePlusTwoUpToTheColoursCleared) {
  for (auto [cleared, bonus] : {std::pair{-2, 0}, {0, 0}, {1, 10000}, {3, 60000}, {6, 210000}})
    EXPECT_EQ(ResultDialog::Bonus(cleared), bonus) << cleared;
}

TEST(ResultRules, TheNameOfferedIsKeptOrTheLevelsBestStrategyNameOrTheLevelName) {
  ScoreTable table;
  for (const char* record : {"1-1-126\tArcadeAnn\t5\t9000", "1-1-126\tBob\t2\t700", "1-1-126\tCarl\t2\t500",
                             "1-1-126\tDora\t1\t800"})
    table.AddRecord(record);
  const struct {
    const char* typed;
    int level;
    const char* offered;
  } cases[] = {
      {"", 1, "Bob"},          {"", 0, "Dora"},         {"", 2, "Master"}, {"   ", 1, "Expert"},
      {"Novice", 2, "Master"}, {"Master", 0, "Novice"}, {"Eve", 0, "Eve"}, {"Novice Nick", 0, "Novice Nick"}};
  for (const auto& c : cases)
    EXPECT_EQ(ResultDialog::DefaultName(c.typed, c.level, table), c.offered)
        << '"' << c.typed << "\" " << c.level;
}

// The window's close files the result as OK does, under the name typed in place of the one offered.
TEST_F(Dialogs, TheResultShowsTheTotalAndTheWindowsCloseFilesItUnderTheNameTypedCutToTwelve) {
  ASSERT_TRUE(program.StartIn(1, GameMode::kArcade));  // arcade Expert: level code 5
  program.CurrentSession()->GetScore().Add(500);
  ASSERT_TRUE(program.Main()->OpenResultDialog());
  ResultDialog& dialog = *screens::result();
  const int bonus = ResultDialog::Bonus(6 - program.CurrentSession()->PaletteLength());
  EXPECT_EQ(dialog.Line(0).Text(), "500");
  EXPECT_EQ(dialog.Line(1).Text(), std::to_string(bonus));
  EXPECT_EQ(dialog.Line(2).Text(), std::to_string(500 + bonus));
  EXPECT_EQ(dialog.NameBox()->GetText(), "Expert");
  for (char c : std::string("Zo\xEB the\tgreatest of all"))
    program.Window().OnCharacter(static_cast<signed char>(c), 0);
  // Typing stays with the name box: none reaches it while Tab has the focus on OK.
  program.KeyDown(vk::kTab);
  program.Window().OnCharacter('x', 0);
  program.Window().OnKeyDown(vk::kTab, kModShift);
  // Closing the window files the result under the name shown.
  program.Window().OnCloseRequest();
  EXPECT_FALSE(program.platform.HasWindow());
  ASSERT_EQ(program.Main()->Scores().Size(), 1u);
  const auto& [score, record] = *program.Main()->Scores().begin();
  EXPECT_EQ(score, 500 + bonus);
  EXPECT_EQ(record.code, "5");
  EXPECT_EQ(record.name, "Zo\xEB thegreat");
  EXPECT_TRUE(
      std::regex_match(record.date, std::regex(R"(([1-9]|[12][0-9]|3[01])-([1-9]|1[0-2])-1[0-9][0-9])")))
      << record.date;
}

TEST_F(Dialogs, TheTopTenShowsTheTenBestOfTheLevelCodeWithNamesCutAndSubmitsTheBest) {
  ASSERT_TRUE(program.StartIn(1, GameMode::kArcade));  // code 5
  for (int i = 0; i < 12; ++i)
    AddRecord(program, "Player" + std::to_string(i), 5, 1000 + 100 * i);
  AddRecord(program, "Strategist", 2, 99999);
  AddRecord(program, "ABCDEFGHIJKLMNOPQRST", 5, 5000);
  program.Main()->RunCommand(MainScreen::kTopTen);
  TopTenDialog& top = *screens::topTen();
  EXPECT_EQ(top.Title().Text(), "Expert");
  std::vector<std::string> names;
  for (const auto& row : top.Rows())
    names.push_back(row.name);
  const std::vector<std::string> best = {"ABCDEFGHIJKLM", "Player11", "Player10", "Player9", "Player8",
                                         "Player7",       "Player6",  "Player5",  "Player4", "Player3"};
  EXPECT_EQ(names, best);
  EXPECT_TRUE(top.ClearButton()->visible);
  program.ClickOn(top, top.SubmitButton());
  program.Ticks(60);
  EXPECT_EQ(ActiveScreen(), screens::mainScreen().get());
  const std::string e = results_link::Encode(results_link::ResultText(5000, "5", "ABCDEFGHIJKLMNOPQRST"));
  EXPECT_EQ(program.platform.OpenedUrls(),
            std::vector<std::string>{"file://" + fs::canonical("pages").string() + "/results.html?e=" + e});
}

// A game controller as SDL reports it (a virtual one, on SDL's display-less driver), its events served
// to the game: the stick turns the aim, A shoots, and unplugging it pauses an arcade game.
TEST_F(Dialogs, AGameControllerAimsShootsAndPausesArcadeWhenUnplugged) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  SdlPlatform sdl;
  ASSERT_TRUE(sdl.Init()) << sdl.LastError();
  ASSERT_TRUE(program.StartIn(0, GameMode::kArcade));
  SDL_VirtualJoystickDesc pad{};
  pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  pad.naxes = 2, pad.nbuttons = 1, pad.name = "Test pad";
  // Controllers are joysticks SDL has a mapping for: the mapping names the virtual one by its GUID.
  int index = SDL_JoystickAttachVirtualEx(&pad);
  ASSERT_GE(index, 0) << SDL_GetError();
  char guid[33];
  SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
  SDL_JoystickDetachVirtual(index);
  ASSERT_GE(SDL_GameControllerAddMapping((std::string(guid) + ",Test pad,a:b0,leftx:a0,lefty:a1,").c_str()),
            0);
  index = SDL_JoystickAttachVirtualEx(&pad);
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  ASSERT_NE(joystick, nullptr) << SDL_GetError();
  const auto serve = [&] {
    for (int i = 0; i < 5; ++i) {
      SDL_Delay(1);
      for (PlatformEvent event; sdl.PollEvent(event);)
        program.Deliver(event);
    }
  };
  serve();
  SDL_JoystickSetVirtualAxis(joystick, 0, -32768);
  serve();
  program.Ticks(20);
  SDL_JoystickSetVirtualAxis(joystick, 0, 0);
  serve();
  EXPECT_LT(program.Main()->Aim().Angle(), -10);
  SDL_JoystickSetVirtualButton(joystick, 0, 1);
  serve();
  EXPECT_EQ(program.CurrentSession()->State(), SessionState::kFlying);
  ASSERT_TRUE(program.UntilReady());
  SDL_JoystickClose(joystick);
  SDL_JoystickDetachVirtual(index);
  serve();
  EXPECT_TRUE(program.Main()->IsPaused());
}

TEST(ResultsLink, KeepsTheReceivingServicesDigitsDecodesThemAndRefusesDamage) {
  const std::string text = results_link::ResultText(123456, "4", "N\xe4me 8-bit");
  const std::string digits = results_link::Encode(text);
  // Pinned: the page that receives the digits reads them with these constants.
  EXPECT_EQ(results_link::Encode(results_link::ResultText(4321, "6", "Max Power")),
            "145245232197022107141048220054017136022178040112167024152028056135051174010117");
  std::string back, why;
  ASSERT_TRUE(results_link::Decode(digits, back, why)) << why;
  EXPECT_EQ(back, text);
  for (const std::string& bad : {digits.substr(1), "256" + digits.substr(3), "12a" + digits.substr(3),
                                 digits.substr(0, 6), std::string()})
    EXPECT_FALSE(results_link::Decode(bad, back, why)) << bad;
}

}  // namespace
