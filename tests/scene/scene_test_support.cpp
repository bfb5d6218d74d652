#include "scene_test_support.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

namespace {

uint32_t backgroundPixel(int x, int y) {
    return (static_cast<uint32_t>(x * 7 & 0xFF) << 16) |
           (static_cast<uint32_t>(y * 3 & 0xFF) << 8) | static_cast<uint32_t>((x + y) & 0x7F);
}

uint32_t benchPixel(int x, int y) {
    return 0x604000u | static_cast<uint32_t>((x * 5 + y) & 0x3F);
}

uint32_t sideBarPixel(int x, int y) {
    return 0x203040u + (static_cast<uint32_t>((x ^ y) & 0x1F) << 8);
}

BITMAP* newBitmap(int width, int height) {
    BITMAP* bitmap = create_bitmap_ex(32, width, height);
    if (!bitmap) {
        throw std::runtime_error("cannot create a test bitmap");
    }
    return bitmap;
}

template <typename PixelOf> BITMAP* paintedBitmap(int width, int height, PixelOf pixelOf) {
    BITMAP* bitmap = newBitmap(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            _putpixel32(bitmap, x, y, static_cast<int>(pixelOf(x, y)));
        }
    }
    return bitmap;
}

BITMAP* itemPicture(int kind, int width, int height) {
    return paintedBitmap(width, height, [=](int x, int y) {
        const bool border = x == 0 || y == 0 || x == width - 1 || y == height - 1;
        return border ? maskColour : itemColours[kind];
    });
}

long statusFieldKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    while (status >> name) {
        if (name == field) {
            long kb = 0;
            status >> kb;
            return kb;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

} // namespace

void startAllegroWithoutDisplay() {
    static bool started = false;
    if (started) {
        return;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        throw std::runtime_error("cannot start Allegro");
    }
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    started = true;
}

uint32_t manPixel(int column, int row) {
    if ((column + row) % 7 == 0) {
        return maskColour;
    }
    return 0x100000u | (static_cast<uint32_t>(column * 5 & 0xFF) << 8) |
           static_cast<uint32_t>(row * 3 & 0xFF);
}

void makeTestPictures(GamePictures& pictures, const TestPictureSizes& sizes) {
    pictures.background = paintedBitmap(640, 480, backgroundPixel);
    pictures.bench = paintedBitmap(640, sizes.benchHeight, benchPixel);
    pictures.sideBar = paintedBitmap(sizes.sideBarWidth, 480, sideBarPixel);
    pictures.man = paintedBitmap(sizes.manWidth, sizes.manHeight, manPixel);
    for (int kind = RyeBread; kind <= SaunaWhisk; ++kind) {
        pictures.items[kind] = itemPicture(kind, sizes.itemWidth, sizes.itemHeight);
    }
    if (auto problem = createGameBitmaps(pictures, 640, 480)) {
        throw std::runtime_error(*problem);
    }
}

BITMAP* copyOf(BITMAP* source) {
    BITMAP* copy = newBitmap(source->w, source->h);
    blit(source, copy, 0, 0, 0, 0, source->w, source->h);
    return copy;
}

uint32_t pixelAt(BITMAP* bitmap, int x, int y) {
    return static_cast<uint32_t>(_getpixel32(bitmap, x, y)) & 0xFFFFFFu;
}

bool sameBitmap(BITMAP* a, BITMAP* b) {
    if (a->w != b->w || a->h != b->h) {
        return false;
    }
    const size_t rowBytes = static_cast<size_t>(a->w) * 4;
    for (int y = 0; y < a->h; ++y) {
        if (std::memcmp(a->line[y], b->line[y], rowBytes) != 0) {
            return false;
        }
    }
    return true;
}

int differingPixels(BITMAP* a, BITMAP* b) {
    int count = 0;
    for (int y = 0; y < a->h && y < b->h; ++y) {
        for (int x = 0; x < a->w && x < b->w; ++x) {
            count += pixelAt(a, x, y) != pixelAt(b, x, y);
        }
    }
    return count;
}

void drawExpectedScene(BITMAP* target, BITMAP* staticScene, const GameState& state, int hudColumn) {
    static const char* const labels[4] = {"Ruisleipaa! ", "Lihaa!      ", "Viinaa!     ",
                                          "Saunavihdan!"};
    blit(staticScene, target, 0, 0, 0, 0, staticScene->w, staticScene->h);
    const std::string scoreLine = "pisteet=" + std::to_string(state.score);
    const std::string heatLine = "kuumuus=" + std::to_string(state.heat) + " astetta";
    textout_ex(target, font, scoreLine.c_str(), hudColumn, 280, 0xFFFF00, 0);
    textout_ex(target, font, heatLine.c_str(), hudColumn, 300, 0xFFFF00, 0);
    textout_ex(target, font, "Ilkea tonttu haluaa:", hudColumn, 320, 0xFFFF00, 0);
    textout_ex(target, font, labels[state.wantedKind], hudColumn, 330, 0xFFFF00, 0);
}

void composeByHand(BITMAP* target, const GamePictures& pictures) {
    blit(pictures.background, target, 0, 0, 0, 0, 640, 480);
    blit(pictures.bench, target, 0, 0, 0, 480 - pictures.bench->h, 640, pictures.bench->h);
    blit(pictures.sideBar, target, 0, 0, 640 - pictures.sideBar->w, 0, pictures.sideBar->w, 480);
}

RandomSource seededRandom(uint32_t seed) {
    auto state = std::make_shared<uint32_t>(seed);
    return [state] {
        *state = *state * 1103515245u + 12345u;
        return static_cast<int>((*state >> 16) & 0x7FFFu);
    };
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/kiuas-scene-XXXXXX";
    if (!mkdtemp(pattern)) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path = pattern;
    path += "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void saveTestPictureFiles(const std::string& folder, const TestPictureSizes& sizes) {
    GamePictures pictures;
    makeTestPictures(pictures, sizes);
    const std::pair<const char*, BITMAP*> files[] = {
        {"paksa.pcx", pictures.background},    {"laude.pcx", pictures.bench},
        {"sivupalkki2.pcx", pictures.sideBar}, {"ukko.pcx", pictures.man},
        {"ruisleipa.pcx", pictures.items[0]},  {"kinkku.pcx", pictures.items[1]},
        {"viina.pcx", pictures.items[2]},      {"vihta.pcx", pictures.items[3]},
    };
    PALETTE palette;
    generate_332_palette(palette);
    for (const auto& [file, picture] : files) {
        if (save_pcx((folder + file).c_str(), picture, palette) != 0) {
            releaseGamePictures(pictures);
            throw std::runtime_error("cannot save " + folder + file);
        }
    }
    releaseGamePictures(pictures);
}

long residentKb() {
    return statusFieldKb("VmRSS:");
}
long peakResidentKb() {
    return statusFieldKb("VmHWM:");
}
