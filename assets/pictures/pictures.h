// The game's twelve pictures, drawn from code into memory bitmaps.
#pragma once

#include <allegro.h>

#include <string>

// sizes the game takes from the pictures
constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
constexpr int manWidth = 56;
constexpr int manHeight = 60; // he stands at row 388, on the bench: 388 + 60 = 480 - 32
constexpr int itemSize = 40;
constexpr int benchHeight = 32;
constexpr int sideBarWidth = 184;

// the menu's three buttons, inclusive bounds
struct ButtonBox {
    int left, top, right, bottom;
};
constexpr ButtonBox startButton{127, 143, 513, 239};
constexpr ButtonBox resetButton{127, 241, 513, 337};
constexpr ButtonBox exitButton{127, 339, 513, 436};

BITMAP* paintMenu();
// the pointer is a 256-colour picture; pal receives its palette
BITMAP* paintPointer(PALETTE pal);
BITMAP* paintInfo();
BITMAP* paintGoodbye();
BITMAP* paintSceneBackground();
BITMAP* paintBench();
BITMAP* paintSideBar();
BITMAP* paintMan();
BITMAP* paintRyeBread();
BITMAP* paintMeat();
BITMAP* paintBooze();
BITMAP* paintWhisk();

// draws all twelve pictures into dir as PCX files; an error message, or empty on success
std::string writeAllPictures(const std::string& dir);
