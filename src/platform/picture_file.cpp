#include "platform/picture_file.h"

#include <allegro.h>

std::optional<std::string> loadPicture(const std::string& path, BITMAP*& picture) {
    PALETTE scratch;
    picture = load_bitmap(path.c_str(), scratch);
    if (!picture) {
        return "cannot load the picture " + path;
    }
    return std::nullopt;
}

std::optional<std::string> loadPictureSized(const std::string& path, int width, int height,
                                            BITMAP*& picture) {
    if (auto problem = loadPicture(path, picture)) {
        return problem;
    }
    if (picture->w != width || picture->h != height) {
        return "the picture " + path + " is " + sizeText(picture) + ", not " +
               std::to_string(width) + "x" + std::to_string(height);
    }
    return std::nullopt;
}

std::string sizeText(const BITMAP* picture) {
    return std::to_string(picture->w) + "x" + std::to_string(picture->h);
}
