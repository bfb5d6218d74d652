// Kiuas: start-up, the main menu, shutdown.
#include "game/layout.h"
#include "game/random_source.h"
#include "music/music_player.h"
#include "platform/display.h"
#include "platform/picture_file.h"
#include "shell/main_menu.h"

#include <allegro.h>

#include <ctime>
#include <optional>
#include <string>

namespace {

struct MenuPictures {
    BITMAP* background = nullptr;
    BITMAP* pointer = nullptr;
    BITMAP* info = nullptr;
    BITMAP* closing = nullptr;
};

std::optional<std::string> loadMenuPictures(MenuPictures& pictures) {
    if (auto problem = loadPictureSized("./grafiikka/pohja.pcx", screenWidth, screenHeight,
                                        pictures.background)) {
        return problem;
    }
    // the pointer may have any size
    if (auto problem = loadPicture("./grafiikka/kursori.pcx", pictures.pointer)) {
        return problem;
    }
    if (auto problem =
            loadPictureSized("./grafiikka/info.pcx", screenWidth, screenHeight, pictures.info)) {
        return problem;
    }
    return loadPictureSized("./grafiikka/loppu.pcx", screenWidth, screenHeight, pictures.closing);
}

// everything after start-up; a message when something the game can't do without failed
std::optional<std::string> runGame() {
    if (auto problem = startDisplay(screenWidth, screenHeight)) {
        return problem;
    }

    MenuPictures pictures;
    if (auto problem = loadMenuPictures(pictures)) {
        return problem;
    }
    BITMAP* menuBuffer = create_bitmap(screenWidth, screenHeight);
    if (!menuBuffer) {
        return std::string("cannot create the 640x480 menu buffer");
    }

    // a song that fails to load only means silence
    menuSong = FMUSIC_LoadSong("./musat/MENU.xm");
    gameSong = FMUSIC_LoadSong("./musat/TONTUT.xm");
    FMUSIC_SetLooping(menuSong, false);
    FMUSIC_PlaySong(menuSong);

    return runMainMenu(pictures.background, pictures.pointer, pictures.info, pictures.closing,
                       menuBuffer);
}

} // namespace

int main() {
    if (auto problem = startAllegro()) {
        reportFailure(*problem);
        return 1;
    }

    FSOUND_Init(44100, 32, 0);
    seedGameRandom(static_cast<uint32_t>(std::time(nullptr)));

    std::optional<std::string> failure = runGame();
    if (failure) {
        reportFailure(*failure);
    }

    stopAllegro();
    FMUSIC_FreeSong(menuSong);
    FMUSIC_FreeSong(gameSong);
    menuSong = nullptr;
    gameSong = nullptr;
    FSOUND_Close();
    return failure ? 1 : 0;
}
END_OF_MAIN()
