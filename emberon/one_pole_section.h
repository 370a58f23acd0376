// First-order bilinear sections of the bass and treble splitters. Coefficients
// and the two memories are 32-bit floats; a step computes in 64 bits.
#pragma once

#include <cmath>

namespace emberon {

struct OnePoleCoefficients {
    float a = 0.0f;
    float b = 0.0f;
};

// Corners above 0.499 of the rate are lowered to it, so a high corner at a low
// rate cannot make the section diverge.
OnePoleCoefficients lowPassDesign(float freqHz, float rate) noexcept;
OnePoleCoefficients highPassDesign(float freqHz, float rate) noexcept;

class OnePoleSection {
public:
    void setCoefficients(const OnePoleCoefficients& c) noexcept {
        a_ = c.a;
        b_ = c.b;
    }
    // Both memories to v; a small non-zero start keeps the recursion off denormals.
    void reset(float v) noexcept { x1_ = y1_ = v; }

    // nu is the dither added to the output before it is remembered (0 for none).
    double lowPass(double x, double nu) noexcept {
        const double y = (x1_ + x) * a_ - y1_ * b_ + nu;
        remember(x, y);
        return y;
    }
    double highPass(double x, double nu) noexcept {
        const double y = (x - x1_) * a_ + y1_ * b_ + nu;
        remember(x, y);
        return y;
    }

    bool finite() const noexcept { return std::isfinite(x1_) && std::isfinite(y1_); }
    float x1() const noexcept { return x1_; }
    float y1() const noexcept { return y1_; }

private:
    void remember(double x, double y) noexcept {
        x1_ = static_cast<float>(x);
        y1_ = static_cast<float>(y);
    }

    float x1_ = 0.0f, y1_ = 0.0f, a_ = 0.0f, b_ = 0.0f;
};

}  // namespace emberon
