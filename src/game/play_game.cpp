#include "game/play_game.h"

#include "game/game_loop.h"
#include "game/game_pictures.h"
#include "game/random_source.h"
#include "platform/close_request.h"
#include "platform/frame_pacing.h"
#include "platform/keys.h"

#include <allegro.h>

std::optional<std::string> playGame() {
    GamePictures pictures;
    if (auto problem = loadGamePictures(gamePictureFolder, screen->w, screen->h, pictures)) {
        releaseGamePictures(pictures);
        return problem;
    }

    GameHooks hooks;
    hooks.screen = screen;
    hooks.readArrows = [] { return FrameInput{leftArrowHeld(), rightArrowHeld()}; };
    hooks.quitWanted = [] { return escHeld() || closeRequested(); };
    hooks.waitForFrame = waitForNextFrame;
    hooks.random = [] { return drawGameRandom(); };

    runGame(pictures, hooks);
    releaseGamePictures(pictures);
    return std::nullopt;
}
