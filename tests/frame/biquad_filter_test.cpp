#include "frame/biquad_filter.h"
#include "frame/stereo_biquad_filter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using frame::BiquadFilter;

TEST(BiquadFilter, SilenceStaysAwayFromZeroAndDenormals) {
    BiquadFilter f(44100.0, BiquadFilter::kHighPass, 16.0, 0.71, 0.0);
    for (int i = 0; i < 200000; ++i) {
        const double y = f.process(0.0);
        ASSERT_NE(y, 0.0) << i;
        ASSERT_NE(std::fpclassify(y), FP_SUBNORMAL) << i;
        ASSERT_LT(std::fabs(y), 1e-12) << i;
    }
}

TEST(BiquadFilter, TypeZeroPassesTheInput) {
    BiquadFilter f(44100.0, BiquadFilter::kThrough, 16.0, 0.71, 0.0);
    for (double x : {0.0, 0.25, -1.0, 1e-30, 3.5}) EXPECT_EQ(f.process(x), x);
}

// After the coefficients have glided to their targets, the filter is the
// textbook high-pass written out here: DC is removed, Nyquist passes.
TEST(BiquadFilter, SettlesOnTheCookbookHighPass) {
    const double fs = 48000.0, f0 = 1000.0, q = 0.71;
    BiquadFilter f(fs, BiquadFilter::kHighPass, f0, q, 0.0);
    for (int i = 0; i < 40000; ++i) f.process(0.0);
    const double w = 2.0 * M_PI * f0 / fs, alpha = std::sin(w) / (2.0 * q), n = 1.0 / (1.0 + alpha);
    const double b0 = n * (1 + std::cos(w)) / 2, b1 = -n * (1 + std::cos(w)), a1 = -2 * n * std::cos(w),
                 a2 = n * (1 - alpha);
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    for (int i = 0; i < 2000; ++i) {
        const double x = std::sin(i * 0.37) + 0.5;
        const double want = b0 * x + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
        x2 = x1, x1 = x, y2 = y1, y1 = want;
        const double got = f.process(x);
        if (i > 20) {
            ASSERT_NEAR(got, want, 1e-9) << i;
        }
    }
}

double toneGain(BiquadFilter& f, double freq, double fs) {
    double peak = 0.0;
    for (int i = 0; i < 20000; ++i) {
        const double y = f.process(std::sin(2.0 * M_PI * freq * i / fs));
        if (i > 15000) peak = std::max(peak, std::fabs(y));
    }
    return peak;
}

TEST(BiquadFilter, CornerAboveTheLimitIsLowered) {
    BiquadFilter f(44100.0, BiquadFilter::kHighPass, 30000.0, 0.71, 0.0);
    EXPECT_DOUBLE_EQ(f.frequency(), 0.499 * 44100.0);
    f.setRate(30000.0);
    EXPECT_DOUBLE_EQ(f.frequency(), 0.499 * 30000.0);
}

TEST(BiquadFilter, RateChangeGlidesInsteadOfJumping) {
    BiquadFilter f(44100.0, BiquadFilter::kHighPass, 1000.0, 0.71, 0.0);
    for (int i = 0; i < 40000; ++i) f.process(0.0);
    BiquadFilter unchanged = f;
    f.setRate(96000.0);
    EXPECT_DOUBLE_EQ(f.glide(), 0.00035);
    EXPECT_DOUBLE_EQ(BiquadFilter(96000.0, BiquadFilter::kHighPass, 1000.0, 0.71, 0.0).glide(), 0.0001);
    // right after the change the filter still answers almost as before ...
    double largest = 0.0;
    for (int i = 0; i < 20; ++i) {
        const double x = std::sin(i * 0.05);
        largest = std::max(largest, std::fabs(f.process(x) - unchanged.process(x)));
    }
    EXPECT_LT(largest, 1e-3);
    // ... and once the coefficients have glided, it is the same 1 kHz corner at the
    // new rate: a 300 Hz tone is attenuated as much as before the change.
    for (int i = 0; i < 30000; ++i) f.process(0.0);
    const double settled = toneGain(f, 300.0, 96000.0);
    const double old = toneGain(unchanged, 300.0, 44100.0);
    EXPECT_NEAR(settled, old, 0.02);
    EXPECT_LT(settled, 0.2);
    EXPECT_GT(largest, 0.0);
}

// The pair shares one glide: each lane must still be exactly what a filter of
// its own gives, through a rate change, a clear and the through type.
TEST(StereoBiquadFilter, EachLaneIsItsOwnFilterBitForBit) {
    for (int type : {BiquadFilter::kHighPass, BiquadFilter::kThrough}) {
        frame::StereoBiquadFilter pair(44100.0, type, 20.0, 0.71, 0.0);
        BiquadFilter left(44100.0, type, 20.0, 0.71, 0.0), right(44100.0, type, 20.0, 0.71, 0.0);
        for (int i = 0; i < 30000; ++i) {
            if (i == 10000) {
                for (auto* f : {&left, &right}) f->setRate(96000.0);
                pair.setRate(96000.0);
                EXPECT_EQ(pair.glide(), left.glide());
            }
            if (i == 20000) {
                left.clear();
                right.clear();
                pair.clear();
            }
            const double xl = std::sin(i * 0.01) + (i % 7 == 0 ? 0.3 : 0.0), xr = std::cos(i * 0.003) - 0.25;
            const frame::DoublePair y = pair.process(frame::pairOf(xl, xr));
            ASSERT_EQ(y[0], left.process(xl)) << type << " " << i;
            ASSERT_EQ(y[1], right.process(xr)) << type << " " << i;
        }
    }
}

}  // namespace
