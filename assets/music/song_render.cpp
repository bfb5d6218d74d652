#include "song_render.h"

#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>

SongRender renderSong(const std::vector<uint8_t>& xm, int rate) {
    SongRender r;
    r.rate = rate;
    try {
        openmpt::module mod(xm);
        mod.set_repeat_count(0);
        r.reportedSeconds = mod.get_duration_seconds();
        std::vector<float> block(2 * 4096);
        for (;;) {
            size_t frames = mod.read_interleaved_stereo(rate, 4096, block.data());
            if (frames == 0)
                break;
            r.samples.insert(r.samples.end(), block.begin(), block.begin() + 2 * frames);
        }
    } catch (const openmpt::exception&) {
        r.samples.clear();
    }
    return r;
}

SongLevels measureLevels(const SongRender& render) {
    SongLevels l;
    const std::vector<float>& s = render.samples;
    if (s.empty())
        return l;
    double sumSquares = 0, sum = 0, peak = 0;
    for (float v : s) {
        sumSquares += static_cast<double>(v) * v;
        sum += v;
        peak = std::max(peak, static_cast<double>(std::fabs(v)));
    }
    auto db = [](double x) { return x > 0 ? 20.0 * std::log10(x) : -200.0; };
    l.rmsDb = db(std::sqrt(sumSquares / s.size()));
    l.peakDb = db(peak);
    l.mean = sum / s.size();
    // silence counted in 10 ms windows whose loudest sample is under -60 dBFS
    size_t window = 2 * static_cast<size_t>(render.rate / 100);
    size_t run = 0, longest = 0;
    for (size_t at = 0; at < s.size(); at += window) {
        size_t end = std::min(s.size(), at + window);
        float loudest = 0;
        for (size_t i = at; i < end; ++i)
            loudest = std::max(loudest, std::fabs(s[i]));
        run = loudest < 0.001f ? run + (end - at) : 0;
        longest = std::max(longest, run);
    }
    l.longestSilenceSeconds = longest / 2.0 / render.rate;
    return l;
}

bool writeWav(const std::string& path, const SongRender& render) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](uint32_t v) {
        out.put(static_cast<char>(v & 0xFF));
        out.put(static_cast<char>((v >> 8) & 0xFF));
    };
    uint32_t dataBytes = static_cast<uint32_t>(render.samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + dataBytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(2);
    u32(static_cast<uint32_t>(render.rate));
    u32(static_cast<uint32_t>(render.rate) * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(dataBytes);
    for (float v : render.samples) {
        long x = std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f);
        u16(static_cast<uint16_t>(static_cast<int16_t>(x)));
    }
    return static_cast<bool>(out);
}
