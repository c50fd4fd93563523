// Buttons and check boxes: the command buttons 0..26 (normal, pressed and hover looks), the option and
// radio boxes 18 and 19 and the speed cell 20 (six looks each).
#pragma once

#include "tools/assets/output.h"

namespace art {

// Writes clp/buttons/0..26.clp.
void MakeButtons(DataSet& data);

}  // namespace art
