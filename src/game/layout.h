// Where things sit on the screen: the one home of the game's layout values.
#pragma once

// the display and every full-screen picture
constexpr int screenWidth = 640;
constexpr int screenHeight = 480;
