// Draws the game's pictures into the folder named on the command line.
#include "pictures.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: kiuas_pictures <folder>\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "kiuas_pictures: Allegro would not start\n");
        return 1;
    }
    std::string problem = writeAllPictures(argv[1]);
    if (!problem.empty()) {
        std::fprintf(stderr, "kiuas_pictures: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}
END_OF_MAIN()
