// Writes the tests' tiny XM song to a file, for trying the player by ear.
#include "tiny_xm.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::printf("usage: music_tiny_xm OUT.xm [ROWS]\n");
        return 2;
    }
    TinyXm song;
    if (argc > 2) {
        song.rows = std::atoi(argv[2]);
        song.noteOffRow = song.rows / 2;
    }
    return writeTinyXm(argv[1], song) ? 0 : 1;
}
