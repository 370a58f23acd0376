// One channel of the saturator's colouring: the bass section that rebuilds the
// low band from an asymmetric envelope, the treble section that compresses the
// high band, and the 26 Hz high-pass in front of the curve.
#pragma once

#include "emberon/one_pole_section.h"
#include "frame/biquad_filter.h"

namespace emberon {

// Everything a block reads from the parameters, taken once at block start.
struct SectionSettings {
    OnePoleCoefficients bassLow;     // LP1, LP2 at the bass corner
    OnePoleCoefficients warmthLow;   // LP3 at 1.9 times the bass corner
    OnePoleCoefficients trebleHigh;  // HP1, HP2 at the treble corner
    double warmthRelease = 0;        // rho
    double warmthDrive = 0;          // Wd = 6 W
    double bassGain = 0;             // Gb = N g_b
    double compression = 0;          // K
    double trebleAttack = 0, trebleRelease = 0;
    double trebleGain = 0;  // Gt = g_t / K * 15
};

class ChannelPath {
public:
    static constexpr double kHighPassHz = 26.0;
    static constexpr float kRestState = 1e-6f;

    explicit ChannelPath(double rate);

    void setCoefficients(const SectionSettings& s) noexcept;
    // Section memories to their rest value, as on suspend; followers stay.
    void resetSections() noexcept;
    // New rate for the high-pass; its history is cleared.
    void setRate(double rate);

    double bass(double x, double nu, const SectionSettings& s) noexcept;
    double treble(double x, double nu, const SectionSettings& s) noexcept;
    double highPass(double u) noexcept {
        lastHighPass_ = highPass_.process(u);
        return lastHighPass_;
    }

    // False once a NaN or infinity has got into any memory.
    bool finite() const noexcept;
    // Puts every memory back to rest so the next block starts clean.
    void recover() noexcept;

    double warmth() const noexcept { return warmth_; }
    double trebleEnvelope() const noexcept { return treble_; }

private:
    OnePoleSection lp1_, lp2_, lp3_, hp1_, hp2_;
    double warmth_ = 0.0;  // F: follows the signed low band up at once, down slowly
    double treble_ = 0.0;  // E: envelope of the compressed high band
    frame::BiquadFilter highPass_;
    double lastHighPass_ = 0.0;
};

}  // namespace emberon
