#include "game/rules.h"

namespace {

// the man's step and the ramp's speed step are double constants added to a float
constexpr double manStep = 2.2;
constexpr double fallSpeedStep = 0.3;
// the man's right-hand limit is measured from this column, not from the screen's width
constexpr int manLimitColumn = 640;
constexpr int missRow = 450;
constexpr float fallGuard = 450.0f;
constexpr int rampPeriod = 700;
constexpr int firstSpawnDelay = 150;
constexpr int decayFrame = 50;
constexpr int rightCatchPoints = 30;
constexpr int wrongCatchPoints = 20;
constexpr int heatLimit = 120;

// widens a float to double, adds a double constant there and stores the sum as a float
float addInDouble(float value, double step) {
    return static_cast<float>(static_cast<double>(value) + step);
}

// columns an item can spawn in: 0 up to this width minus 1
int spawnWidth(const PictureSizes& sizes) {
    return sizes.screenWidth - sizes.itemWidth - sizes.sideBarWidth;
}

// a slot with nothing in it, parked just above the top of the screen
void putAtRest(FallingItem& item, const PictureSizes& sizes) {
    item.x = 0;
    item.y = static_cast<float>(-sizes.itemHeight);
    item.falling = false;
    item.kindChosen = false;
}

// one rise of 5 to 9 degrees
void raiseHeat(GameState& state, RandomSource& random) {
    state.heat += 5 + random() % 5;
}

// the three scoring tests of a catch, each seeing what the one before left
void scoreCatch(GameState& state, float kind, RandomSource& random) {
    const bool wanted = kind == static_cast<float>(state.wantedKind);
    if (wanted) {
        state.score += rightCatchPoints;
        state.rampCounter += rightCatchPoints;
    }
    if (!wanted && state.score > 0) {
        state.score -= wrongCatchPoints;
        state.rampCounter -= wrongCatchPoints;
        raiseHeat(state, random);
    }
    if (!wanted && state.score == 0) {
        raiseHeat(state, random);
    }
}

// items fall faster and the spawn gaps shrink, each change under its own guard
void takeDifficultyStep(GameState& state) {
    if (state.fallSpeed < 3.0f) {
        state.fallSpeed = addInDouble(state.fallSpeed, fallSpeedStep);
    }
    if (state.spawnGapMax > 50) {
        state.spawnGapMax -= 20;
    }
    if (state.spawnGapMin > 0) {
        state.spawnGapMin -= 5;
    }
}

// the man's two steps, right first, each tested before it is taken and never clamped
void moveMan(GameState& state, const FrameInput& input, const PictureSizes& sizes) {
    const double rightLimit = manLimitColumn - sizes.manWidth - sizes.sideBarWidth;
    if (input.right && rightLimit > static_cast<double>(state.playerX)) {
        state.playerX = addInDouble(state.playerX, manStep);
    }
    if (input.left && static_cast<double>(state.playerX) > 0.0) {
        state.playerX = addInDouble(state.playerX, -manStep);
    }
}

// a new item in the lowest free slot once the delay has passed; true when one spawned
bool spawn(GameState& state, const PictureSizes& sizes, RandomSource& random) {
    state.framesSinceSpawn += 1;
    if (state.framesSinceSpawn < state.spawnDelay) {
        return false;
    }
    for (FallingItem& item : state.items) {
        if (!item.falling) {
            item.falling = true;
            item.x = static_cast<uint32_t>(random() % spawnWidth(sizes));
            item.y = 0.0f;
            state.framesSinceSpawn = 0;
            state.spawnDelay =
                state.spawnGapMin + random() % (state.spawnGapMax - state.spawnGapMin);
            return true;
        }
    }
    // every slot is falling: keep counting and try again next frame
    return false;
}

// a point off now and then while nothing new comes
void decayScore(GameState& state) {
    if (state.framesSinceSpawn == decayFrame && state.score > 0) {
        const int32_t d = state.heat / 60;
        state.score -= d;
        state.rampCounter -= d;
    }
}

// kind choice, miss and catch of one slot, in that order
void resolveSlot(GameState& state, int slot, const PictureSizes& sizes, RandomSource& random) {
    FallingItem& item = state.items[slot];
    if (item.falling && !item.kindChosen) {
        const int k = random() % 4;
        item.kind = static_cast<float>(k);
        state.drawKind[slot] = k;
        item.kindChosen = true;
    }
    // float against integer comparisons are made on exact values, hence double
    const double y = item.y;
    if (y >= static_cast<double>(missRow - sizes.itemHeight)) {
        putAtRest(item, sizes);
        state.drawKind[slot] = NoItem;
    }
    const double x = item.x;
    const double playerX = state.playerX;
    const bool underMan = playerX - sizes.itemWidth < x && x < playerX + sizes.manWidth;
    if (underMan && static_cast<double>(item.y) >= static_cast<double>(manRow - sizes.itemHeight)) {
        scoreCatch(state, item.kind, random);
        putAtRest(item, sizes);
        state.wantedKind = static_cast<ItemKind>(random() % 3);
    }
}

} // namespace

GameState newGameState(const PictureSizes& sizes, RandomSource& random) {
    GameState state{};
    state.score = 0;
    state.framesSinceSpawn = 0;
    state.spawnDelay = firstSpawnDelay;
    state.wantedKind = static_cast<ItemKind>(random() % 4);
    state.rampCounter = 0;
    state.heat = 60;
    state.spawnGapMin = 45;
    state.spawnGapMax = 180;
    state.fallSpeed = 2.2f;
    state.playerX = 320.0f;
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        state.drawKind[slot] = NoItem;
        putAtRest(state.items[slot], sizes);
        state.items[slot].kind = 5.0f;
    }
    return state;
}

FrameOutcome runFrameRules(GameState& state, const FrameInput& input, const PictureSizes& sizes,
                           RandomSource& random) {
    moveMan(state, input, sizes);

    state.rampCounter += 1;
    if (state.rampCounter >= rampPeriod) {
        takeDifficultyStep(state);
        state.rampCounter = 0;
    }

    if (state.heat >= heatLimit) {
        return FrameOutcome::HeatLimit;
    }

    if (!spawn(state, sizes, random)) {
        decayScore(state);
    }

    for (FallingItem& item : state.items) {
        if (item.falling && item.y <= fallGuard) {
            item.y = static_cast<float>(item.y + state.fallSpeed);
        }
    }

    for (int slot = 0; slot < itemSlotCount; ++slot) {
        resolveSlot(state, slot, sizes, random);
    }
    return FrameOutcome::Continue;
}

std::optional<std::string> pictureSizeProblem(const PictureSizes& sizes) {
    if (spawnWidth(sizes) > 0) {
        return std::nullopt;
    }
    return "the item pictures leave no column to fall in: screen width " +
           std::to_string(sizes.screenWidth) + " - item width " + std::to_string(sizes.itemWidth) +
           " - side bar width " + std::to_string(sizes.sideBarWidth) + " = " +
           std::to_string(spawnWidth(sizes)) + ", and it must be at least 1";
}
