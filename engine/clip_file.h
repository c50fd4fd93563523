// Clip files ("korvanix clp"): a 28-byte header, N image records (raw 24-bit, raw with an 8-bit mask,
// or a JPEG stream enciphered with the clip key), then S sequences of 28-byte frame records. All
// integers are 32-bit little-endian signed. The reader treats every file as hostile: each count and
// size is checked against the bytes that remain and against fixed limits before anything is allocated,
// and any breach fails the whole load.
//
// Sections: layout · parsed view (reader side) · loading into a clip · writer
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/load_result.h"

class Bitmap;
class Clip;

// ---- layout ----------------------------------------------------------------------------------------
inline constexpr char kClipMagic[12] = {'k', 'o', 'r', 'v', 'a', 'n', 'i', 'x', ' ', 'c', 'l', 'p'};
constexpr size_t kClipHeaderSize = 28;
constexpr size_t kClipFrameRecordSize = 28;
constexpr size_t kClipImageHeaderSize = 12;  // width, height, type
constexpr int kClipMaxImages = 1000;
constexpr int kClipMaxSide = 4096;  // width and height of an image record and of a JPEG stream
// Pixels all images of one file may allocate together (raw images are bounded by the file's size
// anyway; this bounds blank and decoded JPEG pictures).
constexpr int64_t kClipMaxTotalPixels = int64_t{1} << 24;  // one picture of the largest size
// Largest picture offset (either sign) a frame record may hold: 16 largest sides, far beyond any real clip
// (the asset generator writes 0). Drawing adds an offset and a side to a position held within +-10^9; a
// value near 2^31 would overflow that sum.
constexpr int32_t kClipMaxOffset = 16 * kClipMaxSide;
// Largest clip file read; far above any real picture set.
constexpr size_t kClipMaxFileSize = size_t{256} << 20;

// Image types: 10 is an enciphered JPEG stream; 4, 5 and 6 are raw pixels followed by a mask; any other
// value is raw pixels alone.
constexpr int kClipImageJpeg = 10;
constexpr int kClipImageRaw = 0;
constexpr int kClipImageMasked = 4;
// True for the types that carry a mask.
constexpr bool ClipImageHasMask(int type) {
  return type == 4 || type == 5 || type == 6;
}

// One frame record.
struct ClipFrameRecord {
  int32_t x = 0, y = 0;   // offset of the picture in the clip
  int32_t image = 0;      // 0 .. N - 1
  int32_t colorKey = -1;  // 0xRRGGBB; above 0xFFFFFF (so also -1): the image's top-left pixel
  int32_t action = 0, arg1 = 0, arg2 = 0;
  bool operator==(const ClipFrameRecord&) const = default;
};
static_assert(sizeof(ClipFrameRecord) == kClipFrameRecordSize, "a frame record is seven int32 values");

// ---- parsed view -------------------------------------------------------------------------------------
// One image record as it stands in the file; the byte spans point into the parsed buffer.
struct ClipImageView {
  int32_t width = 0, height = 0, type = 0;
  std::span<const uint8_t> pixels;      // raw: width x height x 3 bytes, blue-green-red, rows top down
  std::span<const uint8_t> mask;        // masked raw: width x height bytes, 0 opaque .. 255 transparent
  int32_t plainLength = 0;              // JPEG: length of the deciphered stream
  std::span<const uint8_t> enciphered;  // JPEG: the enciphered bytes
};

struct ClipFileView {
  std::vector<ClipImageView> images;
  std::vector<std::vector<ClipFrameRecord>> sequences;  // empty: every image is a frame
};

// Splits a clip file into its records, checking the magic, the counts (0 <= N <= 1000, S >= 0), every
// record size against the bytes that remain, image sides of 1 .. 4096, a plain length within its
// enciphered length, every image index and every offset (within +-kClipMaxOffset). False, with why set, on
// any breach. Bytes after the last sequence are ignored.
bool ParseClipFile(std::span<const uint8_t> bytes, ClipFileView& view, std::string* why = nullptr);

// ---- loading into a clip -------------------------------------------------------------------------------
// Clears and resets clip, then fills it from the file bytes: with no sequences every image becomes a
// frame keyed by its top-left pixel; with one sequence the frames go into the clip itself; with more,
// into new sequences. An image used by several frames is shared. JPEG images are deciphered with the
// clip key and decoded; one whose deciphered length is 0 or differs from its plain length stays blank
// (white, the record's size). Fails, leaving clip empty, on a parse error, a count byte outside 0..7, a
// broken JPEG stream, a JPEG side outside 1..4096, too many scans, or more than kClipMaxTotalPixels.
bool LoadClipBytes(std::span<const uint8_t> bytes, Clip& clip, std::string* why = nullptr);
// Reads the whole file and loads it as LoadClipBytes does. On failure the result tells a missing file
// from an unreadable or a damaged one, with the reason; why, when given, gets the reason too.
LoadResult LoadClipFile(const std::string& path, Clip& clip, std::string* why = nullptr);

// ---- writer --------------------------------------------------------------------------------------------
// Builds clip files record by record; ParseClipFile of its Bytes gives the same records back, and a
// writer filled from a parsed view writes the same bytes again (the reserved header bytes as zeros).
class ClipFileWriter {
 public:
  // A raw image of picture's pixels (types 4, 5, 6 also write its mask, or a fully opaque one when it has
  // none). Returns the image index.
  int AddRawImage(const Bitmap& picture, int type = kClipImageRaw);
  // picture as a JPEG of the given quality (1..100), enciphered with the clip key. Returns the image
  // index, or -1 when it cannot be encoded.
  int AddJpegImage(const Bitmap& picture, int quality = 90);
  // A JPEG record of any stream (not checked), enciphered with the clip key; the record's width and
  // height are given. Returns the image index.
  int AddJpegStream(int width, int height, std::span<const uint8_t> jpeg);
  // Any image record exactly as given (for copies of parsed files and for damaged test files).
  int AddImageRecord(const ClipImageView& image);
  // A sequence of frame records.
  void AddSequence(std::vector<ClipFrameRecord> frames);
  // Every record of a parsed file.
  void AddAll(const ClipFileView& view);

  // The whole file.
  std::vector<uint8_t> Bytes() const;
  // Writes Bytes() to path; false when it cannot.
  bool Save(const std::string& path) const;
  int ImageCount() const { return int(images_.size()); }

 private:
  struct Image {
    int32_t width = 0, height = 0, type = 0;
    std::vector<uint8_t> pixels, mask;
    int32_t plainLength = 0;
    std::vector<uint8_t> enciphered;
  };
  std::vector<Image> images_;
  std::vector<std::vector<ClipFrameRecord>> sequences_;
};
