// The cost of one game frame without its wait: the rules, the saves, the sprites, the HUD,
// the restores and the 640x480 copy to a memory screen; and the memory of fifty games.
#include "game/game_loop.h"
#include "game/scene_draw.h"
#include "platform/present.h"
#include "scene_test_support.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// the arrows in phases, as a player might hold them
FrameInput scriptedKeys(long frameNumber) {
    const long phase = frameNumber / 97 % 5;
    return FrameInput{phase == 1 || phase == 3 || phase == 4, phase == 0 || phase == 3};
}

// late in a game: the fastest fall and the shortest spawn gaps, so the most items at once
void lateGame(GameState& state) {
    state.fallSpeed = 3.1f;
    state.spawnGapMax = 40;
    state.spawnGapMin = 0;
    state.spawnDelay = 0;
}

void gameFrame(benchmark::State& bench) {
    const bool late = bench.range(0) != 0;
    startAllegroWithoutDisplay();
    GamePictures pictures;
    makeTestPictures(pictures);
    BITMAP* screenBitmap = create_bitmap_ex(32, 640, 480);
    composeStaticScene(pictures.sceneBuffer, pictures);
    const PictureSizes sizes = pictureSizesOf(pictures, 640);
    RandomSource random = seededRandom(3);
    GameState state = newGameState(sizes, random);
    if (late) {
        lateGame(state);
    }
    const std::function<void()> noWait = [] {};

    long frameNumber = 0;
    long itemsDrawn = 0;
    for (auto _ : bench) {
        if (playFrame(state, scriptedKeys(frameNumber++), sizes, random, pictures, screenBitmap,
                      noWait) == FrameOutcome::HeatLimit) {
            state = newGameState(sizes, random);
            if (late) {
                lateGame(state);
            }
        }
        for (const FallingItem& item : state.items) {
            itemsDrawn += item.falling;
        }
    }
    bench.counters["items_per_frame"] =
        benchmark::Counter(static_cast<double>(itemsDrawn) / std::max(1L, frameNumber));
    releaseGamePictures(pictures);
    destroy_bitmap(screenBitmap);
}
// argument 0: a game from its start; 1: every game at its late-game pace
BENCHMARK(gameFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// the one whole-screen operation of a frame, for comparison
void screenCopy(benchmark::State& bench) {
    startAllegroWithoutDisplay();
    BITMAP* scene = create_bitmap_ex(32, 640, 480);
    BITMAP* screenBitmap = create_bitmap_ex(32, 640, 480);
    clear_to_color(scene, 0x204060);
    for (auto _ : bench) {
        presentBuffer(scene, screenBitmap);
        benchmark::ClobberMemory();
    }
    destroy_bitmap(scene);
    destroy_bitmap(screenBitmap);
}
BENCHMARK(screenCopy)->Unit(benchmark::kMicrosecond);

// fifty games of 300 frames, each loading its pictures from PCX files and releasing them:
// the peak and the growth of resident memory
void fiftyGames(benchmark::State& bench) {
    startAllegroWithoutDisplay();
    TempFolder folder;
    saveTestPictureFiles(folder.path);
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(folder.path);
    BITMAP* screenBitmap = create_bitmap_ex(32, 640, 480);
    long residentAfterFirst = 0;
    long residentAtEnd = 0;
    for (auto _ : bench) {
        for (int game = 0; game < 50; ++game) {
            GamePictures pictures;
            if (auto problem = loadGamePictures(folder.path, 640, 480, pictures)) {
                bench.SkipWithError(problem->c_str());
                break;
            }
            long frames = 0;
            GameHooks hooks;
            hooks.screen = screenBitmap;
            hooks.readArrows = [&] { return scriptedKeys(frames); };
            hooks.quitWanted = [&] { return ++frames > 300; };
            hooks.waitForFrame = [] {};
            hooks.random = seededRandom(static_cast<uint32_t>(game));
            runGame(pictures, hooks);
            releaseGamePictures(pictures);
            if (game == 0) {
                residentAfterFirst = residentKb();
            }
        }
        residentAtEnd = residentKb();
    }
    bench.counters["peak_rss_kB"] = benchmark::Counter(static_cast<double>(peakResidentKb()));
    bench.counters["rss_after_game_1_kB"] =
        benchmark::Counter(static_cast<double>(residentAfterFirst));
    bench.counters["rss_after_game_50_kB"] = benchmark::Counter(static_cast<double>(residentAtEnd));
    destroy_bitmap(screenBitmap);
    std::filesystem::current_path(previousFolder);
}
BENCHMARK(fiftyGames)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
