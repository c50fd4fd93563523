// The catalogue: the process-wide clip sets start-up loads from numbered clip files (slot i from file
// number i) and screens copy their pictures from. Start-up fills and empties the tables; the sets whose
// clips are ball sprites or alphabet letters live with those classes. The tables whose slots are named
// have a header each; the two here are indexed by ball colour.
#pragma once

#include <array>
#include <memory>

#include "engine/catalogue_buttons.h"
#include "engine/catalogue_frame.h"
#include "engine/catalogue_general.h"
#include "engine/catalogue_main_window.h"
#include "engine/clip.h"

namespace catalogue {

constexpr int kBallPictureCount = 7;  // "clp/ball/%dd.clp": particles, colours 0..6
constexpr int kSkinCount = 6;         // "clp/skins/%d.clp": the looks of each colour

// The tables live in the installed engine context (engine/engine_context.h).
std::array<std::unique_ptr<OClip>, kBallPictureCount>& ballPictures();
std::array<std::unique_ptr<OClip>, kSkinCount>& skins();

}  // namespace catalogue
