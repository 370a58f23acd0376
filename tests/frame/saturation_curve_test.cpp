#include "frame/saturation_curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using frame::SaturationModel;

double run(SaturationModel m, double x, double drive) {
    const double e = frame::driveFactor(drive);
    const double u = m == SaturationModel::none ? x * 0.1995 : x * 0.1995 * e;
    return frame::saturationCurve(m, u, frame::curveGains(e));
}

TEST(SaturationCurve, ValvesMapFullScaleToFullScale) {
    for (auto m : {SaturationModel::valve1, SaturationModel::valve2, SaturationModel::valve3})
        for (double d = 0.0; d <= 1.0; d += 0.125) {
            EXPECT_NEAR(run(m, 1.0, d), 1.0, 1e-12);
            EXPECT_NEAR(run(m, -1.0, d), -1.0, 1e-12);
        }
}

TEST(SaturationCurve, TapeCurvesNormaliseBelowTheirTurningPoint) {
    for (auto m : {SaturationModel::tape1, SaturationModel::tape2, SaturationModel::tape3})
        for (double d : {0.0, 0.1, 0.2, 0.3}) EXPECT_NEAR(run(m, 1.0, d), 1.0, 1e-12);
    // above it, the gain is 1 and full scale saturates
    EXPECT_EQ(frame::curveGains(frame::driveFactor(1.0))[SaturationModel::tape2], 1.0);
}

TEST(SaturationCurve, Tape1FoldsBackToHalf) {
    EXPECT_NEAR(frame::tape1Curve(3.0), 0.75 + 0.25 * std::sin(M_PI / 2 + 1.5707963705062866), 1e-15);
    EXPECT_NEAR(frame::tape1Curve(3.0), 0.75, 1e-7);
    EXPECT_EQ(frame::tape1Curve(7.0), 0.5);
    EXPECT_EQ(frame::tape1Curve(-7.0), -0.5);
    EXPECT_DOUBLE_EQ(frame::tape1Curve(1.0), 1.0);
}

TEST(SaturationCurve, ParabolaAndCubicLimits) {
    EXPECT_EQ(frame::parabolicCurve(2.5), 1.0);
    EXPECT_EQ(frame::parabolicCurve(-6.0), -1.0);
    EXPECT_EQ(frame::parabolicCurve(6.0), 1.0);
    EXPECT_DOUBLE_EQ(frame::parabolicCurve(1.0), 0.75);
    EXPECT_DOUBLE_EQ(frame::parabolicCurve(-1.0), -0.75);
    EXPECT_EQ(frame::cubicCurve(1.2 * 1.632993161855452), 1.0);
    const double a = 0.5 * 1.632993161855452;
    EXPECT_NEAR(frame::cubicCurve(a), (a - a * a * a * 0.125) * 0.9185586535436918, 1e-15);
    EXPECT_NEAR(frame::cubicCurve(a), 0.6875, 1e-4);
    EXPECT_NEAR(frame::cubicCurve(1.632993161855452 - 1e-9), 1.0, 1e-12);
}

TEST(SaturationCurve, NoneIgnoresDriveDigitalClips) {
    EXPECT_NEAR(run(SaturationModel::none, 0.3, 1.0), 0.3, 1e-7);
    const auto gains = frame::curveGains(frame::driveFactor(0.5));
    EXPECT_EQ(frame::saturationCurve(SaturationModel::digital, 0.5, gains), 0.5);
    EXPECT_EQ(frame::saturationCurve(SaturationModel::digital, 1.3, gains), 1.0);
    EXPECT_EQ(frame::saturationCurve(SaturationModel::digital, -1.3, gains), -1.0);
}

// The pair forms serve two channels at once; each lane must be the scalar
// curve bit for bit, at the region edges and signed zeros included.
TEST(SaturationCurve, PairLanesAreTheScalarCurves) {
    std::vector<double> inputs = {0.0, -0.0, 1.0, -1.0, 2.0, -2.0, 5.0, -5.0, 1.632993161855452, -1.632993161855452,
                                  1e300, -1e300, 1e-300};
    for (double u = -7.0; u <= 7.0; u += 0.0137) inputs.push_back(u);
    for (double drive : {0.0, 0.3, 1.0}) {
        const frame::CurveGains gains = frame::curveGains(frame::driveFactor(drive));
        for (int m = 0; m < frame::kSaturationModels; ++m) {
            const auto model = static_cast<SaturationModel>(m);
            for (size_t i = 0; i < inputs.size(); ++i) {
                const double l = inputs[i], r = inputs[inputs.size() - 1 - i];
                const frame::DoublePair y = frame::saturationCurve(model, frame::pairOf(l, r), gains);
                const double wantL = frame::saturationCurve(model, l, gains), wantR = frame::saturationCurve(model, r, gains);
                ASSERT_EQ(std::signbit(y[0]), std::signbit(wantL)) << m << " " << l;
                ASSERT_EQ(y[0], wantL) << m << " " << l;
                ASSERT_EQ(y[1], wantR) << m << " " << r;
            }
        }
        for (double a : inputs) {
            const frame::DoublePair p = frame::parabolicCurve(frame::pairOf(a, -a));
            ASSERT_EQ(p[0], frame::parabolicCurve(a)) << a;
            ASSERT_EQ(p[1], frame::parabolicCurve(-a)) << a;
        }
    }
}

}  // namespace
