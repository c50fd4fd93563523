// Every file of the catalogue loads with the game's own reader and has the frames, sequences and
// instructions the screens rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "engine/file_bytes.h"
#include "tests/assets/catalogue_util.h"

using catalogue::Coverage;
using catalogue::FrameOf;
using catalogue::LoadClip;
using catalogue::Opacity;

namespace {

std::string Num(const char* pattern, int i) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, i);
  return buffer;
}

// Every clip file name the game loads at start-up, in the order it loads them, plus the intro's two.
std::vector<std::string> CatalogueClips() {
  std::vector<std::string> names;
  for (int i = 0; i <= 6; ++i)
    names.push_back(Num("clp/ball/%dd.clp", i));
  for (int i = 0; i <= 6; ++i)
    names.push_back(Num("clp/ball/%d.clp", i));
  for (int i = 0; i <= 5; ++i)
    names.push_back(Num("clp/skins/%d.clp", i));
  for (int i = 0; i <= 10; ++i)
    names.push_back(Num("clp/mainwnd/%d.clp", i));
  for (int i = 0; i <= 7; ++i)
    names.push_back(Num("clp/allwnd/%d.clp", i));
  for (int i = 0; i <= 15; ++i)
    names.push_back(Num("clp/%d.clp", i));
  for (int i = 0; i <= 26; ++i)
    names.push_back(Num("clp/buttons/%d.clp", i));
  for (int i = 0; i <= 1; ++i)
    names.push_back(Num("clp/alphabet/%d.clp", i));
  names.push_back("clp/intro.clp");
  names.push_back("clp/globint.clp");
  return names;
}

TEST(Catalogue, EveryClipLoadsWithTheGamesReader) {
  for (const std::string& name : CatalogueClips()) {
    auto clip = LoadClip(name);
    if (!clip) continue;
    EXPECT_GT(clip->GetFrameCount(), 0) << name << " has no frames";
    EXPECT_GT(clip->GetWidth(), 0) << name;
  }
}

TEST(Catalogue, EveryImageRecordTypeIsInRealUse) {
  std::set<int> types;
  for (const std::string& name : CatalogueClips()) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(ReadFileBytes(catalogue::DataPath(name), kClipMaxFileSize, bytes)) << name;
    ClipFileView view;
    ASSERT_TRUE(ParseClipFile(bytes, view)) << name;
    for (const ClipImageView& image : view.images)
      types.insert(image.type);
  }
  for (int type : {0, 4, 5, 6, 10})
    EXPECT_TRUE(types.count(type)) << "no picture uses record type " << type;
}

// ---- balls ---------------------------------------------------------------------------------------------

TEST(Catalogue, BallSpritesAppearGrowAndRestOnFrameNine) {
  for (int colour = 0; colour <= 6; ++colour) {
    const std::string name = Num("clp/ball/%d.clp", colour);
    auto ball = LoadClip(name);
    if (!ball) continue;
    ASSERT_EQ(ball->GetFrameCount(), 10) << name;
    EXPECT_EQ(ball->GetWidth(), 32) << name;
    EXPECT_EQ(ball->GetHeight(), 32) << name;
    EXPECT_EQ(ball->GetFrame(9)->frameAction, kFrameStop) << name << ": the resting frame must stop";
    for (int f = 0; f < 9; ++f)
      EXPECT_EQ(ball->GetFrame(f)->frameAction, kFrameNext) << name << " frame " << f;
    // Appearing as the sprite plays it: from frame 2, 20 ms a frame, until it stops.
    ball->frameTime = 20;
    ball->stopped = false;
    ball->SetFrame(2);
    for (int tick = 0; tick < 20; ++tick)
      ball->Tick(20);
    EXPECT_EQ(ball->GetCurrentFrame(), 9) << name;
    EXPECT_TRUE(ball->stopped) << name;
    // Frames 2..4 grow toward the full ball; 5..8 are full-size sparkles; 0 and 1 are burst remains.
    const int rest = Coverage(*ball->GetFrame(9));
    EXPECT_LT(Coverage(*ball->GetFrame(2)), Coverage(*ball->GetFrame(3))) << name;
    EXPECT_LT(Coverage(*ball->GetFrame(3)), Coverage(*ball->GetFrame(4))) << name;
    EXPECT_LT(Coverage(*ball->GetFrame(4)), rest) << name;
    for (int f = 5; f <= 8; ++f)
      EXPECT_GE(Coverage(*ball->GetFrame(f)), rest) << name << " frame " << f;
    EXPECT_LT(Opacity(*ball->GetFrame(0)), Opacity(*ball->GetFrame(1))) << name;
    EXPECT_LT(Opacity(*ball->GetFrame(1)), Opacity(*ball->GetFrame(9)) / 2) << name;
  }
  // The attempts indicator's ball is smaller than the field's.
  auto silver = LoadClip("clp/ball/6.clp"), field = LoadClip("clp/ball/0.clp");
  if (silver && field) {
    EXPECT_LT(Coverage(*silver->GetFrame(9)), Coverage(*field->GetFrame(9)) * 3 / 4);
  }
}

TEST(Catalogue, ParticlesShrinkAndFadeWhenPlayedBackwards) {
  for (int colour = 0; colour <= 6; ++colour) {
    const std::string name = Num("clp/ball/%dd.clp", colour);
    auto particles = LoadClip(name);
    if (!particles) continue;
    const int n = particles->GetFrameCount();
    EXPECT_GE(n, 6) << name;
    EXPECT_LE(n, 8) << name;
    for (int f = 1; f < n; ++f)
      EXPECT_LT(Opacity(*particles->GetFrame(f - 1)), Opacity(*particles->GetFrame(f)))
          << name << " frame " << f;
  }
}

TEST(Catalogue, SkinsStartWithTheRestingBallAndCarryDistinctSymbols) {
  std::vector<std::vector<uint8_t>> symbols;
  for (int colour = 0; colour <= 5; ++colour) {
    const std::string name = Num("clp/skins/%d.clp", colour);
    auto skins = LoadClip(name);
    auto ball = LoadClip(Num("clp/ball/%d.clp", colour));
    if (!skins || !ball) continue;
    ASSERT_GE(skins->GetFrameCount(), 4) << name;
    const OBitmap& look0 = *skins->GetFrame(0);
    const OBitmap& rest = *ball->GetFrame(9);
    ASSERT_EQ(look0.GetWidth(), 32) << name;
    ASSERT_EQ(look0.GetHeight(), 32) << name;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        ASSERT_EQ(look0.GetPixel(x, y), rest.GetPixel(x, y))
            << name << ": look 0 differs from the ball at " << x << "," << y;
    // Look 1 carries the colour's symbol: white pixels whose shape differs from colour to colour.
    std::vector<uint8_t> shape(32 * 32);
    const OBitmap& symbol = *skins->GetFrame(1);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        shape[y * 32 + x] = (symbol.GetPixel(x, y) & 0xF0F0F0) == 0xF0F0F0;
    for (const auto& other : symbols)
      EXPECT_NE(shape, other) << name << " repeats another colour's symbol";
    symbols.push_back(shape);
  }
}

// ---- main screen ------------------------------------------------------------------------------------------

TEST(Catalogue, MainWindowPiecesFrameTheFieldWithoutGaps) {
  const int pos[11][2] = {{580, 0},  {0, 0},   {24, 0}, {562, 0}, {576, 24}, {564, 485},
                          {24, 495}, {0, 477}, {0, 24}, {0, 584}, {16, 596}};
  std::vector<uint8_t> covered(800 * 600, 0);
  for (int i = 0; i <= 10; ++i) {
    auto piece = LoadClip(Num("clp/mainwnd/%d.clp", i));
    if (!piece) continue;
    const OBitmap& p = *FrameOf(*piece, 0);
    EXPECT_LE(pos[i][0] + p.GetWidth(), 800) << "piece " << i;
    EXPECT_LE(pos[i][1] + p.GetHeight(), 600) << "piece " << i;
    for (int y = 0; y < p.GetHeight(); ++y)
      for (int x = 0; x < p.GetWidth(); ++x)
        if (catalogue::Shows(p, x, y) && pos[i][0] + x < 800 && pos[i][1] + y < 600)
          covered[(pos[i][1] + y) * 800 + pos[i][0] + x] = 1;
  }
  // Everything outside the field shows a piece, except the two sockets under the strip.
  auto inSocket = [](int x, int y) {
    for (int sx : {27, 271})
      if (x >= sx && x < sx + 46 && y >= 524 && y < 570) return true;
    return false;
  };
  int holes = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const bool field = x >= 13 && x < 576 && y >= 13 && y < 495;
      if (!field && !inSocket(x, y) && !covered[y * 800 + x]) ++holes;
    }
  EXPECT_EQ(holes, 0) << "pixels around the field that no piece covers";
  // The socket picture fills the hole the strip leaves for it.
  auto ring = LoadClip("clp/8.clp");
  if (ring) {
    EXPECT_EQ(ring->GetWidth(), 46);
    EXPECT_EQ(ring->GetHeight(), 46);
    const OBitmap& r = *FrameOf(*ring, 0);
    for (int sx : {27, 271})
      for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 46; ++x)
          if (!covered[(524 + y) * 800 + sx + x] && (x - 23) * (x - 23) + (y - 23) * (y - 23) < 18 * 18) {
            EXPECT_TRUE(catalogue::Shows(r, x, y)) << "socket hole at " << sx + x << "," << 524 + y;
          }
  }
}

struct Placed {
  int picture, x, y;
};

// Controls placed on one screen must not cover each other and must stay on the screen.
void ExpectApart(const char* screen, int width, int height, const std::vector<Placed>& items) {
  struct Box {
    int picture, l, t, r, b;
  };
  std::vector<Box> boxes;
  for (const Placed& p : items) {
    auto clip = LoadClip(Num("clp/buttons/%d.clp", p.picture));
    if (!clip) return;
    boxes.push_back({p.picture, p.x, p.y, p.x + clip->GetWidth(), p.y + clip->GetHeight()});
    EXPECT_LE(boxes.back().r, width) << screen << ": button " << p.picture << " leaves the screen";
    EXPECT_LE(boxes.back().b, height) << screen << ": button " << p.picture << " leaves the screen";
  }
  for (size_t i = 0; i < boxes.size(); ++i)
    for (size_t j = i + 1; j < boxes.size(); ++j) {
      const Box &a = boxes[i], &b = boxes[j];
      EXPECT_FALSE(a.l < b.r && b.l < a.r && a.t < b.b && b.t < a.b)
          << screen << ": buttons " << a.picture << " and " << b.picture << " overlap";
    }
}

TEST(Catalogue, ButtonsFitTheirPlacesOnEveryScreen) {
  ExpectApart("main", 800, 600,
              {{26, 580, 145},
               {25, 615, 188},
               {0, 760, 2},
               {1, 694, 2},
               {24, 661, 2},
               {2, 727, 2},
               {3, 684, 176},
               {4, 582, 23},
               {6, 670, 34},
               {7, 715, 105},
               {17, 600, 550}});
  ExpectApart("help", 650, 500, {{12, 440, 402}, {3, 356, 415}, {22, 605, 343}, {23, 605, 20}});
  ExpectApart("top ten", 336, 540, {{12, 125, 432}, {11, 233, 435}, {13, 24, 435}});
  ExpectApart("result", 336, 510, {{8, 70, 410}, {9, 210, 410}});
  ExpectApart("confirmation", 336, 300, {{8, 65, 200}, {9, 205, 200}});
  ExpectApart("options", 450, 565,
              {{8, 110, 470}, {9, 260, 470}, {18, 115, 75}, {19, 35, 365}, {19, 203, 384}});
}

TEST(Catalogue, ButtonsHaveTheirLooks) {
  for (int i = 0; i <= 26; ++i) {
    const std::string name = Num("clp/buttons/%d.clp", i);
    auto button = LoadClip(name);
    if (!button) continue;
    const int expected = i == 18 || i == 19 ? 6 : i == 20 ? 2 : 3;
    EXPECT_GE(button->GetSequenceCount(), expected) << name;
    for (int s = 0; s < button->GetSequenceCount(); ++s) {
      const OBitmap* f = FrameOf(*button, 0, s);
      ASSERT_NE(f, nullptr) << name << " sequence " << s;
      // Pixel-exact hit tests miss on the key: the corners are the key, the middle is not.
      EXPECT_EQ(f->GetPixel(0, 0), uint32_t(f->colorKey)) << name;
      EXPECT_NE(f->GetPixel(f->GetWidth() / 2, f->GetHeight() / 2), uint32_t(f->colorKey)) << name;
    }
    // The looks differ (pressed and hover are not the normal look).
    if (button->GetSequenceCount() >= 3) {
      const OBitmap *normal = FrameOf(*button, 0, 0), *pressed = FrameOf(*button, 0, 1),
                    *hover = FrameOf(*button, 0, 2);
      int differ1 = 0, differ2 = 0;
      for (int y = 0; y < normal->GetHeight(); ++y)
        for (int x = 0; x < normal->GetWidth(); ++x) {
          differ1 += normal->GetPixel(x, y) != pressed->GetPixel(x, y);
          differ2 += normal->GetPixel(x, y) != hover->GetPixel(x, y);
        }
      EXPECT_GT(differ1, 20) << name;
      EXPECT_GT(differ2, 20) << name;
    }
  }
  auto cell = LoadClip("clp/buttons/20.clp");
  if (cell) {
    EXPECT_LE(cell->GetWidth(), 30) << "speed cells are 30 px apart";
  }
}

// ---- dialogs ----------------------------------------------------------------------------------------------

TEST(Catalogue, DialogFramePiecesReachTheLargestDialog) {
  const int corners[] = {0, 2, 4, 6};
  for (int k : corners) {
    auto corner = LoadClip(Num("clp/allwnd/%d.clp", k));
    if (!corner) continue;
    EXPECT_EQ(corner->GetWidth(), 20);
    EXPECT_EQ(corner->GetHeight(), 20);
    // Outside the rounded curve the screen beneath shows.
    const int cx = k == 2 || k == 4 ? 19 : 0, cy = k == 4 || k == 6 ? 19 : 0;
    EXPECT_FALSE(catalogue::Shows(*FrameOf(*corner, 0), cx, cy)) << "corner " << k;
  }
  for (int k : {1, 5}) {
    auto edge = LoadClip(Num("clp/allwnd/%d.clp", k));
    if (!edge) continue;
    EXPECT_GE(edge->GetWidth(), 612) << "edge " << k;
    EXPECT_EQ(edge->GetHeight(), 10) << "edge " << k;
  }
  for (int k : {3, 7}) {
    auto edge = LoadClip(Num("clp/allwnd/%d.clp", k));
    if (!edge) continue;
    EXPECT_EQ(edge->GetWidth(), 10) << "edge " << k;
    EXPECT_GE(edge->GetHeight(), 527) << "edge " << k;
  }
}

TEST(Catalogue, GeneralPicturesFitTheirPlaces) {
  auto edit = LoadClip("clp/7.clp");
  if (edit) {
    EXPECT_EQ(edit->GetSequenceCount(), 3) << "the name box has normal, pressed and hover looks";
    EXPECT_GE(edit->GetWidth(), 270) << "its text area is 260 wide at a margin of 10";
    EXPECT_GE(edit->GetHeight(), 43);
  }
  // The top-ten screen shows the mode picture at y 65 above the level name at y 87.
  for (int k : {12, 13}) {
    auto mode = LoadClip(Num("clp/%d.clp", k));
    if (mode) {
      EXPECT_LE(65 + mode->GetHeight(), 90) << "mode picture " << k << " runs into the level name";
    }
  }
  auto row = LoadClip("clp/3.clp");
  if (row) {
    EXPECT_LE(row->GetHeight(), 31) << "top-ten rows are 31 px apart";
  }
  auto result = LoadClip("clp/5.clp");
  if (result) {
    EXPECT_LE(10 + result->GetWidth(), 336);
    EXPECT_LE(10 + result->GetHeight(), 510);
  }
  auto panel = LoadClip("clp/6.clp");
  if (panel) {
    EXPECT_LE(39 + panel->GetWidth(), 450);
  }
  auto pause = LoadClip("clp/11.clp");
  if (pause) {
    EXPECT_LE(92 + pause->GetWidth(), 577) << "the pause sign stays over the field";
  }
}

TEST(Catalogue, AlphabetsHaveTheirFramesWithinTheirAdvance) {
  auto letters = LoadClip("clp/alphabet/0.clp");
  if (letters) {
    EXPECT_EQ(letters->GetFrameCount(), 38);
    EXPECT_LE(letters->GetWidth(), 25);
  }
  auto digits = LoadClip("clp/alphabet/1.clp");
  if (digits) {
    EXPECT_EQ(digits->GetFrameCount(), 10);
    EXPECT_LE(digits->GetWidth(), 22);
  }
}

TEST(Catalogue, IntroIsKeyedByRedAndTheLogoIsMaskedAndSmall) {
  auto intro = LoadClip("clp/intro.clp");
  if (intro) {
    EXPECT_EQ(intro->GetWidth(), 400);
    EXPECT_EQ(intro->GetHeight(), 400);
    const OBitmap& p = *FrameOf(*intro, 0);
    EXPECT_EQ(p.GetMask(), nullptr);
    EXPECT_EQ(p.GetPixel(0, 0), 0xFF0000u) << "around the card the intro is pure red";
    EXPECT_NE(p.GetPixel(200, 200), 0xFF0000u);
  }
  auto logo = LoadClip("clp/globint.clp");
  if (logo) {
    EXPECT_LE(logo->GetWidth(), 110);
    EXPECT_LE(logo->GetHeight(), 110);
    EXPECT_NE(FrameOf(*logo, 0)->GetMask(), nullptr);
  }
}

}  // namespace
