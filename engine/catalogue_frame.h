// The catalogue's dialog frame pieces, "clp/allwnd/<n>.clp": four corners and four edges. Each is named
// by the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/check.h"
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
std::array<std::unique_ptr<OClip>, kFramePieceCount>& framePieces();

// The loaded piece, or null when it is not loaded; a value outside the table is a slip the check reports.
inline const OClip* Get(FramePiece piece) {
  const size_t i = size_t(piece);
  if (!GLOBBET_CHECK(i < framePieces().size(), "pass a FramePiece the table holds")) return nullptr;
  return framePieces()[i].get();
}

}  // namespace catalogue
