#include "play_game.h"

#include "close_request.h"
#include "frame_pacing.h"
#include "game_loop.h"
#include "game_pictures.h"
#include "random_source.h"

#include <allegro.h>

namespace {

// the key table is kept up to date in the background, except where the driver wants polling
void pollKeys() {
    if (keyboard_needs_poll()) {
        poll_keyboard();
    }
}

} // namespace

std::optional<std::string> playGame() {
    GamePictures pictures;
    if (auto problem = loadGamePictures(gamePictureFolder, screen->w, screen->h, pictures)) {
        releaseGamePictures(pictures);
        return problem;
    }

    GameHooks hooks;
    hooks.screen = screen;
    hooks.readArrows = [] {
        pollKeys();
        return FrameInput{key[KEY_LEFT] != 0, key[KEY_RIGHT] != 0};
    };
    hooks.quitWanted = [] {
        pollKeys();
        return key[KEY_ESC] != 0 || closeRequested();
    };
    hooks.waitForFrame = waitForNextFrame;
    hooks.random = [] { return drawGameRandom(); };

    runGame(pictures, hooks);
    releaseGamePictures(pictures);
    return std::nullopt;
}
