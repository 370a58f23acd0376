#include "frame/biquad_filter.h"

#include <cmath>

#include "frame/dsp_util.h"

namespace frame {

BiquadFilter::BiquadFilter(double rate, int type, double freqHz, double q, double gainDb)
    : rate_(rate), type_(type), freq_(freqHz), q_(q), gainDb_(gainDb) {
    glide_ = sanitizeRate(rate) > 50000.0 ? 0.0001 : 0.001;
    computeTargets();
}

void BiquadFilter::setRate(double rate) {
    rate_ = rate;
    const double sane = sanitizeRate(rate);
    glide_ = sane > 50000.0 ? 0.00035 : 0.001;
    if (freq_ > 0.499 * sane) freq_ = 0.499 * sane;
    computeTargets();
}

void BiquadFilter::clear() noexcept { xOffset_ = x1_ = x2_ = y_ = y1_ = y2_ = 0.0; }

void BiquadFilter::computeTargets() noexcept {
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

double BiquadFilter::process(double x) noexcept {
    if (type_ == kThrough) return x;
    offset_ = -offset_;
    const double xo = x + offset_;
    current_.b0 = current_.b0 + offset_ + (target_.b0 - current_.b0) * glide_;
    current_.b1 = current_.b1 + offset_ + (target_.b1 - current_.b1) * glide_;
    current_.b2 = current_.b2 + offset_ + (target_.b2 - current_.b2) * glide_;
    current_.a1 = current_.a1 + offset_ + (target_.a1 - current_.a1) * glide_;
    current_.a2 = current_.a2 + offset_ + (target_.a2 - current_.a2) * glide_;
    const double y = current_.b0 * xo + current_.b1 * x1_ + current_.b2 * x2_ - current_.a1 * y1_ - current_.a2 * y2_;
    y2_ = y1_;
    y1_ = y + offset_;
    x2_ = x1_;
    x1_ = xo;
    xOffset_ = xo;
    y_ = y;
    return y;
}

}  // namespace frame
