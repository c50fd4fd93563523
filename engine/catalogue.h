// The catalogue: the clip sets start-up loads from numbered clip files (slot i from file number i) and
// screens copy their pictures from. Start-up fills and empties the tables; the sets whose clips are ball
// sprites or alphabet letters live with those classes. Four tables have named slots
// (engine/catalogue_names.h); the two others are indexed by ball colour.
#pragma once

#include <array>
#include <memory>

#include "engine/button.h"
#include "engine/catalogue_names.h"
#include "engine/clip.h"

namespace catalogue {

constexpr int kBallPictureCount = 7;  // "clp/ball/%dd.clp": particles, colours 0..6
constexpr int kSkinCount = 6;         // "clp/skins/%d.clp": the looks of each colour

// The tables live in the installed engine context (engine/engine_context.h).
std::array<std::unique_ptr<OClip>, kBallPictureCount>& ballPictures();
std::array<std::unique_ptr<OClip>, kSkinCount>& skins();
std::array<std::unique_ptr<OClip>, kMainWindowPieceCount>& mainWindowPieces();
std::array<std::unique_ptr<OClip>, kFramePieceCount>& framePieces();
std::array<std::unique_ptr<OClip>, kGeneralPictureCount>& generalPictures();
std::array<std::unique_ptr<OClipButton>, kButtonPictureCount>& buttonPictures();

// The clip loaded in a named slot, or null when it is not loaded. A name outside its table is the
// caller's slip, which a check reports.
const OClip* Get(GeneralPicture picture);
const OClipButton* Get(ButtonPicture picture);
const OClip* Get(MainWindowPiece piece);
const OClip* Get(FramePiece piece);

}  // namespace catalogue
