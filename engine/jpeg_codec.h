// JPEG pictures through libjpeg, with an error manager that returns instead of ending the process, a
// limit on the picture's sides and on the number of scans (a hostile progressive stream cannot make
// decoding take forever).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class Bitmap;

struct JpegLimits {
  int maxSide = 4096;           // width and height must lie in 1 .. maxSide
  int64_t maxPixels = 1 << 24;  // width x height must not exceed this
  int maxScans = 100;           // scans of a progressive stream
};

// Decodes the stream into picture, which is re-created at the stream's size. False, with why set and
// picture left as it was, on a broken stream or a breach of the limits.
bool DecodeJpeg(const uint8_t* data, size_t size, const JpegLimits& limits, Bitmap& picture,
                std::string* why = nullptr);

// How an encoded stream is split into scans: one baseline scan, libjpeg's usual progressive script, or
// one scan per coefficient and component (190 scans; a stream that decoding's scan limit must refuse).
enum class JpegScans { kBaseline, kProgressive, kPerCoefficient };

// Encodes the picture as a JPEG of the given quality (1..100). False when it has no pixels or encoding
// fails.
bool EncodeJpeg(const Bitmap& picture, int quality, std::vector<uint8_t>& out,
                JpegScans scans = JpegScans::kBaseline);
