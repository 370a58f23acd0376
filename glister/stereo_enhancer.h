// Stereo enhancer: weights the mid and side of the highs, the highs being
// the signal tilted toward its first difference by EnhSlope.
#pragma once

#include <cmath>

#include "frame/double_pair.h"

namespace glister {

class StereoEnhancer {
public:
    using Pair = frame::DoublePair;  // left, right

    struct Block {
        double slope = 0;  // k_e: 0 flat, 1 the first difference
        double mid = 0.5;  // M
        double side = 0.5; // S
    };

    void reset() noexcept { p_ = Pair{}; }

    // overEnhanced grows by one when the side of the highs outweighs their mid.
    Pair process(Pair x, double n, const Block& k, int& overEnhanced) noexcept {
        const Pair d = x - p_ + n;
        p_ = x;
        const Pair h = x + k.slope * (d - x);
        const Pair l = x - h;
        const double mid = (h[0] + h[1]) * k.mid;
        const double side = (h[0] - h[1]) * k.side;
        if (std::fabs(mid) < std::fabs(side)) ++overEnhanced;
        // l - side is l + (-side) exactly
        return l + mid + frame::pairOf(side, -side);
    }

private:
    Pair p_{};  // previous input
};

}  // namespace glister
