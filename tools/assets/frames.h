// Frames and panels: the main screen's eleven frame pieces (cut from one drawing of the whole frame, so
// that they tile without seams), the launcher socket, the attempts indicator's caption, and the eight
// pieces of the dialog frame.
#pragma once

#include "tools/assets/canvas.h"
#include "tools/assets/output.h"

namespace art {

// Draws the socket a launched or waiting ball sits in, its 46 x 46 box at (x, y).
void DrawSocket(Canvas& canvas, double x, double y);
// Draws the whole 800 x 600 main-screen frame (field lavender, frame, strip and right-hand panel).
void DrawMainBackdrop(Canvas& canvas);
// Writes clp/mainwnd/0..10.clp, clp/8.clp, clp/16.clp and clp/allwnd/0..7.clp.
void MakeFrames(DataSet& data);

}  // namespace art
