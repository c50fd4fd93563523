// What the harness commands share: their table (command.h, as the player's tool has it), their options,
// and a game folder that sees the data.
#pragma once

#include <string>

#include "app/game_window.h"
#include "tools/globbet-tool/command.h"
#include "tools/globbet-tool/headless_game.h"

namespace harness {

// Takes "NAME VALUE" out of args into value, a whole number low..high (left as it is when absent);
// false with a message in status when VALUE is not one.
bool TakeNumber(ToolArgs& args, const char* name, long long low, long long high, long long& value,
                int& status);
// Links clp/ and wav/ of the data folder into folder, where the game reads them; false when data has
// no clp/.
bool LinkData(const std::string& data, const std::string& folder);

}  // namespace harness
