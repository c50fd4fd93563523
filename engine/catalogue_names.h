// The names of the catalogue's numbered clip files: each enum names the slots of one table, each by the
// number of its file, which never changes.
//
// Sections: general pictures · buttons · main window pieces · dialog frame pieces · table sizes
#pragma once

// ---- general pictures ---------------------------------------------------------------------------
// The catalogue's general pictures, "clp/<n>.clp": titles, panels, signs and badges.
enum class GeneralPicture {
  kGameTitle = 0,  // loaded, not shown
  kOptionsTitle = 1,
  kHelpTitle = 2,
  kTopTenRow = 3,      // the band behind one row of the top ten
  kGameOverTitle = 4,  // over the field when a game ends with nothing to enter
  kResultPanel = 5,
  kOptionsPanel = 6,
  kNameBox = 7,  // the frame of the result's name box
  kSocket = 8,   // the ring behind the launcher, the waiting ball and the attempts indicator
  kTopTenTitle = 9,
  kDemoSign = 10,
  kPauseSign = 11,
  kStrategyBadge = 12,
  kArcadeBadge = 13,
  kStarBadge = 14,  // loaded, not shown
  kReplaySign = 15,
  kIndicatorLabel = 16,  // under the attempts indicator: frame 0 for strategy games, 1 for arcade
};

// ---- buttons ------------------------------------------------------------------------------------
// The catalogue's button pictures, "clp/buttons/<n>.clp": command buttons and the check boxes.
enum class ButtonPicture {
  kExit = 0,  // the title bar's buttons: 0, 1, 2 and 24
  kHelp = 1,
  kMinimize = 2,
  kMoreGames = 3,
  kNewGame = 4,
  kPlay = 5,  // loaded, not shown
  kOptions = 6,
  kTopTen = 7,
  kYes = 8,  // also OK
  kNo = 9,   // also Cancel
  kOk = 10,  // loaded, not shown
  kClear = 11,
  kClose = 12,
  kSubmit = 13,
  kBack = 14,  // loaded, not shown
  kNext = 15,  // loaded, not shown
  kMenu = 16,  // loaded, not shown
  kWebLink = 17,
  kCheckBox = 18,  // the options' switches
  kRadioBox = 19,  // the options' level and mode
  kSpeedCell = 20,
  kHelpWords = 21,  // loaded, not shown
  kNextPage = 22,
  kPreviousPage = 23,
  kFullScreen = 24,
  kDemo = 25,
  kReplay = 26,
};

// ---- main window pieces -------------------------------------------------------------------------
// The catalogue's main-screen pieces, "clp/mainwnd/<n>.clp": the frame around the field and the right-hand
// panel, in tiles.
enum class MainScreenPiece {
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

// ---- dialog frame pieces ------------------------------------------------------------------------
// The catalogue's dialog frame pieces, "clp/allwnd/<n>.clp": four corners and four edges.
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

// ---- table sizes -----------------------------------------------------------------------------------
namespace catalogue {
constexpr int kGeneralPictureCount = 17;   // "clp/%d.clp"
constexpr int kButtonPictureCount = 27;    // "clp/buttons/%d.clp"
constexpr int kMainScreenPieceCount = 11;  // "clp/mainwnd/%d.clp"
constexpr int kFramePieceCount = 8;        // "clp/allwnd/%d.clp"
}  // namespace catalogue
