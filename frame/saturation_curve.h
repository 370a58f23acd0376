// The eight memoryless drive curves and their full-scale normalisation.
// The curves run once per sample and channel, so they live here to inline.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>

#include "frame/double_pair.h"

namespace frame {

enum class SaturationModel : int { none = 0, valve1, valve2, valve3, tape1, tape2, tape3, digital };

constexpr int kSaturationModels = 8;

namespace curve {
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kHalfPiSingle = 1.5707963705062866;  // pi/2 as a float, for tape1's outer regions
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kCubicLimit = 1.632993161855452;   // sqrt(8/3)
constexpr double kCubicScale = 0.9185586535436918;  // sqrt(27/32)
}  // namespace curve

// Drive e = 1 + 31 d^2 from the normalized drive d.
constexpr double driveFactor(double d) noexcept { return 1.0 + 31.0 * (d * d); }

// Per-model gains that bring a full-scale input out at full scale; recompute
// when the drive changes, never per sample.
struct CurveGains {
    std::array<double, kSaturationModels> g{1, 1, 1, 1, 1, 1, 1, 1};
    double operator[](SaturationModel m) const noexcept { return g[static_cast<size_t>(m)]; }
};

// curveGain for every model at drive factor e.
CurveGains curveGains(double e) noexcept;

// The bare curves, shared with the bass enhancer (parabola) and the compressor (cubic).

// Sine soft clip rising to +-1 at |u| = 1, folding back to +-0.5 at |u| = 5.
inline double tape1Curve(double u) noexcept {
    using namespace curve;
    if (std::fabs(u) <= 1.0) return std::sin(u * kHalfPi);
    if (u > 1.0 && u < 5.0) return 0.75 + 0.25 * std::sin((u - 1.0) * kQuarterPi + kHalfPiSingle);
    if (u >= 5.0) return 0.5;
    if (u < -1.0 && u > -5.0) return -0.75 + 0.25 * std::sin((u + 1.0) * kQuarterPi - kHalfPiSingle);
    return -0.5;
}

// a -+ a^2/4, +-1 beyond |a| >= 2.
inline double parabolicCurve(double a) noexcept {
    if (a >= 2.0) return 1.0;
    if (a <= -2.0) return -1.0;
    return a >= 0.0 ? a - (a * a) * 0.25 : a + (a * a) * 0.25;
}

// The same for both lanes of a pair.
inline DoublePair parabolicCurve(DoublePair a) noexcept {
    const DoublePair a2 = (a * a) * 0.25;
    DoublePair f = select(a >= splat(0.0), a - a2, a + a2);
    f = select(a >= splat(2.0), splat(1.0), f);
    return select(a <= splat(-2.0), splat(-1.0), f);
}

// (u - u^3/8) * sqrt(27/32), +-1 beyond the turning point sqrt(8/3).
inline double cubicCurve(double u) noexcept {
    using namespace curve;
    if (u >= kCubicLimit) return 1.0;
    if (u <= -kCubicLimit) return -1.0;
    return (u - (u * u * u) * 0.125) * kCubicScale;
}

// One sample through a curve. u is pre-scaled by the caller: x * 0.1995 * e for
// models 1 to 7, x * 0.1995 for model 0.
inline double saturationCurve(SaturationModel model, double u, const CurveGains& gains) noexcept {
    switch (model) {
        case SaturationModel::none: return u * 5.0125313;
        case SaturationModel::valve1: return u * gains[model] / (std::fabs(u) + 7.0);
        case SaturationModel::valve2: return u * gains[model] / (std::fabs(u) + 4.0);
        case SaturationModel::valve3: return u * gains[model] / (std::fabs(u) + 2.5);
        case SaturationModel::tape1: return tape1Curve(u) * gains[model];
        case SaturationModel::tape2: return parabolicCurve(2.0 * u) * gains[model];
        case SaturationModel::tape3: return cubicCurve(u * curve::kCubicLimit) * gains[model];
        case SaturationModel::digital: return u > 1.0 ? 1.0 : (u < -1.0 ? -1.0 : u);
    }
    return u;
}

// Both lanes of a pair through the same curve, each lane computed as above.
inline DoublePair saturationCurve(SaturationModel model, DoublePair u, const CurveGains& gains) noexcept {
    using namespace curve;
    switch (model) {
        case SaturationModel::none: return u * 5.0125313;
        case SaturationModel::valve1: return u * gains[model] / (absOf(u) + 7.0);
        case SaturationModel::valve2: return u * gains[model] / (absOf(u) + 4.0);
        case SaturationModel::valve3: return u * gains[model] / (absOf(u) + 2.5);
        case SaturationModel::tape1: return pairOf(tape1Curve(u[0]), tape1Curve(u[1])) * gains[model];
        case SaturationModel::tape2: return parabolicCurve(2.0 * u) * gains[model];
        case SaturationModel::tape3: {
            const DoublePair a = u * kCubicLimit;
            DoublePair f = (a - (a * a * a) * 0.125) * kCubicScale;
            f = select(a >= splat(kCubicLimit), splat(1.0), f);
            return select(a <= splat(-kCubicLimit), splat(-1.0), f) * gains[model];
        }
        case SaturationModel::digital: {
            const DoublePair f = select(u < splat(-1.0), splat(-1.0), u);
            return select(u > splat(1.0), splat(1.0), f);
        }
    }
    return u;
}

}  // namespace frame
