// Writes the game's two songs, MENU.xm and TONTUT.xm, into the folder given.
#include "songs.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kiuas_songs <folder>\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!writeFile(folder + "/MENU.xm", composeMenuSong()) ||
        !writeFile(folder + "/TONTUT.xm", composeGameSong())) {
        std::fprintf(stderr, "kiuas_songs: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
