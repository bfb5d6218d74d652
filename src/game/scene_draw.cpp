#include "game/scene_draw.h"

#include "game/layout.h"

#include <allegro.h>

namespace {

constexpr int scoreRow = 280;
constexpr int heatRow = 300;
constexpr int wantsRow = 320;
constexpr int labelRow = 330;
// the texts are yellow, as a raw pixel of the 32-bit scene, on their cells' black
constexpr int textColour = 0xFFFF00;
constexpr int textBackground = 0;

// an item's pixel position: its row truncated toward zero
int itemRow(const FallingItem& item) {
    return static_cast<int>(item.y);
}
int itemColumn(const FallingItem& item) {
    return static_cast<int>(item.x);
}

} // namespace

void composeStaticScene(BITMAP* scene, GamePictures& pictures) {
    // a background smaller than the scene leaves black, not whatever the new bitmap held
    clear_bitmap(scene);
    BITMAP* background = pictures.background;
    BITMAP* bench = pictures.bench;
    BITMAP* sideBar = pictures.sideBar;
    blit(background, scene, 0, 0, 0, 0, background->w, background->h);
    blit(bench, scene, 0, 0, 0, screenHeight - bench->h, bench->w, bench->h);
    blit(sideBar, scene, 0, 0, screenWidth - sideBar->w, 0, sideBar->w, sideBar->h);
    blit(scene, pictures.hudSave, hudColumn(pictures), hudFirstRow, 0, 0, pictures.hudSave->w,
         pictures.hudSave->h);
}

void saveUnderItems(BITMAP* scene, const GameState& state, GamePictures& pictures) {
    const BITMAP* whisk = pictures.items[SaunaWhisk];
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        const FallingItem& item = state.items[slot];
        blit(scene, pictures.itemSaves[slot], itemColumn(item), itemRow(item), 0, 0, whisk->w,
             whisk->h);
    }
}

void drawItems(BITMAP* scene, const GameState& state, const GamePictures& pictures) {
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        const FallingItem& item = state.items[slot];
        const int kind = state.drawKind[slot];
        if (!item.falling || kind < RyeBread || kind > SaunaWhisk) {
            continue;
        }
        draw_sprite(scene, pictures.items[kind], itemColumn(item), itemRow(item));
    }
}

void drawHud(BITMAP* scene, const GameState& state, const GamePictures& pictures) {
    const int x = hudColumn(pictures);
    blit(pictures.hudSave, scene, 0, 0, x, hudFirstRow, pictures.hudSave->w, pictures.hudSave->h);
    textprintf_ex(scene, font, x, scoreRow, textColour, textBackground, "pisteet=%d",
                  static_cast<int>(state.score));
    textprintf_ex(scene, font, x, heatRow, textColour, textBackground, "kuumuus=%d astetta",
                  static_cast<int>(state.heat));
    textprintf_ex(scene, font, x, wantsRow, textColour, textBackground, "Ilkea tonttu haluaa:");
    textprintf_ex(scene, font, x, labelRow, textColour, textBackground, "%s",
                  wantedLabel(state.wantedKind));
}

int manColumn(const GameState& state) {
    return static_cast<int>(state.playerX);
}

void drawMan(BITMAP* scene, int px, GamePictures& pictures) {
    BITMAP* man = pictures.man;
    blit(scene, pictures.playerSave, px, manRow, 0, 0, man->w, man->h);
    draw_sprite(scene, man, px, manRow);
}

void restoreScene(BITMAP* scene, const GameState& state, int px, const GamePictures& pictures) {
    BITMAP* save = pictures.playerSave;
    blit(save, scene, 0, 0, px, manRow, save->w, save->h);
    for (int slot = 0; slot < itemSlotCount; ++slot) {
        const FallingItem& item = state.items[slot];
        if (!item.falling) {
            continue;
        }
        BITMAP* itemSave = pictures.itemSaves[slot];
        blit(itemSave, scene, 0, 0, itemColumn(item), itemRow(item), itemSave->w, itemSave->h);
    }
}

const char* wantedLabel(ItemKind kind) {
    switch (kind) {
    case RyeBread:
        return "Ruisleipaa! ";
    case Meat:
        return "Lihaa!      ";
    case Booze:
        return "Viinaa!     ";
    case SaunaWhisk:
        return "Saunavihdan!";
    default:
        return "            ";
    }
}
