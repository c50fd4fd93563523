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

std::array<std::unique_ptr<Clip>, kBallPictureCount>& ballPictures() {
  return Engine().ballPictures;
}

std::array<std::unique_ptr<Clip>, kSkinCount>& skins() {
  return Engine().skins;
}

std::array<std::unique_ptr<Clip>, kMainScreenPieceCount>& mainScreenPieces() {
  return Engine().mainScreenPieces;
}

std::array<std::unique_ptr<Clip>, kFramePieceCount>& framePieces() {
  return Engine().framePieces;
}

std::array<std::unique_ptr<Clip>, kGeneralPictureCount>& generalPictures() {
  return Engine().generalPictures;
}

std::array<std::unique_ptr<Button>, kButtonPictureCount>& buttonPictures() {
  return Engine().buttonPictures;
}

const Clip* Get(GeneralPicture picture) {
  return Slot(generalPictures(), picture);
}
const Button* Get(ButtonPicture picture) {
  return Slot(buttonPictures(), picture);
}
const Clip* Get(MainScreenPiece piece) {
  return Slot(mainScreenPieces(), piece);
}
const Clip* Get(FramePiece piece) {
  return Slot(framePieces(), piece);
}

}  // namespace catalogue
