// The game's eight pictures and the bitmaps it draws with, loaded and released as one.
#pragma once

#include "game/rules.h"

#include <array>
#include <optional>
#include <string>

struct BITMAP;

// the HUD's rows; the value lines and labels sit in the side bar
constexpr int hudFirstRow = 280;
constexpr int hudLastRowEnd = 338;

// everything a game draws with: the loaded pictures, then the bitmaps made for it
struct GamePictures {
    BITMAP* background = nullptr;
    BITMAP* bench = nullptr;
    BITMAP* sideBar = nullptr;
    BITMAP* man = nullptr;
    // indexed by ItemKind: rye bread, meat, booze, sauna whisk
    std::array<BITMAP*, 4> items{};

    BITMAP* sceneBuffer = nullptr;
    BITMAP* playerSave = nullptr;
    std::array<BITMAP*, itemSlotCount> itemSaves{};
    // the static scene under the HUD, put back before the texts are drawn anew
    BITMAP* hudSave = nullptr;
};

// the folder the game's pictures come from
extern const char* const gamePictureFolder;

// loads the eight pictures from folder and makes the bitmaps; a message naming what failed
std::optional<std::string> loadGamePictures(const std::string& folder, int sceneWidth,
                                            int sceneHeight, GamePictures& pictures);

// a message naming the pictures when their sizes can't make a game
std::optional<std::string> checkPictureSizes(const GamePictures& pictures, int sceneWidth,
                                             const std::string& folder);

// makes the scene buffer and the save bitmaps for pictures already in place
std::optional<std::string> createGameBitmaps(GamePictures& pictures, int sceneWidth,
                                             int sceneHeight);

// releases every picture and bitmap held, leaving the struct empty
void releaseGamePictures(GamePictures& pictures);

// the sizes the rules take from the pictures
PictureSizes pictureSizesOf(const GamePictures& pictures, int screenWidth);

// the HUD's column: 13 pixels right of the side bar's left edge
int hudColumn(const GamePictures& pictures);
