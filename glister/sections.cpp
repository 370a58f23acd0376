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
    h1_ = h2_ = y1_ = y2_ = frame::splat(kRest);
    env_ = kRest;
}

void HissReduction::recover() noexcept {
    reset();
    if (!std::isfinite(c_)) c_ = 0.5;
    q_ = 1.0 - c_;
}

void TransientProcessor::reset() noexcept { p1_ = d1p_ = f_ = env_ = Pair{}; }

void HarmonicsGenerator::reset() noexcept {
    const Pair rest = frame::splat(kRest);
    for (State* group : {&band_, &shaped_, &plain_}) *group = State{rest, rest, rest, rest};
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
