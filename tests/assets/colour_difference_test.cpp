// The colour difference the ball-colour check relies on, against published reference pairs.
#include "tools/globbet-tool/colour_difference.h"

#include <gtest/gtest.h>

namespace {

// Rows of the CIEDE2000 test data of Sharma, Wu and Dalal (2005): a blue pair where the rotation term
// matters most, a neutral against a chromatic colour, two pairs on either side of the hue-mean
// wrap-around, and a large difference.
TEST(Ciede2000, MatchesThePublishedReferencePairsEitherWayRound) {
  struct Row {
    colour::Lab x, y;
    double expected;
  };
  const Row rows[] = {
      {{50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2.0425},
      {{50, 0, 0}, {50, -1, 2}, 2.3669},
      {{50, 2.49, -0.001}, {50, -2.49, 0.0009}, 7.1792},
      {{50, 2.49, -0.001}, {50, -2.49, 0.0011}, 7.2195},
      {{50, 2.5, 0}, {73, 25, -18}, 27.1492},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(colour::Ciede2000(r.x, r.y), r.expected, 5e-5) << r.expected;
    EXPECT_NEAR(colour::Ciede2000(r.y, r.x), r.expected, 5e-5) << r.expected;
  }
}

}  // namespace
