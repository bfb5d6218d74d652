#include "platform/present.h"

#include <allegro.h>

void presentBuffer(BITMAP* buffer, BITMAP* target) {
    // the library draws the pointer into the menu's buffer on its own thread
    freeze_mouse_flag = TRUE;
    blit(buffer, target, 0, 0, 0, 0, target->w, target->h);
    freeze_mouse_flag = FALSE;
}
