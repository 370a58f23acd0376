// First-order bilinear sections of the bass and treble splitters. Coefficients
// and the two memories are 32-bit floats; a step computes in 64 bits.
#pragma once

#include <cmath>

#include "frame/double_pair.h"

namespace emberon {

struct OnePoleCoefficients {
    float a = 0.0f;
    float b = 0.0f;
};

// Corners above 0.499 of the rate are lowered to it, so a high corner at a low
// rate cannot make the section diverge.
OnePoleCoefficients lowPassDesign(float freqHz, float rate) noexcept;
OnePoleCoefficients highPassDesign(float freqHz, float rate) noexcept;

// Each lane rounded to a 32-bit float, as a float memory keeps it.
inline frame::DoublePair roundToFloat(frame::DoublePair x) noexcept {
    using FloatPair = float __attribute__((vector_size(8)));
    return __builtin_convertvector(__builtin_convertvector(x, FloatPair), frame::DoublePair);
}

// One section for both channels, left in lane 0. The memories hold values a
// float can hold and the coefficients are the floats widened. y1 * b is a
// product of two floats, computed in float: the exact double product rounded
// to float is that same value.
class OnePoleSection {
public:
    using Pair = frame::DoublePair;

    void setCoefficients(const OnePoleCoefficients& c) noexcept {
        a_ = c.a;
        b_ = c.b;
    }
    // Both memories to v; a small non-zero start keeps the recursion off denormals.
    void reset(float v) noexcept { x1_ = y1_ = frame::splat(v); }
    // The same for one channel only.
    void reset(int channel, float v) noexcept { x1_[channel] = y1_[channel] = v; }

    // nu is the dither added to the output before it is remembered (0 for none).
    Pair lowPass(Pair x, double nu) noexcept {
        const Pair y = (x1_ + x) * a_ - roundToFloat(y1_ * b_) + nu;
        remember(x, y);
        return y;
    }
    Pair highPass(Pair x, double nu) noexcept {
        const Pair y = (x - x1_) * a_ + roundToFloat(y1_ * b_) + nu;
        remember(x, y);
        return y;
    }

    bool finite(int channel) const noexcept { return std::isfinite(x1_[channel]) && std::isfinite(y1_[channel]); }

private:
    void remember(Pair x, Pair y) noexcept {
        x1_ = roundToFloat(x);
        y1_ = roundToFloat(y);
    }

    Pair x1_{}, y1_{};
    double a_ = 0.0, b_ = 0.0;
};

}  // namespace emberon
