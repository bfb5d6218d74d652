#include "main_menu.h"

#include "close_request.h"
#include "frame_pacing.h"

#include <allegro.h>

// stand-in until the full menu lands: shows the background until Esc
std::optional<std::string> runMainMenu(BITMAP* menuBackground, BITMAP*, BITMAP*, BITMAP*,
                                       BITMAP* menuBuffer) {
    blit(menuBackground, menuBuffer, 0, 0, 0, 0, 640, 480);
    while (!key[KEY_ESC] && !closeRequested()) {
        waitForNextFrame();
        blit(menuBuffer, screen, 0, 0, 0, 0, 640, 480);
    }
    return std::nullopt;
}
