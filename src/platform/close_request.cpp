#include "platform/close_request.h"

#include <allegro.h>

#include <atomic>

namespace {
std::atomic<bool> closeWanted{false};

// runs on Allegro's event thread when the window's close button is used
void onCloseButton() {
    closeWanted = true;
}
END_OF_FUNCTION(onCloseButton)
} // namespace

void installCloseHandler() {
    LOCK_FUNCTION(onCloseButton);
    set_close_button_callback(onCloseButton);
}

bool closeRequested() {
    return closeWanted;
}
