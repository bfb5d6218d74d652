#include "tiny_xm.h"

#include <cstdint>
#include <fstream>

namespace {

struct Bytes {
    std::vector<unsigned char> data;

    void u8(int v) { data.push_back(static_cast<unsigned char>(v & 0xff)); }
    void u16(int v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(static_cast<int>(v & 0xffff));
        u16(static_cast<int>(v >> 16));
    }
    void text(const std::string& s, std::size_t size) {
        for (std::size_t i = 0; i < size; ++i) {
            u8(i < s.size() ? s[i] : 0);
        }
    }
    void zeros(std::size_t n) { data.insert(data.end(), n, 0); }
    void padTo(std::size_t start, std::size_t size) { zeros(start + size - data.size()); }
};

constexpr int middleC = 49; // C-4 in XM note numbers
constexpr int noteOff = 97;
constexpr int sampleBytes = 32;

} // namespace

double tinyXmSeconds(const TinyXm& song) {
    return song.rows * song.speed * 2.5 / song.bpm;
}

std::vector<unsigned char> tinyXmBytes(const TinyXm& song) {
    Bytes b;
    // module header; its size field counts from offset 60
    b.text("Extended Module: ", 17);
    b.text("kiuas test", 20);
    b.u8(0x1a);
    b.text("kiuas tests", 20);
    b.u16(0x0104);
    const std::size_t headerStart = b.data.size();
    b.u32(276);
    b.u16(1); // song length in orders
    b.u16(0); // restart position
    b.u16(2); // channels
    b.u16(1); // patterns
    b.u16(1); // instruments
    b.u16(1); // linear frequency table
    b.u16(song.speed);
    b.u16(song.bpm);
    b.zeros(256); // order table: pattern 0 once
    b.padTo(headerStart, 276);

    // pattern 0, packed: 0x80 alone is an empty cell
    Bytes cells;
    for (int row = 0; row < song.rows; ++row) {
        if (row == 0) {
            cells.u8(0x80 | 0x01 | 0x02);
            cells.u8(middleC);
            cells.u8(1);
        } else if (row == song.noteOffRow) {
            cells.u8(0x80 | 0x01);
            cells.u8(noteOff);
        } else {
            cells.u8(0x80);
        }
        cells.u8(0x80); // second channel stays empty
    }
    b.u32(9);
    b.u8(0);
    b.u16(song.rows);
    b.u16(static_cast<int>(cells.data.size()));
    b.data.insert(b.data.end(), cells.data.begin(), cells.data.end());

    // instrument 1 with one sample, no envelopes
    const std::size_t instrumentStart = b.data.size();
    b.u32(263);
    b.text("square", 22);
    b.u8(0);
    b.u16(1);
    b.u32(40);
    b.zeros(96);      // every note plays sample 0
    b.zeros(48 + 48); // volume and panning envelopes, unused
    b.padTo(instrumentStart, 263);

    // sample header
    b.u32(sampleBytes);
    b.u32(0);           // loop start
    b.u32(sampleBytes); // loop length
    b.u8(64);           // volume
    b.u8(0);            // finetune
    b.u8(1);            // forward loop, 8-bit
    b.u8(128);          // panning
    b.u8(0);            // relative note
    b.u8(0);
    b.text("square", 22);

    // sample data, delta-encoded: half a period at +64, half at -64
    int previous = 0;
    for (int i = 0; i < sampleBytes; ++i) {
        const int value = i < sampleBytes / 2 ? 64 : -64;
        b.u8(value - previous);
        previous = value;
    }
    return b.data;
}

bool writeTinyXm(const std::string& path, const TinyXm& song) {
    const std::vector<unsigned char> bytes = tinyXmBytes(song);
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
