// globbet-tool clp: look into clip files. `info` lists a file's records, `sheet` draws every frame of
// one file, `sheet-all` draws a contact sheet of the whole picture catalogue with a preview of the main
// screen assembled from its pieces at their places.
//
// Sections: reading · info · drawing frames into cairo · sheet · main-screen preview · sheet-all
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/clip_file.h"
#include "engine/file_bytes.h"
#include "tools/globbet-tool/command.h"

namespace {
constexpr char kUsage[] =
    "usage: globbet-tool clp info FILE\n"
    "       globbet-tool clp sheet FILE OUT.png [--zoom N]\n"
    "       globbet-tool clp sheet-all DATADIR OUT.png\n"
    "\n"
    "  info       the header, every image (type, size, bytes) and every sequence with its frame records\n"
    "             (image, offset, colour key, instruction), and whether the game's reader accepts it\n"
    "  sheet      every frame of every sequence on one PNG, each labelled sequence:frame, drawn N times\n"
    "             larger (default 1, or 2 for frames of 40 px and less)\n"
    "  sheet-all  a contact sheet of DATADIR/clp: the main screen assembled from its pieces, then every\n"
    "             clip file with its frames (large pictures scaled down)\n"
    "\n"
    "Exit status 1 with a one-line reason when a file cannot be read or the PNG cannot be written.\n";

constexpr uint32_t kLavender = 0xCCCCFF;

// ---- reading -------------------------------------------------------------------------------------------

bool ReadClipBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  return ReadFileBytes(path, kClipMaxFileSize, bytes);
}

// The frames of a clip in display order: (sequence, frame, picture).
struct ShownFrame {
  int sequence, frame;
  const Bitmap* picture;
};

std::vector<ShownFrame> FramesOf(const Clip& clip) {
  std::vector<ShownFrame> out;
  if (clip.GetSequenceCount() == 0) {
    for (int f = 0; f < clip.GetOwnFrameCount(); ++f)
      out.push_back({0, f, clip.GetFrame(f)});
    return out;
  }
  for (int s = 0; s < clip.GetSequenceCount(); ++s) {
    const Clip* seq = clip.GetSequence(s);
    for (int f = 0; f < seq->GetOwnFrameCount(); ++f)
      out.push_back({s, f, seq->GetFrame(f)});
  }
  return out;
}

// ---- info ----------------------------------------------------------------------------------------------

const char* TypeName(int type) {
  if (type == kClipImageJpeg) return "jpeg";
  if (ClipImageHasMask(type)) return "raw+mask";
  return "raw";
}

int Info(const ToolArgs& args) {
  if (args.size() != 2) return Fail("usage: clp info FILE");
  std::vector<uint8_t> bytes;
  if (!ReadClipBytes(args[1], bytes)) return Fail("cannot read '" + args[1] + "'");
  ClipFileView view;
  std::string why;
  if (!ParseClipFile(bytes, view, &why)) return Fail("'" + args[1] + "' is not a clip file: " + why);
  std::printf("%s: %zu bytes, %zu images, %zu sequences\n", args[1].c_str(), bytes.size(), view.images.size(),
              view.sequences.size());
  for (size_t i = 0; i < view.images.size(); ++i) {
    const ClipImageView& im = view.images[i];
    std::printf("  image %zu: %d x %d, type %d (%s)", i, im.width, im.height, im.type, TypeName(im.type));
    if (im.type == kClipImageJpeg)
      std::printf(", %d bytes of JPEG, %zu enciphered", im.plainLength, im.enciphered.size());
    std::printf("\n");
  }
  for (size_t s = 0; s < view.sequences.size(); ++s) {
    std::printf("  sequence %zu: %zu frames\n", s, view.sequences[s].size());
    for (size_t f = 0; f < view.sequences[s].size(); ++f) {
      const ClipFrameRecord& r = view.sequences[s][f];
      std::printf("    frame %zu: image %d at (%d, %d), key ", f, r.image, r.x, r.y);
      if (r.colorKey < 0 || r.colorKey > 0xFFFFFF)
        std::printf("top-left");
      else
        std::printf("%06X", unsigned(r.colorKey));
      std::printf(", action %d (%d, %d)\n", r.action, r.arg1, r.arg2);
    }
  }
  Clip clip;
  const bool loads = LoadClipBytes(bytes, clip, &why);
  std::printf("  game reader: %s%s\n", loads ? "loads" : "refuses: ", loads ? "" : why.c_str());
  return loads ? 0 : 1;
}

// ---- drawing frames into cairo ---------------------------------------------------------------------------

// An ARGB surface of the picture as the game draws it: the mask, or else the colour key, gives alpha.
cairo_surface_t* SurfaceOf(const Bitmap& picture) {
  const int w = picture.GetWidth(), h = picture.GetHeight();
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(w, 1), std::max(h, 1));
  cairo_surface_flush(s);
  uint8_t* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < h; ++y) {
    const uint8_t* row = picture.GetRow(y);
    const uint8_t* mask = picture.GetMaskRow(y);
    auto* out = reinterpret_cast<uint32_t*>(data + y * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t b = row[3 * x], g = row[3 * x + 1], r = row[3 * x + 2];
      uint32_t a = 255;
      if (mask)
        a = 255u - mask[x];
      else if (picture.colorKey >= 0 && (r << 16 | g << 8 | b) == uint32_t(picture.colorKey))
        a = 0;
      out[x] = a << 24 | (r * a / 255) << 16 | (g * a / 255) << 8 | (b * a / 255);
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

void DrawPicture(cairo_t* cr, const Bitmap& picture, double x, double y, double scale) {
  cairo_surface_t* s = SurfaceOf(picture);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), scale >= 1 ? CAIRO_FILTER_NEAREST : CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double size = 10) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, 0.15, 0.15, 0.45);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text.c_str());
}

void Background(cairo_t* cr) {
  cairo_set_source_rgb(cr, ((kLavender >> 16) & 255) / 255.0, ((kLavender >> 8) & 255) / 255.0,
                       (kLavender & 255) / 255.0);
  cairo_paint(cr);
}

bool WritePng(cairo_surface_t* surface, const std::string& path) {
  return cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

// Lays out the frames of one clip from (x, y) within a row of the given width; returns the height used.
// Pictures larger than maxSide are scaled down to it.
double LayoutFrames(cairo_t* cr, const std::vector<ShownFrame>& frames, double x, double y, double width,
                    double zoom, double maxSide, bool labelSequences) {
  double cx = x, rowHeight = 0, top = y;
  for (const ShownFrame& f : frames) {
    const double w = f.picture->GetWidth(), h = f.picture->GetHeight();
    double scale = zoom;
    if (std::max(w, h) * scale > maxSide) scale = maxSide / std::max(w, h);
    const double cellW = std::max(w * scale, 22.0) + 6, cellH = h * scale + 14;
    if (cx + cellW > x + width && cx > x) {
      cx = x;
      top += rowHeight;
      rowHeight = 0;
    }
    if (cr) {
      DrawPicture(cr, *f.picture, cx, top, scale);
      Label(cr,
            labelSequences ? std::to_string(f.sequence) + ":" + std::to_string(f.frame)
                           : std::to_string(f.frame),
            cx, top + h * scale + 10, 9);
    }
    cx += cellW;
    rowHeight = std::max(rowHeight, cellH);
  }
  return top + rowHeight - y;
}

// ---- sheet ---------------------------------------------------------------------------------------------

int Sheet(const ToolArgs& args) {
  if (args.size() != 3 && !(args.size() == 5 && args[3] == "--zoom"))
    return Fail("usage: clp sheet FILE OUT.png [--zoom N]");
  Clip clip;
  std::string why;
  if (!LoadClipFile(args[1], clip, &why)) return Fail("cannot load '" + args[1] + "': " + why);
  const std::vector<ShownFrame> frames = FramesOf(clip);
  double zoom = 1;
  if (args.size() == 5) {
    zoom = std::atof(args[4].c_str());
    if (zoom < 1 || zoom > 16) return Fail("the zoom must be 1 .. 16");
  } else {
    int largest = 0;
    for (const ShownFrame& f : frames)
      largest = std::max({largest, f.picture->GetWidth(), f.picture->GetHeight()});
    if (largest <= 40) zoom = 2;
  }
  const double width = 1000;
  const double height = LayoutFrames(nullptr, frames, 10, 30, width - 20, zoom, 4096, true) + 40;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(width), int(height));
  cairo_t* cr = cairo_create(s);
  Background(cr);
  Label(cr,
        args[1] + "  (" + std::to_string(clip.GetSequenceCount()) + " sequences, " +
            std::to_string(frames.size()) + " frames)",
        10, 18, 12);
  LayoutFrames(cr, frames, 10, 30, width - 20, zoom, 4096, true);
  cairo_destroy(cr);
  const bool ok = WritePng(s, args[2]);
  cairo_surface_destroy(s);
  return ok ? 0 : Fail("cannot write '" + args[2] + "'");
}

// ---- main-screen preview -------------------------------------------------------------------------------
// The main screen as the game lays it out, with a few balls in play, so that the pieces can be judged
// together.

struct Catalogue {
  std::string root;
  std::unique_ptr<Clip> Load(const std::string& name) const {
    auto clip = std::make_unique<Clip>();
    if (!LoadClipFile(root + "/clp/" + name, *clip)) return nullptr;
    return clip;
  }
};

void DrawClipFrame(Bitmap& screen, const Clip* clip, int x, int y, int frame = 0, int sequence = 0) {
  if (clip == nullptr) return;
  const Bitmap* p =
      clip->GetSequenceCount() ? clip->GetSequence(sequence)->GetFrame(frame) : clip->GetFrame(frame);
  if (p) screen.Draw(p, x + p->offsetX, y + p->offsetY);
}

Bitmap MainScreenPreview(const Catalogue& cat) {
  Bitmap screen(800, 600);
  screen.fillColor = kLavender;
  screen.Fill();
  auto ring = cat.Load("8.clp");
  DrawClipFrame(screen, ring.get(), 271, 524);
  DrawClipFrame(screen, ring.get(), 27, 524);
  for (int i = 0; i < 11; ++i) {
    static const int pos[11][2] = {{580, 0},  {0, 0},   {24, 0}, {562, 0}, {576, 24}, {564, 485},
                                   {24, 495}, {0, 477}, {0, 24}, {0, 584}, {16, 596}};
    auto piece = cat.Load("mainwnd/" + std::to_string(i) + ".clp");
    DrawClipFrame(screen, piece.get(), pos[i][0], pos[i][1]);
  }
  // Balls hanging from the top: a fixed pattern of colours.
  std::unique_ptr<Clip> balls[7];
  for (int c = 0; c < 7; ++c)
    balls[c] = cat.Load("ball/" + std::to_string(c) + ".clp");
  for (int row = 0; row < 7; ++row) {
    for (int col = 0; col < 17; ++col) {
      if (row == 6 && col % 3) continue;
      if (row % 2 && col == 16) continue;
      const int colour = (col * 7 + row * 3 + (col / 3) * 2) % 6;
      DrawClipFrame(screen, balls[colour].get(), 13 + col * 32 + (row % 2) * 16, 13 + row * 32, 9);
    }
  }
  DrawClipFrame(screen, balls[2].get(), 278, 531, 9);
  DrawClipFrame(screen, balls[4].get(), 34, 531, 9);
  for (int i = 0; i < 4; ++i) {
    DrawClipFrame(screen, ring.get(), 64 + 36 * i, 524);
    if (i < 3) DrawClipFrame(screen, balls[6].get(), 70 + 36 * i, 531, 9);
  }
  const int buttons[][3] = {{0, 760, 2},    {1, 694, 2},    {24, 661, 2},  {2, 727, 2},
                            {3, 684, 176},  {4, 582, 23},   {6, 670, 34},  {7, 715, 105},
                            {17, 600, 550}, {25, 615, 188}, {26, 580, 145}};
  for (const auto& b : buttons) {
    auto clip = cat.Load("buttons/" + std::to_string(b[0]) + ".clp");
    DrawClipFrame(screen, clip.get(), b[1], b[2], 0, b[0] == 7 ? 2 : 0);  // top ten shown hovered
  }
  auto digits = cat.Load("alphabet/1.clp");
  const int score[5] = {1, 2, 5, 4, 0};
  for (int i = 0; i < 5; ++i)
    DrawClipFrame(screen, digits.get(), 579 + (4 + i) * 22, 290, score[i]);
  auto letters = cat.Load("alphabet/0.clp");
  const char* level = "NOVICE";
  for (int i = 0; level[i]; ++i)
    DrawClipFrame(screen, letters.get(), 620 + 25 * i, 372, level[i] - 'A' + 10);
  auto mode = cat.Load("12.clp");
  DrawClipFrame(screen, mode.get(), 652, 467);
  auto demo = cat.Load("10.clp");
  DrawClipFrame(screen, demo.get(), 627, 325);
  return screen;
}

// Dialogs as the game frames and fills them: the eight frame pieces at their places, then the pictures,
// buttons and ball-letter lines of each dialog.

struct Item {
  std::string file;
  int x, y;  // x -1: centred
  int frame = 0, sequence = 0;
};

void DrawLetters(Bitmap& screen, const Clip* letters, const std::string& text, int y) {
  const int x = (screen.GetWidth() - 25 * int(text.size())) / 2;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    int frame = -1, shift = 0;
    if (c >= '0' && c <= '9') frame = c - '0';
    if (c >= 'A' && c <= 'Z') frame = c - 'A' + 10;
    if (c == '-') frame = 36;
    if (c == '?') frame = 37, shift = -15;
    if (frame >= 0) DrawClipFrame(screen, letters, x + 25 * int(i) + shift, y, frame);
  }
}

Bitmap DialogPreview(const Catalogue& cat, int width, int height, const std::vector<Item>& items,
                     const std::vector<std::pair<std::string, int>>& lines) {
  Bitmap screen(width, height);
  screen.fillColor = kLavender;
  screen.Fill();
  const int pieces[8][2] = {{0, 0},
                            {19, 0},
                            {width - 20, 0},
                            {width - 10, 19},
                            {width - 20, height - 20},
                            {19, height - 10},
                            {0, height - 20},
                            {0, 19}};
  for (int i : {1, 3, 5, 7, 0, 2, 4, 6}) {
    auto piece = cat.Load("allwnd/" + std::to_string(i) + ".clp");
    DrawClipFrame(screen, piece.get(), pieces[i][0], pieces[i][1]);
  }
  for (const Item& item : items) {
    auto clip = cat.Load(item.file);
    if (!clip) continue;
    const int x = item.x == -1 ? (width - clip->GetWidth()) / 2 : item.x;
    DrawClipFrame(screen, clip.get(), x, item.y, item.frame, item.sequence);
  }
  auto letters = cat.Load("alphabet/0.clp");
  for (const auto& [text, y] : lines)
    DrawLetters(screen, letters.get(), text, y);
  return screen;
}

void ShowText(cairo_t* cr, const char* face, bool bold, double size, uint32_t colour, double x, double y,
              const char* text) {
  cairo_select_font_face(cr, face, CAIRO_FONT_SLANT_NORMAL,
                         bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, size);
  cairo_set_source_rgb(cr, (colour >> 16) / 255.0, ((colour >> 8) & 255) / 255.0, (colour & 255) / 255.0);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, text);
}

// The options dialog's pictures and buttons, each in the state the preview shows it in.
std::vector<Item> OptionsItems() {
  std::vector<Item> options = {
      {"1.clp", -1, 15}, {"6.clp", 39, 76}, {"buttons/8.clp", 110, 470}, {"buttons/9.clp", 260, 470}};
  for (int i = 0; i < 4; ++i)
    options.push_back({"buttons/18.clp", 115, 75 + 29 * i, 0, i == 2 ? 0 : 1});
  for (int i = 0; i < 3; ++i)
    options.push_back({"buttons/19.clp", 35, 365 + 40 * i, 0, i == 0 ? 1 : 0});
  for (int i = 0; i < 2; ++i)
    options.push_back({"buttons/19.clp", 203, 384 + 40 * i, 0, i == 0 ? 1 : 4});
  for (int i = 0; i < 5; ++i)
    options.push_back({"buttons/20.clp", 190 + 30 * i, 264, 0, i <= 2 ? 1 : 0});
  for (int k = 0; k < 6; ++k)
    options.push_back({"skins/" + std::to_string(k) + ".clp", 170 + 32 * k, 227, k % 2});
  return options;
}

// The intro picture with its logo, the red of the background keyed out as the game does.
Bitmap IntroPreview(const Catalogue& cat) {
  Bitmap intro(400, 400);
  intro.fillColor = kLavender;
  intro.Fill();
  auto background = cat.Load("intro.clp");
  auto logo = cat.Load("globint.clp");
  if (background) {
    background->SetColorKeyAll(0xFF0000);
    DrawClipFrame(intro, background.get(), 0, 0);
  }
  DrawClipFrame(intro, logo.get(), 186, 141);
  return intro;
}

// The text the game draws itself on the dialogs of the second row (at row2): the player's name on
// the result, names and scores in the top ten and the help text.
void DrawDialogTexts(cairo_t* cr, double row2) {
  ShowText(cr, "Liberation Sans", false, 14, 0x000052, 10 + 28 + 10, row2 + 358 + 10 + 14, "Player");
  const char* names[3] = {"Player", "Ann", "Bob"};
  const char* scores[3] = {"   42540", "   31270", "    9800"};
  for (int i = 0; i < 3; ++i) {
    ShowText(cr, "Liberation Mono", true, 15, 0x3131BA, 366 + 15, row2 + 122 + 31 * i + 19, names[i]);
    ShowText(cr, "Liberation Mono", true, 15, 0x3131BA, 366 + 10 + 312 - 72, row2 + 122 + 31 * i + 19,
             scores[i]);
  }
  const char* text[4] = {"Clear the board and score as many points as you can. Aim with the mouse and click",
                         "to shoot the ball shown at the bottom. Three or more touching balls of one colour",
                         "explode; balls that no longer hang from the top fall and count ten times as much.",
                         "F4 - FullScreen mode (On/Off)."};
  for (int i = 0; i < 4; ++i)
    ShowText(cr, "Liberation Sans", false, 13, 0x3131BA, 742, row2 + 87 + 17 * i, text[i]);
}

// The previews at the top of the sheet, with cairo text where the game draws text of its own. Returns
// the height they take.
double DrawPreviews(cairo_t* cr, const Catalogue& cat) {
  DrawPicture(cr, MainScreenPreview(cat), 10, 30, 1);
  DrawPicture(cr, DialogPreview(cat, 450, 565, OptionsItems(), {}), 830, 30, 1);
  DrawPicture(cr,
              DialogPreview(cat, 336, 300, {{"buttons/8.clp", 65, 200}, {"buttons/9.clp", 205, 200, 0, 2}},
                            {{"QUIT THE", 70}, {"GAME ?", 140}}),
              1300, 30, 1);
  DrawPicture(cr, IntroPreview(cat), 1300, 345, 0.7);
  const double row2 = 650;
  const std::vector<Item> result = {
      {"5.clp", 10, 10}, {"7.clp", -1, 358}, {"buttons/8.clp", 70, 410}, {"buttons/9.clp", 210, 410}};
  DrawPicture(cr, DialogPreview(cat, 336, 510, result, {{"12540", 115}, {"30000", 200}, {"42540", 280}}), 10,
              row2, 1);
  std::vector<Item> top = {{"9.clp", -1, 10},
                           {"12.clp", -1, 65},
                           {"buttons/12.clp", 125, 432},
                           {"buttons/11.clp", 233, 435},
                           {"buttons/13.clp", 24, 435}};
  for (int i = 0; i < 10; ++i)
    top.push_back({"3.clp", 10, 122 + 31 * i});
  DrawPicture(cr, DialogPreview(cat, 336, 540, top, {{"NOVICE", 87}}), 366, row2, 1);
  const std::vector<Item> help = {{"2.clp", -1, 10},
                                  {"buttons/12.clp", 440, 402},
                                  {"buttons/3.clp", 356, 415},
                                  {"buttons/22.clp", 605, 343}};
  DrawPicture(cr, DialogPreview(cat, 650, 500, help, {}), 722, row2, 1);
  DrawDialogTexts(cr, row2);
  return row2 + 560;
}

// ---- sheet-all
// ---------------------------------------------------------------------------------------------

// The clip files under root/clp, relative to it. Folders first in a fixed order (files lying in clp
// itself last), numbers in numeric order.
std::vector<std::string> ClipFilesOf(const std::string& root) {
  namespace fs = std::filesystem;
  std::error_code error;
  std::vector<std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root + "/clp", error))
    if (entry.is_regular_file() && entry.path().extension() == ".clp")
      files.push_back(fs::relative(entry.path(), root + "/clp").string());
  auto key = [](const std::string& f) {
    const size_t slash = f.find('/');
    const std::string folder = slash == std::string::npos ? "~" : f.substr(0, slash);
    const std::string name = slash == std::string::npos ? f : f.substr(slash + 1);
    const size_t digits = name.find_first_not_of("0123456789");
    const int number = digits == 0 ? 100000 : std::atoi(name.c_str());
    return std::make_tuple(folder, number, name);
  };
  std::sort(files.begin(), files.end(),
            [&](const std::string& a, const std::string& b) { return key(a) < key(b); });
  return files;
}

int SheetAll(const ToolArgs& args) {
  if (args.size() != 3) return Fail("usage: clp sheet-all DATADIR OUT.png");
  const std::string root = args[1];
  std::error_code error;
  if (!std::filesystem::is_directory(root + "/clp", error)) return Fail("'" + root + "' holds no clp folder");
  const std::vector<std::string> files = ClipFilesOf(root);
  struct Item {
    std::string name;
    std::unique_ptr<Clip> clip;
    std::vector<ShownFrame> frames;
    double height = 0;
  };
  const double width = 1760, column = 870, maxSide = 200;
  std::vector<Item> items;
  for (const std::string& f : files) {
    Item item;
    item.name = f;
    item.clip = std::make_unique<Clip>();
    std::string why;
    if (!LoadClipFile(root + "/clp/" + f, *item.clip, &why)) return Fail("cannot load clp/" + f + ": " + why);
    item.frames = FramesOf(*item.clip);
    item.height = LayoutFrames(nullptr, item.frames, 0, 0, column - 20, 1, maxSide, true) + 22;
    items.push_back(std::move(item));
  }
  // Two columns, filled in order, each item kept whole.
  const double previews = 1230;
  double colHeight[2] = {previews, previews};
  std::vector<std::pair<int, double>> place;
  for (const Item& item : items) {
    const int c = colHeight[0] <= colHeight[1] ? 0 : 1;
    place.push_back({c, colHeight[c]});
    colHeight[c] += item.height;
  }
  const double height = std::max(colHeight[0], colHeight[1]) + 10;
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, int(width), int(height));
  cairo_t* cr = cairo_create(s);
  Background(cr);
  Label(cr, "Globbet picture catalogue (" + std::to_string(items.size()) + " clip files)", 10, 20, 16);
  const Catalogue cat{root};
  DrawPreviews(cr, cat);
  for (size_t i = 0; i < items.size(); ++i) {
    const double x = 10 + place[i].first * column, y = place[i].second;
    cairo_set_source_rgba(cr, 0.2, 0.2, 0.5, 0.25);
    cairo_rectangle(cr, x, y + 2, column - 20, 1);
    cairo_fill(cr);
    Label(cr, "clp/" + items[i].name, x, y + 14, 11);
    LayoutFrames(cr, items[i].frames, x, y + 18, column - 20, 1, maxSide, true);
  }
  cairo_destroy(cr);
  const bool ok = WritePng(s, args[2]);
  cairo_surface_destroy(s);
  return ok ? 0 : Fail("cannot write '" + args[2] + "'");
}

// After drawing a sheet: cairo and fontconfig free their font caches (nothing else in this command
// holds fonts), so that leak checks of sanitizer builds stay quiet.
int ReleasingFonts(int status) {
  cairo_debug_reset_static_data();
  FcFini();
  return status;
}

int Run(const ToolArgs& args) {
  if (args.empty()) return Fail("usage: clp info|sheet|sheet-all ... (see clp --help)");
  if (args[0] == "info") return Info(args);
  if (args[0] == "sheet") return ReleasingFonts(Sheet(args));
  if (args[0] == "sheet-all") return ReleasingFonts(SheetAll(args));
  return Fail("unknown clp command '" + args[0] + "' (see clp --help)");
}

const GlobbetToolCommand kClp("clp",
                              "look into clip files: records, frame sheets, the catalogue's contact sheet",
                              kUsage, &Run);
}  // namespace
