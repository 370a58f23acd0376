// Stereo enhancer: weights the mid and side of the highs, the highs being
// the signal tilted toward its first difference by EnhSlope.
#pragma once

#include <cmath>

#include "glister/stereo_pair.h"

namespace glister {

class StereoEnhancer {
public:
    struct Block {
        double slope = 0;  // k_e: 0 flat, 1 the first difference
        double mid = 0.5;  // M
        double side = 0.5; // S
    };

    void reset() noexcept { p_[0] = p_[1] = 0.0; }

    // overEnhanced grows by one when the side of the highs outweighs their mid.
    StereoPair process(StereoPair x, double n, const Block& k, int& overEnhanced) noexcept {
        const double dl = x.l - p_[0] + n;
        p_[0] = x.l;
        const double dr = x.r - p_[1] + n;
        p_[1] = x.r;
        const double hl = x.l + k.slope * (dl - x.l);
        const double hr = x.r + k.slope * (dr - x.r);
        const double ll = x.l - hl;
        const double lr = x.r - hr;
        const double mid = (hl + hr) * k.mid;
        const double side = (hl - hr) * k.side;
        if (std::fabs(mid) < std::fabs(side)) ++overEnhanced;
        return {ll + mid + side, lr + mid - side};
    }

private:
    double p_[2] = {0.0, 0.0};  // previous input
};

}  // namespace glister
