// Things of the sauna drawn in more than one picture.
#pragma once

#include <allegro.h>

// the bench seen from the front, benchHeight high, from row top
void drawBench(BITMAP* bmp, int top, int width);
// the stove with its cage of stones and steam over them, 118 wide, from column x0 and row top
// down to the bench
void drawStove(BITMAP* bmp, int x0, int top);
// the bucket of water with its ladle, standing on row bottom
void drawBucket(BITMAP* bmp, int cx, int bottom);
