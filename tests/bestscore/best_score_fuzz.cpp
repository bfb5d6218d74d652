// Fuzzes the reader of "lista.dat" against a plainly written second reader, feeds the same bytes
// in pieces to check the scan does not care where reads split, and round-trips the writer's text.
#include "bestscore/best_score.h"
#include "bestscore/best_score_text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string workFolder;

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "check failed: %s\n", what);
        std::abort();
    }
}

// the checksum again, in 64-bit arithmetic cut to 32 bits after every step
int64_t referenceChecksum(int64_t score) {
    const uint64_t mask = 0xFFFFFFFFu;
    uint64_t x = uint64_t(score) & mask;
    uint64_t a = (x * 8576938u) & mask;
    a = a ^ 9582468u;
    a = (a + 9199191u) & mask;
    a = a ^ x;
    a = (a * 1478821731u) & mask;
    uint64_t result = (x * 78324579u + (mask + 1) - a + 2095187226u) & mask;
    return result >= 0x80000000u ? int64_t(result) - 0x100000000 : int64_t(result);
}

// one number by the reading rules, taken a step at a time over a string
bool referenceNumber(const std::string& text, size_t& pos, int64_t& value) {
    const std::string spaces = " \t\n\v\f\r";
    while (pos < text.size() && spaces.find(text[pos]) != std::string::npos) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    size_t start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        ++pos;
    }
    if (pos == start) {
        return false;
    }
    std::string digits = text.substr(start, pos - start);
    size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? "0" : digits.substr(firstNonZero);
    if (digits.size() > 10) {
        return false;
    }
    value = std::stoll(digits);
    if (negative) {
        value = -value;
    }
    return value >= -2147483648LL && value <= 2147483647LL;
}

// both numbers of a text, when both can be read
struct ReferencePair {
    bool read = false;
    int64_t score = 0;
    int64_t stored = 0;
};

ReferencePair referencePair(const std::string& text) {
    ReferencePair pair;
    size_t pos = 0;
    pair.read = referenceNumber(text, pos, pair.score) && referenceNumber(text, pos, pair.stored);
    return pair;
}

std::optional<int32_t> referenceParse(const ReferencePair& pair) {
    if (!pair.read || referenceChecksum(pair.score) != pair.stored) {
        return std::nullopt;
    }
    return int32_t(pair.score);
}

void removeWorkFolder() {
    std::error_code ignored;
    fs::remove_all(workFolder, ignored);
}

} // namespace

// the reader works in the working folder, so the fuzzer runs in a folder of its own; corpus
// folders and the crash file prefix given relative to where it was started are made absolute
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static std::vector<std::string> kept;
    static std::vector<char*> arguments;
    const std::string prefixFlag = "-artifact_prefix=";
    fs::path startFolder = fs::current_path();
    bool prefixGiven = false;
    for (int i = 0; i < *argc; ++i) {
        std::string argument = (*argv)[i];
        if (i > 0 && argument.rfind(prefixFlag, 0) == 0) {
            prefixGiven = true;
            argument = prefixFlag + (startFolder / argument.substr(prefixFlag.size())).string();
        } else if (i > 0 && !argument.empty() && argument[0] != '-') {
            argument = (startFolder / argument).string();
        }
        kept.push_back(argument);
    }
    if (!prefixGiven) {
        kept.push_back(prefixFlag + startFolder.string() + "/");
    }
    for (std::string& argument : kept) {
        arguments.push_back(argument.data());
    }
    arguments.push_back(nullptr);
    *argc = int(kept.size());
    *argv = arguments.data();

    std::string pattern = (fs::temp_directory_path() / "kiuas-bestscore-fuzz-XXXXXX").string();
    check(mkdtemp(pattern.data()) != nullptr, "make a working folder");
    workFolder = pattern;
    check(chdir(workFolder.c_str()) == 0, "enter the working folder");
    std::atexit(removeWorkFolder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    ReferencePair pair = referencePair(text);
    std::optional<int32_t> expected = referenceParse(pair);

    check(parseBestScoreText(data, size) == expected, "whole text agrees with the reference");

    // the same bytes in pieces of 1 to 8 bytes, sizes picked by the bytes themselves
    ScoreScan scan;
    size_t pos = 0;
    while (pos < size) {
        size_t piece = std::min(size - pos, size_t(1 + data[pos] % 8));
        scanScoreBytes(scan, data + pos, piece);
        pos += piece;
    }
    check(finishScoreScan(scan) == expected, "pieces agree with the whole");
    // the numbers themselves, so that a misread shows even where the checksum would not match
    bool scanRead = !scan.failed && scan.numbersDone == 2;
    check(scanRead == pair.read, "both numbers read exactly when the reference reads them");
    check(!pair.read || (scan.numbers[0] == pair.score && scan.numbers[1] == pair.stored),
          "the numbers read agree with the reference");

    // the real reader on a real file, made anew each time: rewriting a truncated file makes
    // ext4 flush it on close, which would slow the fuzzer down a hundredfold
    std::remove("lista.dat");
    FILE* file = std::fopen("lista.dat", "wb");
    check(file != nullptr, "create lista.dat");
    check(std::fwrite(data, 1, size, file) == size && std::fclose(file) == 0, "write lista.dat");
    check(readBestScore() == expected.value_or(0), "readBestScore agrees with the reference");

    // the writer's text for a value taken from the input reads back as that value
    int32_t score = 0;
    std::memcpy(&score, data, std::min(size, sizeof score));
    if (expected) {
        score ^= *expected;
    }
    char written[maxBestScoreTextLength];
    size_t length = formatBestScoreText(score, written);
    check(std::string(written, length) ==
              std::to_string(score) + "\r\n" + std::to_string(referenceChecksum(score)),
          "written text is the score, CR LF and its checksum");
    check(parseBestScoreText(reinterpret_cast<const unsigned char*>(written), length) == score,
          "written text reads back");
    return 0;
}
