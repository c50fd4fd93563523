// Helpers of the catalogue tests: loading a data file by its catalogue name with a message that names
// it, and measuring what a picture shows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/bitmap.h"
#include "engine/clip.h"
#include "engine/clip_file.h"

namespace catalogue {

inline std::string DataPath(const std::string& name) {
  return std::string(GLOBBET_DATA_DIR) + "/" + name;
}

// Loads "clp/..." with the game's reader; null, with a failure naming the file, when it cannot.
inline std::unique_ptr<OClip> LoadClip(const std::string& name) {
  auto clip = std::make_unique<OClip>();
  std::string why;
  if (!LoadClipFile(DataPath(name), *clip, &why)) {
    ADD_FAILURE() << "data file " << name << " is missing or refused: " << why
                  << " (build the globbet_data target)";
    return nullptr;
  }
  return clip;
}

// The frame of a sequence (or of the clip itself when it has none).
inline const OBitmap* FrameOf(const OClip& clip, int frame, int sequence = 0) {
  if (clip.GetSequenceCount() == 0) return clip.GetFrame(frame);
  const OClip* seq = clip.GetSequence(sequence);
  return seq ? seq->GetFrame(frame) : nullptr;
}

// True when the picture shows pixel (x, y): opaque in its mask, or not its colour key.
inline bool Shows(const OBitmap& p, int x, int y) {
  if (const uint8_t* m = p.GetMaskRow(y)) return m[x] < 128;
  return p.colorKey < 0 || p.GetPixel(x, y) != uint32_t(p.colorKey);
}

// How many pixels the picture shows.
inline int Coverage(const OBitmap& p) {
  int n = 0;
  for (int y = 0; y < p.GetHeight(); ++y)
    for (int x = 0; x < p.GetWidth(); ++x)
      n += Shows(p, x, y);
  return n;
}

// Sum of opacity over the picture (255 a fully shown pixel).
inline long Opacity(const OBitmap& p) {
  long sum = 0;
  for (int y = 0; y < p.GetHeight(); ++y) {
    const uint8_t* m = p.GetMaskRow(y);
    for (int x = 0; x < p.GetWidth(); ++x)
      sum += m ? 255 - m[x] : Shows(p, x, y) * 255;
  }
  return sum;
}

}  // namespace catalogue
