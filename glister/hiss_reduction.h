// Hiss reduction: two one-pole low-passes on the main signal whose cut-off
// opens when the highs of the look-ahead signal exceed the threshold and
// closes toward the lowest frequency when they fall below 0.7071 of it.
#pragma once

#include <cmath>

#include "glister/stereo_pair.h"

namespace glister {

class HissReduction {
public:
    // Constants of one block, taken from the parameters and the rate.
    struct Block {
        double rise = 0;          // envelope rise coefficient u_r
        double fall = 0;          // envelope fall coefficient u_f
        double openSpeed = 0;     // s_o
        double closeSpeed = 0;    // s_c
        double threshold = 1;     // T
        double thresholdLow = 1;  // 0.7071 T
        double remain = 0;        // share of the removed highs kept, a_h
        double lowest = 0;        // coefficient of the lowest cut-off, c_min
    };

    // Filter states and the envelope back to 1e-7; the cut-off stays where it is.
    void reset() noexcept;
    // After a non-finite value got in: reset, and the cut-off back to its start.
    void recover() noexcept;
    double cutoffCoefficient() const noexcept { return c_; }
    double envelope() const noexcept { return env_; }

    // ahead: the look-ahead pair that steers; main: the pair that is filtered.
    StereoPair process(StereoPair ahead, StereoPair main, double n, const Block& k) noexcept {
        // legend: h1, h2 detector low-passes; env the highs' envelope; c, q the
        // first low-pass, c2, q2 the second; y1, y2 the audio low-pass states
        h1_[0] = ahead.l + q_ * (h1_[0] - ahead.l);
        h2_[0] = h1_[0] + q_ * (h2_[0] - h1_[0]) + n;
        h1_[1] = ahead.r + q_ * (h1_[1] - ahead.r);
        h2_[1] = h1_[1] + q_ * (h2_[1] - h1_[1]) + n;
        const double highs = std::fabs(ahead.l - h2_[0]) + std::fabs(ahead.r - h2_[1]) + 1e-6;
        env_ = highs > env_ ? env_ + (highs - env_) * k.rise : env_ + (highs - env_) * k.fall;
        if (env_ >= k.threshold)
            c_ = c_ * (1.0 + k.openSpeed * (env_ / k.threshold - 1.0));
        else if (env_ < k.thresholdLow)
            c_ = c_ * (1.0 - k.closeSpeed * (1.0 - env_ / k.threshold));
        if (c_ > 0.99) c_ = 0.99;
        if (c_ < k.lowest) c_ = k.lowest;
        q_ = 1.0 - c_;
        c2_ = 1.3 * c_;
        if (c2_ > 1.0) c2_ = 1.0;
        q2_ = 1.0 - c2_;
        return {lowPass(0, main.l, k.remain), lowPass(1, main.r, k.remain)};
    }

private:
    double lowPass(int ch, double m, double remain) noexcept {
        y1_[ch] = c_ * m + q_ * y1_[ch];
        y2_[ch] = y1_[ch] + q2_ * (y2_[ch] - y1_[ch]);
        return y2_[ch] + remain * (m - y2_[ch]);
    }

    double h1_[2] = {1e-7, 1e-7}, h2_[2] = {1e-7, 1e-7};
    double env_ = 1e-7;
    double c_ = 0.5, q_ = 0.5, c2_ = 0.65, q2_ = 0.35;
    double y1_[2] = {1e-7, 1e-7}, y2_[2] = {1e-7, 1e-7};
};

}  // namespace glister
