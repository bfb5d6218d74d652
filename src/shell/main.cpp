// Kiuas: start-up, the main menu, shutdown.
#include "close_request.h"
#include "frame_pacing.h"
#include "game_pictures.h"
#include "main_menu.h"
#include "music_player.h"
#include "random_source.h"

#include <allegro.h>

#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

namespace {

constexpr int screenWidth = 640;
constexpr int screenHeight = 480;

struct MenuPictures {
    BITMAP* background = nullptr;
    BITMAP* pointer = nullptr;
    BITMAP* info = nullptr;
    BITMAP* closing = nullptr;
};

// a picture of the menu, or a message naming the file
std::optional<std::string> loadMenuPicture(const char* path, bool fullScreen, BITMAP*& picture) {
    if (auto problem = loadPicture(path, picture)) {
        return problem;
    }
    if (fullScreen && (picture->w != screenWidth || picture->h != screenHeight)) {
        return std::string("the picture ") + path + " is " + std::to_string(picture->w) + "x" +
               std::to_string(picture->h) + ", not 640x480";
    }
    return std::nullopt;
}

std::optional<std::string> loadMenuPictures(MenuPictures& pictures) {
    if (auto problem = loadMenuPicture("./grafiikka/pohja.pcx", true, pictures.background)) {
        return problem;
    }
    if (auto problem = loadMenuPicture("./grafiikka/kursori.pcx", false, pictures.pointer)) {
        return problem;
    }
    if (auto problem = loadMenuPicture("./grafiikka/info.pcx", true, pictures.info)) {
        return problem;
    }
    return loadMenuPicture("./grafiikka/loppu.pcx", true, pictures.closing);
}

// shows a start-up failure on stderr and in a message box, once the display is let go
void reportFailure(const std::string& message) {
    std::fprintf(stderr, "kiuas: %s\n", message.c_str());
    set_gfx_mode(GFX_TEXT, 0, 0, 0, 0);
    allegro_message("Kiuas: %s\n", message.c_str());
}

// everything after start-up; a message when something the game can't do without failed
std::optional<std::string> runGame() {
    set_color_depth(32);
    if (set_gfx_mode(GFX_AUTODETECT, screenWidth, screenHeight, 0, 0) != 0) {
        return std::string("cannot set the 640x480 display at 32 bits per pixel: ") + allegro_error;
    }
    set_color_conversion(COLORCONV_TOTAL);
    installCloseHandler();

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
    if (allegro_init() != 0) {
        std::fprintf(stderr, "kiuas: cannot start Allegro: %s\n", allegro_error);
        return 1;
    }
    set_window_title("Kiuas");
    install_keyboard();
    install_mouse();
    install_timer();
    startFramePacing();

    FSOUND_Init(44100, 32, 0);
    seedGameRandom(static_cast<uint32_t>(std::time(nullptr)));

    std::optional<std::string> failure = runGame();
    if (failure) {
        reportFailure(*failure);
    }

    stopFramePacing();
    allegro_exit();
    FMUSIC_FreeSong(menuSong);
    FMUSIC_FreeSong(gameSong);
    menuSong = nullptr;
    gameSong = nullptr;
    FSOUND_Close();
    return failure ? 1 : 0;
}
END_OF_MAIN()
