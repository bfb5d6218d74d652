#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double middleC = 261.6255653005986; // C-4
constexpr double drumRate = 44100.0;

// a small deterministic noise source, -1 to 1
struct Noise {
    uint32_t state;
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>((state >> 8) * (2.0 / 16777216.0) - 1.0);
    }
};

double noteHz(int note) {
    return middleC * std::pow(2.0, (note - 49) / 12.0);
}

// removes a constant offset and the slow drift below about 20 Hz
void blockDc(std::vector<float>& w, double rate) {
    double r = 1.0 - 2.0 * pi * 20.0 / rate;
    double previousIn = 0, previousOut = 0;
    for (float& v : w) {
        double out = v - previousIn + r * previousOut;
        previousIn = v;
        previousOut = out;
        v = static_cast<float>(out);
    }
}

// a raised-cosine fade over the last frames, so a one-shot sample ends at zero
void fadeTail(std::vector<float>& w, size_t frames) {
    frames = std::min(frames, w.size());
    for (size_t i = 0; i < frames; ++i) {
        double x = static_cast<double>(i) / frames;
        w[w.size() - frames + i] *= static_cast<float>(0.5 + 0.5 * std::cos(pi * x));
    }
}

XmSample oneShot(const char* name, std::vector<float> wave, double peak, uint8_t volume) {
    XmSample s;
    s.name = name;
    s.data = toFrames(wave, peak);
    s.volume = volume;
    tuneSample(s, drumRate, middleC);
    return s;
}

// each note played by the sample whose base note lies at or below it
void mapByBase(XmInstrument& ins, const std::vector<int>& baseNotes) {
    for (int i = 0; i < 96; ++i) {
        uint8_t pick = 0;
        for (size_t s = 0; s < baseNotes.size(); ++s)
            if (i + 1 >= baseNotes[s])
                pick = static_cast<uint8_t>(s);
        ins.sampleForNote[i] = pick;
    }
}

// one reed tone at a base note, looped over a whole number of beats between the two reeds,
// with a reed an octave lower at the given level (0 for none), and buzz as the drive of the
// soft limit
XmSample accordionSample(int baseNote, double lowReed, double buzz) {
    const int cycle = 128; // frames per period of the true reed
    const int beats = 110; // true-reed periods per loop; the sharp reed fits one more
    double f0 = noteHz(baseNote);
    double rate = f0 * cycle;
    int harmonics = std::min(60, static_cast<int>(8000.0 / f0));
    size_t frames = static_cast<size_t>(cycle) * beats;
    std::vector<float> w(frames, 0.0f);
    const double width = 0.32;
    for (int n = 1; n <= harmonics; ++n) {
        double tilt = 1.0 / (1.0 + std::pow(n * f0 / 4000.0, 2.0));
        double pulse = 2.0 / (n * pi) * std::sin(n * pi * width) * tilt;
        double saw = 0.8 / n * tilt;
        double stepTrue = 2.0 * pi * n * beats / frames;
        double stepSharp = 2.0 * pi * n * (beats + 1) / frames;
        // spread phases keep the peaks low
        double phaseTrue = pi * n * n / harmonics;
        double phaseSharp = pi * (n + 0.5) * (n + 0.5) / harmonics;
        for (size_t i = 0; i < frames; ++i)
            w[i] += static_cast<float>(pulse * std::sin(stepTrue * i + phaseTrue) +
                                       saw * std::sin(stepSharp * i + phaseSharp));
    }
    for (int n = 1; lowReed > 0 && n <= 2 * harmonics; ++n) {
        double tilt = 1.0 / (1.0 + std::pow(n * f0 / 8000.0, 2.0));
        double level = lowReed / n * tilt;
        double step = 2.0 * pi * n * (beats / 2) / frames;
        double phase = pi * n * n / (2 * harmonics) + 1.0;
        for (size_t i = 0; i < frames; ++i)
            w[i] += static_cast<float>(level * std::sin(step * i + phase));
    }
    // the reeds' buzz: a soft limit that rounds off the moments the two reeds line up
    float loudest = 0;
    for (float v : w)
        loudest = std::max(loudest, std::fabs(v));
    for (float& v : w)
        v = static_cast<float>(std::tanh(buzz * v / loudest));
    // the limit leaves an offset that drifts with the beating: take off the average of the
    // period around each frame, round the loop, so short notes carry no offset either
    std::vector<float> level(frames);
    double sum = 0;
    for (int i = -cycle / 2; i < cycle / 2; ++i)
        sum += w[(i + frames) % frames];
    for (size_t i = 0; i < frames; ++i) {
        level[i] = static_cast<float>(sum / cycle);
        sum += w[(i + cycle / 2) % frames] - w[(i + frames - cycle / 2) % frames];
    }
    for (size_t i = 0; i < frames; ++i)
        w[i] -= level[i];
    XmSample s;
    s.name = "haitari";
    s.data = toFrames(w, 0.97);
    s.loop = XmLoop::Forward;
    s.loopStart = 0;
    s.loopLength = static_cast<uint32_t>(frames);
    tuneSample(s, rate, f0);
    return s;
}

// a plucked string at a base note, ringing for the given seconds
XmSample kanteleSample(int baseNote, double seconds, uint32_t seed) {
    double f0 = noteHz(baseNote);
    int delay = static_cast<int>(std::lround(44100.0 / f0 - 0.5));
    double rate = f0 * (delay + 0.5);
    size_t frames = static_cast<size_t>(seconds * rate);
    // loss per period so the fundamental fades by 60 dB over the ring time
    double loss = std::pow(10.0, -3.0 / (f0 * seconds * 1.1));
    std::vector<float> line(delay);
    Noise noise{seed};
    double low = 0;
    for (float& v : line) {
        low += 0.3 * (noise.next() - low);
        v = static_cast<float>(low);
    }
    double mean = 0;
    for (float v : line)
        mean += v;
    mean /= line.size();
    for (float& v : line)
        v -= static_cast<float>(mean);
    std::vector<float> w(frames);
    for (size_t i = 0; i < frames; ++i) {
        size_t at = i % line.size();
        size_t next = (i + 1) % line.size();
        float out = line[at];
        w[i] = out;
        line[at] = static_cast<float>(loss * 0.5 * (out + line[next]));
    }
    // the string is plucked near its end: a touch of the comb that position gives
    std::vector<float> picked(w);
    size_t pluck = static_cast<size_t>(delay / 7);
    for (size_t i = pluck; i < frames; ++i)
        picked[i] = w[i] - 0.5f * w[i - pluck];
    // a steel string's bite: the loudest moment of the pluck rounded off a little
    float loudest = 0;
    for (float v : picked)
        loudest = std::max(loudest, std::fabs(v));
    for (float& v : picked)
        v = static_cast<float>(std::tanh(1.8 * v / loudest));
    blockDc(picked, rate);
    // a quick ramp in, then a tail to zero
    for (size_t i = 0; i < 32 && i < frames; ++i)
        picked[i] *= static_cast<float>(i) / 32.0f;
    fadeTail(picked, static_cast<size_t>(0.25 * rate));
    XmSample s;
    s.name = "kantele";
    s.data = toFrames(picked, 0.97);
    tuneSample(s, rate, f0);
    return s;
}

} // namespace

void tuneSample(XmSample& sample, double sampleRate, double pitchHz) {
    double semitones = 12.0 * std::log2(middleC * sampleRate / (pitchHz * 8363.0));
    long units = std::lround(semitones * 128.0);
    long note = (units >= 0 ? units + 64 : units - 63) / 128;
    long fine = units - note * 128;
    if (fine > 127) {
        fine -= 128;
        ++note;
    }
    if (fine < -128) {
        fine += 128;
        --note;
    }
    sample.relativeNote = static_cast<int8_t>(note);
    sample.finetune = static_cast<int8_t>(fine);
}

std::vector<int16_t> toFrames(const std::vector<float>& wave, double peak) {
    float loudest = 0;
    for (float v : wave)
        loudest = std::max(loudest, std::fabs(v));
    double scale = loudest > 0 ? peak * 32767.0 / loudest : 0.0;
    std::vector<int16_t> frames(wave.size());
    for (size_t i = 0; i < wave.size(); ++i) {
        long v = std::lround(wave[i] * scale);
        frames[i] = static_cast<int16_t>(std::clamp(v, -32767L, 32767L));
    }
    return frames;
}

XmInstrument makeAccordion(int attackTicks, int releaseTicks, double lowReed, double buzz) {
    XmInstrument ins;
    ins.name = "Haitari";
    const std::vector<int> bases = {37, 49, 61, 73}; // C-3 to C-6
    for (int b : bases)
        ins.samples.push_back(accordionSample(b, lowReed, buzz));
    mapByBase(ins, bases);
    auto a = static_cast<uint16_t>(std::max(1, attackTicks));
    auto r = static_cast<uint16_t>(std::max(1, releaseTicks));
    ins.volumeEnvelope.points = {
        {0, 0}, {a, 64}, {static_cast<uint16_t>(a + 8), 54}, {static_cast<uint16_t>(a + 8 + r), 0}};
    ins.volumeEnvelope.sustain = 2;
    ins.vibrato = {0, 40, 2, 10};
    ins.fadeout = 0x200;
    return ins;
}

void panInstrument(XmInstrument& instrument, uint8_t panning) {
    for (XmSample& s : instrument.samples)
        s.panning = panning;
}

XmInstrument makeKantele(int fadeout) {
    XmInstrument ins;
    ins.name = "Kantele";
    const std::vector<int> bases = {37, 49, 61}; // C-3 to C-5
    const double ring[] = {2.6, 2.0, 1.4};
    for (size_t i = 0; i < bases.size(); ++i)
        ins.samples.push_back(kanteleSample(bases[i], ring[i], 0x1234u + 77u * i));
    mapByBase(ins, bases);
    ins.volumeEnvelope.points = {{0, 64}, {4, 64}};
    ins.fadeout = static_cast<uint16_t>(fadeout);
    return ins;
}

XmInstrument makeBass(int decayTicks) {
    const int cycle = 512;
    const int attackCycles = 10;
    double f0 = noteHz(25); // C-2
    double rate = f0 * cycle;
    size_t frames = static_cast<size_t>(cycle) * (attackCycles + 1);
    auto steady = [](int n) { return 1.0 / std::pow(n, 1.7) * (n % 2 ? 1.0 : 0.7); };
    auto bright = [](int n) { return 0.6 / n; }; // the pluck's extra brightness, gone by the loop
    // the tone starts at the point of its cycle where a ramped-in, slowly decaying note adds
    // up to nothing, so that the many short bass notes leave no offset behind
    const size_t ramp = 96;
    std::vector<double> onset(cycle, 0.0);
    for (int n = 1; n <= 30; ++n)
        for (int i = 0; i < cycle; ++i)
            onset[i] += (steady(n) + bright(n)) * std::sin(2 * pi * n * i / cycle);
    int start = 0;
    double best = 1e30;
    for (int k = 0; k < cycle; k += 2) {
        double area = 0;
        for (size_t i = 0; i < 40 * static_cast<size_t>(cycle); ++i) {
            double r = i < ramp ? 0.5 - 0.5 * std::cos(pi * i / ramp) : 1.0;
            area += r * std::exp(-static_cast<double>(i) / (6.0 * cycle)) * onset[(i + k) % cycle];
        }
        if (std::fabs(area) < best) {
            best = std::fabs(area);
            start = k;
        }
    }
    std::vector<float> w(frames, 0.0f);
    for (int n = 1; n <= 30; ++n) {
        double step = 2.0 * pi * n / cycle;
        for (size_t i = 0; i < frames; ++i) {
            double x = std::min(1.0, static_cast<double>(i) / (cycle * attackCycles));
            double fade = std::pow(1.0 - x, 3.0);
            w[i] +=
                static_cast<float>((steady(n) + bright(n) * fade) * std::sin(step * (i + start)));
        }
    }
    for (size_t i = 0; i < ramp; ++i)
        w[i] *= static_cast<float>(0.5 - 0.5 * std::cos(pi * i / ramp));
    XmSample s;
    s.name = "basso";
    s.data = toFrames(w, 0.97);
    s.loop = XmLoop::Forward;
    s.loopStart = static_cast<uint32_t>(cycle * attackCycles);
    s.loopLength = cycle;
    tuneSample(s, rate, f0);

    XmInstrument ins;
    ins.name = "Basso";
    ins.samples.push_back(s);
    auto d = static_cast<uint16_t>(std::max(8, decayTicks));
    ins.volumeEnvelope.points = {{0, 64},
                                 {3, 58},
                                 {static_cast<uint16_t>(d / 3), 40},
                                 {d, 16},
                                 {static_cast<uint16_t>(d * 2), 0}};
    ins.fadeout = 0x400;
    return ins;
}

XmInstrument makeKick() {
    size_t frames = static_cast<size_t>(0.45 * drumRate);
    std::vector<float> w(frames);
    Noise noise{99};
    double phase = 0;
    double low = 0;
    for (size_t i = 0; i < frames; ++i) {
        double t = i / drumRate;
        double hz = 48.0 + 110.0 * std::exp(-t / 0.025);
        phase += 2.0 * pi * hz / drumRate;
        double body = std::sin(phase) * std::exp(-t / 0.18) * std::min(1.0, t / 0.001);
        low += 0.3 * (noise.next() - low);
        double click = low * std::exp(-t / 0.002) * 0.4;
        w[i] = static_cast<float>(body + click);
    }
    blockDc(w, drumRate);
    fadeTail(w, frames / 4);
    XmInstrument ins;
    ins.name = "Potku";
    ins.samples.push_back(oneShot("potku", w, 0.95, 64));
    return ins;
}

XmInstrument makeSnare() {
    size_t frames = static_cast<size_t>(0.3 * drumRate);
    std::vector<float> w(frames);
    Noise noise{7};
    double low = 0, previous = 0;
    for (size_t i = 0; i < frames; ++i) {
        double t = i / drumRate;
        double n = noise.next();
        low += 0.45 * (n - low);
        double band = low - previous * 0.6;
        previous = low;
        double tone = 0.55 * std::sin(2 * pi * 185 * t) * std::exp(-t / 0.04) +
                      0.3 * std::sin(2 * pi * 330 * t) * std::exp(-t / 0.03);
        double rattle = band * std::exp(-t / 0.09);
        w[i] = static_cast<float>((tone + rattle) * std::min(1.0, t / 0.0008));
    }
    blockDc(w, drumRate);
    fadeTail(w, frames / 3);
    XmInstrument ins;
    ins.name = "Virveli";
    ins.samples.push_back(oneShot("virveli", w, 0.9, 64));
    return ins;
}

XmInstrument makeHiHat() {
    size_t frames = static_cast<size_t>(0.12 * drumRate);
    std::vector<float> w(frames);
    Noise noise{31337};
    double a = 0, b = 0;
    for (size_t i = 0; i < frames; ++i) {
        double t = i / drumRate;
        double n = noise.next();
        double high = n - a; // two first differences: only the hiss is left
        a = n;
        double higher = high - b;
        b = high;
        w[i] = static_cast<float>(higher * std::exp(-t / 0.022) * std::min(1.0, t / 0.0005));
    }
    blockDc(w, drumRate);
    fadeTail(w, frames / 3);
    XmInstrument ins;
    ins.name = "Symbaali";
    ins.samples.push_back(oneShot("symbaali", w, 0.8, 64));
    return ins;
}
