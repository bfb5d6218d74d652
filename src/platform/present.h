// Putting a composed picture on the screen: the one copy that the menu and the game share.
#pragma once

struct BITMAP;

// copies buffer whole onto target (the screen, or a memory bitmap in tests), holding the
// mouse pointer still meanwhile so the library's thread doesn't draw it mid-copy
void presentBuffer(BITMAP* buffer, BITMAP* target);
