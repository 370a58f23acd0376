#include "emberon/one_pole_section.h"

namespace emberon {
namespace {

constexpr double kPi = 3.141592653589793;

// tan(pi f / fs) in extended precision, the corner kept below 0.499 fs.
long double prewarp(float freqHz, float rate) noexcept {
    const double top = 0.499 * static_cast<double>(rate);
    if (static_cast<double>(freqHz) > top) freqHz = static_cast<float>(top);
    return std::tan(static_cast<long double>(kPi) * static_cast<long double>(freqHz) / static_cast<long double>(rate));
}

// b comes from the stored float a, so a and b agree as the step sees them.
OnePoleCoefficients fromC(long double c) noexcept {
    OnePoleCoefficients k;
    k.a = static_cast<float>(1.0L / (1.0L + c));
    k.b = static_cast<float>(static_cast<long double>(k.a) * (1.0L - c));
    return k;
}

}  // namespace

OnePoleCoefficients lowPassDesign(float freqHz, float rate) noexcept { return fromC(1.0L / prewarp(freqHz, rate)); }

OnePoleCoefficients highPassDesign(float freqHz, float rate) noexcept { return fromC(prewarp(freqHz, rate)); }

}  // namespace emberon
