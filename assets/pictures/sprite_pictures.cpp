// The moving pictures: the man and the four items, magenta where transparent.
#include "canvas.h"
#include "pictures.h"

BITMAP* paintMan() {
    BITMAP* bmp = newPicture(manWidth, manHeight, magenta);
    circlefill(bmp, manWidth / 2, 10, 9, pixelOf(Rgb{240, 190, 150}));
    rectfill(bmp, manWidth / 2 - 12, 20, manWidth / 2 + 12, 40, pixelOf(Rgb{240, 190, 150}));
    rectfill(bmp, manWidth / 2 - 13, 36, manWidth / 2 + 13, 48, pixelOf(Rgb{245, 245, 245}));
    rectfill(bmp, manWidth / 2 - 10, 48, manWidth / 2 - 3, manHeight - 1,
             pixelOf(Rgb{240, 190, 150}));
    rectfill(bmp, manWidth / 2 + 3, 48, manWidth / 2 + 10, manHeight - 1,
             pixelOf(Rgb{240, 190, 150}));
    return bmp;
}

BITMAP* paintRyeBread() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    circlefill(bmp, 20, 20, 18, pixelOf(Rgb{90, 50, 30}));
    circlefill(bmp, 20, 20, 5, pixelOf(magenta));
    return bmp;
}

BITMAP* paintMeat() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    ellipsefill(bmp, 17, 22, 15, 13, pixelOf(Rgb{210, 90, 90}));
    rectfill(bmp, 28, 6, 33, 16, pixelOf(Rgb{240, 230, 210}));
    return bmp;
}

BITMAP* paintBooze() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    rectfill(bmp, 12, 14, 27, 38, pixelOf(Rgb{60, 140, 80}));
    rectfill(bmp, 17, 2, 22, 14, pixelOf(Rgb{60, 140, 80}));
    rectfill(bmp, 13, 22, 26, 30, pixelOf(Rgb{240, 240, 220}));
    return bmp;
}

BITMAP* paintWhisk() {
    BITMAP* bmp = newPicture(itemSize, itemSize, magenta);
    rectfill(bmp, 18, 24, 22, 38, pixelOf(Rgb{120, 80, 40}));
    ellipsefill(bmp, 20, 14, 14, 12, pixelOf(Rgb{60, 150, 50}));
    return bmp;
}
