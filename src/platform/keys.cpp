#include "platform/keys.h"

#include <allegro.h>

namespace {

// the key table is kept up to date in the background, except where the driver wants polling
void pollKeys() {
    if (keyboard_needs_poll()) {
        poll_keyboard();
    }
}

bool keyHeld(int scancode) {
    pollKeys();
    return key[scancode] != 0;
}

} // namespace

bool leftArrowHeld() {
    return keyHeld(KEY_LEFT);
}

bool rightArrowHeld() {
    return keyHeld(KEY_RIGHT);
}

bool escHeld() {
    return keyHeld(KEY_ESC);
}
