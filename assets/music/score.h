// Writing music into a long grid of rows and channels, and cutting it into XM patterns.
#pragma once

#include "xm_writer.h"

#include <string>
#include <vector>

// the whole song as one long pattern
struct Score {
    int channels = 0;
    int rows = 0;
    std::vector<XmCell> cells;
};

// a note of a line: its start row (from the line's start), its length in rows and its XM
// note number, 0 for a rest
// a tune over its chords: one chord symbol a bar, and the melody as note text
struct Theme {
    std::vector<std::string> chords;
    std::string melody;
};

struct LineNote {
    int row = 0;
    int length = 0;
    int note = 0;
};

// a chord: its root as a pitch class (C = 0) and its tones as pitch classes, root first
struct Chord {
    int root = 0;
    std::vector<int> tones;
};

Score makeScore(int channels, int rows);
XmCell& cellAt(Score& score, int row, int channel);

// XM note number of a name like "C4", "F#5" or "Bb3" (C-4 is 49)
int noteNumber(const std::string& name);

// notes from text such as "E5:2 A5:2 r:4": a pitch or r, a colon and a length in rows
std::vector<LineNote> parseLine(const std::string& text);

// total length of a line in rows
int lineLength(const std::vector<LineNote>& line);

// a chord from a symbol such as "Am", "E7", "F#7", "Bb" or "Gm", moved up by transpose
Chord parseChord(const std::string& symbol, int transpose);

// the chord's tones, one note each for the given voices, in the octave from lowest up
std::vector<int> voiceChord(const Chord& chord, int voices, int lowest);

// the highest note of the chord at least minGap semitones below the melody note
int harmonyBelow(const Chord& chord, int melodyNote, int minGap);

// a note with an instrument and a volume (0-64, or -1 to leave the column empty)
void putNote(Score& score, int row, int channel, int note, int instrument, int volume);
void putKeyOff(Score& score, int row, int channel);
void putEffect(Score& score, int row, int channel, uint8_t effect, uint8_t param);

// starts the note there somewhere inside its sample's first 12288 frames, chosen from the
// row and voice, so that voices of a chord do not start their reeds in step
void putReedOffset(Score& score, int row, int channel, int voice);

// the line's notes from a row on, moved up by transpose; rests become key offs
void putLine(Score& score, int row, int channel, const std::vector<LineNote>& line, int instrument,
             int volume, int transpose);

// the score cut into patterns of patternRows (the last one shorter when it must), played in
// order once; identical patterns are stored once
XmModule moduleFromScore(const Score& score, int patternRows);
