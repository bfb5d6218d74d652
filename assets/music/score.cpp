#include "score.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

// pitch class of a note letter with an optional sharp or flat after it; advances at
int pitchClass(const std::string& s, size_t& at) {
    static const int natural[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (at >= s.size() || s[at] < 'A' || s[at] > 'G')
        throw std::invalid_argument("not a note name: " + s);
    int pc = natural[s[at] - 'A'];
    ++at;
    if (at < s.size() && s[at] == '#') {
        ++pc;
        ++at;
    } else if (at < s.size() && s[at] == 'b') {
        --pc;
        ++at;
    }
    return (pc + 12) % 12;
}

} // namespace

Score makeScore(int channels, int rows) {
    Score s;
    s.channels = channels;
    s.rows = rows;
    s.cells.assign(static_cast<size_t>(channels) * rows, XmCell{});
    return s;
}

XmCell& cellAt(Score& score, int row, int channel) {
    if (row < 0 || row >= score.rows || channel < 0 || channel >= score.channels)
        throw std::out_of_range("cell outside the score");
    return score.cells[static_cast<size_t>(row) * score.channels + channel];
}

int noteNumber(const std::string& name) {
    size_t at = 0;
    int pc = pitchClass(name, at);
    if (at >= name.size() || name[at] < '0' || name[at] > '7')
        throw std::invalid_argument("no octave in " + name);
    int octave = name[at] - '0';
    // B# and Cb cross the octave line
    if (name[0] == 'B' && pc == 0)
        ++octave;
    if (name[0] == 'C' && pc == 11)
        --octave;
    return octave * 12 + pc + 1;
}

std::vector<LineNote> parseLine(const std::string& text) {
    std::vector<LineNote> line;
    std::istringstream in(text);
    std::string token;
    int row = 0;
    while (in >> token) {
        size_t colon = token.find(':');
        if (colon == std::string::npos)
            throw std::invalid_argument("no length in " + token);
        std::string pitch = token.substr(0, colon);
        int length = std::stoi(token.substr(colon + 1));
        if (length <= 0)
            throw std::invalid_argument("bad length in " + token);
        LineNote n;
        n.row = row;
        n.length = length;
        n.note = pitch == "r" ? 0 : noteNumber(pitch);
        line.push_back(n);
        row += length;
    }
    return line;
}

int lineLength(const std::vector<LineNote>& line) {
    return line.empty() ? 0 : line.back().row + line.back().length;
}

Chord parseChord(const std::string& symbol, int transpose) {
    size_t at = 0;
    int root = (pitchClass(symbol, at) + transpose % 12 + 12) % 12;
    std::string kind = symbol.substr(at);
    std::vector<int> steps;
    if (kind.empty())
        steps = {0, 4, 7};
    else if (kind == "m")
        steps = {0, 3, 7};
    else if (kind == "7")
        steps = {0, 4, 7, 10};
    else if (kind == "m7")
        steps = {0, 3, 7, 10};
    else if (kind == "6")
        steps = {0, 4, 7, 9};
    else
        throw std::invalid_argument("unknown chord " + symbol);
    Chord c;
    c.root = root;
    for (int s : steps)
        c.tones.push_back((root + s) % 12);
    return c;
}

std::vector<int> voiceChord(const Chord& chord, int voices, int lowest) {
    std::vector<int> tones = chord.tones;
    // with fewer voices than tones, the fifth goes first
    if (static_cast<int>(tones.size()) > voices && tones.size() > 2)
        tones.erase(tones.begin() + 2);
    std::vector<int> notes;
    for (int i = 0; i < voices; ++i) {
        int pc = tones[i % tones.size()];
        int note = lowest + ((pc - (lowest - 1)) % 12 + 12) % 12;
        note += 12 * (i / static_cast<int>(tones.size()));
        notes.push_back(note);
    }
    std::sort(notes.begin(), notes.end());
    return notes;
}

int harmonyBelow(const Chord& chord, int melodyNote, int minGap) {
    for (int note = melodyNote - minGap; note > 0; --note)
        if (std::find(chord.tones.begin(), chord.tones.end(), (note - 1) % 12) != chord.tones.end())
            return note;
    return 0;
}

void putNote(Score& score, int row, int channel, int note, int instrument, int volume) {
    XmCell& c = cellAt(score, row, channel);
    c.note = static_cast<uint8_t>(note);
    c.instrument = static_cast<uint8_t>(instrument);
    c.volume = volume < 0 ? 0 : static_cast<uint8_t>(0x10 + std::min(volume, 64));
}

void putKeyOff(Score& score, int row, int channel) {
    XmCell& c = cellAt(score, row, channel);
    c = XmCell{};
    c.note = xmKeyOff;
}

void putEffect(Score& score, int row, int channel, uint8_t effect, uint8_t param) {
    XmCell& c = cellAt(score, row, channel);
    c.effect = effect;
    c.param = param;
}

void putReedOffset(Score& score, int row, int channel, int voice) {
    putEffect(score, row, channel, xmSampleOffset,
              static_cast<uint8_t>((row / 2 * 7 + voice * 19) % 48 + 1));
}

void putLine(Score& score, int row, int channel, const std::vector<LineNote>& line, int instrument,
             int volume, int transpose) {
    bool sounding = false;
    for (const LineNote& n : line) {
        if (n.note) {
            putNote(score, row + n.row, channel, n.note + transpose, instrument, volume);
            sounding = true;
        } else if (sounding) {
            putKeyOff(score, row + n.row, channel);
            sounding = false;
        }
    }
}

XmModule moduleFromScore(const Score& score, int patternRows) {
    XmModule m;
    m.channels = score.channels;
    for (int start = 0; start < score.rows; start += patternRows) {
        int rows = std::min(patternRows, score.rows - start);
        XmPattern p;
        p.rows = rows;
        auto from = score.cells.begin() + static_cast<long>(start) * score.channels;
        p.cells.assign(from, from + static_cast<long>(rows) * score.channels);
        size_t index = 0;
        while (index < m.patterns.size() &&
               (m.patterns[index].rows != p.rows ||
                m.patterns[index].cells.size() != p.cells.size() ||
                !std::equal(p.cells.begin(), p.cells.end(), m.patterns[index].cells.begin(),
                            [](const XmCell& a, const XmCell& b) {
                                return a.note == b.note && a.instrument == b.instrument &&
                                       a.volume == b.volume && a.effect == b.effect &&
                                       a.param == b.param;
                            })))
            ++index;
        if (index == m.patterns.size())
            m.patterns.push_back(std::move(p));
        m.orders.push_back(static_cast<uint8_t>(index));
    }
    return m;
}
