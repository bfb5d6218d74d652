#include "music_player.h"

// placeholder until the player lands: silent
MusicSong* menuSong = nullptr;
MusicSong* gameSong = nullptr;

bool FSOUND_Init(int, int, unsigned int) { return false; }
void FSOUND_Close() {}
MusicSong* FMUSIC_LoadSong(const char*) { return nullptr; }
bool FMUSIC_SetLooping(MusicSong*, bool) { return false; }
bool FMUSIC_PlaySong(MusicSong*) { return false; }
bool FMUSIC_StopSong(MusicSong*) { return false; }
bool FMUSIC_FreeSong(MusicSong*) { return false; }
