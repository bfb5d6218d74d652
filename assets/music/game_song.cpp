// "Tontut": a humppa in A minor that climbs to B minor, for the length of a game.
#include "instruments.h"
#include "score.h"
#include "songs.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr int rowsPerBar = 8; // 2/4, a row is a sixteenth
constexpr int patternRows = 64;

enum Channel { Lead, Second, ArpA, ArpB, Chord1, Chord2, Chord3, Bass, Kick, Snare, Hat, Spare };
constexpr int channelCount = 12;

enum Instrument { LeadReed = 1, ChordReed, Kantele, BassString, KickDrum, SnareDrum, HiHat };

// how a theme is played: who carries the tune and who accompanies
struct Arrangement {
    int leadInstrument = LeadReed;
    int leadVolume = 62;
    int leadShift = 0; // octaves
    bool harmony = false;
    int arps = 0; // 0 none, 1 eighths, 2 sixteenths
    bool chords = true;
    bool bass = true;
    int drums = 1;     // 0 none, 1 kick and hat, 2 with offbeat snare, 3 busy
    bool fill = false; // snare fill in the last bar
};

// the tune in A minor
const Theme themeA = {
    {"Am", "Am", "E7", "Am", "Dm", "Am", "E7", "Am", "Am", "Dm", "G", "C", "Dm", "Am", "E7", "Am"},
    "E5:2 A5:2 G#5:1 A5:1 B5:2  C6:2 B5:1 A5:1 E5:4  G#5:2 B5:2 D6:2 B5:2  C6:2 A5:2 E5:4 "
    "F5:2 A5:2 D6:3 C6:1  C6:2 B5:1 A5:1 A5:2 E5:2  G#5:2 A5:1 B5:1 D6:2 B5:2  A5:4 r:2 E5:2 "
    "A5:2 C6:2 E6:2 C6:2  D6:2 C6:1 B5:1 A5:2 F5:2  B5:2 G5:2 D6:2 B5:2  C6:2 E5:2 G5:4 "
    "F5:2 E5:1 D5:1 F5:2 A5:2  E5:2 A5:2 C6:2 A5:2  B5:2 G#5:2 E5:2 D6:2  C6:2 B5:2 A5:4"};

// the answer in C major
const Theme themeB = {
    {"C", "C", "G7", "G7", "G7", "G7", "C", "C", "F", "F", "C", "C", "G7", "G7", "C", "E7"},
    "E5:1 F5:1 G5:2 G5:2 E5:2  C6:2 G5:2 E5:2 C5:2  D5:1 E5:1 F5:2 F5:2 D5:2  B5:2 G5:2 F5:2 D5:2 "
    "D5:1 E5:1 F5:2 A5:2 G5:2  F5:2 E5:2 D5:2 B4:2  C5:2 E5:2 G5:2 C6:2  E6:4 r:2 G5:2 "
    "A5:1 G5:1 A5:2 C6:2 A5:2  F5:2 A5:2 C6:4  G5:1 F5:1 G5:2 E5:2 C5:2  E5:2 G5:2 C6:4 "
    "B5:2 A5:1 G5:1 F5:2 D5:2  G5:2 F5:2 D5:2 B4:2  C5:2 E5:2 G5:2 E5:2  G#5:2 B5:2 E5:2 r:2"};

// the trio in F major, broader
const Theme themeC = {
    {"F", "F", "C7", "C7", "C7", "C7", "F", "F", "Bb", "Bb", "F", "F", "C7", "C7", "F", "F"},
    "A5:4 C6:4  F5:4 A5:2 C6:2  Bb5:6 A5:1 G5:1  E5:4 G5:4  Bb5:4 G5:2 E5:2  C5:4 E5:2 G5:2 "
    "A5:2 G5:2 F5:2 A5:2  C6:6 r:2  D6:4 Bb5:2 F5:2  D5:2 F5:2 Bb5:4  C6:4 A5:2 F5:2 "
    "C6:2 A5:2 F5:4  G5:2 Bb5:2 E6:2 D6:1 C6:1  Bb5:2 G5:2 E5:2 G5:2  F5:2 A5:2 C6:2 A5:2  "
    "F5:4 r:4"};

// running sixteenths in A minor
const Theme themeD = {
    {"Am", "Am", "Dm", "Dm", "E7", "E7", "Am", "Am", "Am", "Am", "Dm", "Dm", "E7", "E7", "E7",
     "Am"},
    "A5:1 B5:1 C6:1 B5:1 A5:1 G#5:1 A5:1 E5:1  C5:1 E5:1 A5:1 E5:1 C6:2 A5:2 "
    "D5:1 E5:1 F5:1 E5:1 D5:1 F5:1 A5:1 D6:1  D6:2 A5:2 F5:2 D5:2 "
    "E5:1 F5:1 G#5:1 A5:1 B5:1 A5:1 G#5:1 F5:1  E5:2 G#5:2 B5:2 D6:2 "
    "C6:1 B5:1 A5:1 G#5:1 A5:2 E5:2  A5:2 r:2 A4:2 r:2 "
    "A5:1 B5:1 C6:1 B5:1 A5:1 G#5:1 A5:1 E5:1  C5:1 E5:1 A5:1 E5:1 C6:2 A5:2 "
    "D5:1 E5:1 F5:1 E5:1 D5:1 F5:1 A5:1 D6:1  D6:2 A5:2 F5:2 D5:2 "
    "E5:1 F5:1 G#5:1 A5:1 B5:1 A5:1 G#5:1 F5:1  E5:2 G#5:2 B5:2 D6:2  B5:1 C6:1 D6:1 B5:1 "
    "G#5:2 E5:2  A5:4 r:4"};

const Theme intro = {{"Am", "Am", "E7", "E7", "Am", "Am", "E7", "E7"}, "r:64"};
const Theme breakdown = {{"Dm", "Dm", "Am", "Am", "E7", "E7", "Am", "Am"}, "r:64"};
const Theme climb = {{"E7", "E7", "E7", "E7", "F#7", "F#7", "F#7", "F#7"}, "r:64"};

int bassNote(const Chord& c, bool fifth) {
    int pc = fifth ? c.tones[2] : c.root;
    return 29 + ((pc - 4) % 12 + 12) % 12; // E-2 up to D#3
}

void drumBar(Score& s, int row, int level, bool fill) {
    if (level <= 0)
        return;
    putNote(s, row, Kick, 49, KickDrum, 56);
    putNote(s, row + 4, Kick, 49, KickDrum, 52);
    if (level >= 2) {
        putNote(s, row + 2, Snare, 49, SnareDrum, 36);
        putNote(s, row + 6, Snare, 49, SnareDrum, 40);
    }
    for (int r = 0; r < rowsPerBar; ++r) {
        bool offbeat = r % 4 == 2;
        if (level >= 3 || r % 2 == 0)
            putNote(s, row + r, Hat, 49, HiHat, offbeat ? 40 : (r % 2 ? 20 : 27));
    }
    if (fill)
        for (int r = 0; r < rowsPerBar; ++r)
            putNote(s, row + r, Snare, 49, SnareDrum, 22 + r * 4);
}

// a theme from the bar on, in the key moved up by transpose
void playTheme(Score& s, int bar, const Theme& t, int transpose, const Arrangement& a) {
    int start = bar * rowsPerBar;
    std::vector<LineNote> tune = parseLine(t.melody);
    if (lineLength(tune) != static_cast<int>(t.chords.size()) * rowsPerBar)
        throw std::logic_error("a tune does not fill its bars: " + t.melody.substr(0, 40));
    putLine(s, start, Lead, tune, a.leadInstrument, a.leadVolume, transpose + 12 * a.leadShift);
    if (a.harmony) {
        int held = 0;
        for (const LineNote& n : tune) {
            int row = start + n.row;
            if (!n.note) {
                if (held)
                    putKeyOff(s, row, Second);
                held = 0;
                continue;
            }
            if (n.length < 2 && held)
                continue;
            Chord c = parseChord(t.chords[n.row / rowsPerBar], transpose);
            held = harmonyBelow(c, n.note + transpose + 12 * a.leadShift, 3);
            putNote(s, row, Second, held, LeadReed, a.leadVolume * 5 / 8);
        }
    }
    for (size_t b = 0; b < t.chords.size(); ++b) {
        int row = start + static_cast<int>(b) * rowsPerBar;
        Chord c = parseChord(t.chords[b], transpose);
        if (a.bass) {
            putNote(s, row, Bass, bassNote(c, false), BassString, 60);
            putNote(s, row + 4, Bass, bassNote(c, true) - 12 * (bassNote(c, true) > 36), BassString,
                    54);
        }
        if (a.chords) {
            std::vector<int> v = voiceChord(c, 3, 44);
            for (int r : {2, 6})
                for (int i = 0; i < 3; ++i) {
                    putNote(s, row + r, Chord1 + i, v[i], ChordReed, 40);
                    putReedOffset(s, row + r, Chord1 + i, i);
                    putKeyOff(s, row + r + 1, Chord1 + i);
                }
        }
        if (a.arps) {
            std::vector<int> v = voiceChord(c, 4, 51);
            const int order[] = {0, 1, 2, 3, 2, 1, 2, 3};
            int step = a.arps == 2 ? 1 : 2;
            for (int r = 0, k = 0; r < rowsPerBar; r += step, ++k)
                putNote(s, row + r, k % 2 ? ArpB : ArpA, v[order[k % 8]] + (a.arps == 2 ? 12 : 0),
                        Kantele, a.arps == 2 ? 36 : 44);
        }
        bool last = b + 1 == t.chords.size();
        drumBar(s, row, a.drums, a.fill && last);
    }
}

// the opening: stamping feet, then the bass, then the accordion's chords
void playIntro(Score& s, int bar) {
    Arrangement feet;
    feet.chords = false;
    feet.bass = false;
    for (int b = 0; b < 8; ++b) {
        Theme one = {{intro.chords[b]}, "r:8"};
        Arrangement a = feet;
        a.bass = b >= 2;
        a.chords = b >= 4;
        a.drums = b >= 4 ? 2 : 1;
        a.fill = b == 7;
        playTheme(s, bar + b, one, 0, a);
    }
}

// the last bars: the tune's close, three stabs and a ringing chord
int playCoda(Score& s, int bar, int transpose) {
    Theme close = {{"Dm", "Am", "E7", "Am"},
                   "F5:2 E5:1 D5:1 F5:2 A5:2  E5:2 A5:2 C6:2 A5:2  B5:2 G#5:2 E5:2 D6:2  "
                   "C6:2 B5:2 A5:4"};
    Arrangement a;
    a.harmony = true;
    a.arps = 1;
    a.drums = 3;
    a.fill = true;
    playTheme(s, bar, close, transpose, a);
    int row = (bar + 4) * rowsPerBar;
    Chord home = parseChord("Am", transpose);
    Chord dominant = parseChord("E7", transpose);
    struct Stab {
        int row;
        const Chord* chord;
    };
    const Stab stabs[] = {{0, &home}, {2, &home}, {4, &dominant}, {8, &home}};
    for (const Stab& st : stabs) {
        int r = row + st.row;
        std::vector<int> v = voiceChord(*st.chord, 3, 56);
        for (int i = 0; i < 3; ++i) {
            putNote(s, r, Chord1 + i, v[i], ChordReed, 34);
            putReedOffset(s, r, Chord1 + i, i);
        }
        putNote(s, r, Lead, v[2] + 12, LeadReed, 44);
        putNote(s, r, Second, v[1] + 12, LeadReed, 30);
        putNote(s, r, Bass, bassNote(*st.chord, false), BassString, 60);
        putNote(s, r, Kick, 49, KickDrum, 62);
        putNote(s, r, Snare, 49, SnareDrum, 40);
        if (st.row < 8)
            for (int ch : {Lead, Second, Chord1, Chord2, Chord3})
                putKeyOff(s, r + 1, ch);
    }
    // the final chord rings for a bar, then lets go
    int end = row + 8;
    std::vector<int> ring = voiceChord(home, 4, 46);
    putNote(s, end, ArpA, ring[0], Kantele, 40);
    putNote(s, end, ArpB, ring[3] + 12, Kantele, 34);
    // then the band fades away in a bar's time, and the song is over
    for (int r = end + 8; r < end + 16; ++r)
        putEffect(s, r, Spare, xmGlobalVolumeSlide, 0x02);
    for (int ch : {Lead, Second, Chord1, Chord2, Chord3})
        putKeyOff(s, end + 15, ch);
    return end + 16;
}

} // namespace

XmModule gameSongModule() {
    const int totalBars = 8 + 5 * 16 + 8 + 4 * 16 + 8 + 7 * 16 + 8;
    Score s = makeScore(channelCount, totalBars * rowsPerBar);
    int bar = 0;
    putEffect(s, 0, Spare, xmSetGlobalVolume, 64);
    playIntro(s, bar);
    bar += 8;

    Arrangement plain;
    Arrangement sung = plain;
    sung.harmony = true;
    sung.drums = 2;
    Arrangement answered = sung;
    answered.harmony = false;
    answered.arps = 1;
    Arrangement plucked = plain;
    plucked.leadInstrument = Kantele;
    plucked.leadVolume = 60;
    Arrangement running = plain;
    running.drums = 3;
    running.fill = true;
    Arrangement full = sung;
    full.arps = 1;
    full.drums = 3;
    Arrangement broad = plain;
    broad.leadInstrument = Kantele;
    broad.leadVolume = 60;
    broad.drums = 1;
    Arrangement broadFull = full;
    broadFull.drums = 2;

    struct Section {
        const Theme* theme;
        int transpose;
        Arrangement arrangement;
    };
    const Section firstHalf[] = {{&themeA, 0, plain},
                                 {&themeA, 0, sung},
                                 {&themeB, 0, answered},
                                 {&themeA, 0, plucked},
                                 {&themeD, 0, running}};
    for (const Section& sec : firstHalf) {
        playTheme(s, bar, *sec.theme, sec.transpose, sec.arrangement);
        bar += 16;
    }
    Arrangement quiet = plain;
    quiet.arps = 2;
    quiet.chords = false;
    quiet.fill = true;
    playTheme(s, bar, breakdown, 0, quiet);
    bar += 8;
    const Section middle[] = {
        {&themeC, 0, broad}, {&themeC, 0, broadFull}, {&themeB, 0, full}, {&themeA, 0, full}};
    for (const Section& sec : middle) {
        playTheme(s, bar, *sec.theme, sec.transpose, sec.arrangement);
        bar += 16;
    }
    Arrangement rising = plain;
    rising.drums = 2;
    rising.arps = 2;
    rising.fill = true;
    playTheme(s, bar, climb, 0, rising);
    bar += 8;
    const Section secondHalf[] = {
        {&themeA, 2, sung},  {&themeB, 2, answered},  {&themeA, 2, plucked}, {&themeD, 2, running},
        {&themeC, 2, broad}, {&themeC, 2, broadFull}, {&themeA, 2, full}};
    for (const Section& sec : secondHalf) {
        playTheme(s, bar, *sec.theme, sec.transpose, sec.arrangement);
        bar += 16;
    }
    int endRow = playCoda(s, bar, 2);
    s.rows = endRow;
    s.cells.resize(static_cast<size_t>(endRow) * channelCount);

    XmModule m = moduleFromScore(s, patternRows);
    m.name = "Tontut";
    m.speed = 6;
    m.tempo = 140;
    m.restart = 0;
    m.instruments = {makeAccordion(2, 10, 0.5, 3.0),
                     makeAccordion(1, 6, 0, 2.0),
                     makeKantele(0x300),
                     makeBass(22),
                     makeKick(),
                     makeSnare(),
                     makeHiHat()};
    m.instruments[1].name = "Haitarin sointu";
    m.instruments[1].vibrato = {};
    // the band as it stands: chords to the left, kantele and cymbal to the right
    panInstrument(m.instruments[ChordReed - 1], 104);
    panInstrument(m.instruments[Kantele - 1], 180);
    panInstrument(m.instruments[SnareDrum - 1], 112);
    panInstrument(m.instruments[HiHat - 1], 160);
    return m;
}

std::vector<uint8_t> composeGameSong() {
    return writeXm(gameSongModule());
}
