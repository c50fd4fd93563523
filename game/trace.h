// The flight of a shot: the constants of the trajectory computation (Board::Trace, trace.cpp). The
// computation works on ball centres with the vertical axis mirrored (Y = -y), so a flight line reads
// Y = k x + b.
#pragma once

#include "game/board_geometry.h"

namespace trace {
constexpr double kLeftLine = kBoardLeft + kCellSize / 2;    // 29: centre x touching the left wall
constexpr double kRightLine = kBoardRight - kCellSize / 2;  // 561: centre x touching the right wall
constexpr double kCeilingLine = kBoardTop + kCellSize / 2;  // 29: centre y touching the ceiling
constexpr int kLowestContact = kBoardBottom;                // 500: lowest wall contact that counts
constexpr double kContact = kCellSize;                      // centre distance of two touching balls
constexpr double kNoHit = 99999999999.0;                    // distance standing for no intersection
constexpr double kVertical = 1e16;                          // slope standing for a vertical line
constexpr double kTolerance = 1e-12;
constexpr double kHalfTurn = 3.1415926;  // the angle folding used by the contact
constexpr double kApproach = 40.0;       // the ball runs at full speed to this distance before the end
constexpr double kFlightSpeed = 10.0;
constexpr double kSettleSpeed = 5.0;  // the last stretch into the cell
// A flight bounces a handful of times at most; only aims outside the field (never fired by the game)
// could bounce without end, and these stop bouncing here.
constexpr int kMaxBounces = 64;

// Centre of the ball at the launcher, where every shot starts.
constexpr double kStartX = kLauncherX + kCellSize / 2;  // 294
constexpr double kStartY = kLauncherY + kCellSize / 2;  // 547
}  // namespace trace
