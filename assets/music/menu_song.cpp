// The menu's waltz in F major: kantele and accordion, unhurried, ending on a held chord.
#include "instruments.h"
#include "score.h"
#include "songs.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int rowsPerBar = 12; // 3/4, a row is a sixteenth
constexpr int patternRows = 48;

// held chords cross-fade between two sets of three channels
enum Channel {
    Lead,
    Second,
    ArpA,
    ArpB,
    ArpC,
    Pad1,
    Pad2,
    Pad3,
    PadB1,
    PadB2,
    PadB3,
    Bass,
    Tempo,
    Spare
};
constexpr int channelCount = 14;

enum Instrument { LeadReed = 1, PadReed, Kantele, BassString };

struct Arrangement {
    int leadInstrument = LeadReed;
    int leadVolume = 64;
    int secondInstrument = 0; // a harmony a third or so below the tune, 0 for none
    int secondVolume = 0;
    int arpVolume = 0;       // broken chords on the kantele, 0 for none
    int padVolume = 30;      // held chords
    bool padOnBeats = false; // chords on beats two and three instead of held
    int bassVolume = 64;
};

const Theme themeA = {
    {"F", "F", "C7", "C7", "Dm", "Bb", "C7", "F", "F", "F7", "Bb", "Gm", "F", "C7", "F", "F"},
    "C5:4 F5:4 A5:4  C6:8 A5:4  G5:8 E5:4  Bb5:4 A5:4 G5:4  A5:8 F5:4  D6:8 Bb5:4  "
    "G5:6 F5:2 E5:4  F5:12  A5:4 C6:4 D6:4  C6:6 Bb5:2 A5:4  Bb5:8 D6:4  D6:6 C6:2 Bb5:4  "
    "A5:8 F5:4  E5:4 G5:4 Bb5:4  A5:12  r:12"};

const Theme themeB = {
    {"Dm", "Dm", "A7", "A7", "Gm", "Dm", "A7", "Dm", "Bb", "F", "C7", "F", "Gm", "Dm", "A7", "C7"},
    "A4:4 D5:4 F5:4  F5:8 E5:4  E5:4 C#5:4 E5:4  G5:8 F5:2 E5:2  D5:4 G5:4 Bb5:4  A5:8 F5:4  "
    "G5:6 F5:2 E5:4  D5:12  D5:4 F5:4 Bb5:4  A5:8 C6:4  Bb5:4 A5:4 G5:4  A5:8 F5:4  "
    "G5:4 Bb5:4 D6:4  D6:6 C6:2 A5:4  E5:4 G5:4 C#6:4  D6:8 C6:4"};

const Theme themeEnd = {{"Bb", "C7", "F", "F"}, "D6:8 C6:2 Bb5:2  A5:4 G5:4 E5:4  F5:24"};

const Theme intro = {{"F", "Dm", "Bb", "C7"}, "r:48"};

int bassNote(const Chord& c, bool fifth) {
    int pc = fifth ? c.tones[2] : c.root;
    return 30 + ((pc - 5) % 12 + 12) % 12; // F-2 up to E-3
}

// a theme from the bar on; padSet is the set of chord channels holding the last chord
void playTheme(Score& s, int bar, const Theme& t, const Arrangement& a, int& padSet) {
    int start = bar * rowsPerBar;
    std::vector<LineNote> tune = parseLine(t.melody);
    if (lineLength(tune) != static_cast<int>(t.chords.size()) * rowsPerBar)
        throw std::logic_error("a tune does not fill its bars: " + t.melody.substr(0, 40));
    putLine(s, start, Lead, tune, a.leadInstrument, a.leadVolume, 0);
    if (a.secondInstrument) {
        int held = 0;
        for (const LineNote& n : tune) {
            int row = start + n.row;
            if (!n.note) {
                if (held)
                    putKeyOff(s, row, Second);
                held = 0;
                continue;
            }
            Chord c = parseChord(t.chords[n.row / rowsPerBar], 0);
            int h = harmonyBelow(c, n.note, 3);
            if (h != held)
                putNote(s, row, Second, h, a.secondInstrument, a.secondVolume);
            held = h;
        }
    }
    std::string previous;
    for (size_t b = 0; b < t.chords.size(); ++b) {
        int row = start + static_cast<int>(b) * rowsPerBar;
        Chord c = parseChord(t.chords[b], 0);
        if (a.bassVolume) {
            bool again = t.chords[b] == previous;
            putNote(s, row, Bass, bassNote(c, again), BassString, a.bassVolume);
        }
        if (a.padVolume) {
            std::vector<int> v = voiceChord(c, 3, 46);
            bool change = !a.padOnBeats && t.chords[b] != previous;
            int from = padSet ? PadB1 : Pad1;
            int to = padSet ? Pad1 : PadB1;
            if (change)
                padSet = 1 - padSet;
            for (int i = 0; i < 3; ++i) {
                if (a.padOnBeats) {
                    putKeyOff(s, row, PadB1 + i);
                    for (int r : {4, 8}) {
                        putNote(s, row + r, Pad1 + i, v[i], PadReed, a.padVolume);
                        putReedOffset(s, row + r, Pad1 + i, i);
                        putKeyOff(s, row + r + 3, Pad1 + i);
                    }
                } else if (change) {
                    putKeyOff(s, row, from + i);
                    putNote(s, row, to + i, v[i], PadReed, a.padVolume);
                    putReedOffset(s, row, to + i, i);
                }
            }
        }
        if (a.arpVolume) {
            std::vector<int> v = voiceChord(c, 4, 42);
            const int order[] = {0, 1, 2, 3, 2, 1};
            for (int k = 0; k < 6; ++k)
                putNote(s, row + 2 * k, ArpA + k % 3, v[order[k]], Kantele,
                        a.arpVolume - (k % 3 ? 4 : 0));
        }
        previous = t.chords[b];
    }
}

} // namespace

XmModule menuSongModule() {
    const int totalBars = 4 + 16 + 16 + 8 + 4;
    const int tailRows = 8;
    const int fadeRows = 13; // global volume 64 down by 5 a row
    Score s = makeScore(channelCount, totalBars * rowsPerBar + tailRows);
    int bar = 0;
    int padSet = 0;
    putEffect(s, 0, Spare, xmSetGlobalVolume, 64);

    Arrangement opening;
    opening.leadVolume = 0;
    opening.arpVolume = 56;
    opening.padVolume = 0;
    Theme introStart = {{intro.chords[0], intro.chords[1]}, "r:24"};
    Theme introEnd = {{intro.chords[2], intro.chords[3]}, "r:24"};
    playTheme(s, bar, introStart, opening, padSet);
    opening.padVolume = 44;
    playTheme(s, bar + 2, introEnd, opening, padSet);
    bar += 4;

    Arrangement sung;
    sung.arpVolume = 52;
    sung.secondInstrument = LeadReed;
    sung.secondVolume = 36;
    playTheme(s, bar, themeA, sung, padSet);
    bar += 16;

    Arrangement plucked;
    plucked.leadInstrument = Kantele;
    plucked.leadVolume = 64;
    plucked.secondInstrument = LeadReed;
    plucked.secondVolume = 52;
    plucked.padVolume = 56;
    plucked.padOnBeats = true;
    playTheme(s, bar, themeB, plucked, padSet);
    bar += 16;

    Arrangement together = sung;
    together.secondInstrument = Kantele;
    together.secondVolume = 48;
    Theme firstHalf = {std::vector<std::string>(themeA.chords.begin(), themeA.chords.begin() + 8),
                       "C5:4 F5:4 A5:4  C6:8 A5:4  G5:8 E5:4  Bb5:4 A5:4 G5:4  A5:8 F5:4  "
                       "D6:8 Bb5:4  G5:6 F5:2 E5:4  F5:12"};
    playTheme(s, bar, firstHalf, together, padSet);
    bar += 8;

    // the close: slowing down, a rising kantele arpeggio under the held chord, and letting go
    Arrangement closing = sung;
    closing.arpVolume = 0;
    playTheme(s, bar, themeEnd, closing, padSet);
    const int slowing[] = {84, 78, 70, 64};
    for (int b = 0; b < 4; ++b) {
        putEffect(s, (bar + b) * rowsPerBar, Tempo, xmSetSpeed, static_cast<uint8_t>(slowing[b]));
        putEffect(s, (bar + b) * rowsPerBar + 6, Tempo, xmSetSpeed,
                  static_cast<uint8_t>(slowing[b] - 3));
    }
    const char* rising[] = {"F3", "A3", "C4", "F4", "A4", "C5"};
    int home = (bar + 2) * rowsPerBar;
    for (int k = 0; k < 6; ++k)
        putNote(s, home + 2 * k, ArpA + k % 3, noteNumber(rising[k]), Kantele, 44);
    putNote(s, home + rowsPerBar, ArpA, noteNumber("F5"), Kantele, 40);
    int end = (bar + 4) * rowsPerBar;
    for (int ch : {Lead, Second, Pad1, Pad2, Pad3, PadB1, PadB2, PadB3})
        putKeyOff(s, end, ch);
    // and the whole band fades away with the last rows
    for (int r = end - fadeRows + tailRows; r < end + tailRows; ++r)
        putEffect(s, r, Spare, xmGlobalVolumeSlide, 0x01);

    XmModule m = moduleFromScore(s, patternRows);
    m.name = "Kiuas";
    m.speed = 6;
    m.tempo = 90;
    m.restart = 0;
    m.instruments = {makeAccordion(5, 18, 0.5, 3.0), makeAccordion(10, 30, 0, 2.0),
                     makeKantele(0x200), makeBass(40)};
    m.instruments[1].name = "Haitarin sointu";
    m.instruments[1].vibrato = {};
    panInstrument(m.instruments[PadReed - 1], 108);
    panInstrument(m.instruments[Kantele - 1], 176);
    return m;
}

std::vector<uint8_t> composeMenuSong() {
    return writeXm(menuSongModule());
}
