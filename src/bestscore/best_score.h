// The best score, kept in "lista.dat" in the working folder with its checksum.
#pragma once

#include <cstdint>

// the stored best score, or 0 when there is no valid file
int32_t readBestScore();
// replaces the file with this score and its checksum
void writeBestScore(int32_t score);
int32_t scoreChecksum(int32_t score);
