// The pole test a block uses to refuse a mix of two coefficient sets.
#include "frame/dsp_util.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// a1, a2 of the poles r·e^(±jθ): a1 = −2r·cos θ, a2 = r².
constexpr double a1Of(double r, double theta) { return -2.0 * r * std::cos(theta); }

TEST(StablePoles, InsideTheUnitCircleOnly) {
    for (double theta : {0.01, 0.5, 1.5, 3.0}) {
        EXPECT_TRUE(frame::stablePoles(a1Of(0.999, theta), 0.999 * 0.999)) << theta;
        EXPECT_FALSE(frame::stablePoles(a1Of(1.001, theta), 1.001 * 1.001)) << theta;
    }
    // real poles at 0.9 and −0.5 (stable), at 1.2 and 0.5 (not)
    EXPECT_TRUE(frame::stablePoles(-(0.9 - 0.5), 0.9 * -0.5));
    EXPECT_FALSE(frame::stablePoles(-(1.2 + 0.5), 1.2 * 0.5));
    // one set's a1 with another's a2, as a block may read them
    EXPECT_FALSE(frame::stablePoles(-1.99543, 0.908895));
    EXPECT_FALSE(frame::stablePoles(NAN, 0.5));
    EXPECT_FALSE(frame::stablePoles(0.0, 1.0));
}

}  // namespace
