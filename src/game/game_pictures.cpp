#include "game/game_pictures.h"

#include "platform/picture_file.h"

#include <allegro.h>

#include <algorithm>
#include <utility>

const char* const gamePictureFolder = "./grafiikka/";

namespace {

constexpr const char* backgroundFile = "paksa.pcx";
constexpr const char* benchFile = "laude.pcx";
constexpr const char* sideBarFile = "sivupalkki2.pcx";
constexpr const char* manFile = "ukko.pcx";
constexpr std::array<const char*, 4> itemFiles = {"ruisleipa.pcx", "kinkku.pcx", "viina.pcx",
                                                  "vihta.pcx"};

// one picture from the folder, or a message naming the file
std::optional<std::string> loadPicture(const std::string& folder, const char* file,
                                       BITMAP*& picture) {
    return loadPicture(folder + file, picture);
}

// one off-screen bitmap, or a message naming it
std::optional<std::string> createBitmap(const char* name, int width, int height, BITMAP*& bitmap) {
    bitmap = create_bitmap(width, height);
    if (!bitmap) {
        return std::string("cannot create the ") + name + " bitmap of " + std::to_string(width) +
               "x" + std::to_string(height);
    }
    return std::nullopt;
}

void release(BITMAP*& bitmap) {
    if (bitmap) {
        destroy_bitmap(bitmap);
        bitmap = nullptr;
    }
}

} // namespace

std::optional<std::string> loadGamePictures(const std::string& folder, int sceneWidth,
                                            int sceneHeight, GamePictures& pictures) {
    // the order the game has always loaded them in: background, man, items, side bar, bench
    const std::array<std::pair<const char*, BITMAP**>, 8> loads = {{
        {backgroundFile, &pictures.background},
        {manFile, &pictures.man},
        {itemFiles[RyeBread], &pictures.items[RyeBread]},
        {itemFiles[Booze], &pictures.items[Booze]},
        {itemFiles[Meat], &pictures.items[Meat]},
        {itemFiles[SaunaWhisk], &pictures.items[SaunaWhisk]},
        {sideBarFile, &pictures.sideBar},
        {benchFile, &pictures.bench},
    }};
    for (const auto& [file, picture] : loads) {
        if (auto problem = loadPicture(folder, file, *picture)) {
            return problem;
        }
    }
    if (auto problem = checkPictureSizes(pictures, sceneWidth, folder)) {
        return problem;
    }
    return createGameBitmaps(pictures, sceneWidth, sceneHeight);
}

std::optional<std::string> checkPictureSizes(const GamePictures& pictures, int sceneWidth,
                                             const std::string& folder) {
    // every save is an item's size, so every item must be drawn at that one size
    const BITMAP* rye = pictures.items[RyeBread];
    for (int kind = Meat; kind <= SaunaWhisk; ++kind) {
        const BITMAP* item = pictures.items[kind];
        if (item->w != rye->w || item->h != rye->h) {
            return "the item pictures must share one size, but " + folder + itemFiles[RyeBread] +
                   " is " + sizeText(rye) + " and " + folder + itemFiles[kind] + " is " +
                   sizeText(item);
        }
    }
    if (auto problem = pictureSizeProblem(pictureSizesOf(pictures, sceneWidth))) {
        return "the pictures " + folder + itemFiles[RyeBread] + " (" + sizeText(rye) + ") and " +
               folder + sideBarFile + " (" + sizeText(pictures.sideBar) +
               ") leave no room for the items: " + *problem;
    }
    return std::nullopt;
}

std::optional<std::string> createGameBitmaps(GamePictures& pictures, int sceneWidth,
                                             int sceneHeight) {
    if (auto problem = createBitmap("scene", sceneWidth, sceneHeight, pictures.sceneBuffer)) {
        return problem;
    }
    if (auto problem =
            createBitmap("man's save", pictures.man->w, pictures.man->h, pictures.playerSave)) {
        return problem;
    }
    const BITMAP* rye = pictures.items[RyeBread];
    for (BITMAP*& save : pictures.itemSaves) {
        if (auto problem = createBitmap("item's save", rye->w, rye->h, save)) {
            return problem;
        }
    }
    // from the HUD's column to the scene's right edge; at least one column so it can exist
    const int hudWidth = std::max(1, sceneWidth - hudColumn(pictures));
    return createBitmap("HUD's save", hudWidth, hudLastRowEnd - hudFirstRow, pictures.hudSave);
}

void releaseGamePictures(GamePictures& pictures) {
    release(pictures.background);
    release(pictures.bench);
    release(pictures.sideBar);
    release(pictures.man);
    for (BITMAP*& item : pictures.items) {
        release(item);
    }
    release(pictures.sceneBuffer);
    release(pictures.playerSave);
    for (BITMAP*& save : pictures.itemSaves) {
        release(save);
    }
    release(pictures.hudSave);
}

PictureSizes pictureSizesOf(const GamePictures& pictures, int screenWidth) {
    PictureSizes sizes{};
    sizes.itemWidth = pictures.items[RyeBread]->w;
    sizes.itemHeight = pictures.items[RyeBread]->h;
    sizes.manWidth = pictures.man->w;
    sizes.sideBarWidth = pictures.sideBar->w;
    sizes.screenWidth = screenWidth;
    return sizes;
}

int hudColumn(const GamePictures& pictures) {
    return 653 - pictures.sideBar->w;
}
