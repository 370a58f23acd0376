#include "frame/saturation_curve.h"

#include <cmath>

namespace frame {
namespace {
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kHalfPiSingle = 1.5707963705062866;  // pi/2 as a float, for the outer regions
constexpr double kQuarterPi = 0.7853981633974483;
constexpr double kCubicLimit = 1.632993161855452;  // sqrt(8/3)
constexpr double kCubicScale = 0.9185586535436918;  // sqrt(27/32)
}  // namespace

CurveGains curveGains(double e) noexcept {
    CurveGains c;
    c.g[1] = 8.0 / (e * 1.596 / (0.1995 * e + 7.0));
    c.g[2] = 5.0 / (e * 0.9975 / (0.1995 * e + 4.0));
    c.g[3] = 3.5 / (e * 0.69825 / (0.1995 * e + 2.5));
    const double g = 0.399 * e;
    c.g[4] = g < 2.0 ? 1.0 / std::sin(g * kQuarterPi) : 1.0;
    c.g[5] = g < 2.0 ? 1.0 / (g - (g * g) * 0.25) : 1.0;
    const double o = 0.1995 * e * kCubicLimit;
    c.g[6] = o < kCubicLimit ? 1.0 / ((o - (o * o * o) * 0.125) * kCubicScale) : 1.0;
    c.g[7] = 1.0;
    return c;
}

double tape1Curve(double u) noexcept {
    if (std::fabs(u) <= 1.0) return std::sin(u * kHalfPi);
    if (u > 1.0 && u < 5.0) return 0.75 + 0.25 * std::sin((u - 1.0) * kQuarterPi + kHalfPiSingle);
    if (u >= 5.0) return 0.5;
    if (u < -1.0 && u > -5.0) return -0.75 + 0.25 * std::sin((u + 1.0) * kQuarterPi - kHalfPiSingle);
    return -0.5;
}

double parabolicCurve(double a) noexcept {
    if (a >= 2.0) return 1.0;
    if (a <= -2.0) return -1.0;
    return a >= 0.0 ? a - (a * a) * 0.25 : a + (a * a) * 0.25;
}

double cubicCurve(double u) noexcept {
    if (u >= kCubicLimit) return 1.0;
    if (u <= -kCubicLimit) return -1.0;
    return (u - (u * u * u) * 0.125) * kCubicScale;
}

double saturationCurve(SaturationModel model, double u, const CurveGains& gains) noexcept {
    switch (model) {
        case SaturationModel::none: return u * 5.0125313;
        case SaturationModel::valve1: return u * gains[model] / (std::fabs(u) + 7.0);
        case SaturationModel::valve2: return u * gains[model] / (std::fabs(u) + 4.0);
        case SaturationModel::valve3: return u * gains[model] / (std::fabs(u) + 2.5);
        case SaturationModel::tape1: return tape1Curve(u) * gains[model];
        case SaturationModel::tape2: return parabolicCurve(2.0 * u) * gains[model];
        case SaturationModel::tape3: return cubicCurve(u * kCubicLimit) * gains[model];
        case SaturationModel::digital: return u > 1.0 ? 1.0 : (u < -1.0 ? -1.0 : u);
    }
    return u;
}

}  // namespace frame
