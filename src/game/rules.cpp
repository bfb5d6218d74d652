#include "rules.h"

// placeholder until the rules land
GameState newGameState(const PictureSizes&, RandomSource&) { return GameState{}; }
FrameOutcome runFrameRules(GameState&, const FrameInput&, const PictureSizes&, RandomSource&) {
    return FrameOutcome::HeatLimit;
}
std::optional<std::string> pictureSizeProblem(const PictureSizes&) { return std::nullopt; }
