// The saturator's two level meters: a smoothed level, a held peak and a clip
// flag per channel, filed once per block into a ring that the editor reads the
// meter delay behind, so the needles move with what the listener hears.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/double_pair.h"
#include "frame/meter_history.h"

namespace emberon {

enum MeterQuantity : size_t { kLevelL, kLevelR, kHeldL, kHeldR, kClipL, kClipR, kMeterQuantities };

using MeterRing = frame::MeterHistory<kMeterQuantities>;

// What one block gathers, kept in a local by the block loop; both channels
// as a pair, left in lane 0.
struct MeterBlock {
    frame::DoublePair peak{};
    frame::DoublePair level{};
    double coefficient = 0.0;  // cm: the smoothed level's 0.3 s time constant

    void update(frame::DoublePair magnitude) noexcept {
        peak = frame::select(magnitude > peak, magnitude, peak);
        level = level + (magnitude - level) * coefficient;
    }
};

// Meter delay in blocks: output latency over block size, scaled by 10/12.
// A latency above the rate or below 0 counts as 0, a block size outside
// 1..2^20 as 1024; the result lies in 1..1023.
int meterDelayBlocks(intptr_t latency, intptr_t blockSize, double rate) noexcept;

class LevelMeter {
public:
    static constexpr double kCeiling = 4.0;

    // Write index `delay` records ahead of the read index.
    void setDelay(int delay) noexcept { ring_.setDelay(delay); }
    // Levels, held peaks, hold times and every record to 0; the indices stay.
    void clear() noexcept;

    // Peaks start at 0, levels where the last block left them.
    MeterBlock begin(double coefficient) const noexcept;
    // Levels and peaks limited to the ceiling; a new peak holds for holdSamples,
    // then falls by fallCoefficient once per block. Files one record.
    void finish(const MeterBlock& block, int frames, double holdSamples, double fallCoefficient) noexcept;

    const MeterRing& ring() const noexcept { return ring_; }
    double level(int channel) const noexcept { return level_[channel]; }
    double held(int channel) const noexcept { return held_[channel]; }

private:
    double level_[2] = {0.0, 0.0};
    double held_[2] = {0.0, 0.0};
    double holdTime_[2] = {0.0, 0.0};  // samples since the held peak was set
    MeterRing ring_;
};

}  // namespace emberon
