#include "frame/biquad_filter.h"

#include <cmath>

#include "frame/dsp_util.h"

namespace frame {

BiquadGlide::BiquadGlide(double rate, int type, double freqHz, double q, double gainDb)
    : rate_(rate), type_(type), freq_(freqHz), q_(q), gainDb_(gainDb) {
    glide_ = sanitizeRate(rate) > 50000.0 ? 0.0001 : 0.001;
    computeTargets();
}

void BiquadGlide::setRate(double rate) {
    rate_ = rate;
    const double sane = sanitizeRate(rate);
    glide_ = sane > 50000.0 ? 0.00035 : 0.001;
    if (freq_ > 0.499 * sane) freq_ = 0.499 * sane;
    computeTargets();
}

void BiquadGlide::computeTargets() noexcept {
    if (type_ != kHighPass) return;
    const double rate = sanitizeRate(rate_);  // owners pass a sane rate already
    if (freq_ > 0.499 * rate) freq_ = 0.499 * rate;
    const double w = freq_ / rate * 6.283185307179586;
    const double alpha = std::sin(w) / (2.0 * q_);
    const double cw = std::cos(w);
    const double n = 1.0 / (1.0 + alpha);
    target_.b0 = n * (1.0 + cw) * 0.5;
    target_.b2 = target_.b0;
    target_.b1 = -n * (1.0 + cw);
    target_.a1 = n * (-2.0 * cw);
    target_.a2 = n * (1.0 - alpha);
    target_.a0 = 1.0 + alpha;
}

}  // namespace frame
