// The text inside "lista.dat": scanning it as the reader accepts it, and the exact form the
// writer gives it. No file access here, so the rules can be tested and fuzzed on plain bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// the longest text the writer produces: "-2147483648", CR LF, "-2147483648"
constexpr size_t maxBestScoreTextLength = 24;

// where a scan of the two numbers stands; feed it bytes in order, in pieces of any size
struct ScoreScan {
    int numbersDone = 0;    // 0 while reading the score, 1 while reading the checksum, 2 at the end
    bool failed = false;    // set once the text cannot hold a valid pair
    bool inNumber = false;  // a sign or digit of the current number has been seen
    bool seenDigit = false; // the current number has at least one digit
    bool negative = false;
    uint32_t magnitude = 0; // never above 2147483648; past that the scan has failed
    int32_t numbers[2] = {0, 0};
};

// feeds bytes to the scan; true once the outcome is settled and later bytes cannot change it
bool scanScoreBytes(ScoreScan& scan, const unsigned char* data, size_t size);
// ends the scan at the end of the text: the score when both numbers were read and they match
std::optional<int32_t> finishScoreScan(ScoreScan& scan);
// the score held by a whole text, or nothing when it does not hold a valid pair
std::optional<int32_t> parseBestScoreText(const unsigned char* data, size_t size);
// writes the score, CR LF and its checksum into out (room for maxBestScoreTextLength bytes)
size_t formatBestScoreText(int32_t score, char* out);
