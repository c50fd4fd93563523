// Clip files from arbitrary bytes: the reader must refuse or accept without a crash, a hang, a leak or an
// oversized allocation, and whatever it accepts must play and copy safely.
#include <cstddef>
#include <cstdint>

#include "engine/clip.h"
#include "engine/clip_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  OClip clip;
  if (!LoadClipBytes(std::span<const uint8_t>(data, size), clip)) return 0;
  clip.SetFrameTime(0);
  for (int sequence = 0; sequence < clip.GetSequenceCount() && sequence < 4; ++sequence) {
    clip.SetFrame(0, sequence);
    for (int step = 0; step < 8; ++step)
      clip.Tick(1);
  }
  for (int step = 0; step < 8; ++step)
    clip.Tick(1);
  OClip copy;
  copy.CopyFrom(clip);
  copy.SetFrameTime(0);
  for (int step = 0; step < 8; ++step)
    copy.Tick(1);
  return 0;
}
