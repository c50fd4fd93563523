#include "engine/catalogue.h"

#include "engine/check.h"
#include "engine/engine_context.h"

namespace catalogue {
namespace {
template <typename Clip, size_t N, typename Name>
const Clip* Slot(const std::array<std::unique_ptr<Clip>, N>& table, Name name) {
  const size_t i = size_t(name);
  if (!GLOBBET_CHECK(i < N, "pass one of the names of this table's enum")) return nullptr;
  return table[i].get();
}
}  // namespace

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

const OClip* Get(GeneralPicture picture) {
  return Slot(generalPictures(), picture);
}
const OClipButton* Get(ButtonPicture picture) {
  return Slot(buttonPictures(), picture);
}
const OClip* Get(MainWindowPiece piece) {
  return Slot(mainWindowPieces(), piece);
}
const OClip* Get(FramePiece piece) {
  return Slot(framePieces(), piece);
}

}  // namespace catalogue
