#include "engine/catalogue.h"

namespace catalogue {

std::array<std::unique_ptr<OClip>, kBallPictureCount> ballPictures;
std::array<std::unique_ptr<OClip>, kSkinCount> skins;
std::array<std::unique_ptr<OClip>, kMainWindowPieceCount> mainWindowPieces;
std::array<std::unique_ptr<OClip>, kFramePieceCount> framePieces;
std::array<std::unique_ptr<OClip>, kGeneralPictureCount> generalPictures;
std::array<std::unique_ptr<OClipButton>, kButtonPictureCount> buttonPictures;

}  // namespace catalogue
