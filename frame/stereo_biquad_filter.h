// Both channels' infrasonic high-passes, built alike and run in step. Each
// channel gets exactly what its own BiquadFilter would give it: the offset and
// the coefficients glide once per sample for the pair, and the two histories
// run as one pair of lanes. A block loop copies it into a local and back.
#pragma once

#include <cmath>
#include <initializer_list>

#include "frame/biquad_filter.h"
#include "frame/double_pair.h"

namespace frame {

class StereoBiquadFilter {
public:
    StereoBiquadFilter(double rate, int type, double freqHz, double q, double gainDb)
        : glide_(rate, type, freqHz, q, gainDb) {}

    // New targets for a new rate; the coefficients in use glide there.
    void setRate(double rate) { glide_.setRate(rate); }
    // Both histories; targets, coefficients in use and the offset stay.
    void clear() noexcept { history_ = {}; }
    // One channel's history only.
    void clear(int channel) noexcept {
        for (DoublePair* h : {&history_.x1, &history_.x2, &history_.y1, &history_.y2}) (*h)[channel] = 0.0;
    }

    // One sample of both channels, left in lane 0.
    DoublePair process(DoublePair x) noexcept {
        if (glide_.through()) return x;
        const double offset = glide_.step();
        return history_.step(glide_.current(), x + offset, offset);
    }

    // Both histories hold numbers (no NaN, no infinity).
    bool finite() const noexcept {
        const DoublePair sum = history_.x1 + history_.x2 + history_.y1 + history_.y2;
        return std::isfinite(sum[0] + sum[1]);
    }

    double frequency() const noexcept { return glide_.frequency(); }
    double glide() const noexcept { return glide_.glide(); }

private:
    BiquadGlide glide_;
    BiquadHistory<DoublePair> history_;
};

}  // namespace frame
