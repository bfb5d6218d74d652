// The frame loop of one game, with what it reads and shows passed in, so that a test can
// run it on memory bitmaps with scripted keys and no waiting.
#pragma once

#include "game/game_pictures.h"
#include "game/rules.h"

#include <functional>

struct BITMAP;

// what a game needs from outside: the real screen, keys and pacing in playGame
struct GameHooks {
    BITMAP* screen = nullptr;
    // the arrow keys, read once at the start of each frame
    std::function<FrameInput()> readArrows;
    // Esc or a request to close the window
    std::function<bool()> quitWanted;
    // returns when the next frame is due
    std::function<void()> waitForFrame;
    RandomSource random;
};

struct GameEnd {
    GameState state;
    int framesShown;
    bool byHeat;
};

// one frame: the rules, then the items, HUD and man drawn, shown, and taken off again;
// HeatLimit when the rules ended the game, in which case nothing is drawn
FrameOutcome playFrame(GameState& state, const FrameInput& input, const PictureSizes& sizes,
                       RandomSource& random, GamePictures& pictures, BITMAP* screenBitmap,
                       const std::function<void()>& waitForFrame);

// one game on loaded pictures: the start, the music switch, the frames and the ending
GameEnd runGame(GamePictures& pictures, GameHooks& hooks);
