// The music player: seven operations over XM songs, playing in the background.
// Every operation on a null song, or after a failed start, does nothing.
//
// FSOUND_Init opens the default sound output at mixRate Hz, stereo; it fails, and the program
// stays silent, when there is no sound device. softwareChannels and flags are accepted and
// ignored. A loaded song loops until FMUSIC_SetLooping switches looping off; without looping it
// plays once and falls silent at its end. FMUSIC_PlaySong always starts a song from its
// beginning, also a song that played before or is playing now. Several songs may play at once;
// they are mixed. FMUSIC_StopSong silences a song at once. FMUSIC_FreeSong may be called on a
// playing song. FSOUND_Close stops the output and frees the songs still loaded; handles freed
// there, or freed twice, are ignored by every later operation.
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
