// How the self-playing demo picks its shot: 100 aim points from the centre of the field toward its
// two lower corners, each tried on a scratch copy of the board and scored; the lowest score wins.
#pragma once

#include "game/board.h"

struct AimPoint {
  int x = 0;
  int y = 0;
};

constexpr int kDemoCandidates = 100;
// The score a candidate gets when its own score is exactly 0, and the best score to beat.
constexpr int kDemoNoScore = 999999;

// Candidate i (0..99): 0..49 run from (282, 243) toward the lower left, 50..99 toward the lower right.
AimPoint DemoCandidate(int i);

// Scores a shot of a ball of ballColour at aim on a copy of live (lower is better): the balls added
// and removed weighted by row, minus 10 per ball of a group too small to burst, plus the path's way
// points with a sign that turns negative on one draw of LibRandom in 15. path is scratch storage.
int ScoreDemoCandidate(const Board& live, int ballColour, AimPoint aim, PointPath& path);

// The candidate with the lowest score (the earliest among equals); draws LibRandom 100 times.
AimPoint ChooseDemoAim(const Board& live, int ballColour);
