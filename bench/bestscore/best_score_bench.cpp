// How long the best-score store takes per call. The menu reads the file on every pass of its
// loop; a game writes it at most twice when it ends.
#include "bestscore/best_score.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

// a read of a valid file, as the menu does on every pass
void readValidFile(benchmark::State& state) {
    writeBestScore(123456);
    for (auto _ : state) {
        benchmark::DoNotOptimize(readBestScore());
    }
}
BENCHMARK(readValidFile);

// a read on a first start, before any file exists
void readMissingFile(benchmark::State& state) {
    fs::remove("lista.dat");
    for (auto _ : state) {
        benchmark::DoNotOptimize(readBestScore());
    }
}
BENCHMARK(readMissingFile);

// a whole write, synced to disk before it replaces the old file
void writeScore(benchmark::State& state) {
    int32_t score = 0;
    for (auto _ : state) {
        writeBestScore(++score);
    }
}
BENCHMARK(writeScore)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    // the store works in the working folder; give it one of its own
    std::string pattern = (fs::temp_directory_path() / "kiuas-bestscore-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr || chdir(pattern.c_str()) != 0) {
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fs::current_path("/");
    fs::remove_all(pattern);
    return 0;
}
