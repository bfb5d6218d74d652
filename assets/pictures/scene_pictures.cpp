// The game scene's three fixed pictures: the sauna behind, the bench and the side bar.
#include "canvas.h"
#include "pictures.h"
#include "sauna_props.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

const WoodStyle wallWood{{226, 174, 112}, {150, 96, 54}, 24, false, 11};
const WoodStyle barWood{{112, 68, 40}, {58, 33, 18}, 23, true, 31};

// a small window to a lake in the evening
void drawWindow(BITMAP* bmp, int x0, int y0, int x1, int y1) {
    softShadow(bmp, x0 + 3, y0 + 5, x1 + 3, y1 + 5, 4, 10, 0.45f);
    rectfill(bmp, x0 - 8, y0 - 8, x1 + 8, y1 + 8, pixelOf(Rgb{132, 84, 44}));
    rect(bmp, x0 - 8, y0 - 8, x1 + 8, y1 + 8, pixelOf(Rgb{70, 40, 18}));
    hline(bmp, x0 - 7, y0 - 7, x1 + 7, pixelOf(Rgb{190, 136, 84}));
    int horizon = y0 + (y1 - y0) * 62 / 100;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Rgb c;
            if (y < horizon) {
                float t = float(y - y0) / float(horizon - y0);
                c = t < 0.6f ? mix(Rgb{44, 56, 120}, Rgb{190, 110, 130}, t / 0.6f)
                             : mix(Rgb{190, 110, 130}, Rgb{255, 190, 110}, (t - 0.6f) / 0.4f);
            } else {
                float t = float(y - horizon) / float(y1 - horizon);
                c = mix(Rgb{220, 150, 110}, Rgb{40, 50, 90}, t);
                if ((y + x / 9) % 4 == 0) {
                    c = shade(c, 1.15f);
                }
            }
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    // the far shore: a dark line of spruce tops
    for (int x = x0; x <= x1; ++x) {
        float n = fractalNoise(x / 6.0f, 3.0f, 41, 2);
        int h = int(4 + n * 10 + ((x * 7) % 11 == 0 ? 5 : 0));
        vline(bmp, x, horizon - h, horizon, pixelOf(Rgb{30, 34, 44}));
    }
    // the crossbars
    int mx = (x0 + x1) / 2, my = (y0 + y1) / 2;
    rectfill(bmp, mx - 2, y0, mx + 2, y1, pixelOf(Rgb{132, 84, 44}));
    rectfill(bmp, x0, my - 2, x1, my + 2, pixelOf(Rgb{132, 84, 44}));
    vline(bmp, mx - 2, y0, y1, pixelOf(Rgb{176, 120, 70}));
    hline(bmp, x0, my - 2, x1, pixelOf(Rgb{176, 120, 70}));
}

// a wooden sauna thermometer, its red line already high
void drawThermometer(BITMAP* bmp, int cx, int y0, int y1) {
    softShadow(bmp, cx - 13, y0 + 4, cx + 17, y1 + 4, 12, 8, 0.5f);
    roundedBox(bmp, cx - 15, y0, cx + 15, y1, 13, Rgb{120, 74, 38});
    roundedBox(bmp, cx - 12, y0 + 3, cx + 12, y1 - 3, 11, Rgb{176, 122, 70});
    rectfill(bmp, cx - 2, y0 + 14, cx + 2, y1 - 20, pixelOf(Rgb{236, 236, 230}));
    rectfill(bmp, cx - 1, y0 + 34, cx + 1, y1 - 20, pixelOf(Rgb{210, 30, 30}));
    shadedEllipse(bmp, cx, float(y1 - 16), 5.5f, 5.5f, Rgb{210, 30, 30}, true);
    for (int y = y0 + 18; y < y1 - 24; y += 8) {
        hline(bmp, cx - 9, y, cx - 5, pixelOf(Rgb{70, 40, 20}));
        hline(bmp, cx + 5, y, cx + 8 + ((y - y0) % 16 == 2 ? 2 : 0), pixelOf(Rgb{70, 40, 20}));
    }
}

// a wall lamp behind a shade of wooden slats, its light falling on the wall
void drawLamp(BITMAP* bmp, int cx, int cy) {
    glow(bmp, float(cx), float(cy), 170, Rgb{255, 214, 150}, 0.3f);
    softShadow(bmp, cx - 22, cy - 16, cx + 26, cy + 22, 3, 8, 0.45f);
    for (int y = cy - 16; y <= cy + 16; ++y) {
        Rgb c = mix(Rgb{255, 240, 190}, Rgb{250, 180, 90}, float(y - cy + 16) / 32.0f);
        hline(bmp, cx - 22, y, cx + 22, pixelOf(c));
    }
    for (int i = -3; i <= 3; ++i) {
        int x = cx + i * 7;
        rectfill(bmp, x - 1, cy - 16, x + 2, cy + 16, pixelOf(Rgb{150, 98, 52}));
        vline(bmp, x - 1, cy - 16, cy + 16, pixelOf(Rgb{200, 146, 90}));
        vline(bmp, x + 2, cy - 16, cy + 16, pixelOf(Rgb{96, 58, 28}));
    }
    rectfill(bmp, cx - 25, cy - 20, cx + 25, cy - 16, pixelOf(Rgb{110, 68, 34}));
    hline(bmp, cx - 25, cy - 20, cx + 25, pixelOf(Rgb{170, 116, 64}));
    rectfill(bmp, cx - 25, cy + 16, cx + 25, cy + 20, pixelOf(Rgb{110, 68, 34}));
    hline(bmp, cx - 25, cy + 20, cx + 25, pixelOf(Rgb{66, 38, 18}));
}

} // namespace

BITMAP* paintSceneBackground() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{150, 100, 60});
    woodPanel(bmp, 0, 0, screenWidth - 1, screenHeight - 1, wallWood);
    // the ceiling boards and the shadow they throw
    const WoodStyle ceiling{{160, 110, 64}, {96, 60, 32}, 16, true, 13};
    woodPanel(bmp, 0, 0, screenWidth - 1, 17, ceiling);
    hline(bmp, 0, 18, screenWidth - 1, pixelOf(Rgb{60, 34, 16}));
    for (int y = 19; y < 40; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            blendPixel(bmp, x, y, Rgb{40, 20, 8}, 0.4f * (1.0f - (y - 19) / 21.0f));
        }
    }
    drawLamp(bmp, 300, 56);
    drawWindow(bmp, 186, 120, 270, 190);
    drawThermometer(bmp, 400, 80, 230);
    // the backrest along the wall behind the bench, standing out from the wall on its brackets
    for (int y = 369; y < 384; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            blendPixel(bmp, x, y, Rgb{30, 14, 6}, 0.6f * (1.0f - (y - 369) / 15.0f));
        }
    }
    woodPanel(bmp, 0, 346, screenWidth - 1, 368,
              WoodStyle{{206, 150, 90}, {132, 84, 44}, 23, false, 17});
    hline(bmp, 0, 346, screenWidth - 1, pixelOf(Rgb{250, 214, 156}));
    hline(bmp, 0, 347, screenWidth - 1, pixelOf(Rgb{226, 178, 116}));
    hline(bmp, 0, 368, screenWidth - 1, pixelOf(Rgb{70, 40, 18}));
    // lower down the wall lies in the shade of the bench
    for (int y = 380; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            blendPixel(bmp, x, y, Rgb{40, 20, 8}, 0.35f * float(y - 380) / 100.0f);
        }
    }
    drawStove(bmp, 20, 250);
    // hot air gathers under the ceiling
    for (int y = 19; y < 140; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            float n = fractalNoise(x / 50.0f, y / 14.0f, 3, 3);
            float a = (1.0f - (y - 19) / 121.0f) * std::clamp((n - 0.35f) * 1.6f, 0.0f, 1.0f);
            blendPixel(bmp, x, y, Rgb{255, 246, 236}, 0.35f * a);
        }
    }
    // the light falls off towards the left wall and the floor
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            float left = std::clamp(1.0f - x / 140.0f, 0.0f, 1.0f);
            float low = std::clamp((y - 300) / 180.0f, 0.0f, 1.0f);
            blendPixel(bmp, x, y, Rgb{20, 10, 4}, 0.35f * left * left + 0.2f * low);
        }
    }
    return bmp;
}

BITMAP* paintBench() {
    BITMAP* bmp = newPicture(screenWidth, benchHeight, Rgb{170, 120, 70});
    drawBench(bmp, 0, screenWidth);
    return bmp;
}

namespace {

// the nasty elf: a tall red cap, a white beard, a sly look to the side and a crooked grin
void drawElf(BITMAP* bmp, int cx) {
    const Rgb skinTone{240, 182, 150};
    const Rgb beardLight{240, 236, 228};
    const Rgb capRed{206, 36, 32};
    // woollen coat on his shoulders
    shadedEllipse(bmp, float(cx), 268, 62, 44, Rgb{110, 104, 96}, true);
    // ears poking out under the cap
    fillShape(bmp, {cx - 30, 138, cx - 50, 124, cx - 34, 156}, shade(skinTone, 0.85f));
    fillShape(bmp, {cx + 30, 138, cx + 50, 124, cx + 34, 156}, shade(skinTone, 0.8f));
    // the face, edged in a darker line
    shadedEllipse(bmp, float(cx), 152, 34, 30, Rgb{120, 60, 40}, true);
    shadedEllipse(bmp, float(cx), 152, 32.5f, 28.5f, skinTone, true);
    glow(bmp, float(cx - 20), 162, 13, Rgb{255, 110, 110}, 0.5f);
    glow(bmp, float(cx + 20), 162, 13, Rgb{255, 110, 110}, 0.5f);
    // the beard: wavy white locks down to a point
    for (int y = 160; y <= 246; ++y) {
        float t = float(y - 160) / 86.0f;
        float half = 44.0f * std::sqrt(std::max(0.0f, 1.0f - t * t * t)) *
                     (0.85f + 0.15f * std::sin(y / 5.0f));
        for (int x = int(cx - half); x <= int(cx + half); ++x) {
            float dx = (x - cx) / 44.0f;
            // leave the face free above the chin
            if (y < 178 && std::fabs(dx) < 0.55f - (y - 160) / 60.0f) {
                continue;
            }
            float strand =
                0.5f + 0.5f * std::sin(x * 0.9f + fractalNoise(x / 9.0f, y / 14.0f, 8, 3) * 9);
            Rgb c = mix(beardLight, Rgb{176, 170, 164}, strand * 0.55f + std::fabs(dx) * 0.3f);
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    // the crooked grin, higher on one side, with a tooth showing
    for (int x = cx - 14; x <= cx + 16; ++x) {
        float u = float(x - cx) / 15.0f;
        int y = int(std::lround(184 + 3 * (1 - u * u) - 5 * std::max(0.0f, u)));
        rectfill(bmp, x, y - 1, x, y + 1, pixelOf(Rgb{90, 24, 24}));
    }
    rectfill(bmp, cx + 4, 183, cx + 7, 184, pixelOf(Rgb{250, 250, 240}));
    // moustache curling up at the ends
    shadedEllipse(bmp, float(cx - 13), 176, 15, 6, beardLight, true);
    shadedEllipse(bmp, float(cx + 13), 176, 15, 6, beardLight, true);
    shadedEllipse(bmp, float(cx - 27), 171, 5, 4, beardLight, true);
    shadedEllipse(bmp, float(cx + 27), 171, 5, 4, beardLight, true);
    // the big nose
    shadedEllipse(bmp, float(cx), 164, 10.5f, 9.5f, Rgb{232, 122, 106}, true);
    // eyes half shut under heavy brows, glancing down to the man
    for (int side = -1; side <= 1; side += 2) {
        float ex = cx + side * 14.0f;
        shadedEllipse(bmp, ex, 148, 7.0f, 5.0f, Rgb{250, 250, 246}, true);
        shadedEllipse(bmp, ex - 3.0f, 149.5f, 3.0f, 3.2f, Rgb{40, 70, 40}, true);
        putpixel(bmp, int(ex) - 4, 148, pixelOf(Rgb{255, 255, 255}));
        // the upper lid covers the top of the eye
        for (int y = 141; y <= 145; ++y) {
            for (int x = int(ex) - 8; x <= int(ex) + 8; ++x) {
                float dx = (x - ex) / 7.0f, dy = (y - 148) / 5.0f;
                if (dx * dx + dy * dy <= 1.0f) {
                    putpixel(bmp, x, y, pixelOf(shade(skinTone, 0.88f)));
                }
            }
        }
        hline(bmp, int(ex) - 7, 146, int(ex) + 7, pixelOf(Rgb{110, 50, 36}));
        // brows slanting down to the nose: up to no good
        for (int i = 0; i <= 16; ++i) {
            float bx = ex - side * 9.0f + side * i;
            float by = 131 + i * 0.45f;
            rectfill(bmp, int(bx), int(by), int(bx) + 1, int(by) + 3,
                     pixelOf(mix(beardLight, Rgb{180, 174, 168}, i / 16.0f)));
        }
    }
    // the cap: tall, red, its tip flopping over to the right
    const int cap[] = {cx - 38, 134, cx - 33, 100, cx - 18, 64,  cx + 2,  38,
                       cx + 28, 24,  cx + 52, 30,  cx + 62, 44,  cx + 50, 40,
                       cx + 30, 44,  cx + 22, 70,  cx + 30, 104, cx + 38, 134};
    polygon(bmp, 12, cap, pixelOf(capRed));
    for (int y = 20; y <= 136; ++y) {
        for (int x = cx - 40; x <= cx + 66; ++x) {
            if (getpixel(bmp, x, y) != pixelOf(capRed)) {
                continue;
            }
            float u = float(x - (cx - 40)) / 106.0f;
            float fold = 0.5f + 0.5f * std::sin((x + y * 0.4f) / 7.0f);
            Rgb c = shade(capRed, 1.25f - 0.55f * u - 0.12f * fold);
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    // its rolled brim and the pompom
    for (int x = cx - 40; x <= cx + 40; ++x) {
        float u = float(x - cx) / 40.0f;
        int top = 124 + int(3 * u * u);
        for (int y = top; y <= top + 11; ++y) {
            float v = float(y - top) / 11.0f;
            Rgb c = shade(Rgb{170, 26, 24}, 1.2f - 0.5f * v - 0.2f * u);
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    shadedEllipse(bmp, float(cx + 60), 46, 9, 9, Rgb{244, 240, 232}, true);
}

} // namespace

BITMAP* paintSideBar() {
    BITMAP* bmp = newPicture(sideBarWidth, screenHeight, Rgb{80, 45, 25});
    woodPanel(bmp, 0, 0, sideBarWidth - 1, screenHeight - 1, barWood);
    // the elf's portrait in a framed hatch
    const int fx0 = 12, fy0 = 12, fx1 = sideBarWidth - 10, fy1 = 250;
    softShadow(bmp, fx0 + 3, fy0 + 4, fx1 + 3, fy1 + 4, 12, 10, 0.6f);
    roundedBox(bmp, fx0 - 4, fy0 - 4, fx1 + 4, fy1 + 4, 14, Rgb{150, 110, 54});
    roundedBox(bmp, fx0 - 2, fy0 - 2, fx1 + 2, fy1 + 2, 13, Rgb{90, 60, 26});
    roundedBox(bmp, fx0, fy0, fx1, fy1, 12, Rgb{34, 20, 14});
    set_clip_rect(bmp, fx0 + 2, fy0 + 2, fx1 - 2, fy1 - 2);
    glow(bmp, float(sideBarWidth / 2), 120, 140, Rgb{180, 90, 40}, 0.5f);
    drawElf(bmp, sideBarWidth / 2 - 2);
    set_clip_rect(bmp, 0, 0, sideBarWidth - 1, screenHeight - 1);
    // the dark board where the game prints the score, the heat and the elf's wish:
    // four lines from 13 pixels in, rows 280 to 338, up to 160 pixels long
    const int px0 = 4, py0 = 264, px1 = sideBarWidth - 5, py1 = 354;
    softShadow(bmp, px0 + 2, py0 + 3, px1 + 2, py1 + 3, 8, 8, 0.6f);
    roundedBox(bmp, px0, py0, px1, py1, 8, Rgb{196, 160, 80});
    roundedBox(bmp, px0 + 2, py0 + 2, px1 - 2, py1 - 2, 7, Rgb{16, 10, 7});
    fillShape(bmp, {88, py0 + 2, 108, py0 + 2, 104, 250}, Rgb{196, 160, 80});
    fillShape(bmp, {91, py0 + 3, 105, py0 + 3, 103, 254}, Rgb{16, 10, 7});
    drawBucket(bmp, 80, screenHeight - benchHeight);
    drawBench(bmp, screenHeight - benchHeight, sideBarWidth);
    // the post that frames the sauna on the left
    for (int x = 0; x < 8; ++x) {
        Rgb c = shade(Rgb{120, 76, 40}, x == 0 ? 0.45f : (x == 2 ? 1.3f : 1.0f - x * 0.05f));
        vline(bmp, x, 0, screenHeight - 1, pixelOf(c));
    }
    for (int x = 8; x < 16; ++x) {
        for (int y = 0; y < screenHeight; ++y) {
            blendPixel(bmp, x, y, Rgb{0, 0, 0}, 0.4f * (1.0f - (x - 8) / 8.0f));
        }
    }
    return bmp;
}
