#include "best_score.h"

// placeholder until the file store lands
int32_t readBestScore() { return 0; }
void writeBestScore(int32_t) {}
int32_t scoreChecksum(int32_t score) { return score; }
