// One way point of a clip's path, and the path itself.
#pragma once

#include <deque>

// Where a sprite heads next: its top-left corner (x, y), a value passed on unchanged to the path
// notifications, and the speed in pixels per frame step. Kept as four doubles in this order: the
// motion code and the recordings rely on the 32-byte layout.
struct PointSpeed {
  double x = 0.0;
  double y = 0.0;
  double tag = 0.0;
  double speed = 0.0;
};
static_assert(sizeof(PointSpeed) == 32, "PointSpeed must stay four packed doubles (x, y, tag, speed)");

// The way points a sprite moves along, first point first.
using PointPath = std::deque<PointSpeed>;
