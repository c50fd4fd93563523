// Balls and particles: the ball sprites of the six colours and the small silver ball (ten frames each:
// burst remains, growth, sparkle, rest), the particle pictures of the small-ball showers, and the
// looks (skins) of every colour.
#pragma once

#include "tools/assets/canvas.h"
#include "tools/assets/output.h"

namespace art {

// Draws the resting ball of a colour (0..5, 6 silver) at radius r centred on (cx, cy).
void DrawRestingBall(Canvas& canvas, int colour, double cx, double cy, double r);
// Writes clp/ball/0..6.clp, clp/ball/0d..6d.clp and clp/skins/0..5.clp.
void MakeBalls(DataSet& data);

}  // namespace art
