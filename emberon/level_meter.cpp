#include "emberon/level_meter.h"

#include <cmath>

namespace emberon {
namespace {

// At most the ceiling; a NaN shows as 0 rather than sticking in the level.
double limited(double x) noexcept {
    if (std::isnan(x)) return 0.0;
    return x > LevelMeter::kCeiling ? LevelMeter::kCeiling : x;
}

}  // namespace

int meterDelayBlocks(intptr_t latency, intptr_t blockSize, double rate) noexcept {
    if (latency < 0 || static_cast<double>(latency) > rate) latency = 0;
    if (blockSize < 1 || blockSize > 1048576) blockSize = 1024;
    if (latency <= 1 || blockSize <= 1) return 1;
    const int64_t d = (10 * static_cast<int64_t>(latency)) / (12 * static_cast<int64_t>(blockSize));
    if (d < 1) return 1;
    if (d > 1023) return 1023;
    return static_cast<int>(d);
}

void LevelMeter::clear() noexcept {
    for (int c = 0; c < 2; ++c) level_[c] = held_[c] = holdTime_[c] = 0.0;
    ring_.clear();
}

MeterBlock LevelMeter::begin(double coefficient) const noexcept {
    MeterBlock block;
    block.level[0] = level_[0];
    block.level[1] = level_[1];
    block.coefficient = coefficient;
    return block;
}

void LevelMeter::finish(const MeterBlock& block, int frames, double holdSamples, double fallCoefficient) noexcept {
    double peak[2];
    for (int c = 0; c < 2; ++c) {
        level_[c] = limited(block.level[c]);
        peak[c] = limited(block.peak[c]);
        if (peak[c] > held_[c]) {
            held_[c] = peak[c];
            holdTime_[c] = 0.0;
        } else if (holdTime_[c] < holdSamples) {
            holdTime_[c] = holdTime_[c] + frames;
        } else {
            held_[c] = held_[c] + (peak[c] - held_[c]) * fallCoefficient;
        }
    }
    ring_.push({level_[0], level_[1], held_[0], held_[1], peak[0] >= 1.0 ? 1.0 : 0.0, peak[1] >= 1.0 ? 1.0 : 0.0});
}

}  // namespace emberon
