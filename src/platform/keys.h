// The keys the game and the menu read, from Allegro's key table.
#pragma once

// each polls the keyboard first where the driver needs it, then reads the key's state
bool leftArrowHeld();
bool rightArrowHeld();
bool escHeld();
