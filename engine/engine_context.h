// The engine layer's process state in one place: a ProgramContext (app/program_context.h) makes a fresh
// one for every run and every test, so nothing a run leaves behind reaches the next.
#pragma once

#include <array>
#include <memory>

#include "engine/catalogue.h"
#include "engine/draw_style.h"
#include "engine/log.h"

class Screen;
class SoundPlayer;
class Platform;
class SmallBallShower;

// What the program's entry chooses for the whole process: a fresh context starts from the choices of the
// one it replaces (ProgramContext copies them), since a run does not choose them.
struct EngineChoices {
  Platform* platform = nullptr;  // the installed platform; null: the built-in headless one
  SoundPlayer* sound = nullptr;  // the installed sound; null: the context's silent one
  bool stopOnFailedCheck;        // a failed programmer's check aborts (engine/check.h)
  LogLevel logThreshold;         // the least important level that is still written
  EngineChoices();
};

struct EngineContext {
  EngineContext();
  ~EngineContext();

  EngineChoices choices;                // platform, sound, check and log policy
  std::unique_ptr<SoundPlayer> silent;  // the sound used while none is installed
  Screen* activeScreen = nullptr;       // the screen that gets input and frames; none before start-up
  SmallBallShower* shower = nullptr;    // the small-ball shower the buttons burst into; none until made
  int editBlinkTimer = 0;               // ms since the edit caret last blinked (one caret shows at a time)
  DrawPenRecord drawPen;                // DrawRectangle's outline (engine/draw_style.h)
  DrawBrushRecord drawBrush;            // DrawRectangle's fill
  DrawFontRecord drawFont;              // the font text is drawn and measured in
  // The catalogue (engine/catalogue.h): empty until start-up loads it, emptied at teardown.
  std::array<std::unique_ptr<Clip>, catalogue::kBallPictureCount> ballPictures;
  std::array<std::unique_ptr<Clip>, catalogue::kSkinCount> skins;
  std::array<std::unique_ptr<Clip>, catalogue::kMainScreenPieceCount> mainScreenPieces;
  std::array<std::unique_ptr<Clip>, catalogue::kFramePieceCount> framePieces;
  std::array<std::unique_ptr<Clip>, catalogue::kGeneralPictureCount> generalPictures;
  std::array<std::unique_ptr<Button>, catalogue::kButtonPictureCount> buttonPictures;
};

// The engine context installed for the process; a default one when none is installed.
EngineContext& Engine();
// Makes context (nullptr: the default one) the process's engine context; returns the one it replaces.
EngineContext* InstallEngineContext(EngineContext* context);
