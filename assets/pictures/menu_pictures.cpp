// The menu's four pictures: the title screen, the pointer, the instructions and the goodbye.
#include "canvas.h"
#include "pictures.h"

BITMAP* paintMenu() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{90, 50, 25});
    verticalGradient(bmp, 0, 0, screenWidth - 1, screenHeight - 1, Rgb{70, 35, 15},
                     Rgb{150, 85, 40});
    roundedBox(bmp, 8, 10, 272, 36, 6, Rgb{20, 12, 8});
    bigText(bmp, "KIUAS", 320, 50, 9, Rgb{255, 220, 120}, Rgb{230, 110, 30}, Rgb{40, 15, 5});
    const ButtonBox boxes[] = {startButton, resetButton, exitButton};
    for (const ButtonBox& b : boxes) {
        roundedBox(bmp, b.left, b.top, b.right, b.bottom, 6, Rgb{200, 150, 90});
    }
    bigText(bmp, "PELAA", 320, 179, 3, Rgb{255, 250, 230}, Rgb{250, 210, 150}, Rgb{60, 30, 10});
    bigText(bmp, "NOLLAA PISTEET", 320, 265, 3, Rgb{255, 250, 230}, Rgb{250, 210, 150},
            Rgb{60, 30, 10});
    bigText(bmp, "ja ohjeet", 320, 300, 2, Rgb{255, 250, 230}, Rgb{250, 210, 150}, Rgb{60, 30, 10});
    bigText(bmp, "LOPETA", 320, 376, 3, Rgb{255, 250, 230}, Rgb{250, 210, 150}, Rgb{60, 30, 10});
    return bmp;
}

BITMAP* paintPointer(PALETTE pal) {
    for (int i = 0; i < PAL_SIZE; ++i) {
        pal[i] = RGB{0, 0, 0, 0};
    }
    pal[0] = RGB{63, 0, 63, 0};
    pal[1] = RGB{0, 0, 0, 0};
    pal[2] = RGB{63, 63, 63, 0};
    BITMAP* bmp = create_bitmap_ex(8, 16, 24);
    clear_to_color(bmp, 0);
    int arrow[] = {0, 0, 0, 17, 4, 13, 7, 20, 10, 19, 7, 12, 12, 12};
    polygon(bmp, 7, arrow, 2);
    for (int i = 0; i < 7; ++i) {
        int j = (i + 1) % 7;
        line(bmp, arrow[2 * i], arrow[2 * i + 1], arrow[2 * j], arrow[2 * j + 1], 1);
    }
    return bmp;
}

BITMAP* paintInfo() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{40, 25, 15});
    bigText(bmp, "OHJEET", 320, 20, 5, Rgb{255, 220, 120}, Rgb{230, 110, 30}, Rgb{40, 15, 5});
    const char* lines[] = {
        "Parhaat pisteet on nollattu: 10.",
        "",
        "Nuolin\xc3\xa4pp\xc3\xa4imet vasen ja oikea: ukko juoksee.",
        "Tonttu kertoo, mit\xc3\xa4 se haluaa.",
        "Oikea tavara: +30 pistett\xc3\xa4.",
        "V\xc3\xa4\xc3\xa4r\xc3\xa4 tavara: -20 ja sauna kuumenee.",
        "120 asteessa peli loppuu.",
        "Esc lopettaa pelin.",
        "",
        "Esc: takaisin valikkoon",
    };
    int y = 110;
    for (const char* line : lines) {
        smallTextCentred(bmp, line, 320, y, Rgb{255, 240, 200});
        y += 24;
    }
    return bmp;
}

BITMAP* paintGoodbye() {
    BITMAP* bmp = newPicture(screenWidth, screenHeight, Rgb{40, 25, 15});
    bigText(bmp, "Kiitos", 320, 150, 6, Rgb{255, 220, 120}, Rgb{230, 110, 30}, Rgb{40, 15, 5});
    bigText(bmp, "saunomisesta!", 320, 220, 4, Rgb{255, 220, 120}, Rgb{230, 110, 30},
            Rgb{40, 15, 5});
    smallTextCentred(bmp, "Esc: lopeta", 320, 420, Rgb{255, 240, 200});
    return bmp;
}
