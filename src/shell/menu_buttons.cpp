#include "shell/menu_buttons.h"

// the buttons' edges are exclusive: columns 126 and 514, rows 240 and 338 belong to none
MenuButton buttonAt(int x, int y) {
    if (x <= 126 || x >= 514) {
        return MenuButton::None;
    }
    if (y > 142 && y < 240) {
        return MenuButton::Start;
    }
    if (y > 240 && y < 338) {
        return MenuButton::Reset;
    }
    if (y > 338 && y < 437) {
        return MenuButton::Exit;
    }
    return MenuButton::None;
}
