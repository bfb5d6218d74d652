#include "bestscore/best_score.h"
#include "bestscore/best_score_text.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const fileName = "lista.dat";
// the new content is made complete here first, then renamed over the file in one step
const char* const tempName = "lista.dat.tmp";

// a 32-bit pattern read as a signed value, without relying on how the compiler converts
int32_t asSigned(uint32_t bits) {
    return bits <= 0x7FFFFFFFu ? int32_t(bits) : -int32_t(~bits) - 1;
}

bool isSpaceByte(unsigned char c) {
    return c == ' ' || (c >= 0x09 && c <= 0x0D);
}

bool isDigitByte(unsigned char c) {
    return c >= '0' && c <= '9';
}

bool isSettled(const ScoreScan& scan) {
    return scan.failed || scan.numbersDone == 2;
}

// closes the number being read; without a digit, or out of range, the scan fails
void endNumber(ScoreScan& scan) {
    if (!scan.seenDigit || (!scan.negative && scan.magnitude > 0x7FFFFFFFu)) {
        scan.failed = true;
        return;
    }
    int32_t value = int32_t(scan.magnitude & 0x7FFFFFFFu);
    if (scan.negative && scan.magnitude > 0) {
        value = -int32_t(scan.magnitude - 1) - 1;
    }
    scan.numbers[scan.numbersDone++] = value;
    scan.inNumber = false;
    scan.seenDigit = false;
    scan.negative = false;
    scan.magnitude = 0;
}

// writes the whole buffer, going on after short writes and interruptions
bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// writes a signed 32-bit value in base 10 with no plus sign and no leading zeros
size_t formatNumber(int32_t value, char* out) {
    uint32_t magnitude = value < 0 ? 0u - uint32_t(value) : uint32_t(value);
    char digits[10];
    size_t count = 0;
    do {
        digits[count++] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    size_t length = 0;
    if (value < 0) {
        out[length++] = '-';
    }
    while (count > 0) {
        out[length++] = digits[--count];
    }
    return length;
}

} // namespace

bool scanScoreBytes(ScoreScan& scan, const unsigned char* data, size_t size) {
    size_t i = 0;
    while (i < size && !isSettled(scan)) {
        unsigned char c = data[i];
        if (isDigitByte(c)) {
            uint64_t grown = uint64_t(scan.magnitude) * 10 + uint64_t(c - '0');
            if (grown > 0x80000000u) {
                scan.failed = true;
                break;
            }
            scan.magnitude = uint32_t(grown);
            scan.inNumber = true;
            scan.seenDigit = true;
        } else if (scan.inNumber) {
            // this byte ends the number and is looked at again as the start of the next one
            endNumber(scan);
            continue;
        } else if (c == '+' || c == '-') {
            scan.inNumber = true;
            scan.negative = c == '-';
        } else if (!isSpaceByte(c)) {
            scan.failed = true;
        }
        ++i;
    }
    return isSettled(scan);
}

std::optional<int32_t> finishScoreScan(ScoreScan& scan) {
    if (!isSettled(scan) && scan.inNumber) {
        endNumber(scan);
    }
    if (scan.failed || scan.numbersDone != 2 || scoreChecksum(scan.numbers[0]) != scan.numbers[1]) {
        return std::nullopt;
    }
    return scan.numbers[0];
}

std::optional<int32_t> parseBestScoreText(const unsigned char* data, size_t size) {
    ScoreScan scan;
    scanScoreBytes(scan, data, size);
    return finishScoreScan(scan);
}

size_t formatBestScoreText(int32_t score, char* out) {
    size_t length = formatNumber(score, out);
    out[length++] = '\r';
    out[length++] = '\n';
    length += formatNumber(scoreChecksum(score), out + length);
    return length;
}

// the stored best score, or 0 when there is no valid file
int32_t readBestScore() {
    int fd = open(fileName, O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return 0;
    }
    ScoreScan scan;
    unsigned char buffer[512];
    bool settled = false;
    while (!settled) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            scan.failed = true;
        }
        if (n <= 0) {
            break;
        }
        settled = scanScoreBytes(scan, buffer, size_t(n));
    }
    close(fd);
    return finishScoreScan(scan).value_or(0);
}

// replaces the file with this score and its checksum; the old content stays whole until the
// new one is complete on disk, so a crash or a failed write never leaves a broken file
void writeBestScore(int32_t score) {
    char text[maxBestScoreTextLength];
    size_t length = formatBestScoreText(score, text);

    // a file we may not write stays as it is; the rename below would replace it all the same
    mode_t mode = 0666;
    bool keepMode = false;
    int existing = open(fileName, O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (existing >= 0) {
        struct stat info;
        if (fstat(existing, &info) == 0 && S_ISREG(info.st_mode)) {
            mode = info.st_mode & 07777;
            keepMode = true;
        }
        close(existing);
    } else if (errno != ENOENT) {
        return;
    }

    // a killed writer may have left its temporary file; never write through whatever is there
    unlink(tempName);
    int fd = open(tempName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        return;
    }
    bool ok = writeAll(fd, text, length);
    if (ok && keepMode) {
        fchmod(fd, mode);
    }
    if (ok && fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        ok = false;
    }
    if (close(fd) != 0 && errno != EINTR) {
        ok = false;
    }
    if (!ok || rename(tempName, fileName) != 0) {
        unlink(tempName);
        return;
    }
    int folder = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

int32_t scoreChecksum(int32_t score) {
    uint32_t x = uint32_t(score);
    uint32_t a = x * 8576938u;
    a ^= 9582468u;
    a += 9199191u;
    a ^= x;
    a *= 1478821731u;
    return asSigned(x * 78324579u - a + 2095187226u);
}
