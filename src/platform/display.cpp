#include "platform/display.h"

#include "platform/close_request.h"
#include "platform/frame_pacing.h"

#include <allegro.h>

#include <cstdio>

std::optional<std::string> startAllegro() {
    if (allegro_init() != 0) {
        return std::string("cannot start Allegro: ") + allegro_error;
    }
    set_window_title("Kiuas");
    install_keyboard();
    install_mouse();
    install_timer();
    startFramePacing();
    return std::nullopt;
}

std::optional<std::string> startDisplay(int width, int height) {
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT, width, height, 0, 0) != 0) {
        return "cannot set the " + std::to_string(width) + "x" + std::to_string(height) +
               " display at 32 bits per pixel: " + allegro_error;
    }
    set_color_conversion(COLORCONV_TOTAL);
    installCloseHandler();
    return std::nullopt;
}

void reportFailure(const std::string& message) {
    std::fprintf(stderr, "kiuas: %s\n", message.c_str());
    if (system_driver) {
        set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
        allegro_message("Kiuas: %s\n", message.c_str());
    }
}

void stopAllegro() {
    stopFramePacing();
    allegro_exit();
}
