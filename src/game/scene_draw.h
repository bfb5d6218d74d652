// The sauna scene: composed once, then the items, the HUD and the man drawn over it each
// frame and taken off again by putting back the scene saved under them.
#pragma once

#include "game/game_pictures.h"
#include "game/rules.h"

struct BITMAP;

// the background, the bench and the side bar, opaque, into the scene; then the HUD's backdrop
void composeStaticScene(BITMAP* scene, GamePictures& pictures);

// copies the scene under every slot's position into that slot's save, all 16 slots
void saveUnderItems(BITMAP* scene, const GameState& state, GamePictures& pictures);

// draws each falling slot's picture, chosen by its drawKind, masked at (x, trunc(y))
void drawItems(BITMAP* scene, const GameState& state, const GamePictures& pictures);

// the four HUD lines in yellow, over the clean backdrop so no old character stays
void drawHud(BITMAP* scene, const GameState& state, const GamePictures& pictures);

// the man's column on the screen this frame
int manColumn(const GameState& state);

// saves the scene under the man at column px, then draws him there masked
void drawMan(BITMAP* scene, int px, GamePictures& pictures);

// puts the saved scene back: under the man first, then under each falling slot
void restoreScene(BITMAP* scene, const GameState& state, int px, const GamePictures& pictures);

// the label of the kind the elf wants, 12 characters so each covers the one before
const char* wantedLabel(ItemKind kind);
