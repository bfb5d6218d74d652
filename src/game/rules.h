// The rules of one game: its state, its start and the rule steps of each frame.
// Pure and deterministic: no graphics, no sound, no clock; keys and random draws come in as data.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

enum ItemKind : int32_t { RyeBread = 0, Meat = 1, Booze = 2, SaunaWhisk = 3, NoItem = 4 };

constexpr int itemSlotCount = 16;

struct FallingItem {
    uint32_t x;
    float y;
    float kind;
    bool falling;
    bool kindChosen;
};

struct GameState {
    int32_t score;
    int32_t heat;
    ItemKind wantedKind;
    float playerX;
    float fallSpeed;
    int32_t spawnGapMin;
    int32_t spawnGapMax;
    int32_t spawnDelay;
    int32_t framesSinceSpawn;
    int32_t rampCounter;
    std::array<FallingItem, itemSlotCount> items;
    std::array<int32_t, itemSlotCount> drawKind;
};

// the sizes the rules take from the pictures and the display
struct PictureSizes {
    int itemWidth;
    int itemHeight;
    int manWidth;
    int sideBarWidth;
    int screenWidth;
};

struct FrameInput {
    bool left;
    bool right;
};

// yields 0..32767
using RandomSource = std::function<int()>;

// the man's row on the screen; the bench and the catch line hang off it
constexpr int manRow = 388;

// a game's starting state: draws the wanted kind, puts every slot at rest
GameState newGameState(const PictureSizes& sizes, RandomSource& random);

enum class FrameOutcome { Continue, HeatLimit };

// the rule steps of one frame: move, ramp, heat check, spawn, decay, fall, kinds, misses, catches;
// HeatLimit comes from the heat check, after the move and the ramp, and the rest of the frame is
// skipped. Expects sizes that pictureSizeProblem accepts and draws of 0..32767 from random.
FrameOutcome runFrameRules(GameState& state, const FrameInput& input, const PictureSizes& sizes,
                           RandomSource& random);

// a message naming the sizes when they leave no column for an item to spawn in
std::optional<std::string> pictureSizeProblem(const PictureSizes& sizes);
