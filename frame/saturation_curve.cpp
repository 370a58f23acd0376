#include "frame/saturation_curve.h"

#include <cmath>

namespace frame {

CurveGains curveGains(double e) noexcept {
    using namespace curve;
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

}  // namespace frame
