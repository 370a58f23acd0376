// Both channels of the saturator's colouring, left in lane 0 of each pair: the
// bass section that rebuilds the low band from an asymmetric envelope, the
// treble section that compresses the high band, and the 26 Hz high-pass in
// front of the curve. The channels run the same operations, each lane rounded
// as a channel of its own would be. A block loop copies it into a local.
#pragma once

#include "emberon/one_pole_section.h"
#include "frame/double_pair.h"
#include "frame/stereo_biquad_filter.h"

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

class StereoSections {
public:
    using Pair = frame::DoublePair;
    static constexpr double kHighPassHz = 26.0;
    static constexpr float kRestState = 1e-6f;

    explicit StereoSections(double rate);

    void setCoefficients(const SectionSettings& s) noexcept;
    // Section memories to their rest value, as on suspend; followers stay.
    void resetSections() noexcept;
    // New rate for the high-pass; its history is cleared.
    void setRate(double rate);

    // p1, p2: the low band; hi: what lies above it; the warmth follower F shapes a
    // rebuilt low band that LP3 smooths and Gb mixes back in.
    Pair bass(Pair x, double nu, const SectionSettings& s) noexcept {
        const Pair p1 = lp1_.lowPass(x, nu);
        const Pair p2 = lp2_.lowPass(p1, 0.0);
        const Pair hi = x - p2;
        warmth_ = frame::select(p2 > warmth_, p2, warmth_ + (p2 - warmth_) * s.warmthRelease);
        const Pair shaped = s.warmthDrive * warmth_ / (frame::absOf(warmth_) + 5.0);
        const Pair p3 = lp3_.lowPass(shaped, nu);
        return hi + p3 * s.bassGain;
    }

    // h2: the high band; lo: what lies below it; the high band is scaled by K and
    // divided by its own envelope E, which compresses it.
    Pair treble(Pair x, double nu, const SectionSettings& s) noexcept {
        const Pair h1 = hp1_.highPass(x, nu);
        const Pair h2 = hp2_.highPass(h1, 0.0);
        const Pair lo = x - h2;
        const Pair h = s.compression * h2;
        const Pair magnitude = frame::absOf(h);
        const Pair speed = frame::select(magnitude > treble_, frame::splat(s.trebleAttack), frame::splat(s.trebleRelease));
        treble_ = treble_ + (magnitude - treble_) * speed;
        return lo + h / (treble_ + 14.0) * s.trebleGain;
    }

    Pair highPass(Pair u) noexcept {
        lastHighPass_ = highPass_.process(u);
        return lastHighPass_;
    }

    // False once a NaN or infinity has got into any memory of the channel.
    bool finite(int channel) const noexcept;
    // Puts every memory of the channel back to rest so its next block starts clean.
    void recover(int channel) noexcept;

    Pair warmth() const noexcept { return warmth_; }
    Pair trebleEnvelope() const noexcept { return treble_; }

private:
    OnePoleSection lp1_, lp2_, lp3_, hp1_, hp2_;
    Pair warmth_{};  // F: follows the signed low band up at once, down slowly
    Pair treble_{};  // E: envelope of the compressed high band
    frame::StereoBiquadFilter highPass_;
    Pair lastHighPass_{};
};

}  // namespace emberon
