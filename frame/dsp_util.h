// Small helpers every signal path shares: rate sanity, time constants,
// the meter delay and the guard against non-finite and absurd host samples.
#pragma once

#include <cmath>
#include <cstdint>

namespace frame {

// A host rate outside 20000..200000 Hz (NaN included) is treated as 44100 Hz.
constexpr double sanitizeRate(double rate) noexcept {
    return (rate >= 20000.0 && rate <= 200000.0) ? rate : 44100.0;
}

// One-pole coefficient for a time of t seconds at fs samples per second:
// a state follows its target as s += (x - s) * c.
inline double timeCoefficient(double fs, double t) noexcept {
    return 1.0 - std::pow(0.1091012, 1.0 / (fs * t));
}

// Meter delay in blocks so the meters move with what the listener hears:
// output latency L (samples) over block size B, scaled by 100/130.
inline int32_t meterDelay(intptr_t latency, intptr_t blockSize, double workingRate) noexcept {
    if (latency < 0 || static_cast<double>(latency) > workingRate) latency = 0;
    if (blockSize < 1 || blockSize > 1048576) blockSize = 1024;
    if (latency < 2 || blockSize < 2) return 1;
    intptr_t d = ((latency / blockSize) * 100) / 130;
    if (d < 1) d = 1;
    if (d > 1023) d = 1023;
    return static_cast<int32_t>(d);
}

// Whether the recursion y = ... - a1·y[n-1] - a2·y[n-2] is stable: both poles inside
// the unit circle. Not a number is not stable.
constexpr bool stablePoles(double a1, double a2) noexcept {
    return a2 < 1.0 && a2 > -1.0 && a1 < 1.0 + a2 && -a1 < 1.0 + a2;
}

// The last step of both processing entries: processReplace overwrites the host's
// buffer, processAccumulate adds to what it holds (as 32-bit floats).
template <bool kAccumulate>
inline void storeSample(float& out, double y) noexcept {
    if constexpr (kAccumulate)
        out += static_cast<float>(y);
    else
        out = static_cast<float>(y);
}

// The largest sample magnitude a signal path takes in: 100 dB above full scale.
// No audio comes near it, but a broken upstream plug-in can hand over any float;
// held here, every stage's arithmetic and the 32-bit output stay finite.
inline constexpr float kInputCeiling = 1e5f;

// A host sample as the signal path takes it: a NaN or infinity enters as
// silence, so one bad buffer never locks the recursive filters into NaN, and a
// finite sample beyond the ceiling is held at the ceiling.
inline float inputSample(float x) noexcept {
    if (std::fabs(x) <= kInputCeiling) return x;
    if (!std::isfinite(x)) return 0.0f;
    return x < 0.0f ? -kInputCeiling : kInputCeiling;
}

}  // namespace frame
