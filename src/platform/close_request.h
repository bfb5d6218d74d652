// The window's close button, turned into a flag the loops poll.
#pragma once

// called by main once the display is set
void installCloseHandler();
// true once the player has asked the window to close
bool closeRequested();
