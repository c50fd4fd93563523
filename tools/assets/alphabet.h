// Alphabets: the ball alphabet (0-9, A-Z, "-", "?" on glossy balls, 25 px apart) and the score digits
// (gold figures for the dark score well, 22 px apart).
#pragma once

#include "tools/assets/output.h"

namespace art {

// Writes clp/alphabet/0.clp and clp/alphabet/1.clp.
void MakeAlphabets(DataSet& data);

}  // namespace art
