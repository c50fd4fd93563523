#include "game/demo_decision.h"

#include "game/random.h"
#include "game/trace.h"

namespace {
// The weight of a ball added or removed in each cell: 101 in row 0 growing by 1 per row, and more
// in the two rows above the bottom, whose balls come closest to ending the game.
struct CellWeights {
  int weight[kCellCount];
  CellWeights() {
    for (int i = 0; i < kCellCount; ++i) {
      const int row = i / kColumns;
      weight[i] = 101 + row + (row == 13 ? 100 : row == 14 ? 200 : 0);
    }
  }
};

const CellWeights& Weights() {
  static const CellWeights weights;  // a constant made once: not process state
  return weights;
}
}  // namespace

AimPoint DemoCandidate(int i) {
  const int centreX = (kBoardRight - kBoardLeft) / 2;  // 282
  const int centreY = (kBoardBottom - kBoardTop) / 2;  // 243
  const int steps = kDemoCandidates / 2;
  const int stepLeft = (18 - centreX) / steps;    // -5
  const int stepRight = (572 - centreX) / steps;  // 5
  const int stepDown = (495 - centreY) / steps;   // 5
  if (i < steps) return {centreX + stepLeft * i, centreY + stepDown * i};
  const int j = i - steps;
  return {centreX + stepRight * j, centreY + stepDown * j};
}

int ScoreDemoCandidate(const Board& live, int ballColour, AimPoint aim, PointPath& path) {
  ScratchBoard scratch;
  scratch.CopyFrom(live);
  path.clear();
  scratch.Trace(aim.x, aim.y, trace::kStartX, trace::kStartY, 0.0, path);
  const int points = static_cast<int>(path.size());
  const int landing = scratch.LandingIndex();
  scratch.SetCell(landing, ballColour);
  const GroupPop pop = scratch.PopCluster(landing, 3);
  // A group left standing costs 10 a ball (a lone ball is no group); a burst one is counted by the
  // cells it empties.
  const int group = pop.removed || pop.size == 1 ? 0 : pop.size;
  scratch.DropDetached();

  // +weight for a ball the shot adds, -weight for one it removes.
  const int* weight = Weights().weight;
  const std::array<int, kCellCount>& before = live.Cells();
  const std::array<int, kCellCount>& after = scratch.Cells();
  int s = 0;
  for (int i = 0; i < kCellCount; ++i)
    s += (int{after[i] != kEmptyCell} - int{before[i] != kEmptyCell}) * weight[i];
  const int sign = LibRandom() % 15 == 0 ? -1 : 1;
  return s - 10 * group + points * sign;
}

AimPoint ChooseDemoAim(const Board& live, int ballColour) {
  PointPath path;  // reused: the candidates allocate nothing beyond the first path's storage
  int best = kDemoNoScore;
  int bestIndex = 0;
  for (int i = 0; i < kDemoCandidates; ++i) {
    int score = ScoreDemoCandidate(live, ballColour, DemoCandidate(i), path);
    if (score == 0) score = kDemoNoScore;
    if (score < best) {
      best = score;
      bestIndex = i;
    }
  }
  return DemoCandidate(bestIndex);
}
