// The game's two songs, composed in code: the calm menu waltz and the lively game humppa.
#pragma once

#include "xm_writer.h"

#include <cstdint>
#include <vector>

// the menu waltz, played once; a little over a minute and a half
XmModule menuSongModule();

// the game humppa, played once; a little over four minutes
XmModule gameSongModule();

// the songs as XM file bytes, the same bytes on every call
std::vector<uint8_t> composeMenuSong();
std::vector<uint8_t> composeGameSong();
