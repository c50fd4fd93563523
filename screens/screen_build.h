// The screen-building operations every screen of the program lays itself out with: a picture or a
// command button copied out of the catalogue (sharing its pixels) and placed on a screen.
#pragma once

class Clip;
class Button;
class Screen;

// Adds a copy of clip at (x, y, depth) to screen with every frame time 0 (a still picture). An x of -1
// centres it horizontally in the screen, a y of -1 vertically. Returns it (owned by the screen), or null
// for a null or empty clip.
Clip* AddPicture(Screen& screen, const Clip* clip, int x, int y, int depth);

// Adds a button copied from clip at (x, y, depth) to screen's controls: frame 0 of sequence 0, 200 ms
// frames in its normal, pressed and hover looks, hit only on its shown pixels. The caller sets its
// command code. Returns it (owned by the screen), or null for a null or empty clip.
Button* AddButton(Screen& screen, const Clip* clip, int x, int y, int depth);
