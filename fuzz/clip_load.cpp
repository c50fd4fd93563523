// Clip files from arbitrary bytes: the reader must refuse or accept without a crash, a hang, a leak or an
// oversized allocation, and whatever it accepts must play and copy safely.
#include <cstdint>

#include "engine/clip.h"
#include "engine/clip_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Clip clip, copy;
  if (!LoadClipBytes(std::span<const uint8_t>(data, size), clip)) return 0;
  copy.CopyFrom(clip);
  for (Clip* played : {&clip, &copy}) {
    played->SetFrameTime(0);
    for (int sequence = 0; sequence < played->GetSequenceCount() && sequence < 4; ++sequence) {
      played->SetFrame(0, sequence);
      for (int step = 0; step < 8; ++step)
        played->Tick(1);
    }
  }
  return 0;
}
