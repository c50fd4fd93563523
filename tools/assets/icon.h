// The desktop icon: a cluster of glossy balls in the logo's colours (a ring of sky-blue balls open at the
// upper right around an orange one, so that it still suggests the logo's "G"), on a soft shadow. One
// geometry on a 256 x 256 master, drawn at each size's own pixels as PNG, and as a scalable SVG.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/assets/output.h"

namespace art {

// The pixel sizes of the PNG icons.
inline constexpr int kIconSizes[] = {32, 64, 128, 256};

// The icon drawn at size x size pixels, encoded as PNG; empty if cairo cannot encode it.
std::vector<uint8_t> IconPng(int size);
// The icon as an SVG document on the 256 x 256 master's coordinates.
std::string IconSvg();
// Writes icons/globbet-N.png for every size and icons/globbet.svg.
void MakeIcons(DataSet& data);

}  // namespace art
