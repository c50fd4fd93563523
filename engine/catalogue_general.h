// The catalogue's general pictures, "clp/<n>.clp": titles, panels, signs and badges. Each is named by
// the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/check.h"
#include "engine/clip.h"

enum class GeneralPicture {
  kGameTitle = 0,  // loaded, not shown
  kOptionsTitle = 1,
  kHelpTitle = 2,
  kTopTenRow = 3,      // the band behind one row of the top ten
  kGameOverTitle = 4,  // loaded, not shown
  kResultPanel = 5,
  kOptionsPanel = 6,
  kNameBox = 7,  // the frame of the result's name box
  kSocket = 8,   // the ring behind the launcher, the waiting ball and the attempts indicator
  kTopTenTitle = 9,
  kDemoSign = 10,
  kPauseSign = 11,
  kStrategyBadge = 12,
  kArcadeBadge = 13,
  kStarBadge = 14,  // loaded, not shown
  kReplaySign = 15,
};

namespace catalogue {

constexpr int kGeneralPictureCount = 16;  // "clp/%d.clp"
std::array<std::unique_ptr<OClip>, kGeneralPictureCount>& generalPictures();

// The loaded picture, or null when it is not loaded; a value outside the table is a slip the check reports.
inline const OClip* Get(GeneralPicture picture) {
  const size_t i = size_t(picture);
  if (!GLOBBET_CHECK(i < generalPictures().size(), "pass a GeneralPicture the table holds")) return nullptr;
  return generalPictures()[i].get();
}

}  // namespace catalogue
