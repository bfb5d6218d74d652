// Renders an XM file to a 16-bit stereo WAV file at 44100 Hz, as the game's player hears it,
// and prints its length, RMS, peak and mean, for listening to and checking the songs.
#include "song_render.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kiuas_render_song <song.xm> <out.wav>\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    SongRender r = renderSong(bytes);
    if (r.samples.empty()) {
        std::fprintf(stderr, "kiuas_render_song: %s did not load\n", argv[1]);
        return 1;
    }
    if (!writeWav(argv[2], r)) {
        std::fprintf(stderr, "kiuas_render_song: cannot write %s\n", argv[2]);
        return 1;
    }
    SongLevels l = measureLevels(r);
    std::printf("%s: reported %.2f s, rendered %.2f s, RMS %.2f dBFS, peak %.2f dBFS, mean %.6f, "
                "longest silence %.2f s\n",
                argv[1], r.reportedSeconds, r.samples.size() / 2.0 / r.rate, l.rmsDb, l.peakDb,
                l.mean, l.longestSilenceSeconds);
    return 0;
}
