// Drawing helpers shared by the pictures: colours, blending, gradients, noise and big lettering.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <initializer_list>

struct Rgb {
    int r, g, b;
};

constexpr Rgb magenta{255, 0, 255};

// a 32-bit pixel value of the colour
int pixelOf(Rgb c);
// the colour of a 32-bit pixel value
Rgb colourOf(int pixel);
// a and b mixed, t = 0 gives a, t = 1 gives b
Rgb mix(Rgb a, Rgb b, float t);
// the colour scaled in brightness by f (1 keeps it)
Rgb shade(Rgb c, float f);

// a new 32-bit memory bitmap filled with one colour
BITMAP* newPicture(int width, int height, Rgb fill);

// puts colour c over the pixel with opacity alpha (0..1), clipped
void blendPixel(BITMAP* bmp, int x, int y, Rgb c, float alpha);
// fills the rectangle with a gradient from top to bottom colour
void verticalGradient(BITMAP* bmp, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom);
// darkens the rectangle's surroundings with a shadow that fades over radius pixels
void softShadow(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, int radius,
                float strength);
// a filled rectangle with rounded corners
void roundedBox(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, Rgb c);
// a filled ellipse blended at its rim so the edge is smooth (for opaque pictures only)
void smoothEllipse(BITMAP* bmp, float cx, float cy, float rx, float ry, Rgb c, float alpha);

// smooth value noise in 0..1 on an integer lattice hashed from seed
float valueNoise(float x, float y, uint32_t seed);
// several octaves of value noise, in 0..1
float fractalNoise(float x, float y, uint32_t seed, int octaves);

// one line of the built-in 8x8 font at its own size
void smallText(BITMAP* bmp, const char* text, int x, int y, Rgb c);
// as smallText, centred on cx
void smallTextCentred(BITMAP* bmp, const char* text, int cx, int y, Rgb c);
// the built-in font blown up scale times, centred on cx, with a top-to-bottom gradient,
// a dark outline and a soft drop shadow
void bigText(BITMAP* bmp, const char* text, int cx, int y, int scale, Rgb top, Rgb bottom,
             Rgb outline);
// width in pixels of text in the 8x8 font blown up scale times
int bigTextWidth(const char* text, int scale);

// how a wooden surface of planks looks
struct WoodStyle {
    Rgb light;
    Rgb dark;
    int plankSize; // across the grain
    bool vertical; // planks standing up instead of lying
    uint32_t seed;
};
// fills the rectangle with planks: grain from noise, grooves between planks, knots
void woodPanel(BITMAP* bmp, int x0, int y0, int x1, int y1, const WoodStyle& style);
// planks filling a rectangle with rounded corners
void woodBox(BITMAP* bmp, int x0, int y0, int x1, int y1, int corner, const WoodStyle& style);

// a lit ellipsoid: brighter towards the upper left; with a soft rim when smooth, else hard-edged
void shadedEllipse(BITMAP* bmp, float cx, float cy, float rx, float ry, Rgb base, bool smooth);
// brightens or darkens each pixel by a radial glow around (cx, cy)
void glow(BITMAP* bmp, float cx, float cy, float radius, Rgb c, float strength);
// darkens towards the corners
void vignette(BITMAP* bmp, float strength);
// drifting steam: pale noise that fades out at the edges of the ellipse
void steam(BITMAP* bmp, float cx, float cy, float rx, float ry, uint32_t seed, float strength);

// the 8x8 font blown up scale times, with a small hard drop shadow, from its top-left corner
void scaledText(BITMAP* bmp, const char* text, int x, int y, int scale, Rgb c);
// as scaledText, centred on cx
void scaledTextCentred(BITMAP* bmp, const char* text, int cx, int y, int scale, Rgb c);

// surrounds the opaque part of a magenta-masked sprite with a one-pixel line
void outlineSprite(BITMAP* bmp, Rgb outline);

// a filled polygon from a list of x, y pairs (hard-edged)
void fillShape(BITMAP* bmp, std::initializer_list<int> points, Rgb c);
// a thick line with round, softened ends (for opaque pictures only)
void smoothThickLine(BITMAP* bmp, float x0, float y0, float x1, float y1, float r, Rgb c);
