// The bass enhancer's audio path: a two-stage crossover at the tune corner,
// 1023 samples of look-ahead, a leveller on the low band driven by the
// undelayed signal, a harmonics generator, infrasonic removal, the dry/wet mix,
// output gain and the optional parabolic saturation.
#pragma once

#include <array>

#include "frame/dither_noise.h"
#include "frame/double_pair.h"
#include "frame/stereo_biquad_filter.h"

namespace rumbler {

// What one block reads from the parameters, taken once at its start.
struct BlockSettings {
    double fs = 44100.0;    // whole-number sample rate
    double gain = 1.0;      // G
    double wet = 1.0;       // w
    double c1 = 0.0;        // crossover coefficient at the tune corner
    double c2 = 0.0;        // harmonic smoother coefficient
    double threshold = 1.0; // T
    double drive = 1.0;     // k
    double driveNorm = 1.0; // k2 = k^(-1/4)
    double bass = 1.0;      // B
    bool harmonics = true;  // leveller and harmonics on (process)
    bool saturation = false;
    bool stereoInput = true;  // false: the left input feeds both channels
};

// The block's meter record.
struct BlockMeter {
    double gain = 0.0;  // log10(g) * 0.41667 of the last sample, 0..1 for 0..48 dB of lift
    double clip = 0.0;  // 1 when two consecutive frames reached full scale
};

class SignalPath {
public:
    static constexpr int kRingSize = 1024;
    static constexpr int kLatency = 1023;
    static constexpr double kRingFill = 1e-7;

    explicit SignalPath(double fs);

    // Look-ahead indices to their start, rings filled with 1e-7, leveller,
    // crossover, harmonic and 15 Hz states to 0. Biquads and dither keep theirs.
    void reset() noexcept;
    // What turning process off clears: the first crossover stage of both
    // channels; the rest of the right channel's recursive state.
    void clearOnProcessOff() noexcept;
    // The 20 Hz high-passes take a new rate and lose their history.
    void setRate(double fs);

    template <bool kAccumulate>
    BlockMeter process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                       const BlockSettings& s) noexcept;

    // Leveller gain of the last processed sample.
    double levellerGain() const noexcept { return gain_; }
    double envelope() const noexcept { return envelope_; }

private:
    static constexpr int kMask = kRingSize - 1;
    // Both channels of a ring position, left in lane 0.
    using Ring = std::array<frame::DoublePair, kRingSize>;
    using Pair = frame::DoublePair;

    // Recursive state, both channels as pairs: crossover stages, harmonic
    // smoother, follower and low-pass, and the 15 Hz low-pass.
    struct State {
        Pair lp1{}, lp2{}, h{}, f{}, h2{}, s{};
    };
    // The delayed input, high band and low band.
    struct Rings {
        Ring dry{}, high{}, low{};
    };

    struct BlockConstants;
    static double levellerGain(double e, double threshold, const BlockConstants& k) noexcept;
    static Pair lowBand(State& st, Pair ld, double g, const BlockSettings& s) noexcept;
    void recoverIfNotFinite(Pair last) noexcept;

    Rings rings_{};
    int write_ = kLatency, read_ = 0;
    State state_{};
    double envelope_ = 0.0;  // E, one for both channels
    double gain_ = 0.0;      // g of the last sample
    frame::StereoBiquadFilter highPass_;
    frame::ArithmeticShiftNoise noise_;
};

}  // namespace rumbler
