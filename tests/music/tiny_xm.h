// A tiny XM module built byte by byte, for the music tests and probes.
#pragma once

#include <string>
#include <vector>

struct TinyXm {
    int rows = 16;      // rows of the one pattern
    int noteOffRow = 8; // the note sounds from row 0 until this row, then silence
    int speed = 6;      // ticks per row
    int bpm = 125;      // a tick lasts 2.5 / bpm seconds
};

// seconds the song lasts once through
double tinyXmSeconds(const TinyXm& song);

// the module's bytes: two channels, one pattern, one instrument with a looped square wave
std::vector<unsigned char> tinyXmBytes(const TinyXm& song);

// writes the module to path; false when the file can't be written
bool writeTinyXm(const std::string& path, const TinyXm& song);
