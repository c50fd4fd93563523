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
std::array<std::unique_ptr<Clip>, kBallPictureCount>& ballPictures();
std::array<std::unique_ptr<Clip>, kSkinCount>& skins();
std::array<std::unique_ptr<Clip>, kMainScreenPieceCount>& mainScreenPieces();
std::array<std::unique_ptr<Clip>, kFramePieceCount>& framePieces();
std::array<std::unique_ptr<Clip>, kGeneralPictureCount>& generalPictures();
std::array<std::unique_ptr<Button>, kButtonPictureCount>& buttonPictures();

// The clip loaded in a named slot, or null when it is not loaded. A name outside its table is the
// caller's slip, which a check reports.
const Clip* Get(GeneralPicture picture);
const Button* Get(ButtonPicture picture);
const Clip* Get(MainScreenPiece piece);
const Clip* Get(FramePiece piece);

}  // namespace catalogue
