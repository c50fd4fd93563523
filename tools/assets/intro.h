// Intro and logo: the 400 x 400 intro picture (pure red around its rounded card is the colour key, and
// the rest is the window's shape) and the logo, a "G" of balls that the intro pulses and bursts.
#pragma once

#include "tools/assets/output.h"

namespace art {

// Writes clp/intro.clp and clp/globint.clp.
void MakeIntro(DataSet& data);

}  // namespace art
