// Helpers for the scene tests and benchmarks: Allegro without a display, small synthetic
// pictures, bitmap comparison and a throw-away folder.
#pragma once

#include "game/game_pictures.h"
#include "game/rules.h"

#include <allegro.h>

#include <cstdint>
#include <string>

struct TestPictureSizes {
    int manWidth = 40;
    int manHeight = 60;
    int itemWidth = 40;
    int itemHeight = 40;
    int benchHeight = 32;
    // the man's last step to the right then ends a column into the side bar
    int sideBarWidth = 187;
};

// the colour of each item picture's inside; the one-pixel border is the mask colour
constexpr uint32_t itemColours[4] = {0xA05020, 0xC02030, 0x30A0E0, 0x40C040};
constexpr uint32_t maskColour = 0xFF00FF;

// Allegro's system without a display, at 32 bits per pixel; once per process
void startAllegroWithoutDisplay();

// the man's pixel at (column, row) of his picture; some are the mask colour
uint32_t manPixel(int column, int row);

// the eight pictures drawn in code, with every bitmap of a game created
void makeTestPictures(GamePictures& pictures, const TestPictureSizes& sizes = {});

// a new 640x480 bitmap holding a copy of source
BITMAP* copyOf(BITMAP* source);

uint32_t pixelAt(BITMAP* bitmap, int x, int y);

// true when both bitmaps have the same size and every pixel equal
bool sameBitmap(BITMAP* a, BITMAP* b);

// how many pixels differ, for the failure messages
int differingPixels(BITMAP* a, BITMAP* b);

// the static scene with the four HUD lines of this state drawn over it, built by hand
void drawExpectedScene(BITMAP* target, BITMAP* staticScene, const GameState& state, int hudColumn);

// the background, bench and side bar copied into target where the game puts them
void composeByHand(BITMAP* target, const GamePictures& pictures);

// a seeded stand-in for the program's random source, 0..32767
RandomSource seededRandom(uint32_t seed);

// a fresh folder under /tmp, removed with everything in it when it goes
struct TempFolder {
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string path;
};

// the eight pictures of makeTestPictures saved as PCX files into folder
void saveTestPictureFiles(const std::string& folder, const TestPictureSizes& sizes = {});

// the process's resident and peak resident memory in kB, from /proc/self/status
long residentKb();
long peakResidentKb();
