// Runs the picture generator and checks its files as the game will load them.
#include <allegro.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> allNames = {"pohja",     "kursori", "info",        "loppu",
                                           "paksa",     "laude",   "sivupalkki2", "ukko",
                                           "ruisleipa", "kinkku",  "viina",       "vihta"};
const std::vector<std::string> spriteNames = {"kursori", "ukko",  "ruisleipa",
                                              "kinkku",  "viina", "vihta"};
const std::vector<std::string> itemNames = {"ruisleipa", "kinkku", "viina", "vihta"};
constexpr int maskColour = 0xFF00FF;

struct Box {
    int left, top, right, bottom; // inclusive
};

// the menu's buttons, where the pointer makes them act
const Box menuButtons[] = {{127, 143, 513, 239}, {127, 241, 513, 337}, {127, 339, 513, 436}};

std::string generateInto(const fs::path& dir) {
    fs::create_directories(dir);
    std::string command = std::string("\"") + KIUAS_PICTURES_TOOL + "\" \"" + dir.string() + "\"";
    int status = std::system(command.c_str());
    return status == 0 ? std::string() : command + " failed with status " + std::to_string(status);
}

std::vector<char> fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int maxChannel(int pixel) {
    return std::max({getr32(pixel), getg32(pixel), getb32(pixel)});
}

class GeneratedPictures : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        install_allegro(SYSTEM_NONE, &errno, atexit);
        set_color_depth(32);
        set_color_conversion(COLORCONV_TOTAL);
        char pattern[] = "/tmp/kiuas_pictures_XXXXXX";
        char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        root = made;
        firstRun = generateInto(root / "first");
        for (const std::string& name : allNames) {
            fs::path path = root / "first" / (name + ".pcx");
            PALETTE scratch;
            pictures[name] = load_bitmap(path.string().c_str(), scratch);
        }
    }
    static void TearDownTestSuite() {
        for (auto& [name, bmp] : pictures) {
            if (bmp) {
                destroy_bitmap(bmp);
            }
        }
        pictures.clear();
        fs::remove_all(root);
    }
    void SetUp() override {
        ASSERT_EQ(firstRun, "");
        for (const std::string& name : allNames) {
            ASSERT_NE(pictures[name], nullptr) << name << ".pcx did not load";
        }
    }
    static BITMAP* picture(const std::string& name) { return pictures.at(name); }

    static inline fs::path root;
    static inline std::string firstRun;
    static inline std::map<std::string, BITMAP*> pictures;
};

TEST_F(GeneratedPictures, AllLoadAtThirtyTwoBits) {
    for (const std::string& name : allNames) {
        EXPECT_EQ(bitmap_color_depth(picture(name)), 32) << name;
    }
}

TEST_F(GeneratedPictures, FullScreenPicturesAre640By480) {
    for (const char* name : {"pohja", "info", "loppu", "paksa"}) {
        EXPECT_EQ(picture(name)->w, 640) << name;
        EXPECT_EQ(picture(name)->h, 480) << name;
    }
}

TEST_F(GeneratedPictures, SceneSizesFitTogether) {
    BITMAP* man = picture("ukko");
    BITMAP* bench = picture("laude");
    BITMAP* bar = picture("sivupalkki2");
    int itemW = picture("ruisleipa")->w;
    for (const std::string& name : itemNames) {
        EXPECT_EQ(picture(name)->w, itemW) << name;
        EXPECT_EQ(picture(name)->h, picture("ruisleipa")->h) << name;
    }
    // the man stands on the bench
    EXPECT_EQ(bench->w, 640);
    EXPECT_EQ(388 + man->h, 480 - bench->h);
    EXPECT_EQ(bar->h, 480);
    // items need at least one column to spawn in, and the man starts at 320 left of the bar
    EXPECT_GE(640 - itemW - bar->w, 1);
    EXPECT_LE(320 + man->w, 640 - bar->w);
    // the longest HUD line is 160 pixels wide and starts 13 pixels into the bar
    EXPECT_GE(bar->w, 13 + 160 + 2);
}

TEST_F(GeneratedPictures, SpritesHaveExactMaskAndOpaqueEdges) {
    for (const std::string& name : spriteNames) {
        BITMAP* bmp = picture(name);
        int masked = 0, opaque = 0, nearMask = 0;
        for (int y = 0; y < bmp->h; ++y) {
            for (int x = 0; x < bmp->w; ++x) {
                int p = getpixel(bmp, x, y);
                if (p == maskColour) {
                    ++masked;
                    continue;
                }
                ++opaque;
                // a blend of content and magenta would show as a pink fringe
                if (getr32(p) > 200 && getb32(p) > 200 && getg32(p) < 80) {
                    ++nearMask;
                }
            }
        }
        EXPECT_GT(masked, bmp->w * bmp->h / 10) << name;
        EXPECT_GT(opaque, bmp->w * bmp->h / 10) << name;
        EXPECT_EQ(nearMask, 0) << name;
    }
}

TEST_F(GeneratedPictures, PointerPointsFromItsTopLeftAndShowsOnLightAndDark) {
    BITMAP* pointer = picture("kursori");
    EXPECT_NE(getpixel(pointer, 0, 0), maskColour);
    bool dark = false, light = false;
    for (int y = 0; y < pointer->h; ++y) {
        for (int x = 0; x < pointer->w; ++x) {
            int p = getpixel(pointer, x, y);
            if (p != maskColour) {
                dark |= maxChannel(p) < 60;
                light |= std::min({getr32(p), getg32(p), getb32(p)}) > 200;
            }
        }
    }
    EXPECT_TRUE(dark);
    EXPECT_TRUE(light);
}

TEST_F(GeneratedPictures, TextsAreDrawnOnDarkGround) {
    struct Area {
        const char* name;
        Box box;
    };
    // the best-score line at (18, 19) up to 30 characters, and the four HUD lines of the game
    const Area areas[] = {{"pohja", {14, 15, 264, 31}}, {"sivupalkki2", {9, 276, 177, 342}}};
    for (const Area& area : areas) {
        BITMAP* bmp = picture(area.name);
        int brightest = 0;
        for (int y = area.box.top; y <= area.box.bottom; ++y) {
            for (int x = area.box.left; x <= area.box.right; ++x) {
                brightest = std::max(brightest, maxChannel(getpixel(bmp, x, y)));
            }
        }
        EXPECT_LT(brightest, 90) << area.name;
    }
}

TEST_F(GeneratedPictures, MenuButtonsAreDrawnOverTheirRectangles) {
    BITMAP* menu = picture("pohja");
    auto meanColour = [&](int x0, int y0, int x1, int y1) {
        double r = 0, g = 0, b = 0;
        int n = 0;
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                int p = getpixel(menu, x, y);
                r += getr32(p);
                g += getg32(p);
                b += getb32(p);
                ++n;
            }
        }
        return std::vector<double>{r / n, g / n, b / n};
    };
    for (const Box& button : menuButtons) {
        auto inside =
            meanColour(button.left + 4, button.top + 4, button.right - 4, button.bottom - 4);
        auto left = meanColour(button.left - 24, button.top, button.left - 4, button.bottom);
        auto right = meanColour(button.right + 4, button.top, button.right + 24, button.bottom);
        for (const auto& outside : {left, right}) {
            double distance = 0;
            for (int c = 0; c < 3; ++c) {
                distance += std::abs(inside[c] - outside[c]);
            }
            EXPECT_GT(distance, 60) << "button at y " << button.top;
        }
    }
}

TEST_F(GeneratedPictures, OnePaletteFileTheRestTrueColour) {
    int paletted = 0;
    for (const std::string& name : allNames) {
        std::vector<char> bytes = fileBytes(root / "first" / (name + ".pcx"));
        ASSERT_GE(bytes.size(), 128u) << name;
        EXPECT_EQ(bytes[0], 10) << name;
        EXPECT_EQ(bytes[3], 8) << name;
        int planes = bytes[65];
        EXPECT_TRUE(planes == 1 || planes == 3) << name;
        paletted += planes == 1;
    }
    EXPECT_EQ(paletted, 1);
}

TEST_F(GeneratedPictures, GeneratingTwiceGivesTheSameBytes) {
    ASSERT_EQ(generateInto(root / "second"), "");
    for (const std::string& name : allNames) {
        std::string file = name + ".pcx";
        EXPECT_TRUE(fileBytes(root / "first" / file) == fileBytes(root / "second" / file)) << file;
    }
}

} // namespace
