// The moving pictures: the man and the four items. They are drawn masked, so every pixel is
// either exactly magenta or fully opaque: nothing here blends into the background.
#include "canvas.h"
#include "pictures.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const Rgb skin{238, 166, 132};
const Rgb skinDark{196, 112, 84};

// a hard-edged thick line with round ends
void thickLine(BITMAP* bmp, float x0, float y0, float x1, float y1, float r, Rgb c) {
    float len = std::hypot(x1 - x0, y1 - y0);
    int steps = std::max(1, int(len * 2));
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps);
        circlefill(bmp, int(std::lround(x0 + (x1 - x0) * t)), int(std::lround(y0 + (y1 - y0) * t)),
                   int(r), pixelOf(c));
    }
}

// a limb lit from the left: lighter on its upper-left side along its length
void limb(BITMAP* bmp, float x0, float y0, float x1, float y1, float r) {
    thickLine(bmp, x0, y0, x1, y1, r, skinDark);
    thickLine(bmp, x0 - 0.6f, y0 - 0.6f, x1 - 0.6f, y1 - 0.6f, std::max(1.0f, r - 1), skin);
}

// a pointed leaf along angle, hard-edged, lighter on one side of its midrib
void leaf(BITMAP* bmp, float cx, float cy, float length, float width, float angle, Rgb c) {
    float ca = std::cos(angle), sa = std::sin(angle);
    int reach = int(length + 2);
    for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
        for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float u = (dx * ca + dy * sa) / length; // -1 at the stalk, 1 at the tip
            float v = -dx * sa + dy * ca;
            if (u < -1.0f || u > 1.0f) {
                continue;
            }
            // widest a little towards the stalk, narrowing to a point
            float half = width * std::sqrt(std::max(0.0f, 1.0f - u * u)) * (1.0f - 0.35f * u);
            if (std::fabs(v) <= half) {
                Rgb p = v < 0 ? shade(c, 1.18f) : shade(c, 0.86f);
                if (std::fabs(v) < 0.5f && u > -0.8f) {
                    p = shade(c, 0.7f);
                }
                putpixel(bmp, x, y, pixelOf(p));
            }
        }
    }
}

} // namespace

BITMAP* paintMan() {
    BITMAP* bmp = newPicture(manWidth, manHeight, magenta);
    const int cx = manWidth / 2;
    // arms raised, ready to catch
    limb(bmp, cx - 11, 26, cx - 19, 17, 2.6f);
    limb(bmp, cx - 19, 17, cx - 22, 6, 2.4f);
    limb(bmp, cx + 11, 26, cx + 19, 17, 2.6f);
    limb(bmp, cx + 19, 17, cx + 22, 6, 2.4f);
    shadedEllipse(bmp, cx - 22.5f, 4.5f, 3.2f, 3.4f, skin, false);
    shadedEllipse(bmp, cx + 22.5f, 4.5f, 3.2f, 3.4f, skin, false);
    // legs and feet
    rectfill(bmp, cx - 9, 48, cx - 3, 56, pixelOf(skinDark));
    rectfill(bmp, cx - 8, 48, cx - 4, 55, pixelOf(skin));
    rectfill(bmp, cx + 3, 48, cx + 9, 56, pixelOf(skinDark));
    rectfill(bmp, cx + 4, 48, cx + 8, 55, pixelOf(skin));
    shadedEllipse(bmp, cx - 7.5f, 57.0f, 5.5f, 2.2f, skin, false);
    shadedEllipse(bmp, cx + 7.5f, 57.0f, 5.5f, 2.2f, skin, false);
    // the round belly of a man who likes his sauna
    shadedEllipse(bmp, cx, 34, 13.5f, 13.0f, skin, false);
    rectfill(bmp, cx - 3, 19, cx + 2, 23, pixelOf(skinDark));
    putpixel(bmp, cx - 6, 28, pixelOf(skinDark));
    putpixel(bmp, cx + 5, 28, pixelOf(skinDark));
    putpixel(bmp, cx, 37, pixelOf(skinDark));
    // the towel, white with blue stripes, tucked in at his left hip
    for (int y = 39; y <= 50; ++y) {
        float bulge = 14.0f + 1.5f * std::sin((y - 39) / 11.0f * 3.14159f);
        int x0 = int(std::lround(cx - bulge)), x1 = int(std::lround(cx + bulge));
        for (int x = x0; x <= x1; ++x) {
            float lit = 1.05f - 0.35f * float(x - x0) / float(x1 - x0);
            Rgb c = (y == 42 || y == 43 || y == 47) ? Rgb{70, 120, 200} : Rgb{244, 244, 240};
            putpixel(bmp, x, y, pixelOf(shade(c, lit)));
        }
    }
    line(bmp, cx + 6, 39, cx + 10, 50, pixelOf(Rgb{150, 150, 160}));
    line(bmp, cx + 7, 39, cx + 11, 50, pixelOf(Rgb{255, 255, 255}));
    // head with ears, wet hair, rosy cheeks and a moustache
    shadedEllipse(bmp, cx - 8.5f, 11.5f, 2.2f, 3.0f, skinDark, false);
    shadedEllipse(bmp, cx + 8.5f, 11.5f, 2.2f, 3.0f, skinDark, false);
    shadedEllipse(bmp, cx, 11, 8.5f, 9.5f, skin, false);
    for (int x = cx - 7; x <= cx + 7; ++x) {
        int top = 2 + std::abs(x - cx) / 3;
        vline(bmp, x, top, top + 2 + (x % 3 == 0), pixelOf(Rgb{150, 105, 55}));
    }
    putpixel(bmp, cx - 6, 13, pixelOf(Rgb{240, 120, 110}));
    putpixel(bmp, cx - 5, 13, pixelOf(Rgb{240, 120, 110}));
    putpixel(bmp, cx + 5, 13, pixelOf(Rgb{240, 120, 110}));
    putpixel(bmp, cx + 6, 13, pixelOf(Rgb{240, 120, 110}));
    rectfill(bmp, cx - 4, 9, cx - 3, 10, pixelOf(Rgb{30, 20, 20}));
    rectfill(bmp, cx + 2, 9, cx + 3, 10, pixelOf(Rgb{30, 20, 20}));
    putpixel(bmp, cx - 4, 9, pixelOf(Rgb{255, 255, 255}));
    putpixel(bmp, cx + 2, 9, pixelOf(Rgb{255, 255, 255}));
    vline(bmp, cx, 10, 13, pixelOf(skinDark));
    fillShape(bmp, {cx - 5, 15, cx + 4, 15, cx + 5, 17, cx, 16, cx - 6, 17}, Rgb{120, 75, 40});
    hline(bmp, cx - 2, 18, cx + 1, pixelOf(Rgb{150, 50, 45}));
    outlineSprite(bmp, Rgb{60, 28, 18});
    return bmp;
}

BITMAP* paintRyeBread() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    const float c = itemSize / 2.0f, outer = 17.5f, hole = 5.5f;
    const float ring = (outer + hole) / 2.0f, tube = (outer - hole) / 2.0f;
    const Rgb rye{104, 68, 46};
    for (int y = 0; y < itemSize; ++y) {
        for (int x = 0; x < itemSize; ++x) {
            float dx = x + 0.5f - c, dy = y + 0.5f - c;
            float d = std::hypot(dx, dy);
            if (d > outer || d < hole) {
                continue;
            }
            // a flat loaf: its top is lit from the upper left, its rims fall away into crust
            float across = (d - ring) / tube;
            float facing = -(dx + dy) / (d * 1.41f);
            float light = 0.92f + 0.18f * facing * std::fabs(across) * (across > 0 ? 1.0f : -1.0f);
            Rgb p = shade(rye, light);
            float edge = std::fabs(across);
            if (edge > 0.78f) {
                p = shade(p, 0.8f - (edge - 0.78f));
            }
            // a dusting of rye flour, thicker on the middle of the top
            float dust = fractalNoise(x / 5.0f, y / 5.0f, 21, 2) * (1.0f - edge);
            p = mix(p, Rgb{176, 152, 128}, std::clamp((dust - 0.25f) * 0.9f, 0.0f, 0.45f));
            float speck = valueNoise(x * 1.7f, y * 1.7f, 33);
            if (speck > 0.78f && edge < 0.7f) {
                p = mix(p, Rgb{214, 196, 172}, 0.6f);
            }
            putpixel(bmp, x, y, pixelOf(p));
        }
    }
    // cracks in the crust and the prick marks of the baker's fork
    for (int i = 0; i < 12; ++i) {
        float a = i * 6.28318f / 12.0f + 0.2f;
        float r = ring + ((i % 3) - 1) * 2.5f;
        int px = int(c + std::cos(a) * r), py = int(c + std::sin(a) * r);
        putpixel(bmp, px, py, pixelOf(Rgb{52, 30, 18}));
        if (i % 4 == 1) {
            putpixel(bmp, px + 1, py, pixelOf(Rgb{70, 42, 26}));
        }
    }
    outlineSprite(bmp, Rgb{44, 24, 12});
    return bmp;
}

BITMAP* paintMeat() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    const Rgb roast{196, 92, 58};
    // the bone with its knuckle, sticking out to the upper right
    thickLine(bmp, 27, 14, 33, 7, 2.2f, Rgb{236, 228, 206});
    shadedEllipse(bmp, 33.5f, 4.5f, 3.0f, 3.0f, Rgb{244, 238, 220}, false);
    shadedEllipse(bmp, 36.0f, 7.5f, 3.0f, 3.0f, Rgb{244, 238, 220}, false);
    // the leg: a big round end narrowing towards the bone
    fillShape(bmp, {9, 16, 25, 12, 30, 15, 28, 22, 20, 33}, roast);
    shadedEllipse(bmp, 16, 25, 14.0f, 12.5f, roast, false);
    for (int y = 10; y < 38; ++y) {
        for (int x = 2; x < 31; ++x) {
            int p = getpixel(bmp, x, y);
            if (p == pixelOf(magenta) || p == pixelOf(Rgb{236, 228, 206})) {
                continue;
            }
            // glaze scored in diamonds
            if ((x + y) % 7 == 0 || (x - y + 70) % 7 == 0) {
                putpixel(bmp, x, y, pixelOf(shade(colourOf(p), 0.72f)));
            }
        }
    }
    // the cut end by the bone: pink meat in a ring of fat
    shadedEllipse(bmp, 27.5f, 15.5f, 4.2f, 3.4f, Rgb{250, 236, 220}, false);
    shadedEllipse(bmp, 27.5f, 15.5f, 3.0f, 2.3f, Rgb{236, 120, 128}, false);
    thickLine(bmp, 28, 15, 30, 12, 1.4f, Rgb{236, 228, 206});
    // a shine on the glaze
    for (int i = 0; i < 5; ++i) {
        putpixel(bmp, 8 + i, 19 - i / 2, pixelOf(Rgb{250, 200, 160}));
    }
    outlineSprite(bmp, Rgb{64, 24, 14});
    return bmp;
}

BITMAP* paintBooze() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    const int cx = 20;
    const Rgb glass{184, 214, 226};
    // body, shoulders and neck of a clear bottle
    for (int y = 3; y <= 38; ++y) {
        float half;
        if (y < 13) {
            half = 3.5f;
        } else if (y < 19) {
            float t = (y - 13) / 6.0f;
            half = 3.5f + 5.0f * std::sin(t * 1.5708f);
        } else {
            half = 8.5f;
        }
        int x0 = int(std::lround(cx - half)), x1 = int(std::lround(cx + half)) - 1;
        for (int x = x0; x <= x1; ++x) {
            float u = (x + 0.5f - cx) / half; // -1 left edge, 1 right edge
            Rgb p = shade(glass, 0.95f - 0.3f * u * u - 0.12f * u);
            if (y >= 16) {
                p = mix(p, Rgb{214, 230, 236}, 0.35f); // the spirit inside
            }
            putpixel(bmp, x, y, pixelOf(p));
        }
    }
    // the highlight down its left side
    vline(bmp, cx - 6, 19, 36, pixelOf(Rgb{255, 255, 255}));
    vline(bmp, cx - 2, 5, 12, pixelOf(Rgb{250, 252, 255}));
    // the label with a red band and a blue mark
    rectfill(bmp, cx - 8, 22, cx + 7, 33, pixelOf(Rgb{246, 242, 228}));
    rectfill(bmp, cx - 8, 22, cx + 7, 24, pixelOf(Rgb{200, 40, 40}));
    rectfill(bmp, cx - 4, 27, cx + 3, 29, pixelOf(Rgb{40, 70, 160}));
    hline(bmp, cx - 5, 31, cx + 4, pixelOf(Rgb{150, 140, 130}));
    vline(bmp, cx + 7, 22, 33, pixelOf(Rgb{200, 196, 184}));
    // the cap
    rectfill(bmp, cx - 4, 1, cx + 3, 4, pixelOf(Rgb{210, 40, 36}));
    hline(bmp, cx - 4, 1, cx + 3, pixelOf(Rgb{250, 110, 100}));
    hline(bmp, cx - 4, 4, cx + 3, pixelOf(Rgb{140, 20, 20}));
    // the foot of the bottle
    hline(bmp, cx - 8, 38, cx + 7, pixelOf(Rgb{130, 160, 176}));
    outlineSprite(bmp, Rgb{32, 44, 60});
    return bmp;
}

BITMAP* paintWhisk() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    // twigs fanning up from the handle
    for (int i = 0; i < 7; ++i) {
        float a = -2.35f + i * 0.26f;
        thickLine(bmp, 20, 30, 20 + std::cos(a) * 18, 30 + std::sin(a) * 24, 0.5f,
                  Rgb{110, 70, 40});
    }
    // birch leaves, placed from a fixed seed
    const Rgb greens[] = {{72, 150, 52}, {96, 172, 60}, {58, 128, 44}, {120, 184, 70}};
    uint32_t s = 12345u;
    auto next = [&s]() {
        s = s * 1664525u + 1013904223u;
        return float(s >> 8) / float(1u << 24);
    };
    for (int i = 0; i < 46; ++i) {
        float a = -2.55f + next() * 1.96f;
        float r = 6.0f + next() * 16.0f;
        float lx = 20 + std::cos(a) * r * 0.95f, ly = 28 + std::sin(a) * r * 1.05f;
        if (ly > 27 || lx < 3 || lx > 36 || ly < 3) {
            continue;
        }
        leaf(bmp, lx, ly, 3.4f, 2.1f, a + (next() - 0.5f) * 1.4f, greens[i % 4]);
    }
    // the handle: bound twigs with the twine wound round them
    rectfill(bmp, 17, 27, 22, 38, pixelOf(Rgb{120, 78, 44}));
    vline(bmp, 18, 27, 38, pixelOf(Rgb{150, 104, 62}));
    vline(bmp, 21, 27, 38, pixelOf(Rgb{92, 58, 32}));
    for (int y : {29, 31, 33}) {
        hline(bmp, 16, y, 23, pixelOf(Rgb{222, 206, 160}));
    }
    outlineSprite(bmp, Rgb{34, 52, 20});
    return bmp;
}
