// The eight memoryless drive curves and their full-scale normalisation.
#pragma once

#include <array>
#include <cstddef>

namespace frame {

enum class SaturationModel : int { none = 0, valve1, valve2, valve3, tape1, tape2, tape3, digital };

constexpr int kSaturationModels = 8;

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

// One sample through a curve. u is pre-scaled by the caller: x * 0.1995 * e for
// models 1 to 7, x * 0.1995 for model 0.
double saturationCurve(SaturationModel model, double u, const CurveGains& gains) noexcept;

// The bare curves, shared with the bass enhancer (parabola) and the compressor (cubic).
double tape1Curve(double u) noexcept;
double parabolicCurve(double a) noexcept;  // +-1 beyond |a| >= 2
double cubicCurve(double u) noexcept;      // +-1 beyond the turning point

}  // namespace frame
