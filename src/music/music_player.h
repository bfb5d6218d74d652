// The music player: seven operations over XM songs, playing in the background.
// Every operation on a null song, or after a failed start, does nothing.
#pragma once

struct MusicSong;

bool FSOUND_Init(int mixRate, int softwareChannels, unsigned int flags);
void FSOUND_Close();
MusicSong* FMUSIC_LoadSong(const char* path);
bool FMUSIC_SetLooping(MusicSong* song, bool looping);
bool FMUSIC_PlaySong(MusicSong* song);
bool FMUSIC_StopSong(MusicSong* song);
bool FMUSIC_FreeSong(MusicSong* song);

// the program's two songs, loaded at start-up and freed at shutdown
extern MusicSong* menuSong;
extern MusicSong* gameSong;
