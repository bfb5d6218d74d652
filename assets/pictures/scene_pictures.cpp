// The game scene's three fixed pictures: the sauna behind, the bench and the side bar.
#include "canvas.h"
#include "pictures.h"

BITMAP* paintSceneBackground() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{150, 100, 60});
    for (int y = 0; y < screenHeight; ++y) {
        for (int x = 0; x < screenWidth; ++x) {
            float n = fractalNoise(x / 40.0f, y / 4.0f, 7, 3);
            Rgb c = mix(Rgb{130, 80, 45}, Rgb{190, 130, 80}, n);
            if (y % 32 == 0) {
                c = shade(c, 0.6f);
            }
            _putpixel32(bmp, x, y, pixelOf(c));
        }
    }
    return bmp;
}

BITMAP* paintBench() {
    BITMAP* bmp = newPicture(screenWidth, benchHeight, Rgb{170, 120, 70});
    verticalGradient(bmp, 0, 0, screenWidth - 1, benchHeight - 1, Rgb{210, 160, 100},
                     Rgb{120, 75, 40});
    return bmp;
}

BITMAP* paintSideBar() {
    BITMAP* bmp = newPicture(sideBarWidth, screenHeight, Rgb{80, 45, 25});
    roundedBox(bmp, 6, hudLines.top - 12, sideBarWidth - 7, hudLines.bottom + 12, 6,
               Rgb{20, 12, 8});
    // the elf: cap, face, beard
    int cx = sideBarWidth / 2;
    triangle(bmp, cx - 40, 120, cx + 40, 120, cx + 10, 30, pixelOf(Rgb{200, 30, 30}));
    circlefill(bmp, cx, 150, 32, pixelOf(Rgb{240, 190, 150}));
    circlefill(bmp, cx, 190, 34, pixelOf(Rgb{235, 235, 230}));
    return bmp;
}
