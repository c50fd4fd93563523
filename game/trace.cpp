// Board::Trace: the straight flight of a shot with its wall bounces, the ball or ceiling it meets and
// the cell it settles in. Recordings replay shots through this code, so every expression is evaluated
// exactly as written (left to right, no fused multiply-add) to give the same path on every machine.
#include "game/trace.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "game/board.h"

namespace {
using namespace trace;

// Truncates toward zero. A vertical line crosses the wall lines far outside the int range; those
// values saturate symmetrically (so that negating them stays defined) and lose to the ceiling anyway.
int Trunc(double v) {
  if (std::isnan(v) || v >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (v <= -static_cast<double>(INT_MAX)) return -INT_MAX;
  return static_cast<int>(v);
}

PointSpeed Point(double x, double y, double speed) {
  return PointSpeed{x, y, 0.0, speed};
}

// A ball whose centre lies at least 0.01 pixel from the line (s >= 1e-4) turns the line by an angle far
// larger than the 6.5e-8 by which the folding constant misses pi, so its contact lies within 32.01
// pixels of its centre; nearer the line the contact may land anywhere and is always computed.
constexpr double kWellClear = 1e-4;
constexpr double kContactReach = 33.0;

// The flight line Y = k x + b from the start (x0, y0) toward the aim (ax, ay); angle is its slope
// angle folded into 0..pi, as the contact construction needs.
struct FlightLine {
  int ax, ay;
  double x0, y0, k, b;
  double angle;
};

// A contact centre and its squared distance from the start.
struct Contact {
  double distance;
  double px, py;
};

// The columns of a row (centres at cy, the first at firstX) whose balls may lie within reach of the
// line, widened by a whole column on each side; false when no ball of the row may.
bool ColumnWindow(double cy, double firstX, double reach, double k, double b, int& columnFrom,
                  int& columnTo) {
  columnFrom = 0;
  columnTo = kColumns - 1;
  const double xa = (-reach - cy - b) / k;
  const double xb = (reach - cy - b) / k;
  const double lo = (std::min(xa, xb) - firstX) / kCellSize - 1;
  const double hi = (std::max(xa, xb) - firstX) / kCellSize + 1;
  if (std::isfinite(lo) && std::isfinite(hi)) {  // a horizontal line has no window
    if (hi < 0 || lo > kColumns - 1) return false;
    if (lo > 0) columnFrom = static_cast<int>(std::ceil(lo));
    if (hi < kColumns - 1) columnTo = static_cast<int>(std::floor(hi));
  }
  return true;
}

// The contact with the ball centred at (cx, cy), whose squared distance from the line is s (inside the
// corridor): the line turned about the ball's centre to the tangent of the contact circle, on the side
// the line passes, crosses the flight line at the flying ball's centre; that centre lies at
// (kNoHit, kNoHit) when the two are parallel.
Contact ContactWith(const FlightLine& line, double cx, double cy, double s) {
  const double x0 = line.x0;
  const double y0 = line.y0;
  const double k = line.k;
  const double b = line.b;
  double t = line.angle;
  const double a = std::asin(std::sqrt(s) / kContact);
  const double side = (cx - x0) * (y0 - line.ay) - (line.ax - x0) * (y0 - cy);
  if (side >= 0)
    t = t - a;
  else
    t = t + a;
  const double k2 = std::tan(t);
  const double b2 = -cy - k2 * cx;
  double px = kNoHit;
  double py = kNoHit;
  if (std::fabs(k2 - k) > kTolerance) {
    px = (b - b2) / (k2 - k);
    py = -(k2 * b - k * b2) / (k2 - k);
  }
  const double d = (px - x0) * (px - x0) + (py - y0) * (py - y0);
  return {d, px, py};
}

// A bounce continues along the mirror image of the line so far (Y = k x + c through the wall contact
// (x0, y0)), aiming at the opposite wall.
void AimAtOppositeWall(double x0, double y0, double k, int& ax, int& ay) {
  const double c = k * x0 - y0;
  if (x0 == kLeftLine) {
    ax = 561;
    ay = -Trunc(c - 561 * k);
  } else {
    ax = 13;
    ay = -Trunc(c - 13 * k);
  }
}

// Where the line meets a wall (centre x wallX) and its squared distance from the start; only contacts
// at or above the field's bottom count, the others lie at kNoHit.
struct WallContact {
  int y;
  double distance;
};

WallContact WallContactAt(double wallX, double x0, double y0, double k, double b) {
  const int y = -Trunc(wallX * k + b);
  const double d = y <= kLowestContact ? (wallX - x0) * (wallX - x0) + (y - y0) * (y - y0) : kNoHit;
  return {y, d};
}

// Final approach: full speed to 40 pixels before the end point, then half speed into the cell.
void AppendApproach(const PointSpeed& end, PointPath& path) {
  const PointSpeed from = path.empty() ? Point(kLauncherX, kLauncherY, 0.0) : path.back();
  double length = std::sqrt((end.x - from.x) * (end.x - from.x) + (end.y - from.y) * (end.y - from.y));
  const double m = length < kApproach ? length : kApproach;
  if (std::fabs(length) < 1e-6) length = 1e-6;
  path.push_back(
      Point(end.x + (from.x - end.x) * m / length, end.y + (from.y - end.y) * m / length, kFlightSpeed));
}
}  // namespace

// The ball met first along the line: for each ball whose centre lies within the hit corridor, the line
// is turned about the ball's centre to the tangent of the contact circle, and where the turned line
// crosses the flight line is the centre of the flying ball at contact; the contact nearest the start
// wins, the lowest cell index among equals. Two shortcuts leave the result unchanged to the bit:
//  - in each row only the columns near the line are examined, the window widened by a whole column on
//    each side of the corridor, so that the exact test still decides every ball that could pass;
//  - the rows are walked from the bottom, nearest the launcher, so that the winner is usually found
//    first; a ball whose centre lies so far from the start that its contact (never more than 33
//    pixels from its centre unless the line almost touches the centre) cannot beat the best so far
//    is skipped without its trigonometry. Ties then go to the lower index, as in index order.
Board::BallContact Board::NearestBallContact(int ax, int ay, double x0, double y0, double k, double b) const {
  const double corridor = kContact * HitFactor();
  const double corridorSquared = corridor * corridor;
  // A cheap test that only rejects balls the exact test rejects too (a relative margin of 1e-6
  // against rounding), so most balls cost no division.
  const double clearlyOutside = corridorSquared * (k * k + 1) * (1 + 1e-6);
  const double reach = std::sqrt(clearlyOutside);
  // The angle of the flight line, folded into 0..pi as the contact construction needs.
  double angle = std::atan(k);
  if (angle < 0) angle = angle + kHalfTurn;
  const FlightLine line{ax, ay, x0, y0, k, b, angle};
  BallContact best{kNoHit, 0, 0};
  bool found = false;
  // Squared start distance beyond which a centre's contact cannot beat the best so far.
  double farEnough = std::numeric_limits<double>::infinity();
  for (int row = kRows - 1; row >= 0; --row) {
    const CellPoint first = CellPosition(row * kColumns);  // a row's cells share y, 32 pixels apart
    const double cy = first.y + kCellSize / 2;
    const double firstX = first.x + kCellSize / 2;
    int columnFrom = 0;
    int columnTo = 0;
    if (!ColumnWindow(cy, firstX, reach, k, b, columnFrom, columnTo)) continue;
    for (int column = columnTo; column >= columnFrom; --column) {
      if (cells_[row * kColumns + column] == kEmptyCell) continue;
      const double cx = firstX + column * kCellSize;
      const double e = cy + k * cx + b;
      if (e * e > clearlyOutside) continue;
      const double s = std::fabs(e * e / (k * k + 1));
      if (!(s < corridorSquared)) continue;
      const double centreDistance = (cx - x0) * (cx - x0) + (cy - y0) * (cy - y0);
      if (s >= kWellClear && centreDistance > farEnough) continue;
      const Contact contact = ContactWith(line, cx, cy, s);
      const double d = contact.distance;
      if (d < best.distance || (found && d == best.distance)) {
        best = {d, Trunc(contact.px), Trunc(contact.py)};
        found = true;
        // A contact lies within kContactReach of its centre: a centre farther than
        // sqrt(d) + kContactReach (with a margin for rounding) cannot come nearer than d.
        const double limit = std::sqrt(d) * (1 + 1e-9) + kContactReach;
        farEnough = limit * limit;
      }
    }
  }
  return best;
}

void Board::Trace(int ax, int ay, double x0, double y0, double slope, PointPath& path) {
  TraceSegment(ax, ay, x0, y0, slope, path, 0);
}

void Board::TraceSegment(int ax, int ay, double x0, double y0, double k, PointPath& path, int depth) {
  if (ax == 0 && ay == 0) AimAtOppositeWall(x0, y0, k, ax, ay);

  if (std::fabs(ax - x0) < kTolerance)
    k = kVertical;
  else
    k = (y0 - ay) / (ax - x0);
  const double b = -y0 - k * x0;

  const WallContact left = WallContactAt(kLeftLine, x0, y0, k, b);
  const WallContact right = WallContactAt(kRightLine, x0, y0, k, b);
  const int xTop = Trunc((-kCeilingLine - b) / k);
  const double dTop = (xTop - x0) * (xTop - x0) + (kCeilingLine - y0) * (kCeilingLine - y0);
  const BallContact ball = NearestBallContact(ax, ay, x0, y0, k, b);
  const double dBall = ball.distance;

  const bool mayBounce = depth < kMaxBounces;
  const bool leftAllowed = mayBounce && x0 != kLeftLine;
  const bool rightAllowed = mayBounce && x0 != kRightLine;
  bool bounceLeft = left.distance < dTop && left.distance < dBall && leftAllowed;
  bool bounceRight = !bounceLeft && right.distance < dTop && right.distance < dBall && rightAllowed;
  PointSpeed end;
  if (!bounceLeft && !bounceRight) {
    if (dBall <= dTop) {
      end = Point(ball.x - 16.0, ball.y - 16.0, kFlightSpeed);
    } else if (xTop < kLeftLine && leftAllowed) {
      // The ceiling is met outside the field: the line left it through a wall just below the bottom
      // (an aim in a lower corner). Bounce there instead of flying out of the window.
      bounceLeft = true;
    } else if (xTop > kRightLine && rightAllowed) {
      bounceRight = true;
    } else {
      end = Point(xTop - 16.0, kBoardTop, kFlightSpeed);
    }
  }
  if (bounceLeft) {
    path.push_back(Point(kBoardLeft, left.y - 16.0, kFlightSpeed));
    TraceSegment(0, 0, kLeftLine, left.y, k, path, depth + 1);
    return;
  }
  if (bounceRight) {
    path.push_back(Point(kBoardRight - kCellSize, right.y - 16.0, kFlightSpeed));
    TraceSegment(0, 0, kRightLine, right.y, k, path, depth + 1);
    return;
  }

  AppendApproach(end, path);
  landing_ = NearestEmptyCell(Trunc(end.x), Trunc(end.y));
  const CellPoint cell = CellPosition(landing_);
  path.push_back(Point(cell.x, cell.y, kSettleSpeed));
}
