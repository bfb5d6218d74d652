#include "xm_writer.h"

#include <stdexcept>

namespace {

// sizes of the fixed parts of the file, counted the way the headers count them
constexpr uint32_t headerSize = 276; // from offset 60, this field included
constexpr uint32_t patternHeaderSize = 9;
constexpr uint32_t instrumentHeaderSize = 263; // with samples; 29 without
constexpr uint32_t bareInstrumentHeaderSize = 29;
constexpr uint32_t sampleHeaderSize = 40;

struct Bytes {
    std::vector<uint8_t> out;

    void u8(int v) { out.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    // a fixed-length text field, cut or padded with the pad byte
    void text(const std::string& s, size_t length, uint8_t pad = 0) {
        for (size_t i = 0; i < length; ++i)
            u8(i < s.size() ? static_cast<uint8_t>(s[i]) : pad);
    }
    void zeros(size_t n) { out.insert(out.end(), n, 0); }
    void put16At(size_t at, uint32_t v) {
        out[at] = v & 0xFF;
        out[at + 1] = (v >> 8) & 0xFF;
    }
};

void require(bool ok, const char* what) {
    if (!ok)
        throw std::invalid_argument(what);
}

// the pattern's cells, each packed behind a mask byte unless all five fields are set
void writePattern(Bytes& b, const XmPattern& p, int channels) {
    require(p.rows >= 1 && p.rows <= 256, "pattern rows must be 1-256");
    require(p.cells.size() == static_cast<size_t>(p.rows) * channels,
            "pattern cells must be rows * channels");
    b.u32(patternHeaderSize);
    b.u8(0); // packing type
    b.u16(p.rows);
    size_t sizeAt = b.out.size();
    b.u16(0);
    size_t start = b.out.size();
    for (const XmCell& c : p.cells) {
        require(c.note <= xmKeyOff, "note must be 0-97");
        require(c.instrument <= 128, "instrument must be 0-128");
        uint8_t mask = 0x80;
        if (c.note)
            mask |= 0x01;
        if (c.instrument)
            mask |= 0x02;
        if (c.volume)
            mask |= 0x04;
        if (c.effect)
            mask |= 0x08;
        if (c.param)
            mask |= 0x10;
        if (mask == 0x9F) {
            b.u8(c.note);
            b.u8(c.instrument);
            b.u8(c.volume);
            b.u8(c.effect);
            b.u8(c.param);
            continue;
        }
        b.u8(mask);
        if (c.note)
            b.u8(c.note);
        if (c.instrument)
            b.u8(c.instrument);
        if (c.volume)
            b.u8(c.volume);
        if (c.effect)
            b.u8(c.effect);
        if (c.param)
            b.u8(c.param);
    }
    size_t packed = b.out.size() - start;
    require(packed <= 0xFFFF, "pattern too large to pack");
    b.put16At(sizeAt, static_cast<uint32_t>(packed));
}

void writeEnvelopePoints(Bytes& b, const XmEnvelope& e) {
    require(e.points.size() <= 12, "an envelope has at most 12 points");
    for (size_t i = 0; i < 12; ++i) {
        if (i < e.points.size()) {
            require(i == 0 || e.points[i].tick > e.points[i - 1].tick,
                    "envelope ticks must increase");
            require(e.points[i].value <= 64, "envelope values are 0-64");
            b.u16(e.points[i].tick);
            b.u16(e.points[i].value);
        } else {
            b.u32(0);
        }
    }
}

int envelopeFlags(const XmEnvelope& e) {
    if (e.points.empty())
        return 0;
    int n = static_cast<int>(e.points.size());
    require(e.sustain < n && (e.loopStart < 0) == (e.loopEnd < 0) && e.loopEnd < n &&
                e.loopStart <= e.loopEnd,
            "envelope sustain or loop points out of range");
    return 1 | (e.sustain >= 0 ? 2 : 0) | (e.loopStart >= 0 ? 4 : 0);
}

uint8_t pointIndex(int i) {
    return static_cast<uint8_t>(i < 0 ? 0 : i);
}

void writeSampleHeader(Bytes& b, const XmSample& s) {
    require(s.bits == 8 || s.bits == 16, "samples are 8- or 16-bit");
    uint32_t bytesPerFrame = s.bits / 8;
    uint32_t frames = static_cast<uint32_t>(s.data.size());
    bool looped = s.loop != XmLoop::None;
    require(!looped || (s.loopLength > 0 && s.loopStart + s.loopLength <= frames),
            "sample loop must lie inside the sample");
    require(s.volume <= 64, "sample volume is 0-64");
    b.u32(frames * bytesPerFrame);
    b.u32(looped ? s.loopStart * bytesPerFrame : 0);
    b.u32(looped ? s.loopLength * bytesPerFrame : 0);
    b.u8(s.volume);
    b.u8(static_cast<uint8_t>(s.finetune));
    b.u8(static_cast<uint8_t>(s.loop) | (s.bits == 16 ? 0x10 : 0));
    b.u8(s.panning);
    b.u8(static_cast<uint8_t>(s.relativeNote));
    b.u8(0); // reserved
    b.text(s.name, 22);
}

// sample frames stored as differences from the previous frame
void writeSampleData(Bytes& b, const XmSample& s) {
    if (s.bits == 16) {
        int16_t previous = 0;
        for (int16_t v : s.data) {
            b.u16(
                static_cast<uint16_t>(static_cast<uint16_t>(v) - static_cast<uint16_t>(previous)));
            previous = v;
        }
        return;
    }
    int8_t previous = 0;
    for (int16_t v : s.data) {
        int rounded = (v + 128) >> 8;
        auto byte = static_cast<int8_t>(rounded > 127 ? 127 : rounded);
        b.u8(static_cast<uint8_t>(byte - previous));
        previous = byte;
    }
}

void writeInstrument(Bytes& b, const XmInstrument& ins) {
    require(ins.samples.size() <= 16, "an instrument has at most 16 samples");
    size_t count = ins.samples.size();
    b.u32(count ? instrumentHeaderSize : bareInstrumentHeaderSize);
    b.text(ins.name, 22);
    b.u8(0); // type
    b.u16(static_cast<uint32_t>(count));
    if (count == 0)
        return;
    b.u32(sampleHeaderSize);
    for (uint8_t s : ins.sampleForNote) {
        require(s < count, "note mapped to a missing sample");
        b.u8(s);
    }
    writeEnvelopePoints(b, ins.volumeEnvelope);
    writeEnvelopePoints(b, ins.panningEnvelope);
    b.u8(static_cast<int>(ins.volumeEnvelope.points.size()));
    b.u8(static_cast<int>(ins.panningEnvelope.points.size()));
    for (const XmEnvelope* e : {&ins.volumeEnvelope, &ins.panningEnvelope}) {
        b.u8(pointIndex(e->sustain));
        b.u8(pointIndex(e->loopStart));
        b.u8(pointIndex(e->loopEnd));
    }
    b.u8(envelopeFlags(ins.volumeEnvelope));
    b.u8(envelopeFlags(ins.panningEnvelope));
    b.u8(ins.vibrato.type);
    b.u8(ins.vibrato.sweep);
    b.u8(ins.vibrato.depth);
    b.u8(ins.vibrato.rate);
    require(ins.fadeout <= 0xFFF, "fadeout is 0-4095");
    b.u16(ins.fadeout);
    b.zeros(22); // reserved up to the header size
    for (const XmSample& s : ins.samples)
        writeSampleHeader(b, s);
    for (const XmSample& s : ins.samples)
        writeSampleData(b, s);
}

} // namespace

XmPattern emptyPattern(int rows, int channels) {
    XmPattern p;
    p.rows = rows;
    p.cells.assign(static_cast<size_t>(rows) * channels, XmCell{});
    return p;
}

std::vector<uint8_t> writeXm(const XmModule& m) {
    require(m.channels >= 1 && m.channels <= 32, "channels must be 1-32");
    require(!m.orders.empty() && m.orders.size() <= 256, "the order list holds 1-256 entries");
    require(!m.patterns.empty() && m.patterns.size() <= 256, "a module holds 1-256 patterns");
    require(m.instruments.size() <= 128, "a module holds at most 128 instruments");
    require(m.restart >= 0 && static_cast<size_t>(m.restart) < m.orders.size(),
            "restart position must be in the order list");
    require(m.speed >= 1 && m.speed <= 31, "speed must be 1-31");
    require(m.tempo >= 32 && m.tempo <= 255, "tempo must be 32-255");
    for (uint8_t o : m.orders)
        require(o < m.patterns.size(), "order names a missing pattern");

    Bytes b;
    b.text("Extended Module: ", 17);
    b.text(m.name, 20);
    b.u8(0x1A);
    b.text("Kiuas songs", 20, ' ');
    b.u16(0x0104);
    b.u32(headerSize);
    b.u16(static_cast<uint32_t>(m.orders.size()));
    b.u16(m.restart);
    b.u16(m.channels);
    b.u16(static_cast<uint32_t>(m.patterns.size()));
    b.u16(static_cast<uint32_t>(m.instruments.size()));
    b.u16(m.linearFrequencies ? 1 : 0);
    b.u16(m.speed);
    b.u16(m.tempo);
    for (size_t i = 0; i < 256; ++i)
        b.u8(i < m.orders.size() ? m.orders[i] : 0);

    for (const XmPattern& p : m.patterns)
        writePattern(b, p, m.channels);
    for (const XmInstrument& ins : m.instruments)
        writeInstrument(b, ins);
    return b.out;
}
