// Sounds: the ten short effects, synthesised (16-bit PCM mono, 44100 Hz, canonical 44-byte header).
#pragma once

#include "tools/assets/output.h"

namespace art {

// Writes wav/0.wav .. wav/9.wav.
void MakeSounds(DataSet& data);

}  // namespace art
