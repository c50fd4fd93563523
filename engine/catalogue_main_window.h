// The catalogue's main-screen pieces, "clp/mainwnd/<n>.clp": the frame around the field and the
// right-hand panel, in tiles. Each is named by the number of its file, which never changes.
#pragma once

#include <array>
#include <memory>

#include "engine/check.h"
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
std::array<std::unique_ptr<OClip>, kMainWindowPieceCount>& mainWindowPieces();

// The loaded piece, or null when it is not loaded; a value outside the table is a slip the check reports.
inline const OClip* Get(MainWindowPiece piece) {
  const size_t i = size_t(piece);
  if (!GLOBBET_CHECK(i < mainWindowPieces().size(), "pass a MainWindowPiece the table holds")) return nullptr;
  return mainWindowPieces()[i].get();
}

}  // namespace catalogue
