// The board's fixed geometry in window pixels (y downward): 17 columns by 16 rows of 32-pixel cells,
// odd rows shifted right by half a cell, rows 32 pixels apart.
#pragma once

constexpr int kBoardLeft = 13;     // x of the left edge of column 0
constexpr int kBoardTop = 13;      // y of the top edge of row 0
constexpr int kBoardRight = 577;   // right wall x
constexpr int kBoardBottom = 500;  // lowest y a shot may touch; lower edge of the aiming area
constexpr int kCellSize = 32;      // ball diameter, column pitch and row pitch
constexpr int kColumns = 17;
constexpr int kRows = 16;
constexpr int kCellCount = kColumns * kRows;  // 272
constexpr int kInitialRows = 9;               // rows filled when a new game starts
constexpr int kColourCount = 6;               // ball colours 0..5

// Top-left corners of the ball at the launcher and of the waiting ball.
constexpr int kLauncherX = kBoardLeft - kCellSize / 2 + (kBoardRight - kBoardLeft) / 2 - 1;  // 278
constexpr int kLauncherY = 531;
constexpr int kNextBallX = 34;
constexpr int kNextBallY = 531;
static_assert(kLauncherX == 278, "launcher x follows from the field edges");

// True when (x, y) lies inside the aiming area, the rule of every click that fires.
constexpr bool InAimingArea(int x, int y) {
  return kBoardLeft < x && x < kBoardRight && kBoardTop < y && y < kBoardBottom;
}
