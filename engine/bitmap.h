// Bitmap: the engine's off-screen picture. 24-bit pixels (blue, green, red), rows stored bottom-up with
// one spare row past the top, an optional 8-bit transparency mask, a colour key and a whole-picture
// transparency. Pixel storage is shared between copies and counted by owners.
//
// Sections: rectangles · shared storage · Bitmap (construction, size and memory, compositing,
// text and rectangles, masks)
#pragma once

#include <cstdint>

// ---- rectangles ----------------------------------------------------------------------------------
// A rectangle in logical picture coordinates (y downward); right and bottom are exclusive.
struct BitmapRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// ---- shared storage ------------------------------------------------------------------------------
// The pixel memory of one or more bitmaps. Memory row 0 is the bottom logical row; logical row y lives
// at memory row height - 1 - y; memory row `height` is a spare row that is never drawn (zero).
struct BitmapStorage {
  int32_t extraOwners = 0;    // bitmaps sharing this storage beyond the first; 0 = sole owner
  uint8_t* pixels = nullptr;  // (height + 1) rows of `stride` bytes
  uint8_t* mask = nullptr;    // width x height + width + 1 bytes, or null; 0 opaque .. 255 transparent
  int32_t width = 0, height = 0;
  int32_t stride = 0;  // 3 x width rounded up to a multiple of 4
};

// Bytes per pixel row for a width: 3 x width rounded up to a multiple of 4.
constexpr int32_t BitmapStride(int32_t width) {
  return ((24 * width + 31) & ~31) / 8;
}
static_assert(BitmapStride(1) == 4 && BitmapStride(5) == 16 && BitmapStride(4) == 12);
// Bytes of a mask for a picture of width x height: one a pixel plus a row and a byte of slack that the
// smooth drawing may read past the last pixel.
constexpr int64_t BitmapMaskSize(int32_t width, int32_t height) {
  return int64_t{width} * height + width + 1;
}

// ---- Bitmap -------------------------------------------------------------------------------------
class Bitmap {
 public:
  // -- construction --
  // An empty bitmap: no pixels, fill colour 0xFFFFFF, transparency 0, no colour key.
  Bitmap();
  // A width x height picture filled with white (Create with no fill colour).
  Bitmap(int width, int height);
  // Shares the source's pixels and copies its offsets, transparency and colour key (ShareFrom).
  Bitmap(const Bitmap& source);
  // Same as ShareFrom(&source).
  Bitmap& operator=(const Bitmap& source);
  // Moving hands over the storage hold and every field (a moved-from bitmap is empty), so bitmaps kept
  // in containers or returned by value keep their fill colour and frame instruction.
  Bitmap(Bitmap&& source) noexcept;
  Bitmap& operator=(Bitmap&& source) noexcept;
  // Releases this bitmap's hold on its storage; the last owner frees it.
  virtual ~Bitmap();

  // Makes new storage of width x height (releasing the old), sets the fill colour when fill is not -1,
  // and fills the picture with the fill colour. False, and no pixels, when the size is unusable or the
  // memory cannot be had.
  bool Create(int width, int height, int32_t fill = -1);
  // Shares the source's storage and copies its offsets, transparency and colour key. False for null.
  bool ShareFrom(const Bitmap* source);

  // -- size and memory --
  // True when the bitmap has pixel storage.
  bool HasPixels() const { return storage_ != nullptr; }
  int GetWidth() const { return storage_ ? storage_->width : 0; }
  int GetHeight() const { return storage_ ? storage_->height : 0; }
  // Bytes per memory row.
  int GetStride() const { return storage_ ? storage_->stride : 0; }
  // The pixel memory (memory row 0 = bottom logical row, height + 1 rows), or null when empty.
  uint8_t* GetPixels() { return storage_ ? storage_->pixels : nullptr; }
  const uint8_t* GetPixels() const { return storage_ ? storage_->pixels : nullptr; }
  // The first byte of logical row y (0 = top); y must be in 0 .. height - 1.
  uint8_t* GetRow(int y);
  const uint8_t* GetRow(int y) const;
  // The mask (rows of width bytes, bottom-up like the pixels), or null when there is none.
  uint8_t* GetMask() { return storage_ ? storage_->mask : nullptr; }
  const uint8_t* GetMask() const { return storage_ ? storage_->mask : nullptr; }
  // The first mask byte of logical row y; null without a mask.
  uint8_t* GetMaskRow(int y);
  const uint8_t* GetMaskRow(int y) const;
  // Gives the picture a new mask with every byte (slack included) set to fill; returns it, or null when
  // there are no pixels or no memory. Replaces any old mask.
  uint8_t* CreateMask(uint8_t fill);
  // Frees the mask if there is one (every sharer loses it).
  void FreeMask();
  // The 0xRRGGBB colour at logical (x, y); 0 outside the picture.
  uint32_t GetPixel(int x, int y) const;
  // Sets logical (x, y) to 0xRRGGBB; ignored outside the picture.
  void SetPixel(int x, int y, uint32_t color);
  // Number of bitmaps sharing this storage (0 when empty).
  int GetOwnerCount() const { return storage_ ? storage_->extraOwners + 1 : 0; }
  // True when both bitmaps use the same pixel storage.
  bool SharesStorageWith(const Bitmap& other) const {
    return storage_ != nullptr && storage_ == other.storage_;
  }

  // -- compositing (integer loops, clipped once, no allocation) --
  // Fills the rectangle (the whole picture when null), clipped to the picture, with the fill colour.
  void Fill(const BitmapRect* rect = nullptr);
  // Sets the colour key; -1 takes the colour of the top-left pixel.
  void SetColorKey(int32_t value);
  // Draws the source rectangle (whole source when null) of source with the source's top-left at (x, y):
  // masked, colour-keyed, blended or as a silhouette, by the source's mask and transparency.
  void Draw(const Bitmap* source, int x, int y, const BitmapRect* sourceRect = nullptr);
  // Draws a masked source at a fractional position with bilinear filtering; nothing without a mask.
  void DrawSmooth(const Bitmap* source, double x, double y);

  // -- text and rectangles (DrawFont, DrawPen, DrawBrush settings) --
  // Draws the text with its cell's top-left at (x, y), on an opaque cell of the font's background
  // colour. False when there are no pixels or the text cannot be rendered.
  bool DrawText(const char* text, int x, int y);
  // Fills x .. x + width - 1, y .. y + height - 1 with DrawBrush and outlines it with DrawPen.
  // False when there are no pixels.
  bool DrawRectangle(int x, int y, int width, int height);
  // The size of the cell DrawText would paint for the text. False when there are no pixels or the font
  // cannot be had (width and height are then 0).
  bool MeasureText(const char* text, int& width, int& height) const;

  // -- masks --
  // this = a picture rendered on black, other = the same rendered on white: derives the mask from their
  // difference and divides the coverage back out of this picture's colours. False (nothing changed)
  // when the sizes differ or either has no pixels.
  bool MakeMaskFromPair(const Bitmap& other);
  // Becomes a picture one pixel wider and taller than source, filled with the source's fill colour, with
  // the 2 x 2 averages of the source inside. False (nothing changed) when source has no pixels.
  bool SmoothCopy(const Bitmap& source);

  // -- fields --
  int32_t offsetX = 0, offsetY = 0;  // position in the clip that shows this picture
  uint32_t fillColor = 0xFFFFFF;     // used by Fill and as the silhouette colour
  int32_t transparency = 0;  // 0 opaque; 1..255 blend (share of the destination); above 255 silhouette
  int32_t frameAction = 0;   // clip frame instruction and its two arguments
  int32_t actionArg1 = 0;
  int32_t actionArg2 = 0;
  int32_t colorKey = -1;  // 0xRRGGBB value not drawn; -1 = no key

 private:
  // Drops this bitmap's hold on its storage, freeing it when this was the last owner.
  void Release();

  BitmapStorage* storage_ = nullptr;
};
