#include "shell/main_menu.h"

#include "bestscore/best_score.h"
#include "game/layout.h"
#include "game/play_game.h"
#include "music/music_player.h"
#include "platform/close_request.h"
#include "platform/frame_pacing.h"
#include "platform/keys.h"
#include "platform/present.h"
#include "shell/menu_buttons.h"

#include <allegro.h>

namespace {

constexpr int fadeSteps = 43;
constexpr int fadeAlphaStep = 6;

// where the best-score line sits, and room for its widest value
constexpr int scoreLineX = 18;
constexpr int scoreLineY = 19;
constexpr int scoreLineWidth = 30 * 8;
constexpr int scoreLineHeight = 8;
constexpr int scoreLineColour = 0xFFFF00;

// the menu picture from black, one step per frame; false when the window was closed
bool fadeIn(BITMAP* menuBackground, BITMAP* menuBuffer) {
    for (int step = 0; step < fadeSteps; ++step) {
        clear_bitmap(menuBuffer);
        set_trans_blender(0, 0, 0, step * fadeAlphaStep);
        draw_trans_sprite(menuBuffer, menuBackground, 0, 0);
        waitForNextFrame();
        presentBuffer(menuBuffer, screen);
        if (closeRequested()) {
            return false;
        }
    }
    return true;
}

// The pointer lives in menuBuffer, where scare_mouse() can't reach it (it only hides a
// pointer on the screen), so drawing into the buffer also takes the pointer off and puts
// it back; otherwise its saved background would bring old pixels back when it moves.
void hidePointer() {
    scare_mouse();
    show_mouse(nullptr);
}

void showPointer(BITMAP* menuBuffer) {
    show_mouse(menuBuffer);
    unscare_mouse();
}

// the best score in the corner, over a clean piece of background so no old digit remains
void drawBestScoreLine(BITMAP* menuBackground, BITMAP* menuBuffer) {
    hidePointer();
    int bestScore = readBestScore();
    blit(menuBackground, menuBuffer, scoreLineX, scoreLineY, scoreLineX, scoreLineY, scoreLineWidth,
         scoreLineHeight);
    textprintf_ex(menuBuffer, font, scoreLineX, scoreLineY, scoreLineColour, -1,
                  "parhaat pisteet = %d", bestScore);
    showPointer(menuBuffer);
}

// a picture on the screen until Esc is down; false when the window was closed instead
bool showUntilEsc(BITMAP* picture) {
    presentBuffer(picture, screen);
    while (!escHeld()) {
        if (closeRequested()) {
            return false;
        }
        waitForNextFrame();
    }
    return true;
}

bool buttonHeld(MenuButton button) {
    return buttonAt(mouse_x, mouse_y) == button && mouse_b != 0;
}

} // namespace

std::optional<std::string> runMainMenu(BITMAP* menuBackground, BITMAP* pointerSprite,
                                       BITMAP* infoPicture, BITMAP* closingPicture,
                                       BITMAP* menuBuffer) {
    if (!fadeIn(menuBackground, menuBuffer)) {
        return std::nullopt;
    }
    set_mouse_sprite(pointerSprite);
    set_mouse_sprite_focus(0, 0);
    show_mouse(menuBuffer);
    blit(menuBackground, menuBuffer, 0, 0, 0, 0, screenWidth, screenHeight);

    for (;;) {
        if (buttonHeld(MenuButton::Start)) {
            if (auto failure = playGame()) {
                return failure;
            }
            FMUSIC_PlaySong(menuSong);
            presentBuffer(menuBuffer, screen);
        }
        if (closeRequested()) {
            return std::nullopt;
        }

        if (buttonHeld(MenuButton::Reset)) {
            writeBestScore(10);
            if (!showUntilEsc(infoPicture)) {
                return std::nullopt;
            }
            hidePointer();
            blit(menuBackground, menuBuffer, 0, 0, 0, 0, screenWidth, screenHeight);
            showPointer(menuBuffer);
        }

        if (buttonHeld(MenuButton::Exit)) {
            break;
        }

        drawBestScoreLine(menuBackground, menuBuffer);
        presentBuffer(menuBuffer, screen);
        if (closeRequested()) {
            return std::nullopt;
        }
        // one pass per frame: the menu looks and acts the same without holding a core
        waitForNextFrame();
    }

    showUntilEsc(closingPicture);
    return std::nullopt;
}
