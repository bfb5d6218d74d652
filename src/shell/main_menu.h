// The main menu: fade-in, three buttons, the information and closing pictures.
#pragma once

#include <optional>
#include <string>

struct BITMAP;

// returns when the player has left through the closing picture (or closed the window);
// a message when a game could not be started for want of its pictures
std::optional<std::string> runMainMenu(BITMAP* menuBackground, BITMAP* pointerSprite,
                                       BITMAP* infoPicture, BITMAP* closingPicture,
                                       BITMAP* menuBuffer);
