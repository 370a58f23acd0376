#include "glister/signal_path.h"

#include <cmath>

#include "frame/dsp_util.h"
#include "frame/saturation_curve.h"

namespace glister {
namespace {

constexpr double kLineRest = 1e-8;  // the delay lines restart here, clear of denormals

}  // namespace

SignalPath::SignalPath(double rate) : dc_(rate, frame::BiquadFilter::kHighPass, 16.0, 0.71, 0.0) {}

int SignalPath::lookAhead(double rate) noexcept {
    if (rate < 50000.0) return 255;
    if (rate < 100000.0) return 511;
    return 1023;
}

void SignalPath::restartIndices(double rate) noexcept {
    r_ = lookAhead(rate) & kMask;
    w_ = 0;
}

void SignalPath::reset(double rate) noexcept {
    restartIndices(rate);
    line_.fill(frame::splat(kLineRest));
    sections_.hiss.reset();
    sections_.enhancer.reset();
    sections_.transient.reset();
    sections_.harmonics.reset();
}

void SignalPath::setRate(double rate) noexcept {
    dc_.setRate(rate);
    dc_.clear();
}

void SignalPath::recover() noexcept {
    sections_.hiss.recover();
    sections_.enhancer.reset();
    sections_.transient.reset();
    sections_.harmonics.reset();
    dc_.clear();
}

// inlined into the sample loop, where the section states live in locals
[[gnu::always_inline]] inline SignalPath::Pair SignalPath::runSections(Sections& k, Pair ahead, Pair main, double n, const BlockSettings& s,
                                                int& overEnhanced) noexcept {
    const Pair x = s.hiss ? k.hiss.process(ahead, main, n, s.hissBlock) : main;
    const Pair e = s.enhance ? k.enhancer.process(x, n, s.enhancerBlock, overEnhanced) : x;
    const Pair t = s.transient ? k.transient.process(e, n, s.transientBlock) : e;
    // the harmonics grow from the enhancer's output, not the transient's
    return s.harmonics ? k.harmonics.process(e, t, n, s.harmonicsBlock) : t;
}

template <bool kAccumulate>
SignalPath::BlockResult SignalPath::process(const float* in1, const float* in2, float* out1, float* out2,
                                            int frames, const BlockSettings& s) noexcept {
    // legend, both channels as pairs: n the sample's dither; w the write index,
    // r the look-ahead index; the main (dry) pair is 1023 samples old, the
    // look-ahead pair r0 younger
    BlockResult result;
    Sections sections = sections_;
    frame::StereoBiquadFilter dc = dc_;
    frame::ArithmeticShiftNoise noise = noise_;
    int w = w_, r = r_;
    const float* second = in2 ? in2 : in1;
    Pair o{};
    for (int i = 0; i < frames; ++i) {
        const double n = frame::ditherValue(noise.next());
        line_[static_cast<size_t>(w)] = frame::pairOf(frame::inputSample(in1[i]), frame::inputSample(second[i])) + n;
        r = (r + 1) & kMask;
        w = (w + 1) & kMask;
        const Pair ahead = line_[static_cast<size_t>(r)];
        const Pair dry = line_[static_cast<size_t>(w)];
        const Pair wet = runSections(sections, ahead, dry, n, s, result.overEnhanced);
        o = ((dc.process(wet) - dry) * s.wet + dry) * s.outputGain;
        const Pair magnitude = frame::absOf(o);
        if (s.saturate) {
            if (magnitude[0] > 1.41 || magnitude[1] > 1.41) result.clipped = true;
            o = frame::parabolicCurve(o);  // x - x|x|/4, +-1 beyond +-2
        } else if (magnitude[0] > 1.0 || magnitude[1] > 1.0) {
            result.clipped = true;
        }
        const Pair out = o + 1e7 * n;
        frame::storeSample<kAccumulate>(out1[i], out[0]);
        frame::storeSample<kAccumulate>(out2[i], out[1]);
    }
    sections_ = sections;
    dc_ = dc;
    noise_ = noise;
    w_ = w;
    r_ = r;
    // a non-finite value can only come from a state gone bad; start the sections afresh
    if (!std::isfinite(o[0]) || !std::isfinite(o[1])) recover();
    return result;
}

template <bool kAccumulate>
void SignalPath::bypass(const float* in1, const float* in2, float* out1, float* out2, int frames) noexcept {
    for (int i = 0; i < frames; ++i) {
        Pair& in = line_[static_cast<size_t>(r_)];
        in[0] = frame::inputSample(in1[i]);
        if (in2) in[1] = frame::inputSample(in2[i]);
        r_ = (r_ + 1) & kMask;
        w_ = (w_ + 1) & kMask;
        const Pair out = line_[static_cast<size_t>(r_)];
        frame::storeSample<kAccumulate>(out1[i], out[0]);
        frame::storeSample<kAccumulate>(out2[i], in2 ? out[1] : out[0]);
    }
}

template SignalPath::BlockResult SignalPath::process<false>(const float*, const float*, float*, float*, int,
                                                            const BlockSettings&) noexcept;
template SignalPath::BlockResult SignalPath::process<true>(const float*, const float*, float*, float*, int,
                                                           const BlockSettings&) noexcept;
template void SignalPath::bypass<false>(const float*, const float*, float*, float*, int) noexcept;
template void SignalPath::bypass<true>(const float*, const float*, float*, float*, int) noexcept;

}  // namespace glister
