// Loading one picture file, with a message that names it when it can't be used.
#pragma once

#include <optional>
#include <string>

struct BITMAP;

// one picture, converted to the display's depth, or a message naming the file
std::optional<std::string> loadPicture(const std::string& path, BITMAP*& picture);

// one picture that must be exactly width x height, or a message naming the file and its size
std::optional<std::string> loadPictureSized(const std::string& path, int width, int height,
                                            BITMAP*& picture);

// "640x480" for a picture
std::string sizeText(const BITMAP* picture);
