// The catalogue at start-up: every clip set loaded from its numbered files in table order, each slot i
// from file number i, and the ten sounds; at exit the sets are freed in teardown order. File names are
// relative to the current directory.
#pragma once

#include "engine/load_result.h"

// Loads the clip sets in table order: ball pictures, ball sprites, skins, main-window pieces, frame
// pieces, general pictures, button pictures, alphabet strips. Stops at the first file that cannot be
// loaded: false, with its name (as formed from the pattern) and why in failure. Installs the score
// digits.
bool LoadCatalogueClips(LoadResult& failure);
// Loads "wav/0.wav" .. "wav/9.wav" into the sound player as sounds 0..9; a file that cannot be read is
// skipped (that sound stays silent).
void LoadCatalogueSounds();
// Frees the clip sets: ball pictures, ball sprites, main-window pieces, frame pieces, general pictures,
// button pictures, alphabet strips, skins.
void FreeCatalogue();
