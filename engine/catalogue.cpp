#include "engine/catalogue.h"

#include "engine/engine_context.h"

namespace catalogue {

std::array<std::unique_ptr<OClip>, kBallPictureCount>& ballPictures() {
  return Engine().ballPictures;
}

std::array<std::unique_ptr<OClip>, kSkinCount>& skins() {
  return Engine().skins;
}

std::array<std::unique_ptr<OClip>, kMainWindowPieceCount>& mainWindowPieces() {
  return Engine().mainWindowPieces;
}

std::array<std::unique_ptr<OClip>, kFramePieceCount>& framePieces() {
  return Engine().framePieces;
}

std::array<std::unique_ptr<OClip>, kGeneralPictureCount>& generalPictures() {
  return Engine().generalPictures;
}

std::array<std::unique_ptr<OClipButton>, kButtonPictureCount>& buttonPictures() {
  return Engine().buttonPictures;
}

}  // namespace catalogue
