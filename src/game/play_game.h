// One game from the start button to its end by heat, Esc or a close request.
#pragma once

#include <optional>
#include <string>

// runs one game and returns to the menu; a message when the game's pictures can't be used
std::optional<std::string> playGame();
