// The sessions that play without the player: the replay of the last finished game (strategy_replay.h,
// arcade_replay.h) and the self-playing demo (demo_session.h). Here: the one call the main screen makes
// them with, and the pace at which they shoot.
#pragma once

#include <memory>
#include <string>

#include "game/session.h"
#include "store/options.h"

class Screen;

// The demo (replay false) or the replay of "replay.dat" in the current directory (replay true, in the
// recording's mode) on screen; with a recording named, the replay plays that file once. The caller gives
// it the settings store and starts it.
std::unique_ptr<Session> MakePlayerSession(Screen& screen, bool replay, GameMode mode,
                                           const std::string& recording = {});

// The players' shot pacing: adds ms to clock (one clock per player class, in the game context) and, once it
// exceeds 2000 / (speed + 1) milliseconds, resets it and returns true: time for one shot.
bool PlayerShotDue(int& clock, int ms);
