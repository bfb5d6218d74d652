#include "game/random_source.h"
#include "game/rules.h"

#include <benchmark/benchmark.h>

namespace {

constexpr PictureSizes benchSizes{40, 40, 60, 180, 640};

// a mid-game state: a few difficulty steps taken, most slots falling at spread rows
GameState busyMidGame(RandomSource& random) {
    GameState state = newGameState(benchSizes, random);
    state.score = 140;
    state.heat = 85;
    state.fallSpeed = 3.0999999046f;
    state.spawnGapMax = 100;
    state.spawnGapMin = 25;
    state.spawnDelay = 40;
    for (int slot = 0; slot < 12; ++slot) {
        FallingItem& item = state.items[slot];
        item = FallingItem{static_cast<uint32_t>(slot * 33), 30.0f * slot, float(slot % 4), true,
                           true};
        state.drawKind[slot] = slot % 4;
    }
    return state;
}

// one frame of rules with the man walking to and fro; the state is reset before the heat ends it
void runFrameRulesMidGame(benchmark::State& bench) {
    seedGameRandom(2024);
    RandomSource random = drawGameRandom;
    const GameState start = busyMidGame(random);
    GameState state = start;
    int frame = 0;
    for (auto _ : bench) {
        const bool right = (frame / 90) % 2 == 0;
        const FrameInput input{!right, right};
        if (runFrameRules(state, input, benchSizes, random) == FrameOutcome::HeatLimit ||
            ++frame == 2000) {
            bench.PauseTiming();
            state = start;
            frame = 0;
            bench.ResumeTiming();
        }
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(runFrameRulesMidGame);

} // namespace

BENCHMARK_MAIN();
