// The catalogue: the process-wide clip sets start-up loads from numbered clip files (slot i from file
// number i) and screens copy their pictures from. Start-up fills and empties the tables; the sets whose
// clips are ball sprites or alphabet letters live with those classes.
#pragma once

#include <array>
#include <memory>

#include "engine/button.h"
#include "engine/clip.h"

namespace catalogue {

constexpr int kBallPictureCount = 7;       // "clp/ball/%dd.clp": particles, colours 0..6
constexpr int kSkinCount = 6;              // "clp/skins/%d.clp": the looks of each colour
constexpr int kMainWindowPieceCount = 11;  // "clp/mainwnd/%d.clp": the main screen's frame
constexpr int kFramePieceCount = 8;        // "clp/allwnd/%d.clp": the dialogs' frame
constexpr int kGeneralPictureCount = 16;   // "clp/%d.clp"
constexpr int kButtonPictureCount = 27;    // "clp/buttons/%d.clp"

// Dialog frame pieces, by index.
enum FramePiece {
  kFrameTopLeft,
  kFrameTop,
  kFrameTopRight,
  kFrameRight,
  kFrameBottomRight,
  kFrameBottom,
  kFrameBottomLeft,
  kFrameLeft
};

extern std::array<std::unique_ptr<OClip>, kBallPictureCount> ballPictures;
extern std::array<std::unique_ptr<OClip>, kSkinCount> skins;
extern std::array<std::unique_ptr<OClip>, kMainWindowPieceCount> mainWindowPieces;
extern std::array<std::unique_ptr<OClip>, kFramePieceCount> framePieces;
extern std::array<std::unique_ptr<OClip>, kGeneralPictureCount> generalPictures;
extern std::array<std::unique_ptr<OClipButton>, kButtonPictureCount> buttonPictures;

}  // namespace catalogue
