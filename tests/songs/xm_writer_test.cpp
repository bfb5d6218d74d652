// The XM writer, judged by what libopenmpt makes of its files.
#include "song_render.h"
#include "xm_writer.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <cmath>
#include <functional>
#include <stdexcept>

namespace {

constexpr double pi = 3.14159265358979323846;

uint32_t read32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t read16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

// a looped sine of exactly `cycles` periods in `frames` frames
XmSample sineSample(const char* name, int frames, int cycles, int bits) {
    XmSample s;
    s.name = name;
    s.bits = bits;
    for (int i = 0; i < frames; ++i)
        s.data.push_back(
            static_cast<int16_t>(std::lround(30000.0 * std::sin(2 * pi * cycles * i / frames))));
    s.loop = XmLoop::Forward;
    s.loopLength = static_cast<uint32_t>(frames);
    return s;
}

// two channels, one pattern of 16 rows played twice; a sine instrument and one without samples
XmModule smallModule(int bits = 16) {
    XmModule m;
    m.name = "koe";
    m.channels = 2;
    m.speed = 6;
    m.tempo = 125;
    m.orders = {0, 0};
    m.patterns.push_back(emptyPattern(16, 2));
    XmInstrument sine;
    sine.name = "siniaalto";
    sine.samples.push_back(sineSample("sini", 256, 8, bits));
    sine.volumeEnvelope.points = {{0, 64}, {10, 64}};
    sine.volumeEnvelope.sustain = 1;
    XmInstrument empty;
    empty.name = "tyhja";
    m.instruments = {sine, empty};
    XmCell& first = cellAt(m.patterns[0], 2, 0, 0);
    first = {49, 1, 0x10 + 48, xmSetSpeed, 6};
    cellAt(m.patterns[0], 2, 15, 0).note = xmKeyOff;
    cellAt(m.patterns[0], 2, 3, 1) = {61, 1, 0, 0x0A, 0x0F};
    return m;
}

// upward zero crossings per second in the left channel between two times
double risingCrossingsPerSecond(const SongRender& r, double from, double to) {
    size_t a = static_cast<size_t>(from * r.rate), b = static_cast<size_t>(to * r.rate);
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i)
        if (r.samples[2 * (i - 1)] < 0 && r.samples[2 * i] >= 0)
            ++crossings;
    return crossings / (to - from);
}

TEST(XmWriter, LaysOutHeadersWithTheSizesTheyDeclare) {
    std::vector<uint8_t> b = writeXm(smallModule());
    ASSERT_GT(b.size(), 400u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 17), "Extended Module: ");
    EXPECT_EQ(b[37], 0x1A);
    EXPECT_EQ(read16(b, 58), 0x0104);
    EXPECT_EQ(read32(b, 60), 276u); // counted from offset 60
    EXPECT_EQ(read16(b, 64), 2);    // orders
    EXPECT_EQ(read16(b, 68), 2);    // channels
    EXPECT_EQ(read16(b, 70), 1);    // patterns
    EXPECT_EQ(read16(b, 72), 2);    // instruments
    EXPECT_EQ(read16(b, 74), 1);    // linear frequencies
    size_t pattern = 60 + 276;
    EXPECT_EQ(read32(b, pattern), 9u);
    EXPECT_EQ(read16(b, pattern + 5), 16); // rows
    size_t instrument = pattern + 9 + read16(b, pattern + 7);
    EXPECT_EQ(read32(b, instrument), 263u);
    EXPECT_EQ(read16(b, instrument + 27), 1); // samples
    EXPECT_EQ(read32(b, instrument + 29), 40u);
    size_t sample = instrument + 263;
    EXPECT_EQ(read32(b, sample), 512u); // 256 frames of 16 bits, in bytes
    EXPECT_EQ(b[sample + 14] & 0x10, 0x10);
    size_t data = sample + 40;
    // delta-encoded: the first frame is itself, the next ones differences
    auto frame = [&](size_t i) { return static_cast<int16_t>(read16(b, data + 2 * i)); };
    XmSample sine = smallModule().instruments[0].samples[0];
    EXPECT_EQ(frame(0), sine.data[0]);
    EXPECT_EQ(frame(5), static_cast<int16_t>(sine.data[5] - sine.data[4]));
    size_t second = data + 512;
    EXPECT_EQ(read32(b, second), 29u); // an instrument without samples
    EXPECT_EQ(b.size(), second + 29);
}

TEST(XmWriter, LibopenmptReadsItsNamesCountsAndCells) {
    openmpt::module mod(writeXm(smallModule()));
    EXPECT_EQ(mod.get_metadata("type"), "xm");
    EXPECT_EQ(mod.get_metadata("title"), "koe");
    EXPECT_EQ(mod.get_num_channels(), 2);
    EXPECT_EQ(mod.get_num_orders(), 2);
    EXPECT_EQ(mod.get_num_patterns(), 1);
    EXPECT_EQ(mod.get_pattern_num_rows(0), 16);
    EXPECT_EQ(mod.get_num_instruments(), 2);
    EXPECT_EQ(mod.get_num_samples(), 1);
    EXPECT_EQ(mod.get_instrument_names(), (std::vector<std::string>{"siniaalto", "tyhja"}));
    EXPECT_EQ(mod.get_sample_names(), (std::vector<std::string>{"sini"}));
    // libopenmpt names the octaves of XM notes one higher than the format numbers them
    EXPECT_EQ(mod.format_pattern_row_channel(0, 0, 0, 0, true), "C-5 01v30 F06");
    EXPECT_EQ(mod.format_pattern_row_channel(0, 3, 1, 0, true), "C-6 01 .. A0F");
    EXPECT_EQ(mod.format_pattern_row_channel(0, 15, 0, 0, true), "=== .. .. ...");
    EXPECT_EQ(mod.format_pattern_row_channel(0, 1, 0, 0, true), "... .. .. ...");
}

TEST(XmWriter, LengthFollowsRowsSpeedAndTempo) {
    XmModule m = smallModule();
    openmpt::module mod(writeXm(m));
    // 2 orders * 16 rows * 6 ticks * 2.5 / 125 s
    EXPECT_NEAR(mod.get_duration_seconds(), 3.84, 0.01);
    m.tempo = 150;
    cellAt(m.patterns[0], 2, 0, 0).param = 3;
    openmpt::module faster(writeXm(m));
    EXPECT_NEAR(faster.get_duration_seconds(), 2 * 16 * 3 * 2.5 / 150, 0.01);
}

// a sine of 8 periods in 256 frames at note C-4 with no relative note plays at 8363 Hz, so
// sounds at 8363 / 32 Hz; a fault in the delta coding turns it into noise or silence
class XmSampleBits : public testing::TestWithParam<int> {};

TEST_P(XmSampleBits, SineSamplesSoundAtTheirPitch) {
    XmModule m = smallModule(GetParam());
    cellAt(m.patterns[0], 2, 3, 1) = {};
    SongRender r = renderSong(writeXm(m));
    ASSERT_FALSE(r.samples.empty());
    EXPECT_NEAR(risingCrossingsPerSecond(r, 0.2, 1.8), 8363.0 / 32, 3.0);
    SongRender loud = r;
    loud.samples.resize(static_cast<size_t>(2 * 1.8 * r.rate));
    SongLevels l = measureLevels(loud);
    EXPECT_GT(l.rmsDb, -30);
    EXPECT_LT(l.peakDb, 0);
    EXPECT_NEAR(l.mean, 0, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(EightAndSixteen, XmSampleBits, testing::Values(8, 16));

TEST(XmWriter, VolumeEnvelopeShapesTheNote) {
    XmModule m = smallModule();
    cellAt(m.patterns[0], 2, 3, 1) = {};
    cellAt(m.patterns[0], 2, 15, 0) = {};
    // full for two rows, then down to nothing by the end of the fourth
    m.instruments[0].volumeEnvelope.points = {{0, 64}, {12, 64}, {24, 0}};
    m.instruments[0].volumeEnvelope.sustain = -1;
    SongRender r = renderSong(writeXm(m));
    auto rmsBetween = [&](double a, double b) {
        SongRender part;
        part.rate = r.rate;
        part.samples.assign(r.samples.begin() + static_cast<long>(2 * a * r.rate),
                            r.samples.begin() + static_cast<long>(2 * b * r.rate));
        return measureLevels(part).rmsDb;
    };
    double row = 6 * 2.5 / 125;
    EXPECT_GT(rmsBetween(0.02, 2 * row), -25);
    EXPECT_LT(rmsBetween(5 * row, 15 * row), -90);
}

TEST(XmWriter, KeyOffReleasesASustainedNote) {
    XmModule m = smallModule();
    cellAt(m.patterns[0], 2, 3, 1) = {};
    cellAt(m.patterns[0], 2, 15, 0) = {};
    cellAt(m.patterns[0], 2, 8, 0).note = xmKeyOff;
    m.instruments[0].volumeEnvelope.points = {{0, 64}, {2, 64}, {8, 0}};
    m.instruments[0].volumeEnvelope.sustain = 1;
    SongRender r = renderSong(writeXm(m));
    double row = 6 * 2.5 / 125;
    SongRender held, after;
    held.samples.assign(r.samples.begin() + static_cast<long>(2 * 4 * row * r.rate),
                        r.samples.begin() + static_cast<long>(2 * 7.5 * row * r.rate));
    after.samples.assign(r.samples.begin() + static_cast<long>(2 * 10 * row * r.rate),
                         r.samples.begin() + static_cast<long>(2 * 15 * row * r.rate));
    EXPECT_GT(measureLevels(held).rmsDb, -25);
    EXPECT_LT(measureLevels(after).rmsDb, -90);
}

struct BadModule {
    const char* what;
    std::function<void(XmModule&)> spoil;
};

class XmWriterRefuses : public testing::TestWithParam<BadModule> {};

TEST_P(XmWriterRefuses, ModulesItCannotStore) {
    XmModule m = smallModule();
    GetParam().spoil(m);
    EXPECT_THROW(writeXm(m), std::invalid_argument);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, XmWriterRefuses,
    testing::Values(
        BadModule{"no channels", [](XmModule& m) { m.channels = 0; }},
        BadModule{"no orders", [](XmModule& m) { m.orders.clear(); }},
        BadModule{"order past the patterns", [](XmModule& m) { m.orders.push_back(1); }},
        BadModule{"restart past the orders", [](XmModule& m) { m.restart = 2; }},
        BadModule{"cells not rows times channels",
                  [](XmModule& m) { m.patterns[0].cells.pop_back(); }},
        BadModule{"note past key off",
                  [](XmModule& m) { cellAt(m.patterns[0], 2, 1, 1).note = 98; }},
        BadModule{"thirteen envelope points",
                  [](XmModule& m) {
                      auto& e = m.instruments[0].volumeEnvelope;
                      e.points.clear();
                      for (uint16_t t = 0; t < 13; ++t)
                          e.points.push_back({t, 10});
                  }},
        BadModule{"envelope ticks not rising",
                  [](XmModule& m) { m.instruments[0].volumeEnvelope.points[1].tick = 0; }},
        BadModule{"sustain past the points",
                  [](XmModule& m) { m.instruments[0].volumeEnvelope.sustain = 2; }},
        BadModule{"loop past the sample",
                  [](XmModule& m) { m.instruments[0].samples[0].loopStart = 1; }},
        BadModule{"note mapped to a missing sample",
                  [](XmModule& m) { m.instruments[0].sampleForNote[40] = 1; }},
        BadModule{"speed zero", [](XmModule& m) { m.speed = 0; }},
        BadModule{"sample volume past 64",
                  [](XmModule& m) { m.instruments[0].samples[0].volume = 65; }}),
    [](const testing::TestParamInfo<BadModule>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
        return name;
    });

} // namespace
