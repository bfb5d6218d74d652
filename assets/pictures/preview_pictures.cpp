// Loads the generated pictures as the game does and composes the menu and a game frame from
// them, with the texts the program prints, so the set can be looked at as a player sees it.
#include <allegro.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

BITMAP* loadPicture(const std::string& dir, const char* name) {
    PALETTE scratch;
    BITMAP* bmp = load_bitmap((dir + "/" + name).c_str(), scratch);
    if (!bmp) {
        std::fprintf(stderr, "kiuas_picture_preview: cannot load %s/%s\n", dir.c_str(), name);
        std::exit(1);
    }
    return bmp;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kiuas_picture_preview <picture folder> <output folder>\n");
        return 2;
    }
    install_allegro(SYSTEM_NONE, &errno, atexit);
    set_color_depth(32);
    set_color_conversion(COLORCONV_TOTAL);
    std::string in = argv[1], out = argv[2];
    const int yellow = makecol32(255, 255, 0);
    PALETTE none;

    BITMAP* menu = create_bitmap_ex(32, 640, 480);
    blit(loadPicture(in, "pohja.pcx"), menu, 0, 0, 0, 0, 640, 480);
    textprintf_ex(menu, font, 18, 19, yellow, -1, "parhaat pisteet = %d", 1230);
    draw_sprite(menu, loadPicture(in, "kursori.pcx"), 300, 200);
    save_bitmap((out + "/menu.bmp").c_str(), menu, none);

    BITMAP* scene = create_bitmap_ex(32, 640, 480);
    BITMAP* bench = loadPicture(in, "laude.pcx");
    BITMAP* bar = loadPicture(in, "sivupalkki2.pcx");
    blit(loadPicture(in, "paksa.pcx"), scene, 0, 0, 0, 0, 640, 480);
    blit(bench, scene, 0, 0, 0, 480 - bench->h, bench->w, bench->h);
    blit(bar, scene, 0, 0, 640 - bar->w, 0, bar->w, bar->h);
    int hudX = 653 - bar->w;
    textprintf_ex(scene, font, hudX, 280, yellow, -1, "pisteet=%d", 240);
    textprintf_ex(scene, font, hudX, 300, yellow, -1, "kuumuus=%d astetta", 117);
    textprintf_ex(scene, font, hudX, 320, yellow, -1, "Ilkea tonttu haluaa:");
    textprintf_ex(scene, font, hudX, 330, yellow, -1, "Saunavihdan!");
    const char* items[] = {"ruisleipa.pcx", "kinkku.pcx", "viina.pcx", "vihta.pcx"};
    const int spots[][2] = {{40, 60},  {150, 200}, {270, 120}, {380, 300},
                            {90, 330}, {230, 20},  {330, 240}, {10, 180}};
    for (int i = 0; i < 8; ++i) {
        draw_sprite(scene, loadPicture(in, items[i % 4]), spots[i][0], spots[i][1]);
    }
    draw_sprite(scene, loadPicture(in, "ukko.pcx"), 200, 388);
    save_bitmap((out + "/scene.bmp").c_str(), scene, none);
    return 0;
}
END_OF_MAIN()
