// Measures the frame wait: waits per second, interval spread and CPU used while waiting.
// usage: pacing_bench [seconds] [--vsync]   (--vsync measures Allegro's own vsync() instead)
#include "platform/frame_pacing.h"

#include <allegro.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace {

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    size_t index = static_cast<size_t>(p / 100.0 * (values.size() - 1) + 0.5);
    return values[index];
}

} // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    bool useVsync = argc > 2 && std::strcmp(argv[2], "--vsync") == 0;
    if (seconds <= 0) {
        seconds = 10.0;
    }
    if (allegro_init() != 0 || install_timer() != 0) {
        std::fprintf(stderr, "cannot start Allegro's timer (is DISPLAY set? try xvfb-run -a)\n");
        return 1;
    }
    if (useVsync) {
        // vsync needs a display mode; a window under X11
        set_color_depth(32);
        if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, 640, 480, 0, 0) != 0) {
            std::fprintf(stderr, "cannot set a display mode: %s\n", allegro_error);
            return 1;
        }
    } else if (!startFramePacing()) {
        std::fprintf(stderr, "cannot install the frame tick\n");
        return 1;
    }

    using Clock = std::chrono::steady_clock;
    std::vector<double> intervalsMs;
    auto wait = [&] { useVsync ? vsync() : waitForNextFrame(); };
    wait(); // line up with the tick
    double cpuStart = cpuSeconds();
    auto start = Clock::now();
    auto previous = start;
    auto end = start + std::chrono::duration<double>(seconds);
    long waits = 0;
    while (previous < end) {
        wait();
        auto now = Clock::now();
        intervalsMs.push_back(std::chrono::duration<double, std::milli>(now - previous).count());
        previous = now;
        ++waits;
    }
    double elapsed = std::chrono::duration<double>(previous - start).count();
    double cpu = cpuSeconds() - cpuStart;

    std::printf("wait:            %s\n", useVsync ? "Allegro vsync()" : "waitForNextFrame()");
    std::printf("duration:        %.2f s\n", elapsed);
    std::printf("waits/second:    %.2f\n", waits / elapsed);
    std::printf("interval median: %.2f ms\n", percentile(intervalsMs, 50));
    std::printf("interval p99:    %.2f ms\n", percentile(intervalsMs, 99));
    std::printf("interval max:    %.2f ms\n", percentile(intervalsMs, 100));
    std::printf("cpu used:        %.2f %% of a core\n", 100.0 * cpu / elapsed);
    if (!useVsync) {
        stopFramePacing();
    }
    return 0;
}
END_OF_MAIN()
