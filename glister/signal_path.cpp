#include "glister/signal_path.h"

#include <cmath>

#include "frame/dsp_util.h"
#include "frame/saturation_curve.h"

namespace glister {
namespace {

constexpr double kLineRest = 1e-8;  // the delay lines restart here, clear of denormals

}  // namespace

SignalPath::SignalPath(double rate)
    : dcLeft_(rate, frame::BiquadFilter::kHighPass, 16.0, 0.71, 0.0),
      dcRight_(rate, frame::BiquadFilter::kHighPass, 16.0, 0.71, 0.0) {}

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
    left_.fill(kLineRest);
    right_.fill(kLineRest);
    hiss_.reset();
    enhancer_.reset();
    transient_.reset();
    harmonics_.reset();
}

void SignalPath::setRate(double rate) noexcept {
    dcLeft_.setRate(rate);
    dcLeft_.clear();
    dcRight_.setRate(rate);
    dcRight_.clear();
}

void SignalPath::recover() noexcept {
    hiss_.recover();
    enhancer_.reset();
    transient_.reset();
    harmonics_.reset();
    dcLeft_.clear();
    dcRight_.clear();
}

StereoPair SignalPath::runSections(StereoPair ahead, StereoPair main, double n, const BlockSettings& s,
                                   int& overEnhanced) noexcept {
    const StereoPair x = s.hiss ? hiss_.process(ahead, main, n, s.hissBlock) : main;
    const StereoPair e = s.enhance ? enhancer_.process(x, n, s.enhancerBlock, overEnhanced) : x;
    StereoPair t = e;
    if (s.transient) {
        t.l = transient_.process(0, e.l, n, s.transientBlock);
        t.r = transient_.process(1, e.r, n, s.transientBlock);
    }
    // the harmonics grow from the enhancer's output, not the transient's
    if (s.harmonics) {
        t.l = harmonics_.process(0, e.l, t.l, n, s.harmonicsBlock);
        t.r = harmonics_.process(1, e.r, t.r, n, s.harmonicsBlock);
    }
    return t;
}

template <bool kAccumulate>
SignalPath::BlockResult SignalPath::process(const float* in1, const float* in2, float* out1, float* out2,
                                            int frames, const BlockSettings& s) noexcept {
    // legend: n the sample's dither; w the write index, r the look-ahead index;
    // the main (dry) pair is 1023 samples old, the look-ahead pair r0 younger
    BlockResult result;
    double ol = 0.0, orr = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double n = frame::ditherValue(noise_.next());
        const double xl = static_cast<double>(frame::inputSample(in1[i])) + n;
        const double xr = in2 ? static_cast<double>(frame::inputSample(in2[i])) + n : xl;
        left_[static_cast<size_t>(w_)] = xl;
        right_[static_cast<size_t>(w_)] = xr;
        r_ = (r_ + 1) & kMask;
        w_ = (w_ + 1) & kMask;
        const StereoPair ahead{left_[static_cast<size_t>(r_)], right_[static_cast<size_t>(r_)]};
        const StereoPair dry{left_[static_cast<size_t>(w_)], right_[static_cast<size_t>(w_)]};
        const StereoPair wet = runSections(ahead, dry, n, s, result.overEnhanced);
        ol = ((dcLeft_.process(wet.l) - dry.l) * s.wet + dry.l) * s.outputGain;
        orr = ((dcRight_.process(wet.r) - dry.r) * s.wet + dry.r) * s.outputGain;
        if (s.saturate) {
            if (std::fabs(ol) > 1.41 || std::fabs(orr) > 1.41) result.clipped = true;
            ol = frame::parabolicCurve(ol);  // x - x|x|/4, +-1 beyond +-2
            orr = frame::parabolicCurve(orr);
        } else if (std::fabs(ol) > 1.0 || std::fabs(orr) > 1.0) {
            result.clipped = true;
        }
        const double dither = 1e7 * n;
        frame::storeSample<kAccumulate>(out1[i], ol + dither);
        frame::storeSample<kAccumulate>(out2[i], orr + dither);
    }
    // a non-finite value can only come from a state gone bad; start the sections afresh
    if (!std::isfinite(ol) || !std::isfinite(orr)) recover();
    return result;
}

template <bool kAccumulate>
void SignalPath::bypass(const float* in1, const float* in2, float* out1, float* out2, int frames) noexcept {
    for (int i = 0; i < frames; ++i) {
        left_[static_cast<size_t>(r_)] = frame::inputSample(in1[i]);
        if (in2) right_[static_cast<size_t>(r_)] = frame::inputSample(in2[i]);
        r_ = (r_ + 1) & kMask;
        w_ = (w_ + 1) & kMask;
        const double l = left_[static_cast<size_t>(r_)];
        frame::storeSample<kAccumulate>(out1[i], l);
        frame::storeSample<kAccumulate>(out2[i], in2 ? right_[static_cast<size_t>(r_)] : l);
    }
}

template SignalPath::BlockResult SignalPath::process<false>(const float*, const float*, float*, float*, int,
                                                            const BlockSettings&) noexcept;
template SignalPath::BlockResult SignalPath::process<true>(const float*, const float*, float*, float*, int,
                                                           const BlockSettings&) noexcept;
template void SignalPath::bypass<false>(const float*, const float*, float*, float*, int) noexcept;
template void SignalPath::bypass<true>(const float*, const float*, float*, float*, int) noexcept;

}  // namespace glister
