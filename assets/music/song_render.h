// Playing a song through libopenmpt into memory, and the figures we check it by.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SongRender {
    int rate = 44100;
    double reportedSeconds = 0; // the length libopenmpt reports before playing
    std::vector<float> samples; // interleaved left, right; empty when the song did not load
};

struct SongLevels {
    double rmsDb = -200; // over both channels, dB relative to full scale
    double peakDb = -200;
    double mean = 0;                  // average sample value, full scale 1
    double longestSilenceSeconds = 0; // longest run below -60 dBFS, anywhere in the song
};

// the whole song once, stereo at the rate, with looping off
SongRender renderSong(const std::vector<uint8_t>& xm, int rate = 44100);

SongLevels measureLevels(const SongRender& render);

// the render as a 16-bit PCM WAV file
bool writeWav(const std::string& path, const SongRender& render);
