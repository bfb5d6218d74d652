// Plays one XM song through the music player for a number of seconds: the ear of hear-song.
#include "music/music_player.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::printf("usage: music_play_probe SONG.xm SECONDS\n");
        return 2;
    }
    const double seconds = std::atof(argv[2]);
    const bool started = FSOUND_Init(44100, 32, 0);
    MusicSong* song = FMUSIC_LoadSong(argv[1]);
    FMUSIC_SetLooping(song, false);
    FMUSIC_PlaySong(song);
    std::printf("output %s, song %s\n", started ? "open" : "missing",
                song != nullptr ? "loaded" : "not loaded");
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    FMUSIC_FreeSong(song);
    FSOUND_Close();
    return 0;
}
