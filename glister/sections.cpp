// Coefficients, resets and health checks of the four processing sections.
#include <cmath>
#include <initializer_list>

#include "glister/harmonics_generator.h"
#include "glister/hiss_reduction.h"
#include "glister/transient_processor.h"

namespace glister {
namespace {
constexpr double kTwoPi = 6.283185307179586;
constexpr double kRest = 1e-7;  // where filter states restart, clear of denormals
}  // namespace

void HissReduction::reset() noexcept {
    h1_[0] = h1_[1] = h2_[0] = h2_[1] = kRest;
    y1_[0] = y1_[1] = y2_[0] = y2_[1] = kRest;
    env_ = kRest;
}

void HissReduction::recover() noexcept {
    reset();
    if (!std::isfinite(c_)) c_ = 0.5;
    q_ = 1.0 - c_;
}

void TransientProcessor::reset() noexcept {
    for (int ch = 0; ch < 2; ++ch) p1_[ch] = d1p_[ch] = f_[ch] = env_[ch] = 0.0;
}

void HarmonicsGenerator::reset() noexcept {
    for (State* group : {band_, shaped_, plain_})
        for (int ch = 0; ch < 2; ++ch) group[ch] = State{kRest, kRest, kRest, kRest};
}

BandPassCoefficients harmonicsBandPass(double freqHz, double q, double rate) noexcept {
    const double w = kTwoPi * freqHz / rate;
    const double alpha = std::sin(w) / (2.0 * q);
    BandPassCoefficients c;
    c.b0 = alpha / (1.0 + alpha);
    c.a1 = -2.0 * std::cos(w) / (1.0 + alpha);
    c.a2 = (1.0 - alpha) / (1.0 + alpha);
    return c;
}

HighPassCoefficients firstOutHighPass(double freqHz, double rate) noexcept {
    const double w = kTwoPi * freqHz / rate;
    const double alpha = std::sin(w) / 2.0;
    const double cw = std::cos(w);
    HighPassCoefficients c;
    c.b0 = (1.0 + cw) / 2.0 / (1.0 + alpha);
    c.b2 = c.b0;
    c.b1 = -(1.0 + cw) / (1.0 + alpha);
    c.a1 = -2.0 * cw / (1.0 + alpha);
    c.a2 = (1.0 - alpha) / (1.0 + alpha);
    return c;
}

}  // namespace glister
