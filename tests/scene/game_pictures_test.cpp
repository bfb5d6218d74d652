// The game's pictures from PCX files: what loads, what is refused with a message, and the
// memory of many games in a row.
#include "game/game_loop.h"
#include "game/game_pictures.h"
#include "scene_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

namespace {

class PictureFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { startAllegroWithoutDisplay(); }

    // loads from the folder; the message, or empty when all went well
    std::string loadProblem() {
        GamePictures pictures;
        auto problem = loadGamePictures(folder.path, 640, 480, pictures);
        releaseGamePictures(pictures);
        return problem.value_or("");
    }

    // one picture of the folder replaced by a plain one of this size
    void replacePicture(const char* file, int width, int height) {
        BITMAP* picture = create_bitmap_ex(32, width, height);
        clear_to_color(picture, 0x336699);
        PALETTE palette;
        generate_332_palette(palette);
        ASSERT_EQ(save_pcx((folder.path + file).c_str(), picture, palette), 0);
        destroy_bitmap(picture);
    }

    TempFolder folder;
};

TEST_F(PictureFilesTest, LoadsEveryPictureAtItsOwnSize) {
    TestPictureSizes sizes;
    sizes.manWidth = 36;
    sizes.manHeight = 62;
    sizes.sideBarWidth = 182;
    saveTestPictureFiles(folder.path, sizes);
    GamePictures pictures;
    ASSERT_EQ(loadGamePictures(folder.path, 640, 480, pictures), std::nullopt);
    EXPECT_EQ(pictures.man->w, 36);
    EXPECT_EQ(pictures.playerSave->h, 62);
    EXPECT_EQ(pictures.sideBar->w, 182);
    EXPECT_EQ(pictures.sceneBuffer->w, 640);
    EXPECT_EQ(bitmap_color_depth(pictures.items[Meat]), 32);
    // a 24-bit file comes back in its own colours, the mask colour included
    EXPECT_EQ(pixelAt(pictures.items[Meat], 5, 5), itemColours[Meat]);
    EXPECT_EQ(pixelAt(pictures.items[Meat], 0, 0), maskColour);
    for (BITMAP* save : pictures.itemSaves) {
        ASSERT_NE(save, nullptr);
        EXPECT_EQ(save->w, 40);
    }
    releaseGamePictures(pictures);
    EXPECT_EQ(pictures.sceneBuffer, nullptr);
    EXPECT_EQ(pictures.items[SaunaWhisk], nullptr);
}

// each refusal names the file (and the sizes) that caused it
TEST_F(PictureFilesTest, RefusesPicturesItCannotUse) {
    struct Case {
        const char* file;
        int width;
        int height;
        std::vector<std::string> named;
    };
    const Case cases[] = {
        {"vihta.pcx", 40, 38, {"ruisleipa.pcx is 40x40", "vihta.pcx is 40x38"}},
        {"kinkku.pcx", 41, 40, {"ruisleipa.pcx is 40x40", "kinkku.pcx is 41x40"}},
        {"sivupalkki2.pcx", 600, 480, {"ruisleipa.pcx (40x40)", "sivupalkki2.pcx (600x480)"}},
        {"sivupalkki2.pcx", 601, 480, {"sivupalkki2.pcx (601x480)"}},
    };
    for (const Case& c : cases) {
        saveTestPictureFiles(folder.path);
        replacePicture(c.file, c.width, c.height);
        const std::string problem = loadProblem();
        for (const std::string& part : c.named) {
            EXPECT_NE(problem.find(part), std::string::npos) << c.file << ": " << problem;
        }
    }
    // one column to spawn in is enough
    saveTestPictureFiles(folder.path);
    replacePicture("sivupalkki2.pcx", 599, 480);
    EXPECT_EQ(loadProblem(), "");
}

TEST_F(PictureFilesTest, NamesAMissingOrUnreadablePicture) {
    const char* const files[] = {"paksa.pcx",     "laude.pcx",  "sivupalkki2.pcx", "ukko.pcx",
                                 "ruisleipa.pcx", "kinkku.pcx", "viina.pcx",       "vihta.pcx"};
    for (const char* file : files) {
        saveTestPictureFiles(folder.path);
        std::filesystem::remove(folder.path + file);
        EXPECT_EQ(loadProblem(), "cannot load the picture " + folder.path + file);
        std::ofstream(folder.path + file) << "not a picture";
        EXPECT_EQ(loadProblem(), "cannot load the picture " + folder.path + file);
    }
}

// fifty games in a row, each loading its pictures from files and releasing them at its
// end, leave the process's memory where it was after the first few
TEST_F(PictureFilesTest, FiftyGamesKeepMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds freed memory back; its leak check covers this";
#endif
    saveTestPictureFiles(folder.path);
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    BITMAP* screenBitmap = create_bitmap_ex(32, 640, 480);
    long residentAfterWarmUp = 0;
    for (int game = 0; game < 50; ++game) {
        GamePictures pictures;
        ASSERT_EQ(loadGamePictures(folder.path, 640, 480, pictures), std::nullopt);
        int frames = 0;
        GameHooks hooks;
        hooks.screen = screenBitmap;
        hooks.readArrows = [] { return FrameInput{false, true}; };
        hooks.quitWanted = [&] { return ++frames > 200; };
        hooks.waitForFrame = [] {};
        hooks.random = seededRandom(static_cast<uint32_t>(game));
        runGame(pictures, hooks);
        releaseGamePictures(pictures);
        if (game == 4) {
            residentAfterWarmUp = residentKb();
        }
    }
    const long growthKb = residentKb() - residentAfterWarmUp;
    // one game's pictures and bitmaps come to over 3 MB; 45 leaked games would be far above
    EXPECT_LT(growthKb, 1024) << "resident memory grew by " << growthKb << " kB";
    destroy_bitmap(screenBitmap);
    std::filesystem::current_path(previousFolder);
}

} // namespace
