// Dialog pictures: the general pictures 0..15 except the socket (8): titles, the options panel with its
// labels, the result background, the top-ten row, the name edit box, the demo, replay and pause
// signs, the two mode badges and the spare pictures.
#pragma once

#include "tools/assets/output.h"

namespace art {

// Writes clp/0.clp .. clp/15.clp except clp/8.clp (made with the frames).
void MakeDialogPictures(DataSet& data);

}  // namespace art
