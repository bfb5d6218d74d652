// The scene on memory bitmaps: after every frame the scene buffer holds the static scene and
// the HUD and nothing else, while the screen shows the items and the man where they are.
#include "game/game_loop.h"
#include "game/scene_draw.h"
#include "scene_test_support.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class SceneTest : public ::testing::Test {
  protected:
    void SetUp() override {
        startAllegroWithoutDisplay();
        makeTestPictures(pictures);
        screenBitmap = create_bitmap_ex(32, 640, 480);
        expected = create_bitmap_ex(32, 640, 480);
        composeStaticScene(pictures.sceneBuffer, pictures);
        staticScene = copyOf(pictures.sceneBuffer);
        sizes = pictureSizesOf(pictures, 640);
        state = newGameState(sizes, random);
    }

    void TearDown() override {
        releaseGamePictures(pictures);
        destroy_bitmap(screenBitmap);
        destroy_bitmap(expected);
        destroy_bitmap(staticScene);
    }

    // plays one frame with these keys; false when the game ended by heat
    bool frame(FrameInput input) {
        return playFrame(state, input, sizes, random, pictures, screenBitmap, [] {}) ==
               FrameOutcome::Continue;
    }

    // the scene buffer holds the static scene and this frame's HUD, nothing else
    ::testing::AssertionResult sceneIsClean() {
        drawExpectedScene(expected, staticScene, state, 653 - sizes.sideBarWidth);
        if (sameBitmap(pictures.sceneBuffer, expected)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << differingPixels(pictures.sceneBuffer, expected) << " pixels left behind";
    }

    GamePictures pictures;
    BITMAP* screenBitmap = nullptr;
    BITMAP* expected = nullptr;
    BITMAP* staticScene = nullptr;
    PictureSizes sizes{};
    RandomSource random = seededRandom(7);
    GameState state{};
};

TEST_F(SceneTest, StaticSceneIsBackgroundBenchAndSideBarInThatOrder) {
    BITMAP* scene = pictures.sceneBuffer;
    const int sideBarLeft = 640 - pictures.sideBar->w;
    const int benchTop = 480 - pictures.bench->h;
    EXPECT_EQ(pixelAt(scene, 10, 10), pixelAt(pictures.background, 10, 10));
    EXPECT_EQ(pixelAt(scene, 10, benchTop), pixelAt(pictures.bench, 10, 0));
    EXPECT_EQ(pixelAt(scene, 10, benchTop - 1), pixelAt(pictures.background, 10, benchTop - 1));
    // the side bar covers the bench where they meet
    EXPECT_EQ(pixelAt(scene, sideBarLeft, 479), pixelAt(pictures.sideBar, 0, 479));
    EXPECT_EQ(pixelAt(scene, sideBarLeft - 1, 479),
              pixelAt(pictures.bench, sideBarLeft - 1, pictures.bench->h - 1));
}

// a long scripted game: the arrows in phases, the man catching what falls on him, items
// overlapping once the spawn gaps have shrunk; every frame must leave the scene clean
TEST_F(SceneTest, EveryFrameLeavesOnlyTheStaticSceneAndTheHud) {
    int games = 1;
    int framesWithOverlap = 0;
    for (int frameNumber = 0; frameNumber < 12000; ++frameNumber) {
        const int phase = frameNumber / 97 % 5;
        const FrameInput input{phase == 1 || phase == 3 || phase == 4, phase == 0 || phase == 3};
        if (!frame(input)) {
            state = newGameState(sizes, random);
            ++games;
            continue;
        }
        ASSERT_TRUE(sceneIsClean()) << "after frame " << frameNumber;
        for (int a = 0; a < itemSlotCount; ++a) {
            for (int b = a + 1; b < itemSlotCount; ++b) {
                const FallingItem& first = state.items[a];
                const FallingItem& second = state.items[b];
                if (first.falling && second.falling &&
                    std::abs(static_cast<int>(first.x) - static_cast<int>(second.x)) < 40 &&
                    std::abs(first.y - second.y) < 40) {
                    ++framesWithOverlap;
                }
            }
        }
    }
    // the script is worth its frames only when it met the cases it is meant for
    EXPECT_GT(framesWithOverlap, 0);
    EXPECT_GT(games, 1);
}

// two items whose rectangles overlap fall together: both show, and both vanish cleanly
TEST_F(SceneTest, OverlappingItemsBothShowAndLeaveNoTrace) {
    state.spawnDelay = 1000000;
    state.playerX = 10.0f;
    state.items[0] = FallingItem{100, 50.0f, 1.0f, true, true};
    state.items[1] = FallingItem{120, 61.5f, 2.0f, true, true};
    state.drawKind[0] = Meat;
    state.drawKind[1] = Booze;
    int framesShown = 0;
    while (state.items[0].falling || state.items[1].falling) {
        ASSERT_TRUE(frame({false, false}));
        ASSERT_TRUE(sceneIsClean()) << "after frame " << framesShown;
        const FallingItem& first = state.items[0];
        const FallingItem& second = state.items[1];
        if (first.falling && second.falling) {
            const int firstRow = static_cast<int>(first.y);
            const int secondRow = static_cast<int>(second.y);
            // the later slot is drawn over the earlier one where they meet
            EXPECT_EQ(pixelAt(screenBitmap, 105, firstRow + 5), itemColours[Meat]);
            EXPECT_EQ(pixelAt(screenBitmap, 125, secondRow + 5), itemColours[Booze]);
            EXPECT_EQ(pixelAt(screenBitmap, 125, firstRow + 38), itemColours[Booze]);
        }
        ++framesShown;
    }
    EXPECT_GT(framesShown, 100);
}

// the first spawn comes in the 150th frame, falls in that frame and shows at row 2; each
// later frame shows it at (x, trunc(y)) with its drawKind's picture
TEST_F(SceneTest, ItemIsDrawnAtItsTruncatedRowFromRowTwo) {
    int frameNumber = 0;
    while (!state.items[0].falling) {
        ASSERT_TRUE(frame({false, false}));
        ++frameNumber;
    }
    EXPECT_EQ(frameNumber, 150);
    for (int fallFrame = 0; fallFrame < 60; ++fallFrame) {
        if (fallFrame > 0) {
            ASSERT_TRUE(frame({false, false}));
        }
        const FallingItem& item = state.items[0];
        const int x = static_cast<int>(item.x);
        const int row = static_cast<int>(item.y);
        if (fallFrame == 0) {
            EXPECT_EQ(row, 2);
        }
        const uint32_t colour = itemColours[state.drawKind[0]];
        // the picture's inside starts one pixel in, behind its masked border
        EXPECT_EQ(pixelAt(screenBitmap, x + 1, row + 1), colour) << "fall frame " << fallFrame;
        EXPECT_NE(pixelAt(screenBitmap, x + 1, row), colour) << "fall frame " << fallFrame;
        EXPECT_NE(pixelAt(screenBitmap, x, row + 1), colour) << "fall frame " << fallFrame;
        ASSERT_TRUE(sceneIsClean());
    }
}

// the picture comes from drawKind alone, and only falling slots are drawn
TEST_F(SceneTest, DrawKindPicksThePictureAndOnlyFallingSlotsAreDrawn) {
    struct Case {
        int drawKind;
        bool falling;
        bool drawn;
    };
    const Case cases[] = {{RyeBread, true, true},   {Meat, true, true},    {Booze, true, true},
                          {SaunaWhisk, true, true}, {NoItem, true, false}, {-1, true, false},
                          {Meat, false, false}};
    for (const Case& c : cases) {
        GameState drawn = state;
        drawn.items[3] = FallingItem{200, 120.7f, 0.0f, c.falling, true};
        drawn.drawKind[3] = c.drawKind;
        BITMAP* scene = copyOf(staticScene);
        drawItems(scene, drawn, pictures);
        const uint32_t expectedPixel =
            c.drawn ? itemColours[c.drawKind] : pixelAt(staticScene, 210, 130);
        EXPECT_EQ(pixelAt(scene, 210, 130), expectedPixel) << "drawKind " << c.drawKind;
        EXPECT_EQ(differingPixels(scene, staticScene), c.drawn ? 38 * 38 : 0);
        destroy_bitmap(scene);
    }
}

// held Left from the start leaves the man at column -1, clipped; held Right takes him
// into the side bar; both are put back without a trace
TEST_F(SceneTest, ManAtBothEndsIsClippedAndRestored) {
    for (int frameNumber = 0; frameNumber < 200; ++frameNumber) {
        ASSERT_TRUE(frame({true, false}));
        ASSERT_TRUE(sceneIsClean()) << "after frame " << frameNumber;
    }
    ASSERT_EQ(manColumn(state), -1);
    // the screen's first column shows the man's second one
    for (int row = 0; row < pictures.man->h; ++row) {
        const uint32_t man = manPixel(1, row);
        if (man != maskColour) {
            EXPECT_EQ(pixelAt(screenBitmap, 0, manRow + row), man) << "row " << row;
        }
    }

    int furthest = 0;
    for (int frameNumber = 0; frameNumber < 300; ++frameNumber) {
        ASSERT_TRUE(frame({false, true}));
        ASSERT_TRUE(sceneIsClean()) << "after frame " << frameNumber;
        furthest = std::max(furthest, manColumn(state));
    }
    const int sideBarLeft = 640 - pictures.sideBar->w;
    EXPECT_GT(furthest + pictures.man->w, sideBarLeft);
    const int rightEdge = manColumn(state) + pictures.man->w - 1;
    EXPECT_EQ(pixelAt(screenBitmap, rightEdge, manRow + 1), manPixel(pictures.man->w - 1, 1));
}

// the value lines: a minus sign shows, and a shorter value leaves no character behind
TEST_F(SceneTest, HudValuesNeverLeaveStaleCharacters) {
    struct Values {
        int32_t score;
        int32_t heat;
        ItemKind wanted;
    };
    const Values sequence[] = {
        {0, 60, SaunaWhisk}, {-13, 60, RyeBread}, {-2147483647 - 1, 64, Meat}, {17, 128, Booze},
        {9, 99, RyeBread},   {0, 120, Meat},      {2147483647, 5, SaunaWhisk}};
    BITMAP* scene = pictures.sceneBuffer;
    for (const Values& values : sequence) {
        state.score = values.score;
        state.heat = values.heat;
        state.wantedKind = values.wanted;
        drawHud(scene, state, pictures);
        EXPECT_TRUE(sceneIsClean()) << "score " << values.score << ", heat " << values.heat;
    }
}

TEST_F(SceneTest, HudIsYellowAtItsColumnWithTheMinusSign) {
    state.score = -13;
    drawHud(pictures.sceneBuffer, state, pictures);
    const int x = 653 - pictures.sideBar->w;
    // the ninth cell of "pisteet=-13" holds the minus sign, yellow on its cell's black
    BITMAP* minus = create_bitmap_ex(32, 8, 8);
    textout_ex(minus, font, "-", 0, 0, 0xFFFF00, 0);
    int yellowPixels = 0;
    for (int dy = 0; dy < 8; ++dy) {
        for (int dx = 0; dx < 8; ++dx) {
            const uint32_t shown = pixelAt(pictures.sceneBuffer, x + 64 + dx, 280 + dy);
            EXPECT_EQ(shown, pixelAt(minus, dx, dy));
            yellowPixels += shown == 0xFFFF00;
        }
    }
    destroy_bitmap(minus);
    EXPECT_GT(yellowPixels, 0);
    EXPECT_EQ(pixelAt(pictures.sceneBuffer, x - 1, 280), pixelAt(staticScene, x - 1, 280));
}

} // namespace
