#include "game/random_source.h"
#include "rules_test_support.h"

#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int gamesToPlay = 1000;
constexpr int frameCap = 20000;

// keys held for runs of frames, the way a player holds them
struct KeyPlayer {
    std::mt19937 keys;
    FrameInput held{};
    int framesLeft = 0;

    explicit KeyPlayer(uint32_t seed) : keys(seed) {}

    FrameInput next() {
        if (framesLeft == 0) {
            const int choice = static_cast<int>(keys() % 8);
            held =
                FrameInput{choice == 1 || choice == 3 || choice == 5, choice >= 3 && choice != 7};
            framesLeft = 1 + static_cast<int>(keys() % 60);
        }
        --framesLeft;
        return held;
    }
};

bool sameItem(const FallingItem& a, const FallingItem& b) {
    return a.x == b.x && a.y == b.y && a.kind == b.kind && a.falling == b.falling &&
           a.kindChosen == b.kindChosen;
}

bool sameState(const GameState& a, const GameState& b) {
    bool same = a.score == b.score && a.heat == b.heat && a.wantedKind == b.wantedKind &&
                a.playerX == b.playerX && a.fallSpeed == b.fallSpeed &&
                a.spawnGapMin == b.spawnGapMin && a.spawnGapMax == b.spawnGapMax &&
                a.spawnDelay == b.spawnDelay && a.framesSinceSpawn == b.framesSinceSpawn &&
                a.rampCounter == b.rampCounter && a.drawKind == b.drawKind;
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        same = same && sameItem(a.items[slot], b.items[slot]);
    }
    return same;
}

// what must hold after every frame; returns false at the first broken rule
void checkInvariants(const GameState& before, const GameState& after, FrameOutcome outcome,
                     const PictureSizes& sizes, bool& caughtOnce) {
    ASSERT_GE(after.heat, before.heat);
    ASSERT_EQ(outcome == FrameOutcome::HeatLimit, before.heat >= 120);
    ASSERT_GE(after.framesSinceSpawn, 0);
    ASSERT_GE(after.spawnGapMax - after.spawnGapMin, 30);
    ASSERT_GE(after.spawnDelay, 0);
    ASSERT_LT(after.spawnDelay, 180);
    ASSERT_TRUE(after.fallSpeed == 2.2f || after.fallSpeed == 2.5f || after.fallSpeed == 2.8f ||
                after.fallSpeed == 3.1f)
        << after.fallSpeed;
    const double rightLimit = 640 - sizes.manWidth - sizes.sideBarWidth;
    ASSERT_GT(after.playerX, -2.2f);
    ASSERT_LT(after.playerX, rightLimit + 2.2);

    const int sideBarColumn = sizes.screenWidth - sizes.sideBarWidth;
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        const FallingItem& item = after.items[slot];
        if (!item.falling) {
            ASSERT_TRUE(isAtRest(item, sizes)) << "slot " << slot;
            if (before.items[slot].falling && after.drawKind[slot] != NoItem) {
                caughtOnce = true;
            }
            continue;
        }
        if (outcome == FrameOutcome::HeatLimit) {
            continue;
        }
        ASSERT_TRUE(item.kindChosen) << "slot " << slot;
        ASSERT_GE(after.drawKind[slot], RyeBread) << "slot " << slot;
        ASSERT_LE(after.drawKind[slot], SaunaWhisk) << "slot " << slot;
        ASSERT_EQ(static_cast<float>(after.drawKind[slot]), item.kind) << "slot " << slot;
        ASSERT_LT(static_cast<int>(item.x) + sizes.itemWidth, sideBarColumn) << "slot " << slot;
        ASSERT_GT(item.y, 0.0f) << "slot " << slot;
        ASSERT_LT(item.y, static_cast<float>(450 - sizes.itemHeight)) << "slot " << slot;
    }
    ASSERT_GE(after.wantedKind, RyeBread);
    ASSERT_LE(after.wantedKind, SaunaWhisk);
    if (caughtOnce) {
        ASSERT_NE(after.wantedKind, SaunaWhisk);
    }
}

TEST(Soak, ThousandGamesWithRandomKeysKeepTheInvariants) {
    int endedByHeat = 0;
    for (int game = 0; game < gamesToPlay; ++game) {
        const PictureSizes sizes = game % 10 == 9 ? oddSizes : realSizes;
        seedGameRandom(static_cast<uint32_t>(game) * 7919u + 1u);
        RandomSource random = drawGameRandom;
        KeyPlayer player(static_cast<uint32_t>(game));
        GameState state = newGameState(sizes, random);
        bool caughtOnce = false;
        for (int frame = 0; frame < frameCap; ++frame) {
            const GameState before = state;
            const FrameOutcome outcome = runFrameRules(state, player.next(), sizes, random);
            checkInvariants(before, state, outcome, sizes, caughtOnce);
            if (::testing::Test::HasFatalFailure()) {
                FAIL() << "game " << game << ", frame " << frame + 1;
            }
            if (outcome == FrameOutcome::HeatLimit) {
                ++endedByHeat;
                break;
            }
        }
    }
    // random keys catch enough wrong items to heat most saunas to the limit
    EXPECT_GT(endedByHeat, gamesToPlay / 2);
}

TEST(Soak, SameDrawsAndKeysReplayTheSameGame) {
    for (uint32_t seed : {1u, 99u, 123456u}) {
        GameState first{};
        GameState second{};
        for (GameState* state : {&first, &second}) {
            seedGameRandom(seed);
            RandomSource random = drawGameRandom;
            KeyPlayer player(seed);
            *state = newGameState(realSizes, random);
            for (int frame = 0; frame < 5000; ++frame) {
                if (runFrameRules(*state, player.next(), realSizes, random) ==
                    FrameOutcome::HeatLimit) {
                    break;
                }
            }
        }
        EXPECT_TRUE(sameState(first, second)) << "seed " << seed;
    }
}

} // namespace
