// Hiss reduction: two one-pole low-passes on the main signal whose cut-off
// opens when the highs of the look-ahead signal exceed the threshold and
// closes toward the lowest frequency when they fall below 0.7071 of it.
#pragma once

#include <cmath>

#include "frame/double_pair.h"

namespace glister {

class HissReduction {
public:
    using Pair = frame::DoublePair;  // left, right

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
    Pair process(Pair ahead, Pair main, double n, const Block& k) noexcept {
        // legend: h1, h2 detector low-passes; env the highs' envelope; c, q the
        // first low-pass, c2, q2 the second; y1, y2 the audio low-pass states
        h1_ = ahead + q_ * (h1_ - ahead);
        h2_ = h1_ + q_ * (h2_ - h1_) + n;
        const Pair above = frame::absOf(ahead - h2_);
        const double highs = above[0] + above[1] + 1e-6;
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
        y1_ = c_ * main + q_ * y1_;
        y2_ = y1_ + q2_ * (y2_ - y1_);
        return y2_ + k.remain * (main - y2_);
    }

private:
    Pair h1_{1e-7, 1e-7}, h2_{1e-7, 1e-7};
    double env_ = 1e-7;
    double c_ = 0.5, q_ = 0.5, c2_ = 0.65, q2_ = 0.35;
    Pair y1_{1e-7, 1e-7}, y2_{1e-7, 1e-7};
};

}  // namespace glister
