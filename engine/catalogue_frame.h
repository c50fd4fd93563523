// The catalogue's dialog frame pieces, "clp/allwnd/<n>.clp": four corners and four edges. Each is named
// by the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/clip.h"

enum class FramePiece {
  kTopLeft = 0,
  kTop = 1,
  kTopRight = 2,
  kRight = 3,
  kBottomRight = 4,
  kBottom = 5,
  kBottomLeft = 6,
  kLeft = 7,
};

namespace catalogue {

constexpr int kFramePieceCount = 8;  // "clp/allwnd/%d.clp"
extern std::array<std::unique_ptr<OClip>, kFramePieceCount> framePieces;

// The loaded piece, or null (not loaded, or outside the table).
inline const OClip* Get(FramePiece piece) {
  const size_t i = size_t(piece);
  return i < framePieces.size() ? framePieces[i].get() : nullptr;
}

}  // namespace catalogue
