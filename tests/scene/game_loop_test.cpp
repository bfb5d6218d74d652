// Whole games through the loop, on memory bitmaps with scripted keys and no waiting.
#include "bestscore/best_score.h"
#include "game/game_loop.h"
#include "scene_test_support.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class GameLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroWithoutDisplay();
        // the best-score file is written in the working folder
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(folder.path);
        makeTestPictures(pictures);
        screenBitmap = create_bitmap_ex(32, 640, 480);
        clear_to_color(screenBitmap, 0x123456);
        hooks.screen = screenBitmap;
        hooks.readArrows = [] { return FrameInput{false, false}; };
        hooks.quitWanted = [] { return false; };
        hooks.waitForFrame = [this] { ++waits; };
        hooks.random = seededRandom(11);
    }

    void TearDown() override {
        releaseGamePictures(pictures);
        destroy_bitmap(screenBitmap);
        std::filesystem::current_path(previousFolder);
    }

    TempFolder folder;
    std::filesystem::path previousFolder;
    GamePictures pictures;
    BITMAP* screenBitmap = nullptr;
    GameHooks hooks;
    int waits = 0;
};

// Esc held as the game starts: the scene is composed, nothing is shown, the screen keeps
// what it had, the scene buffer ends cleared and a score of 0 writes no best score
TEST_F(GameLoopTest, EscHeldAtTheStartShowsNothing) {
    BITMAP* sceneAtEsc = create_bitmap_ex(32, 640, 480);
    hooks.quitWanted = [&] {
        blit(pictures.sceneBuffer, sceneAtEsc, 0, 0, 0, 0, 640, 480);
        return true;
    };
    const GameEnd end = runGame(pictures, hooks);
    EXPECT_EQ(end.framesShown, 0);
    EXPECT_FALSE(end.byHeat);
    EXPECT_EQ(waits, 0);

    BITMAP* untouched = create_bitmap_ex(32, 640, 480);
    clear_to_color(untouched, 0x123456);
    EXPECT_TRUE(sameBitmap(screenBitmap, untouched));
    clear_bitmap(untouched);
    EXPECT_TRUE(sameBitmap(pictures.sceneBuffer, untouched));

    EXPECT_EQ(pixelAt(sceneAtEsc, 5, 5), pixelAt(pictures.background, 5, 5));
    EXPECT_EQ(pixelAt(sceneAtEsc, 639, 5), pixelAt(pictures.sideBar, pictures.sideBar->w - 1, 5));
    EXPECT_EQ(pixelAt(sceneAtEsc, 5, 479), pixelAt(pictures.bench, 5, pictures.bench->h - 1));
    EXPECT_FALSE(std::filesystem::exists("lista.dat"));
    destroy_bitmap(untouched);
    destroy_bitmap(sceneAtEsc);
}

// Esc during a game: the frame in progress is shown, then the game ends
TEST_F(GameLoopTest, EscDuringTheGameEndsItAfterTheFrameInProgress) {
    int checks = 0;
    hooks.quitWanted = [&] { return ++checks > 40; };
    const GameEnd end = runGame(pictures, hooks);
    EXPECT_EQ(end.framesShown, 40);
    EXPECT_EQ(waits, 40);
    EXPECT_FALSE(end.byHeat);
    // the last frame is on the screen: the HUD and the man at his column
    EXPECT_EQ(pixelAt(screenBitmap, 321, manRow + 1), manPixel(1, 1));
}

// a game the man plays by walking to and fro until the sauna is too hot: the last frame
// on the screen shows the final heat, and a better score lands in the best-score file
TEST_F(GameLoopTest, GameEndsByHeatShowingTheFinalValues) {
    int frames = 0;
    hooks.readArrows = [&] {
        const bool right = ++frames / 180 % 2 == 0;
        return FrameInput{!right, right};
    };
    // a guard against a game that would never end
    hooks.quitWanted = [&] { return frames > 200000; };
    writeBestScore(-5);
    const GameEnd end = runGame(pictures, hooks);
    ASSERT_TRUE(end.byHeat);
    EXPECT_GE(end.state.heat, 120);
    EXPECT_EQ(waits, end.framesShown);
    EXPECT_EQ(readBestScore(), std::max(end.state.score, -5));

    BITMAP* expected = create_bitmap_ex(32, 640, 480);
    BITMAP* staticScene = create_bitmap_ex(32, 640, 480);
    composeByHand(staticScene, pictures);
    drawExpectedScene(expected, staticScene, end.state, 653 - pictures.sideBar->w);
    // only the side bar's HUD rows are compared: the items and the man are on the screen too
    for (int y = 280; y < 338; ++y) {
        for (int x = 653 - pictures.sideBar->w; x < 640; ++x) {
            ASSERT_EQ(pixelAt(screenBitmap, x, y), pixelAt(expected, x, y)) << x << "," << y;
        }
    }
    destroy_bitmap(expected);
    destroy_bitmap(staticScene);
}

} // namespace
