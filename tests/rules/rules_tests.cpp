#include "rules_test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// --- the start of a game ---

TEST(NewGame, StartsWithItsFixedValuesAndEverySlotAtRest) {
    for (const PictureSizes& sizes : {realSizes, oddSizes}) {
        ScriptedGame game(sizes, 0);
        const GameState& s = game.state;
        EXPECT_EQ(s.score, 0);
        EXPECT_EQ(s.heat, 60);
        EXPECT_EQ(s.playerX, 320.0f);
        EXPECT_EQ(s.fallSpeed, 2.2f);
        EXPECT_EQ(s.spawnGapMin, 45);
        EXPECT_EQ(s.spawnGapMax, 180);
        EXPECT_EQ(s.spawnDelay, 150);
        EXPECT_EQ(s.framesSinceSpawn, 0);
        EXPECT_EQ(s.rampCounter, 0);
        for (int slot = 0; slot < itemSlotCount; ++slot) {
            EXPECT_TRUE(isAtRest(s.items[slot], sizes)) << "slot " << slot;
            EXPECT_EQ(s.items[slot].kind, 5.0f) << "slot " << slot;
            EXPECT_EQ(s.drawKind[slot], NoItem) << "slot " << slot;
        }
    }
}

TEST(NewGame, DrawsTheWantedKindOnceModuloFour) {
    const std::vector<std::pair<int, ItemKind>> table{
        {0, RyeBread}, {1, Meat}, {2, Booze}, {3, SaunaWhisk}, {4, RyeBread}, {32767, SaunaWhisk}};
    for (const auto& [draw, wanted] : table) {
        ScriptedRandom dice;
        dice.script = {draw};
        RandomSource random = sourceOf(dice);
        const GameState state = newGameState(realSizes, random);
        EXPECT_EQ(state.wantedKind, wanted) << "draw " << draw;
        EXPECT_EQ(dice.draws, 1);
    }
}

// --- spawning ---

TEST(Spawn, FirstItemComesInFrame150InSlotZeroAndFallsThatFrame) {
    ScriptedGame game;
    game.frames(149);
    EXPECT_EQ(game.dice.draws, 0);
    EXPECT_EQ(game.state.framesSinceSpawn, 149);
    for (const FallingItem& item : game.state.items) {
        EXPECT_TRUE(isAtRest(item, game.sizes));
    }

    game.script({1000, 200, 6}); // column, delay, kind
    game.frames(1);
    const FallingItem& item = game.state.items[0];
    EXPECT_TRUE(item.falling);
    EXPECT_TRUE(item.kindChosen);
    EXPECT_EQ(item.x, 1000u % 420u);
    EXPECT_EQ(item.y, 0.0f + 2.2f);
    EXPECT_EQ(static_cast<int>(item.y), 2);
    EXPECT_EQ(item.kind, 2.0f);
    EXPECT_EQ(game.state.drawKind[0], Booze);
    EXPECT_EQ(game.state.framesSinceSpawn, 0);
    EXPECT_EQ(game.state.spawnDelay, 45 + 200 % 135);
    EXPECT_EQ(game.dice.draws, 3);
    for (int slot = 1; slot < itemSlotCount; ++slot) {
        EXPECT_TRUE(isAtRest(game.state.items[slot], game.sizes)) << "slot " << slot;
    }
}

struct SpawnDrawCase {
    const char* name;
    PictureSizes sizes;
    int columnDraw;
    int delayDraw;
    uint32_t expectedX;
    int expectedDelay;
};

class SpawnDraws : public ::testing::TestWithParam<SpawnDrawCase> {};

// columns run from 0 to screen width - item width - side bar width - 1, delays from gapMin
TEST_P(SpawnDraws, ColumnAndDelayComeFromTheirDrawsInThatOrder) {
    const SpawnDrawCase& c = GetParam();
    ScriptedGame game(c.sizes);
    game.state.framesSinceSpawn = 149;
    game.script({c.columnDraw, c.delayDraw, 0});
    game.frames(1);
    const FallingItem& item = game.state.items[0];
    EXPECT_EQ(item.x, c.expectedX);
    EXPECT_LT(item.x + c.sizes.itemWidth, uint32_t(c.sizes.screenWidth - c.sizes.sideBarWidth));
    EXPECT_EQ(game.state.spawnDelay, c.expectedDelay);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SpawnDraws,
    ::testing::Values(SpawnDrawCase{"LowestColumnShortestDelay", realSizes, 0, 0, 0, 45},
                      SpawnDrawCase{"LastColumnLongestDelay", realSizes, 419, 134, 419, 179},
                      SpawnDrawCase{"ColumnWrapsAtSpawnWidth", realSizes, 420, 135, 0, 45},
                      SpawnDrawCase{"LargestDraw", realSizes, 32767, 32767, 7, 45 + 32767 % 135},
                      SpawnDrawCase{"OddSizesLastColumn", oddSizes, 616, 1, 616, 46},
                      SpawnDrawCase{"OddSizesLargestDraw", oddSizes, 32767, 0, 32767 % 617, 45}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Spawn, WaitsWhileAllSixteenSlotsFallAndTakesTheFirstSlotFreed) {
    ScriptedGame game;
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        placeFalling(game.state, slot, 0, 0.0f, RyeBread);
    }
    game.state.spawnDelay = 5;
    game.frames(10);
    EXPECT_EQ(game.dice.draws, 0);
    EXPECT_EQ(game.state.framesSinceSpawn, 10);

    // slot 3 crosses the miss line in this frame; the spawn came before it, so nothing spawns
    game.state.items[3].y = 409.0f;
    game.state.items[9].y = 409.0f;
    game.state.spawnGapMin = 10;
    game.state.spawnGapMax = 40;
    game.frames(1);
    EXPECT_TRUE(isAtRest(game.state.items[3], game.sizes));
    EXPECT_TRUE(isAtRest(game.state.items[9], game.sizes));
    EXPECT_EQ(game.state.framesSinceSpawn, 11);
    EXPECT_EQ(game.dice.draws, 0);

    // the next frame spawns into the lowest free slot, with a delay from the gaps of now
    game.script({77, 31, 1});
    game.frames(1);
    EXPECT_TRUE(game.state.items[3].falling);
    EXPECT_EQ(game.state.items[3].x, 77u);
    EXPECT_EQ(game.state.items[3].y, 2.2f);
    EXPECT_TRUE(isAtRest(game.state.items[9], game.sizes));
    EXPECT_EQ(game.state.framesSinceSpawn, 0);
    EXPECT_EQ(game.state.spawnDelay, 10 + 31 % 30);
    EXPECT_EQ(game.state.drawKind[3], Meat);
    EXPECT_EQ(game.dice.draws, 3);
}

// --- the man ---

struct ManCase {
    const char* name;
    PictureSizes sizes;
    float startX;
    FrameInput input;
    int frames;
    int expectedMoves;
    double expectedX;
};

class ManMoves : public ::testing::TestWithParam<ManCase> {};

TEST_P(ManMoves, StepsOfTwoPointTwoUntilTheLimitTestedBeforeEachStep) {
    const ManCase& c = GetParam();
    ScriptedGame game(c.sizes);
    game.state.playerX = c.startX;
    int moves = 0;
    for (int i = 0; i < c.frames; ++i) {
        const float before = game.state.playerX;
        game.frames(1, c.input);
        moves += game.state.playerX != before;
    }
    if (c.expectedMoves >= 0) {
        EXPECT_EQ(moves, c.expectedMoves);
    }
    EXPECT_NEAR(game.state.playerX, c.expectedX, 5e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ManMoves,
    ::testing::Values(
        // 146 steps left: the last starts at about 1.0 and leaves the man at about -1.2
        ManCase{"LeftFromTheStart", realSizes, 320.0f, leftKey, 149, 146, -1.2},
        // limit 640 - 60 - 180 = 400: he stops at the first position at or past it
        ManCase{"RightFromTheStart", realSizes, 320.0f, rightKey, 149, 37, 401.4},
        // limit 640 - 57 - 150 = 433: the screen's width of 800 does not move it
        ManCase{"RightWithOddSizes", oddSizes, 320.0f, rightKey, 149, 52, 434.4},
        ManCase{"NoKeysStays", realSizes, 320.0f, noKeys, 149, 0, 320.0},
        // both keys: right, then left, each under its own test (-1: moves not counted)
        ManCase{"BothKeysInTheMiddle", realSizes, 320.0f, bothKeys, 149, 0, 320.0},
        // at 0 the right step comes first, so the left step then finds him above 0 and undoes it
        ManCase{"BothKeysAtTheLeftEdge", realSizes, 0.0f, bothKeys, 1, -1, 0.0},
        ManCase{"BothKeysBelowZero", realSizes, -1.2f, bothKeys, 1, -1, -1.2},
        // past the right limit only the left step applies
        ManCase{"BothKeysPastTheRightLimit", realSizes, 400.5f, bothKeys, 1, 1, 398.3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Man, LeftEndStaysJustBelowZeroAndTruncatesToMinusOne) {
    ScriptedGame game;
    game.frames(146, leftKey);
    const float leftEnd = game.state.playerX;
    EXPECT_LT(leftEnd, 0.0f);
    EXPECT_GT(leftEnd, -2.2f);
    EXPECT_EQ(static_cast<int>(leftEnd), -1);
    // each step widened to double: float steps of 2.2f would end at -1.20010448 instead
    EXPECT_EQ(leftEnd, -0x1.333a0ap+0f); // -1.20010436
    game.frames(3, leftKey);
    EXPECT_EQ(game.state.playerX, leftEnd);
}

TEST(Man, StepIsTakenInDoubleAndStoredAsFloat) {
    ScriptedGame game;
    game.frames(1, rightKey);
    EXPECT_EQ(game.state.playerX, static_cast<float>(320.0 + 2.2));
    game.frames(1, leftKey);
    EXPECT_EQ(game.state.playerX, static_cast<float>(static_cast<float>(320.0 + 2.2) - 2.2));
}

// --- the difficulty ramp ---

struct DifficultyRow {
    float fallSpeed;
    int spawnGapMax;
    int spawnGapMin;
};

// the values after 0, 1, 2, ... steps; the float speeds as 32-bit floats hold them
const DifficultyRow difficultyTable[] = {
    {2.2000000477f, 180, 45}, {2.5f, 160, 40},          {2.7999999523f, 140, 35},
    {3.0999999046f, 120, 30}, {3.0999999046f, 100, 25}, {3.0999999046f, 80, 20},
    {3.0999999046f, 60, 15},  {3.0999999046f, 40, 10},  {3.0999999046f, 40, 5},
    {3.0999999046f, 40, 0},   {3.0999999046f, 40, 0},   {3.0999999046f, 40, 0},
};

TEST(Difficulty, StepsEverySevenHundredFramesWithTheValuesOfTheTable) {
    // every draw 0: items spawn in column 0, away from the man, so nothing is caught
    ScriptedGame game;
    game.dice.fallback = 0;
    const int steps = static_cast<int>(std::size(difficultyTable)) - 1;
    for (int step = 1; step <= steps; ++step) {
        game.frames(699);
        const DifficultyRow& before = difficultyTable[step - 1];
        ASSERT_EQ(game.state.rampCounter, 699) << "step " << step;
        EXPECT_EQ(game.state.fallSpeed, before.fallSpeed) << "step " << step;
        EXPECT_EQ(game.state.spawnGapMax, before.spawnGapMax) << "step " << step;
        EXPECT_EQ(game.state.spawnGapMin, before.spawnGapMin) << "step " << step;

        game.frames(1);
        const DifficultyRow& after = difficultyTable[step];
        EXPECT_EQ(game.state.rampCounter, 0) << "step " << step;
        EXPECT_EQ(game.state.fallSpeed, after.fallSpeed) << "step " << step;
        EXPECT_EQ(game.state.spawnGapMax, after.spawnGapMax) << "step " << step;
        EXPECT_EQ(game.state.spawnGapMin, after.spawnGapMin) << "step " << step;
    }
    EXPECT_EQ(game.state.score, 0);
    EXPECT_EQ(game.state.heat, 60);
}

TEST(Difficulty, StepLeavesTheDelayAlreadyDrawn) {
    ScriptedGame game;
    game.state.rampCounter = 699;
    game.state.spawnDelay = 170;
    game.frames(1);
    EXPECT_EQ(game.state.spawnGapMax, 160);
    EXPECT_EQ(game.state.spawnDelay, 170);
}

// --- catches and misses ---

struct CatchCase {
    const char* name;
    int scoreBefore;
    ItemKind caughtKind;
    int scoreAfter;
    int heatRises;
    int rampChange;
};

class CatchScoring : public ::testing::TestWithParam<CatchCase> {};

// the wanted kind is Meat; rises draw 3 and 4 (heat +8 and +9), then the new wanted kind draws 5
TEST_P(CatchScoring, ScoresMovesHeatAndRampAndDrawsANewWantedKind) {
    const CatchCase& c = GetParam();
    ScriptedGame game(realSizes, Meat);
    game.state.score = c.scoreBefore;
    game.state.rampCounter = 100;
    placeFalling(game.state, 4, 320, 350.0f, c.caughtKind);
    for (int rise = 0; rise < c.heatRises; ++rise) {
        game.script({3 + rise});
    }
    game.script({5});

    game.frames(1);
    const int heatGained = c.heatRises == 0 ? 0 : c.heatRises == 1 ? 8 : 8 + 9;
    EXPECT_EQ(game.state.score, c.scoreAfter);
    EXPECT_EQ(game.state.heat, 60 + heatGained);
    EXPECT_EQ(game.state.rampCounter, 101 + c.rampChange);
    EXPECT_EQ(game.state.wantedKind, Booze);
    EXPECT_EQ(game.dice.draws, c.heatRises + 1);
    EXPECT_TRUE(isAtRest(game.state.items[4], game.sizes));
    // a catch leaves the slot's drawKind; the slot, at rest, is not drawn
    EXPECT_EQ(game.state.drawKind[4], c.caughtKind);
}

INSTANTIATE_TEST_SUITE_P(Table, CatchScoring,
                         ::testing::Values(CatchCase{"WrongAbove20", 45, Booze, 25, 1, -20},
                                           CatchCase{"WrongAtExactly20", 20, RyeBread, 0, 2, -20},
                                           CatchCase{"WrongBelow20", 7, SaunaWhisk, -13, 1, -20},
                                           CatchCase{"WrongAtZero", 0, Booze, 0, 1, 0},
                                           CatchCase{"WrongWhenNegative", -13, Booze, -13, 0, 0},
                                           CatchCase{"RightAtZero", 0, Meat, 30, 0, 30},
                                           CatchCase{"RightWhenNegative", -13, Meat, 17, 0, 30},
                                           CatchCase{"RightAtAPositiveScore", 45, Meat, 75, 0, 30}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Catch, WantedKindAfterACatchIsNeverTheSaunaWhisk) {
    const std::vector<std::pair<int, ItemKind>> table{{0, RyeBread}, {1, Meat}, {2, Booze},
                                                      {3, RyeBread}, {7, Meat}, {32767, Meat}};
    for (const auto& [draw, wanted] : table) {
        ScriptedGame game(realSizes, SaunaWhisk);
        placeFalling(game.state, 0, 320, 350.0f, SaunaWhisk);
        game.script({draw});
        game.frames(1);
        EXPECT_EQ(game.state.score, 30);
        EXPECT_EQ(game.state.wantedKind, wanted) << "draw " << draw;
    }
}

struct TwoCatchCase {
    const char* name;
    ItemKind secondKind;
    int scoreAfter;
    int heatAfter;
};

class TwoCatches : public ::testing::TestWithParam<TwoCatchCase> {};

// slot 2 is right for Meat and draws Booze as the next wish; slot 9 is judged against Booze
TEST_P(TwoCatches, SecondIsJudgedAgainstTheWantedKindDrawnAfterTheFirst) {
    const TwoCatchCase& c = GetParam();
    ScriptedGame game(realSizes, Meat);
    placeFalling(game.state, 2, 300, 360.0f, Meat);
    placeFalling(game.state, 9, 340, 352.0f, c.secondKind);
    game.script({2}); // Booze wanted after the first catch
    if (c.secondKind != Booze) {
        game.script({1}); // one heat rise of 6
    }
    game.script({0}); // RyeBread wanted after the second
    game.frames(1);
    EXPECT_EQ(game.state.score, c.scoreAfter);
    EXPECT_EQ(game.state.heat, c.heatAfter);
    EXPECT_EQ(game.state.wantedKind, RyeBread);
    EXPECT_TRUE(isAtRest(game.state.items[2], game.sizes));
    EXPECT_TRUE(isAtRest(game.state.items[9], game.sizes));
    EXPECT_TRUE(game.dice.script.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, TwoCatches,
                         ::testing::Values(TwoCatchCase{"BothRight", Booze, 60, 60},
                                           TwoCatchCase{"SecondWrongAfterFirst", Meat, 10, 66}),
                         [](const auto& info) { return std::string(info.param.name); });

struct LineCase {
    const char* name;
    PictureSizes sizes;
    float playerX;
    uint32_t x;
    float y;
    bool caught;
    bool missed;
};

class CatchAndMissLines : public ::testing::TestWithParam<LineCase> {};

// with no fall speed the item is judged where it is put
TEST_P(CatchAndMissLines, StrictColumnsAndNonStrictRows) {
    const LineCase& c = GetParam();
    ScriptedGame game(c.sizes, Meat);
    game.state.fallSpeed = 0.0f;
    game.state.playerX = c.playerX;
    placeFalling(game.state, 0, c.x, c.y, Meat);
    if (c.caught) {
        game.script({0});
    }
    game.frames(1);
    EXPECT_EQ(game.state.score, c.caught ? 30 : 0);
    EXPECT_EQ(game.state.items[0].falling, !c.caught && !c.missed);
    EXPECT_EQ(game.state.drawKind[0], c.missed ? NoItem : Meat);
    EXPECT_TRUE(game.dice.script.empty());
}

// real sizes: catch from y 348 up to, not including, 410; x strictly between playerX-40 and +60
INSTANTIATE_TEST_SUITE_P(
    Table, CatchAndMissLines,
    ::testing::Values(
        LineCase{"OnTheCatchLine", realSizes, 320.0f, 320, 348.0f, true, false},
        LineCase{"JustAboveTheCatchLine", realSizes, 320.0f, 320, std::nextafter(348.0f, 0.0f),
                 false, false},
        LineCase{"JustAboveTheMissLine", realSizes, 320.0f, 320, std::nextafter(410.0f, 0.0f), true,
                 false},
        LineCase{"OnTheMissLineUnderTheMan", realSizes, 320.0f, 320, 410.0f, false, true},
        LineCase{"MissedAwayFromTheMan", realSizes, 320.0f, 0, 430.0f, false, true},
        LineCase{"LeftEdgeTouching", realSizes, 320.0f, 280, 360.0f, false, false},
        LineCase{"LeftEdgeOverlapping", realSizes, 320.0f, 281, 360.0f, true, false},
        LineCase{"RightEdgeTouching", realSizes, 320.0f, 380, 360.0f, false, false},
        LineCase{"RightEdgeOverlapping", realSizes, 320.0f, 379, 360.0f, true, false},
        LineCase{"FractionalManLeft", realSizes, 320.5f, 281, 360.0f, true, false},
        LineCase{"FractionalManRight", realSizes, 320.5f, 380, 360.0f, true, false},
        LineCase{"FractionalManOut", realSizes, 320.5f, 381, 360.0f, false, false},
        LineCase{"ManBelowZero", realSizes, -1.2f, 0, 360.0f, true, false},
        // odd sizes: item 33x57, man 57: catch from 331, miss at 393
        LineCase{"OddOnTheCatchLine", oddSizes, 100.0f, 68, 331.0f, true, false},
        LineCase{"OddAboveTheCatchLine", oddSizes, 100.0f, 68, 330.5f, false, false},
        LineCase{"OddOnTheMissLine", oddSizes, 100.0f, 68, 393.0f, false, true},
        LineCase{"OddLeftEdgeTouching", oddSizes, 100.0f, 67, 340.0f, false, false},
        LineCase{"OddRightEdgeTouching", oddSizes, 100.0f, 157, 340.0f, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Miss, ChangesNoScoreHeatRampOrWantedKind) {
    ScriptedGame game(realSizes, Booze);
    game.state.score = 45;
    game.state.heat = 77;
    game.state.rampCounter = 10;
    placeFalling(game.state, 6, 320, 409.0f, Booze);
    game.frames(1);
    EXPECT_TRUE(isAtRest(game.state.items[6], game.sizes));
    EXPECT_EQ(game.state.drawKind[6], NoItem);
    EXPECT_EQ(game.state.score, 45);
    EXPECT_EQ(game.state.heat, 77);
    EXPECT_EQ(game.state.rampCounter, 11);
    EXPECT_EQ(game.state.wantedKind, Booze);
    EXPECT_EQ(game.dice.draws, 0);
}

TEST(Fall, ItemsMoveByTheFallSpeedAsAFloatSum) {
    ScriptedGame game;
    game.state.fallSpeed = 2.7999999523f;
    placeFalling(game.state, 0, 0, 100.1f, RyeBread);
    placeFalling(game.state, 15, 0, 0.0f, Meat);
    game.frames(1);
    EXPECT_EQ(game.state.items[0].y, 100.1f + 2.7999999523f);
    EXPECT_EQ(game.state.items[15].y, 2.7999999523f);
}

// --- score decay ---

struct DecayCase {
    const char* name;
    int score;
    int heat;
    int framesSinceSpawn;
    int spawnDelay;
    bool allSlotsFalling;
    int scoreAfter;
};

class ScoreDecay : public ::testing::TestWithParam<DecayCase> {};

TEST_P(ScoreDecay, TakesHeatOverSixtyInTheFrameTheCounterBecomesFifty) {
    const DecayCase& c = GetParam();
    ScriptedGame game;
    game.dice.fallback = 0;
    game.state.score = c.score;
    game.state.heat = c.heat;
    game.state.framesSinceSpawn = c.framesSinceSpawn;
    game.state.spawnDelay = c.spawnDelay;
    game.state.rampCounter = 100;
    if (c.allSlotsFalling) {
        for (int slot = 0; slot < itemSlotCount; ++slot) {
            placeFalling(game.state, slot, 0, 0.0f, RyeBread);
        }
    }
    game.frames(1);
    EXPECT_EQ(game.state.score, c.scoreAfter);
    EXPECT_EQ(game.state.rampCounter, 101 - (c.score - c.scoreAfter));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ScoreDecay,
    ::testing::Values(DecayCase{"OnePointAtHeat60", 5, 60, 49, 150, false, 4},
                      DecayCase{"OnePointAtHeat119", 5, 119, 49, 150, false, 4},
                      DecayCase{"OneBecomesZero", 1, 60, 49, 150, false, 0},
                      DecayCase{"ZeroStays", 0, 60, 49, 150, false, 0},
                      DecayCase{"NegativeStays", -13, 60, 49, 150, false, -13},
                      DecayCase{"NotAtFortyNine", 5, 60, 48, 150, false, 5},
                      DecayCase{"NotPastFifty", 5, 60, 50, 150, false, 5},
                      DecayCase{"SpawnAtFiftyInstead", 5, 60, 49, 50, false, 5},
                      DecayCase{"SpawnDueButNoSlotFree", 5, 60, 49, 50, true, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScoreDecay, NoDecayOnceDelaysStayBelowFifty) {
    // with every delay drawn below 50 the counter never reaches 50 while a slot is free
    ScriptedGame game;
    game.dice.fallback = 3;
    game.state.score = 500;
    game.state.spawnGapMin = 10;
    game.state.spawnGapMax = 40;
    game.state.spawnDelay = 20;
    game.frames(690);
    EXPECT_EQ(game.state.score, 500);
}

// --- the heat limit ---

TEST(HeatLimit, FrameReachingTheLimitCompletesAndTheNextEndsAfterMoveAndRamp) {
    ScriptedGame game(realSizes, Meat);
    game.state.heat = 115;
    game.state.rampCounter = 698;
    placeFalling(game.state, 0, 320, 350.0f, Booze);
    placeFalling(game.state, 1, 0, 100.0f, Meat);
    game.script({4, 0}); // heat +9, then RyeBread wanted

    EXPECT_EQ(game.frame(), FrameOutcome::Continue);
    EXPECT_EQ(game.state.heat, 124);
    EXPECT_TRUE(isAtRest(game.state.items[0], game.sizes));
    // the slots after the catch were still resolved in that frame
    EXPECT_EQ(game.state.items[1].y, 100.0f + 2.2f);

    const GameState before = game.state;
    game.state.spawnDelay = 1; // a spawn would be due if the frame went on
    EXPECT_EQ(game.frame(rightKey), FrameOutcome::HeatLimit);
    EXPECT_EQ(game.state.playerX, static_cast<float>(320.0 + 2.2));
    EXPECT_EQ(game.state.rampCounter, 0);
    EXPECT_EQ(game.state.fallSpeed, 2.5f);
    EXPECT_EQ(game.state.framesSinceSpawn, before.framesSinceSpawn);
    EXPECT_EQ(game.state.items[1].y, before.items[1].y);
    EXPECT_EQ(game.dice.draws, 2);
}

TEST(HeatLimit, Heat119GoesOnAndHeat120Ends) {
    ScriptedGame game;
    game.state.heat = 119;
    EXPECT_EQ(game.frame(), FrameOutcome::Continue);
    game.state.heat = 120;
    EXPECT_EQ(game.frame(), FrameOutcome::HeatLimit);
}

// --- picture sizes ---

struct SizeCase {
    const char* name;
    PictureSizes sizes;
    bool accepted;
};

class PictureSizeCheck : public ::testing::TestWithParam<SizeCase> {};

TEST_P(PictureSizeCheck, RejectsSizesThatLeaveNoSpawnColumn) {
    const SizeCase& c = GetParam();
    const std::optional<std::string> problem = pictureSizeProblem(c.sizes);
    EXPECT_EQ(!problem.has_value(), c.accepted);
    if (problem) {
        for (int size : {c.sizes.screenWidth, c.sizes.itemWidth, c.sizes.sideBarWidth}) {
            EXPECT_NE(problem->find(std::to_string(size)), std::string::npos)
                << *problem << " does not name " << size;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, PictureSizeCheck,
    ::testing::Values(SizeCase{"RealPictures", realSizes, true},
                      SizeCase{"OddPictures", oddSizes, true},
                      SizeCase{"OneColumnLeft", {459, 40, 60, 180, 640}, true},
                      SizeCase{"NoColumnLeft", {460, 40, 60, 180, 640}, false},
                      SizeCase{"ItemsWiderThanTheRoom", {600, 40, 60, 180, 640}, false},
                      SizeCase{"SideBarCoversTheScreen", {40, 40, 60, 700, 640}, false}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
