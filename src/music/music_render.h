// Hooks into the music player for its tests and probes: mixing without a sound device.
#pragma once

struct MusicSong;

// starts the player with no output stream, so that musicRender alone drives the mixing
bool musicStartWithoutOutput(int mixRate);

// mixes every playing song into frameCount interleaved stereo frames; the output callback uses it
void musicRender(float* frames, int frameCount);

// tells whether a loaded song is playing (false for null, stopped, ended or freed songs)
bool musicSongPlaying(const MusicSong* song);
