// The treble enhancer's audio path: 1023-sample delay lines that give the
// hiss detector its look-ahead, the four sections in their fixed order, the
// 16 Hz DC high-pass, mix, output gain, the clip lamp and the quadratic
// saturation. Everything between the host's buffers runs in 64 bits.
#pragma once

#include <array>

#include "frame/dither_noise.h"
#include "frame/double_pair.h"
#include "frame/stereo_biquad_filter.h"
#include "glister/glister_settings.h"
#include "glister/harmonics_generator.h"
#include "glister/hiss_reduction.h"
#include "glister/stereo_enhancer.h"
#include "glister/transient_processor.h"

namespace glister {

class SignalPath {
public:
    static constexpr int kLength = 1024;
    static constexpr int kMask = kLength - 1;
    static constexpr int kLatency = 1023;  // every output, processed or bypassed, is this late

    explicit SignalPath(double rate);

    // How many samples ahead of the main path the hiss detector listens.
    static int lookAhead(double rate) noexcept;

    // Delay lines filled with 1e-8, indices restarted, section states to rest.
    void reset(double rate) noexcept;
    // The look-ahead index to r0 of the rate, the write index to 0.
    void restartIndices(double rate) noexcept;
    // The DC high-passes take a new rate and forget their history.
    void setRate(double rate) noexcept;

    struct BlockResult {
        int overEnhanced = 0;  // samples whose highs had more side than mid
        bool clipped = false;
    };

    // in2 null: the second input is not connected and the left input feeds both sides.
    template <bool kAccumulate>
    BlockResult process(const float* in1, const float* in2, float* out1, float* out2, int frames,
                        const BlockSettings& s) noexcept;
    // The input, 1023 samples late, nothing else touched.
    template <bool kAccumulate>
    void bypass(const float* in1, const float* in2, float* out1, float* out2, int frames) noexcept;

    // For tests: the write and look-ahead indices and the sections.
    int writeIndex() const noexcept { return w_; }
    int lookAheadIndex() const noexcept { return r_; }
    const HissReduction& hiss() const noexcept { return sections_.hiss; }

private:
    using Pair = frame::DoublePair;  // left, right

    // The four sections' states, copied into a local for the block loop.
    struct Sections {
        HissReduction hiss;
        StereoEnhancer enhancer;
        TransientProcessor transient;
        HarmonicsGenerator harmonics;
    };

    static Pair runSections(Sections& k, Pair ahead, Pair main, double n, const BlockSettings& s,
                            int& overEnhanced) noexcept;
    void recover() noexcept;

    std::array<Pair, kLength> line_{};  // both channels of the delay line
    int w_ = 0, r_ = 0;
    frame::ArithmeticShiftNoise noise_;
    Sections sections_;
    frame::StereoBiquadFilter dc_;
};

}  // namespace glister
