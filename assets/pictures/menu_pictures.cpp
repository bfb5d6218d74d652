// The menu's four pictures: the title screen, the pointer, the instructions and the goodbye.
#include "canvas.h"
#include "pictures.h"
#include "sauna_props.h"

#include <algorithm>
#include <cmath>

namespace {

const WoodStyle dimWall{{168, 112, 64}, {92, 54, 28}, 24, false, 41};
const WoodStyle plaqueWood{{236, 196, 136}, {184, 128, 76}, 32, false, 43};
const Rgb cream{255, 246, 224};
const Rgb inkBrown{54, 26, 10};
const Rgb fireTop{255, 236, 130};
const Rgb fireBottom{232, 84, 24};

// a wooden plaque that fills the button's rectangle exactly, with bevelled edges and pegs
void drawButton(BITMAP* bmp, const ButtonBox& b) {
    softShadow(bmp, b.left + 2, b.top + 4, b.right + 2, b.bottom + 4, 8, 9, 0.45f);
    roundedBox(bmp, b.left, b.top, b.right, b.bottom, 8, Rgb{70, 38, 16});
    woodBox(bmp, b.left + 2, b.top + 2, b.right - 2, b.bottom - 2, 6, plaqueWood);
    // bevel: light along the top and left, dark along the bottom and right
    for (int i = 0; i < 4; ++i) {
        float a = 0.45f - i * 0.1f;
        for (int x = b.left + 7 + i; x <= b.right - 7 - i; ++x) {
            blendPixel(bmp, x, b.top + 2 + i, Rgb{255, 250, 230}, a);
            blendPixel(bmp, x, b.bottom - 2 - i, Rgb{60, 30, 10}, a);
        }
        for (int y = b.top + 7 + i; y <= b.bottom - 7 - i; ++y) {
            blendPixel(bmp, b.left + 2 + i, y, Rgb{255, 250, 230}, a * 0.8f);
            blendPixel(bmp, b.right - 2 - i, y, Rgb{60, 30, 10}, a * 0.8f);
        }
    }
    for (int px : {b.left + 14, b.right - 14}) {
        for (int py : {b.top + 14, b.bottom - 14}) {
            shadedEllipse(bmp, float(px), float(py), 3.5f, 3.5f, Rgb{150, 100, 56}, true);
            putpixel(bmp, px - 1, py - 1, pixelOf(Rgb{230, 190, 130}));
        }
    }
}

void buttonLabel(BITMAP* bmp, const char* text, int centreY, int scale) {
    bigText(bmp, text, screenWidth / 2, centreY - 4 * scale, scale, cream, Rgb{250, 214, 160},
            inkBrown);
}

// a key cap with its label, from its top-left corner; returns its right edge
int keyCap(BITMAP* bmp, int x, int y, const char* label) {
    int w = std::max(36, text_length(font, label) * 2 + 16);
    softShadow(bmp, x + 1, y + 2, x + w + 1, y + 32, 5, 5, 0.5f);
    roundedBox(bmp, x, y, x + w, y + 30, 5, Rgb{60, 56, 52});
    roundedBox(bmp, x + 2, y + 1, x + w - 2, y + 25, 4, Rgb{236, 232, 222});
    verticalGradient(bmp, x + 5, y + 3, x + w - 5, y + 23, Rgb{250, 248, 242}, Rgb{214, 208, 198});
    scaledTextCentred(bmp, label, x + w / 2, y + 6, 2, Rgb{40, 36, 32});
    return x + w;
}

// an arrow key cap pointing left (-1) or right (1)
int arrowKey(BITMAP* bmp, int x, int y, int direction) {
    int right = keyCap(bmp, x, y, "");
    int cx = x + 18, cy = y + 13;
    const Rgb ink{40, 36, 32};
    int tip = cx + 8 * direction, base = cx - 2 * direction, tail = cx - 8 * direction;
    fillShape(bmp, {tip, cy, base, cy - 7, base, cy + 7}, ink);
    rectfill(bmp, std::min(base, tail), cy - 2, std::max(base, tail), cy + 2, pixelOf(ink));
    return right;
}

void drawSprite(BITMAP* bmp, BITMAP* sprite, int x, int y) {
    draw_sprite(bmp, sprite, x, y);
    destroy_bitmap(sprite);
}

} // namespace

BITMAP* paintMenu() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{90, 50, 25});
    woodPanel(bmp, 0, 0, screenWidth - 1, screenHeight - 1, dimWall);
    drawBench(bmp, screenHeight - benchHeight, screenWidth);
    drawStove(bmp, 4, 300);
    drawBucket(bmp, 572, screenHeight - benchHeight);
    vignette(bmp, 0.75f);
    // the title, glowing like the stones of a hot stove
    glow(bmp, 320, 88, 260, Rgb{255, 150, 60}, 0.35f);
    steam(bmp, 320, 70, 300, 70, 17, 0.5f);
    bigText(bmp, "KIUAS", screenWidth / 2, 52, 10, fireTop, fireBottom, Rgb{48, 14, 4});
    // the dark corner where the best score is printed
    softShadow(bmp, 8, 10, 272, 36, 6, 6, 0.5f);
    roundedBox(bmp, 7, 9, 273, 37, 7, Rgb{150, 110, 54});
    roundedBox(bmp, 9, 11, 271, 35, 6, Rgb{18, 11, 7});
    drawButton(bmp, startButton);
    drawButton(bmp, resetButton);
    drawButton(bmp, exitButton);
    buttonLabel(bmp, "PELAA", (startButton.top + startButton.bottom) / 2, 4);
    buttonLabel(bmp, "NOLLAA PISTEET", (resetButton.top + resetButton.bottom) / 2 - 10, 3);
    scaledTextCentred(bmp, "ja ohjeet", screenWidth / 2,
                      (resetButton.top + resetButton.bottom) / 2 + 12, 2, Rgb{96, 52, 22});
    buttonLabel(bmp, "LOPETA", (exitButton.top + exitButton.bottom) / 2, 4);
    return bmp;
}

BITMAP* paintPointer(PALETTE pal) {
    // 0 is the see-through colour, then black and a ramp from cream to warm orange
    for (int i = 0; i < PAL_SIZE; ++i) {
        pal[i] = RGB{0, 0, 0, 0};
    }
    pal[0] = RGB{63, 0, 63, 0};
    pal[1] = RGB{4, 2, 1, 0};
    for (int i = 0; i < 8; ++i) {
        pal[2 + i] = RGB{63, static_cast<unsigned char>(63 - i * 3),
                         static_cast<unsigned char>(60 - i * 6), 0};
    }
    BITMAP* bmp = create_bitmap_ex(8, 16, 24);
    clear_to_color(bmp, 0);
    // the arrow one pixel in, so that its outline reaches the hot spot at the top-left pixel
    int arrow[] = {1, 1, 1, 18, 5, 14, 8, 21, 11, 20, 8, 13, 13, 13};
    polygon(bmp, 7, arrow, 2);
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            if (getpixel(bmp, x, y) == 2) {
                putpixel(bmp, x, y, 2 + std::min(7, (x + y) / 3));
            }
        }
    }
    // a black line all round, corners included
    BITMAP* filled = create_bitmap_ex(8, bmp->w, bmp->h);
    blit(bmp, filled, 0, 0, 0, 0, bmp->w, bmp->h);
    for (int y = 0; y < bmp->h; ++y) {
        for (int x = 0; x < bmp->w; ++x) {
            bool near = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    int p = getpixel(filled, x + dx, y + dy);
                    near |= p >= 2;
                }
            }
            if (getpixel(filled, x, y) == 0 && near) {
                putpixel(bmp, x, y, 1);
            }
        }
    }
    destroy_bitmap(filled);
    return bmp;
}

BITMAP* paintInfo() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{40, 25, 15});
    woodPanel(bmp, 0, 0, screenWidth - 1, screenHeight - 1, dimWall);
    vignette(bmp, 0.8f);
    bigText(bmp, "OHJEET", screenWidth / 2, 14, 5, fireTop, fireBottom, Rgb{48, 14, 4});
    // a light board with the rules on it
    const int bx0 = 36, by0 = 66, bx1 = 603, by1 = 432;
    softShadow(bmp, bx0 + 4, by0 + 6, bx1 + 4, by1 + 6, 10, 14, 0.6f);
    roundedBox(bmp, bx0, by0, bx1, by1, 10, Rgb{90, 52, 24});
    woodBox(bmp, bx0 + 3, by0 + 3, bx1 - 3, by1 - 3, 8,
            WoodStyle{{250, 226, 184}, {222, 188, 140}, 400, false, 47});
    // what the button just did
    roundedBox(bmp, bx0 + 16, by0 + 14, bx1 - 16, by0 + 44, 6, Rgb{150, 40, 24});
    scaledTextCentred(bmp, "Parhaat pisteet on nollattu: 10", screenWidth / 2, by0 + 22, 2,
                      Rgb{255, 240, 200});
    const Rgb ink{60, 32, 14};
    int x = 60, y = by0 + 62;
    x = arrowKey(bmp, x, y, -1) + 6;
    x = arrowKey(bmp, x, y, 1) + 14;
    scaledText(bmp, "nuolin\xc3\xa4pp\xc3\xa4imet vasen ja", x, y - 2, 2, ink);
    scaledText(bmp, "oikea: ukko juoksee", x, y + 17, 2, ink);
    y += 46;
    x = keyCap(bmp, 60, y, "Esc") + 14;
    scaledText(bmp, "lopettaa pelin", x, y + 7, 2, ink);
    y += 48;
    scaledText(bmp, "Tonttu sanoo, mit\xc3\xa4 se haluaa:", 60, y, 2, ink);
    y += 24;
    const char* names[] = {"ruisleip\xc3\xa4", "liha", "viina", "vihta"};
    BITMAP* (*painters[])() = {paintRyeBread, paintMeat, paintBooze, paintWhisk};
    for (int i = 0; i < 4; ++i) {
        int cx = 120 + i * 133;
        drawSprite(bmp, painters[i](), cx - itemSize / 2, y);
        smallTextCentred(bmp, names[i], cx, y + itemSize + 4, ink);
    }
    y += itemSize + 22;
    scaledText(bmp, "+30", 60, y, 2, Rgb{30, 120, 30});
    scaledText(bmp, "oikea tavara", 124, y, 2, ink);
    y += 24;
    scaledText(bmp, "-20", 60, y, 2, Rgb{180, 30, 20});
    scaledText(bmp, "v\xc3\xa4\xc3\xa4r\xc3\xa4: sauna kuumenee!", 124, y, 2, ink);
    y += 34;
    scaledTextCentred(bmp, "Kun kuumuus on 120 astetta,", screenWidth / 2, y, 2, ink);
    scaledTextCentred(bmp, "peli loppuu.", screenWidth / 2, y + 20, 2, ink);
    scaledTextCentred(bmp, "Esc: takaisin valikkoon", screenWidth / 2, 448, 2, cream);
    return bmp;
}

BITMAP* paintGoodbye() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{40, 25, 15});
    const int horizon = 300;
    // the evening sky over the lake
    for (int y = 0; y < horizon; ++y) {
        float t = float(y) / float(horizon);
        Rgb c = t < 0.55f ? mix(Rgb{24, 30, 78}, Rgb{150, 84, 128}, t / 0.55f)
                          : mix(Rgb{150, 84, 128}, Rgb{255, 178, 96}, (t - 0.55f) / 0.45f);
        hline(bmp, 0, y, screenWidth - 1, pixelOf(c));
    }
    uint32_t s = 2024u;
    auto next = [&s]() {
        s = s * 1664525u + 1013904223u;
        return float(s >> 8) / float(1u << 24);
    };
    for (int i = 0; i < 70; ++i) {
        int sx = int(next() * screenWidth), sy = int(next() * 120);
        blendPixel(bmp, sx, sy, Rgb{255, 255, 240}, 0.4f + 0.6f * next());
    }
    glow(bmp, 420, float(horizon - 6), 160, Rgb{255, 210, 120}, 0.5f);
    smoothEllipse(bmp, 420, float(horizon - 4), 22, 22, Rgb{255, 232, 160}, 1.0f);
    // the far shore: a ragged line of spruce
    for (int x = 0; x < screenWidth; ++x) {
        float n = fractalNoise(x / 14.0f, 1.0f, 51, 3);
        int h = int(10 + n * 26);
        int spike = (x * 37) % 23;
        if (spike < 3) {
            h += 10 - spike * 3;
        }
        vline(bmp, x, horizon - h, horizon, pixelOf(Rgb{26, 24, 44}));
    }
    // the lake mirrors the sky, broken by ripples
    for (int y = horizon; y < screenHeight; ++y) {
        float t = float(y - horizon) / float(screenHeight - horizon);
        int mirror = std::max(0, horizon - 1 - int((y - horizon) * 1.6f));
        for (int x = 0; x < screenWidth; ++x) {
            float ripple = valueNoise(x / 40.0f, y / 2.0f, 61);
            Rgb sky = colourOf(_getpixel32(bmp, x, mirror));
            Rgb c = mix(shade(sky, 0.8f), Rgb{16, 22, 50}, 0.25f + 0.6f * t);
            if (ripple > 0.68f) {
                c = mix(c, Rgb{255, 210, 150}, 0.25f * (1.0f - t));
            }
            putpixel(bmp, x, y, pixelOf(c));
        }
    }
    // the sun's path on the water
    for (int y = horizon + 2; y < screenHeight - 40; y += 3) {
        float t = float(y - horizon) / 140.0f;
        int half = int(10 + t * 40 * valueNoise(y / 3.0f, 0.5f, 71));
        hline(bmp, 420 - half, y, 420 + half,
              pixelOf(mix(Rgb{255, 220, 150}, Rgb{140, 90, 90}, t)));
    }
    // the sauna cabin on the shore, its window still lit
    const int cx0 = 60, cx1 = 220, base = horizon + 24, wallTop = base - 62;
    fillShape(bmp, {0, base + 10, 300, base + 4, 340, horizon + 2, 0, horizon - 6},
              Rgb{22, 20, 30});
    rectfill(bmp, cx0, wallTop, cx1, base, pixelOf(Rgb{52, 34, 30}));
    for (int y = wallTop + 6; y < base; y += 8) {
        hline(bmp, cx0, y, cx1, pixelOf(Rgb{36, 24, 22}));
    }
    fillShape(bmp, {cx0 - 14, wallTop + 2, (cx0 + cx1) / 2, wallTop - 40, cx1 + 14, wallTop + 2},
              Rgb{30, 22, 26});
    rectfill(bmp, cx1 - 44, wallTop - 46, cx1 - 32, wallTop - 14, pixelOf(Rgb{40, 30, 32}));
    glow(bmp, 112, float(wallTop + 30), 70, Rgb{255, 170, 70}, 0.5f);
    rectfill(bmp, 96, wallTop + 18, 128, wallTop + 40, pixelOf(Rgb{255, 196, 96}));
    rectfill(bmp, 111, wallTop + 18, 113, wallTop + 40, pixelOf(Rgb{52, 34, 30}));
    hline(bmp, 96, wallTop + 29, 128, pixelOf(Rgb{52, 34, 30}));
    rectfill(bmp, 160, wallTop + 14, 184, base, pixelOf(Rgb{34, 22, 20}));
    // smoke from the chimney, and the jetty out into the lake
    steam(bmp, float(cx1 - 30), float(wallTop - 90), 60, 50, 81, 0.45f);
    steam(bmp, float(cx1 - 10), float(wallTop - 150), 80, 45, 82, 0.3f);
    fillShape(bmp, {200, base + 2, 330, base + 8, 330, base + 14, 196, base + 8}, Rgb{70, 46, 32});
    for (int px : {220, 260, 300, 326}) {
        vline(bmp, px, base + 8, base + 26, pixelOf(Rgb{40, 28, 22}));
    }
    // a birch in the foreground
    for (int y = 0; y < screenHeight; ++y) {
        int x = 560 + int(6 * std::sin(y / 90.0f));
        for (int dx = -9; dx <= 9; ++dx) {
            float u = dx / 9.0f;
            Rgb c = shade(Rgb{236, 232, 222}, 1.05f - 0.45f * (u + 1) / 2);
            if (valueNoise(float(x + dx) / 4.0f, y / 3.0f, 91) > 0.74f) {
                c = Rgb{30, 26, 24};
            }
            putpixel(bmp, x + dx, y, pixelOf(c));
        }
    }
    for (int i = 0; i < 220; ++i) {
        float a = next() * 6.28f, r = next() * 90;
        float lx = 560 + std::cos(a) * r * 1.2f, ly = 40 + std::sin(a) * r * 0.6f;
        Rgb g = mix(Rgb{40, 70, 30}, Rgb{96, 130, 50}, next());
        smoothEllipse(bmp, lx, ly, 4, 3, g, 1.0f);
    }
    vignette(bmp, 0.6f);
    // the thanks, in the sky
    bigText(bmp, "Kiitos", 300, 70, 8, fireTop, fireBottom, Rgb{40, 15, 5});
    bigText(bmp, "saunomisesta!", 300, 150, 4, fireTop, fireBottom, Rgb{40, 15, 5});
    roundedBox(bmp, 220, 440, 420, 466, 6, Rgb{14, 12, 24});
    scaledTextCentred(bmp, "Esc: lopeta", 320, 445, 2, cream);
    return bmp;
}
