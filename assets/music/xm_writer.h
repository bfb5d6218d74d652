// A small writer of XM music modules: header, patterns, instruments with envelopes, and
// 8- or 16-bit delta-encoded samples.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// one cell of a pattern; zero means empty in every field
struct XmCell {
    uint8_t note = 0;       // 1 = C-0 ... 96 = B-7, 97 = key off
    uint8_t instrument = 0; // 1-based, 0 = none
    uint8_t volume = 0; // volume column byte: 0x10-0x50 sets volume 0-64, higher bytes are effects
    uint8_t effect = 0;
    uint8_t param = 0;
};

constexpr uint8_t xmKeyOff = 97;

// common effect numbers
constexpr uint8_t xmSampleOffset = 0x09; // param * 256 frames
constexpr uint8_t xmVolumeSlide = 0x0A;
constexpr uint8_t xmSetVolume = 0x0C;
constexpr uint8_t xmSetSpeed = 0x0F;          // param below 32 sets ticks per row, else the tempo
constexpr uint8_t xmSetGlobalVolume = 0x10;   // G
constexpr uint8_t xmGlobalVolumeSlide = 0x11; // H

struct XmPattern {
    int rows = 64;
    std::vector<XmCell> cells; // rows * channels, row by row
};

struct XmEnvelopePoint {
    uint16_t tick = 0;
    uint8_t value = 0; // 0-64
};

struct XmEnvelope {
    std::vector<XmEnvelopePoint> points; // at most 12, ticks increasing; empty = off
    int sustain = -1;                    // point index, -1 = none
    int loopStart = -1;                  // point indices, -1 = no loop
    int loopEnd = -1;
};

enum class XmLoop : uint8_t { None = 0, Forward = 1, PingPong = 2 };

struct XmSample {
    std::string name;
    std::vector<int16_t> data; // full-scale 16-bit frames, whatever bits the file stores
    int bits = 16;             // 8 or 16 in the file
    XmLoop loop = XmLoop::None;
    uint32_t loopStart = 0;  // in frames
    uint32_t loopLength = 0; // in frames
    uint8_t volume = 64;
    int8_t finetune = 0; // 1/128 semitone
    uint8_t panning = 128;
    int8_t relativeNote = 0; // semitones; note C-4 plays the sample at 8363 Hz when 0
};

struct XmVibrato {
    uint8_t type = 0; // 0 sine, 1 square, 2 ramp down, 3 ramp up
    uint8_t sweep = 0;
    uint8_t depth = 0;
    uint8_t rate = 0;
};

struct XmInstrument {
    std::string name;
    std::vector<XmSample> samples;           // at most 16
    std::array<uint8_t, 96> sampleForNote{}; // 0-based sample index for each note
    XmEnvelope volumeEnvelope;
    XmEnvelope panningEnvelope;
    XmVibrato vibrato;
    uint16_t fadeout = 0; // 0-4095, volume lost per tick after key off, in 1/32768
};

struct XmModule {
    std::string name;
    int channels = 8; // 1-32
    int speed = 6;    // ticks per row
    int tempo = 125;  // beats per minute: one tick lasts 2.5 / tempo seconds
    int restart = 0;  // order index playing resumes from when looping is on
    bool linearFrequencies = true;
    std::vector<uint8_t> orders; // pattern indices, 1-256 of them
    std::vector<XmPattern> patterns;
    std::vector<XmInstrument> instruments; // at most 128
};

// the cell at a row and channel of a pattern laid out for that many channels
inline XmCell& cellAt(XmPattern& pattern, int channels, int row, int channel) {
    return pattern.cells[static_cast<size_t>(row) * channels + channel];
}

// an empty pattern of that many rows and channels
XmPattern emptyPattern(int rows, int channels);

// the module as XM file bytes; throws std::invalid_argument when it cannot be stored
std::vector<uint8_t> writeXm(const XmModule& module);
