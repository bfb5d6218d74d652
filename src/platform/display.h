// Allegro and the display: brought up and let go by main, and its failures shown.
#pragma once

#include <optional>
#include <string>

// allegro_init, the window's title, the keyboard, mouse and timer and our frame tick;
// a message when Allegro itself can't start
std::optional<std::string> startAllegro();

// the width x height display at 32 bits per pixel, pictures converted to it on loading,
// and the close button; a message naming the reason when the mode can't be set
std::optional<std::string> startDisplay(int width, int height);

// shows a start-up failure on stderr and, once the display is let go, in a message box
void reportFailure(const std::string& message);

// the frame tick stopped and Allegro shut down; called by main last of the display's work
void stopAllegro();
