// Shared helpers of the rules tests: picture sizes, a scripted random source, slot set-ups.
#pragma once

#include "game/rules.h"

#include <deque>
#include <gtest/gtest.h>
#include <optional>

// sizes the real pictures have: 40x40 items, a man 60 wide, a side bar 180 wide, a 640 screen
constexpr PictureSizes realSizes{40, 40, 60, 180, 640};
// odd sizes: narrow tall items, a wide screen whose width the man's limit must ignore
constexpr PictureSizes oddSizes{33, 57, 57, 150, 800};

// hands out the scripted draws in order; past the script it gives the fallback or fails the test
struct ScriptedRandom {
    std::deque<int> script;
    std::optional<int> fallback;
    int draws = 0;

    int next() {
        ++draws;
        if (script.empty()) {
            if (!fallback) {
                ADD_FAILURE() << "draw " << draws << " was not scripted";
            }
            return fallback.value_or(0);
        }
        const int value = script.front();
        script.pop_front();
        return value;
    }
};

inline RandomSource sourceOf(ScriptedRandom& dice) {
    return [&dice] { return dice.next(); };
}

// a slot falling with its kind chosen, as the kind choice leaves it
inline void placeFalling(GameState& state, int slot, uint32_t x, float y, ItemKind kind) {
    state.items[slot] = FallingItem{x, y, static_cast<float>(kind), true, true};
    state.drawKind[slot] = kind;
}

// a slot at rest, as a miss or a catch leaves it
inline bool isAtRest(const FallingItem& item, const PictureSizes& sizes) {
    return item.x == 0 && item.y == static_cast<float>(-sizes.itemHeight) && !item.falling &&
           !item.kindChosen;
}

// one game driven frame by frame with scripted draws and keys
struct ScriptedGame {
    PictureSizes sizes;
    ScriptedRandom dice;
    RandomSource random = sourceOf(dice);
    GameState state{};

    // a new game whose wanted kind comes from wantedDraw; the draw count starts at 0 afterwards
    explicit ScriptedGame(PictureSizes pictureSizes = realSizes, int wantedDraw = 0)
        : sizes(pictureSizes) {
        dice.script = {wantedDraw};
        state = newGameState(sizes, random);
        dice.draws = 0;
    }
    ScriptedGame(const ScriptedGame&) = delete;
    ScriptedGame& operator=(const ScriptedGame&) = delete;

    FrameOutcome frame(FrameInput input = {}) { return runFrameRules(state, input, sizes, random); }

    // frames that must all continue
    void frames(int count, FrameInput input = {}) {
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(frame(input), FrameOutcome::Continue) << "frame " << i + 1;
        }
    }

    void script(std::initializer_list<int> draws) { dice.script.insert(dice.script.end(), draws); }
};

constexpr FrameInput noKeys{false, false};
constexpr FrameInput leftKey{true, false};
constexpr FrameInput rightKey{false, true};
constexpr FrameInput bothKeys{true, true};
