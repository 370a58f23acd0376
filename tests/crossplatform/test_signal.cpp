#include "tests/crossplatform/test_signal.h"

#include <cstdint>

namespace crossplatform {

namespace {

// Level of each quarter second, cycling; 1.25 drives the output stages into clipping.
constexpr double kSectionLevels[] = {0.05, 0.5, 1.25, 0.0, 0.2, 0.9, 0.0, 0.7};
constexpr size_t kSectionFrames = 11025;
constexpr size_t kRampFrames = 64;

class Noise {
public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double next() noexcept {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(static_cast<int32_t>(state_)) / 2147483648.0;
    }

private:
    uint32_t state_;
};

class Triangle {
public:
    explicit Triangle(double freqHz, double phase = 0.0) : step_(freqHz / kTestSignalRate), phase_(phase) {}
    double next() noexcept {
        const double y = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
        phase_ += step_;
        if (phase_ >= 1.0) phase_ -= 1.0;
        return y;
    }

private:
    double step_, phase_;
};

// The section level, ramped over the first frames of a section.
double envelope(size_t frame) {
    constexpr size_t count = sizeof kSectionLevels / sizeof kSectionLevels[0];
    const size_t section = frame / kSectionFrames;
    const double level = kSectionLevels[section % count];
    const double previous = kSectionLevels[(section + count - 1) % count];
    const size_t into = frame % kSectionFrames;
    if (section == 0 || into >= kRampFrames) return level;
    return previous + (level - previous) * static_cast<double>(into) / static_cast<double>(kRampFrames);
}

}  // namespace

Stereo testSignal(size_t frames) {
    Stereo out;
    out.left.resize(frames);
    out.right.resize(frames);
    Triangle lowL(55.0), lowR(55.0, 0.25), highL(1870.0), highR(2950.0, 0.5);
    Noise noiseL(592), noiseR(1526);
    for (size_t i = 0; i < frames; ++i) {
        const double e = envelope(i);
        out.left[i] = static_cast<float>(e * (0.5 * lowL.next() + 0.3 * highL.next() + 0.2 * noiseL.next()));
        out.right[i] = static_cast<float>(e * (0.4 * lowR.next() + 0.2 * highR.next() + 0.4 * noiseR.next()));
    }
    return out;
}

}  // namespace crossplatform
