#include "game/game_loop.h"

#include "bestscore/best_score.h"
#include "game/scene_draw.h"
#include "music/music_player.h"
#include "platform/present.h"

#include <allegro.h>

namespace {

// a better score goes into the best-score file
void updateBestScore(int32_t score) {
    if (score > readBestScore()) {
        writeBestScore(score);
    }
}

} // namespace

FrameOutcome playFrame(GameState& state, const FrameInput& input, const PictureSizes& sizes,
                       RandomSource& random, GamePictures& pictures, BITMAP* screenBitmap,
                       const std::function<void()>& waitForFrame) {
    if (runFrameRules(state, input, sizes, random) == FrameOutcome::HeatLimit) {
        return FrameOutcome::HeatLimit;
    }
    BITMAP* scene = pictures.sceneBuffer;
    saveUnderItems(scene, state, pictures);
    drawItems(scene, state, pictures);
    drawHud(scene, state, pictures);
    const int px = manColumn(state);
    drawMan(scene, px, pictures);
    waitForFrame();
    presentBuffer(scene, screenBitmap);
    restoreScene(scene, state, px, pictures);
    return FrameOutcome::Continue;
}

GameEnd runGame(GamePictures& pictures, GameHooks& hooks) {
    const PictureSizes sizes = pictureSizesOf(pictures, hooks.screen->w);
    GameEnd end{newGameState(sizes, hooks.random), 0, false};

    FMUSIC_StopSong(menuSong);
    FMUSIC_SetLooping(gameSong, false);
    FMUSIC_PlaySong(gameSong);
    composeStaticScene(pictures.sceneBuffer, pictures);

    while (!hooks.quitWanted()) {
        const FrameInput input = hooks.readArrows();
        if (playFrame(end.state, input, sizes, hooks.random, pictures, hooks.screen,
                      hooks.waitForFrame) == FrameOutcome::HeatLimit) {
            end.byHeat = true;
            updateBestScore(end.state.score);
            break;
        }
        ++end.framesShown;
    }

    clear_bitmap(pictures.sceneBuffer);
    FMUSIC_StopSong(gameSong);
    updateBestScore(end.state.score);
    return end;
}
