#include "sauna_props.h"

#include "canvas.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>

namespace {

const WoodStyle benchTop{{240, 196, 136}, {176, 124, 72}, 5, false, 23};
const WoodStyle benchFront{{196, 140, 84}, {120, 74, 40}, 22, false, 29};

} // namespace

// the bench seen from the front: two slats of its seat, then its front board with posts
void drawBench(BITMAP* bmp, int top, int width) {
    woodPanel(bmp, 0, top, width - 1, top + 9, benchTop);
    hline(bmp, 0, top, width - 1, pixelOf(Rgb{252, 224, 170}));
    hline(bmp, 0, top + 5, width - 1, pixelOf(Rgb{92, 56, 30}));
    woodPanel(bmp, 0, top + 10, width - 1, top + benchHeight - 1, benchFront);
    for (int y = top + 10; y <= top + 12; ++y) {
        for (int x = 0; x < width; ++x) {
            blendPixel(bmp, x, y, Rgb{30, 14, 6}, 0.55f - 0.15f * (y - top - 10));
        }
    }
    for (int post = 70; post < width; post += 160) {
        rectfill(bmp, post, top + 13, post + 9, top + benchHeight - 1, pixelOf(Rgb{136, 86, 46}));
        vline(bmp, post + 1, top + 13, top + benchHeight - 1, pixelOf(Rgb{186, 132, 80}));
        vline(bmp, post + 9, top + 13, top + benchHeight - 1, pixelOf(Rgb{78, 46, 22}));
        // the wooden pegs that hold the board
        circlefill(bmp, post + 5, top + 17, 1, pixelOf(Rgb{90, 54, 28}));
    }
}

// the stove: a steel body with a glowing door, a cage of stones on top
void drawStove(BITMAP* bmp, int x0, int top) {
    const int x1 = x0 + 118, bottom = screenHeight - benchHeight + 4;
    glow(bmp, x0 + 59, top + 70, 190, Rgb{255, 140, 50}, 0.45f);
    softShadow(bmp, x0 + 4, top + 8, x1 + 4, bottom, 10, 12, 0.5f);
    // body: dark steel, lit from the front left
    for (int x = x0; x <= x1; ++x) {
        float u = float(x - x0) / float(x1 - x0);
        Rgb c = shade(Rgb{70, 70, 76}, 1.15f - 0.6f * u * u);
        vline(bmp, x, top + 40, bottom, pixelOf(c));
    }
    hline(bmp, x0, top + 40, x1, pixelOf(Rgb{140, 140, 148}));
    rect(bmp, x0, top + 40, x1, bottom, pixelOf(Rgb{22, 22, 26}));
    // the fire door with flames behind its glass
    int dx0 = x0 + 24, dx1 = x1 - 24, dy0 = top + 64, dy1 = top + 112;
    rectfill(bmp, dx0 - 4, dy0 - 4, dx1 + 4, dy1 + 4, pixelOf(Rgb{34, 34, 38}));
    for (int y = dy0; y <= dy1; ++y) {
        for (int x = dx0; x <= dx1; ++x) {
            float n = fractalNoise(x / 7.0f, y / 5.0f, 77, 3);
            float h = float(y - dy0) / float(dy1 - dy0);
            float heat = std::clamp(h * 1.2f + (n - 0.5f) * 1.1f, 0.0f, 1.0f);
            Rgb c = heat < 0.5f ? mix(Rgb{90, 20, 8}, Rgb{240, 90, 20}, heat * 2)
                                : mix(Rgb{240, 90, 20}, Rgb{255, 230, 120}, (heat - 0.5f) * 2);
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    rect(bmp, dx0 - 4, dy0 - 4, dx1 + 4, dy1 + 4, pixelOf(Rgb{120, 120, 128}));
    rectfill(bmp, dx1 + 6, dy0 + 18, dx1 + 12, dy0 + 22, pixelOf(Rgb{150, 150, 158}));
    // the fire's light spilling over the steel, and the draught slots below the door
    glow(bmp, float(x0 + 59), float(dy1 + 6), 56, Rgb{255, 120, 40}, 0.35f);
    for (int i = 0; i < 3; ++i) {
        int sy = dy1 + 22 + i * 9;
        rectfill(bmp, dx0 + 4, sy, dx1 - 4, sy + 3, pixelOf(Rgb{24, 24, 28}));
        hline(bmp, dx0 + 4, sy + 4, dx1 - 4, pixelOf(Rgb{110, 110, 118}));
        hline(bmp, dx0 + 5, sy + 2, dx1 - 5, pixelOf(Rgb{150, 50, 20}));
    }
    // the cage of stones
    rectfill(bmp, x0 - 4, top + 2, x1 + 4, top + 40, pixelOf(Rgb{44, 44, 50}));
    uint32_t s = 99u;
    auto next = [&s]() {
        s = s * 1664525u + 1013904223u;
        return float(s >> 8) / float(1u << 24);
    };
    for (int row = 0; row < 4; ++row) {
        for (int i = 0; i < 9; ++i) {
            float sx = x0 + 4 + i * 14 + (row % 2) * 7 + next() * 4;
            float sy = top + 36 - row * 11 + next() * 3;
            if (sx > x1 + 2) {
                continue;
            }
            int g = 110 + int(next() * 60);
            Rgb stone{g, g - 6, g - 14};
            shadedEllipse(bmp, sx, sy, 8.5f + next() * 2, 6.5f + next() * 1.5f, stone, true);
        }
    }
    for (int x = x0 - 4; x <= x1 + 4; x += 9) {
        vline(bmp, x, top + 14, top + 40, pixelOf(Rgb{36, 36, 40}));
    }
    hline(bmp, x0 - 4, top + 40, x1 + 4, pixelOf(Rgb{26, 26, 30}));
    hline(bmp, x0 - 4, top + 14, x1 + 4, pixelOf(Rgb{70, 70, 78}));
    // steam rising from the stones after a ladle of water
    steam(bmp, x0 + 60, top - 50, 85, 70, 5, 1.5f);
    steam(bmp, x0 + 85, top - 140, 95, 75, 6, 1.2f);
    steam(bmp, x0 + 110, top - 220, 90, 60, 7, 0.8f);
}

// the bucket of water and its ladle, waiting by the stove
void drawBucket(BITMAP* bmp, int cx, int bottom) {
    softShadow(bmp, cx - 34, bottom - 50, cx + 40, bottom, 8, 8, 0.5f);
    smoothThickLine(bmp, cx + 18, bottom - 46, cx + 50, bottom - 100, 2.0f, Rgb{170, 118, 66});
    for (int y = bottom - 54; y <= bottom; ++y) {
        float t = float(y - (bottom - 54)) / 54.0f;
        int half = int(34 - 6 * t);
        for (int x = cx - half; x <= cx + half; ++x) {
            float u = float(x - (cx - half)) / float(2 * half);
            int stave = int(u * 7);
            float local = u * 7 - stave;
            Rgb c = shade(Rgb{186, 128, 72}, 1.15f - 0.5f * u);
            if (local < 0.08f) {
                c = shade(c, 0.6f);
            }
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    for (int hoop : {bottom - 46, bottom - 10}) {
        float t = float(hoop - (bottom - 54)) / 54.0f;
        int half = int(34 - 6 * t);
        rectfill(bmp, cx - half, hoop, cx + half, hoop + 3, pixelOf(Rgb{196, 160, 80}));
        hline(bmp, cx - half, hoop, cx + half, pixelOf(Rgb{240, 214, 140}));
    }
    ellipsefill(bmp, cx, bottom - 54, 34, 5, pixelOf(Rgb{120, 80, 44}));
    ellipsefill(bmp, cx, bottom - 53, 30, 3, pixelOf(Rgb{70, 110, 140}));
    smoothThickLine(bmp, cx + 10, bottom - 52, cx + 22, bottom - 60, 1.5f, Rgb{170, 118, 66});
    smoothThickLine(bmp, cx + 22, bottom - 60, cx + 48, bottom - 98, 2.0f, Rgb{186, 132, 76});
    // the handle's arch
    arc(bmp, cx, bottom - 54, itofix(0), itofix(128), 32, pixelOf(Rgb{90, 60, 30}));
}
