// The catalogue's main-screen pieces, "clp/mainwnd/<n>.clp": the frame around the field and the
// right-hand panel, in tiles. Each is named by the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/clip.h"

enum class MainWindowPiece {
  kPanel = 0,    // the right-hand panel
  kTopLeft = 1,  // the field's frame from here on, clockwise from its top-left corner
  kTop = 2,
  kTopRight = 3,
  kRight = 4,
  kBottomRight = 5,
  kStrip = 6,  // the strip under the field, with holes over the two sockets
  kBottomLeft = 7,
  kLeft = 8,
  kBottomLeftCorner = 9,
  kBottom = 10,
};

namespace catalogue {

constexpr int kMainWindowPieceCount = 11;  // "clp/mainwnd/%d.clp"
extern std::array<std::unique_ptr<OClip>, kMainWindowPieceCount> mainWindowPieces;

// The loaded piece, or null (not loaded, or outside the table).
inline const OClip* Get(MainWindowPiece piece) {
  const size_t i = size_t(piece);
  return i < mainWindowPieces.size() ? mainWindowPieces[i].get() : nullptr;
}

}  // namespace catalogue
