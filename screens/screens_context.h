// The screens layer's process state in one place: a ProgramContext (app/program_context.h) makes a fresh
// one for every run and every test, so nothing a run leaves behind reaches the next.
#pragma once

#include <array>
#include <memory>
#include <random>

#include "screens/ball_text.h"
#include "screens/main_screen.h"
#include "screens/screen_slots.h"

struct ScreensContext {
  int exitCode = 0;             // the exit code a screen asked for (screens/program_exit.h); 0: none yet
  int introPulseTimer = 0;      // ms since the intro's last pulse step (the program has one intro)
  int savedLevel = 0;           // the level while a demo or replay plays
  bool firstDemoReturn = true;  // the first return from a demo starts anew; later ones restore
  PlayerSessionFactory playerFactory;  // makes the demo's and the replay's players; none: no demo
  // The alphabet letters' decoration; apart from the game's numbers so recordings never see it.
  std::minstd_rand lettersRandom{20061};
  // The alphabet strips (screens/ball_text.h): empty until start-up loads them.
  std::array<std::unique_ptr<BallLetter>, catalogue::kAlphabetCount> alphabetStrips;
  ScreenSlots slots;  // the program's screens (screens/screen_slots.h); last member, so torn down first
};

// The screens context installed for the process; a default one when none is installed.
ScreensContext& Screens();
// Makes context (nullptr: the default one) the process's screens context; returns the one it replaces.
ScreensContext* InstallScreensContext(ScreensContext* context);
