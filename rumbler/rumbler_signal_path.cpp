#include "rumbler/rumbler_signal_path.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <limits>

#include "frame/dsp_util.h"
#include "frame/saturation_curve.h"
#include "rumbler/rumbler_params.h"

namespace rumbler {
namespace {

constexpr double kFloorLevel = 1.5258789e-05;  // 2^-16: below it the leveller holds its floor gain
constexpr double kInfrasonicPole = 94.24777960769379;  // 2 pi x 15 Hz

}  // namespace

// Per-block values derived from the rate and the threshold.
struct SignalPath::BlockConstants {
    double r44;        // sqrt(44100 / fs): the leveller's rate scaling
    double sqrtT;
    double floorGain;  // Gf, about 256 sqrt(T)
    double z;          // 15 Hz low-pass pole
};

SignalPath::SignalPath(double fs) : highPass_(fs, frame::BiquadFilter::kHighPass, 20.0, 0.71, 0.0) {}

void SignalPath::reset() noexcept {
    write_ = kLatency;
    read_ = 0;
    rings_.dry.fill(frame::splat(kRingFill));
    rings_.high.fill(frame::splat(kRingFill));
    rings_.low.fill(frame::splat(kRingFill));
    envelope_ = 0.0;
    state_ = {};
}

void SignalPath::clearOnProcessOff() noexcept {
    state_.lp1 = Pair{};
    for (Pair* p : {&state_.lp2, &state_.h, &state_.f, &state_.h2, &state_.s}) (*p)[1] = 0.0;
}

void SignalPath::setRate(double fs) {
    highPass_.setRate(fs);
    highPass_.clear();
}

// Below the threshold the low band is lifted by half the level difference in
// dB; at or above it the gain is R44. Near silence it holds the floor gain.
inline double SignalPath::levellerGain(double e, double threshold, const BlockConstants& k) noexcept {
    if (e <= kFloorLevel) return k.floorGain;
    if (e < threshold) return std::sqrt(e) * (k.r44 / e) * k.sqrtT;
    return k.r44;
}

// The low band of both channels: levelled and enriched with harmonics, or plain.
inline SignalPath::Pair SignalPath::lowBand(State& st, Pair ld, double g, const BlockSettings& s) noexcept {
    if (!s.harmonics) return ld * s.bass;
    const Pair a = g * ld;
    st.h = st.h + (a - st.h) * s.c2;
    st.f = frame::select(st.h > st.f, st.h, st.f + (st.h - st.f) * 0.025);
    const Pair u = st.f * s.drive;
    const Pair u2 = (u * u) * 0.25;
    const Pair p = frame::select(u >= frame::splat(0.0), u - u2, u + u2);
    const Pair q = p * s.driveNorm - st.f;
    st.h2 = st.h2 + (q - st.h2) * s.c1;
    return (a + st.h2) * s.bass;
}

// Legend, both channels as pairs: x input plus dither nu; d delayed dry;
// lp1/lp2 crossover stages; hd/ld delayed high and low band; E leveller
// envelope; g leveller gain; o output before the dither of 1e7 nu.
template <bool kAccumulate>
BlockMeter SignalPath::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                               const BlockSettings& s) noexcept {
    BlockConstants k{};
    k.r44 = std::sqrt(44100.0 / s.fs);
    k.sqrtT = std::sqrt(s.threshold);
    k.floorGain = std::sqrt(kFloorLevel) * k.sqrtT * 65536.00026843545;
    k.z = std::pow(kE, -kInfrasonicPole / s.fs);
    const double zRest = 1.0 - k.z;

    State st = state_;
    frame::StereoBiquadFilter hp = highPass_;
    frame::ArithmeticShiftNoise noise = noise_;
    double e = envelope_, g = gain_;
    int w = write_, r = read_;
    int clipRun = 0;
    double clip = 0.0;
    Pair o{};
    const float* inSecond = s.stereoInput ? inR : inL;
    for (int i = 0; i < frames; ++i) {
        const double nu = frame::ditherValue(noise.next());
        const Pair x = frame::pairOf(frame::inputSample(inL[i]), frame::inputSample(inSecond[i])) + nu;
        rings_.dry[w] = x;
        st.lp1 = st.lp1 + (x - st.lp1) * s.c1;
        st.lp2 = st.lp2 + (st.lp1 - st.lp2) * s.c1;
        rings_.high[w] = x - st.lp2;
        rings_.low[w] = st.lp2;

        const Pair level = frame::absOf(st.lp2);
        const double m = std::max(level[0], level[1]);
        e = e + (m - e) * k.r44 * (m > e ? 0.025 : 0.001);
        g = levellerGain(e, s.threshold, k);

        const Pair d = rings_.dry[r];
        Pair y = rings_.high[r] + lowBand(st, rings_.low[r], g, s);
        st.s = k.z * st.s + zRest * y;
        y = hp.process(y - st.s);
        o = (d + (y - d) * s.wet) * s.gain;
        if (s.saturation) o = frame::parabolicCurve(o);
        const Pair magnitude = frame::absOf(o);
        if (magnitude[0] >= 1.0 || magnitude[1] >= 1.0) {
            if (++clipRun >= 2) clip = 1.0;
        } else {
            clipRun = 0;
        }
        const Pair out = o + 1e7 * nu;
        frame::storeSample<kAccumulate>(outL[i], out[0]);
        frame::storeSample<kAccumulate>(outR[i], out[1]);
        w = (w + 1) & kMask;
        r = (r + 1) & kMask;
    }
    // Where k * k2 is exactly 1, silence feeds H2 exact zeros and it decays into
    // subnormal numbers, each costing a slow microcode step per sample. That
    // far below the dither it is added to it changes no output: start from 0.
    st.h2 = frame::select(frame::absOf(st.h2) < frame::splat(std::numeric_limits<double>::min()), Pair{}, st.h2);
    state_ = st;
    highPass_ = hp;
    noise_ = noise;
    envelope_ = e;
    gain_ = g;
    write_ = w;
    read_ = r;
    recoverIfNotFinite(o);
    return BlockMeter{g > 1e-8 ? std::log10(g) * 0.4166666666666667 : 0.0, clip};
}

// A parameter far outside 0..1 can overflow the gains; the recursive states
// then start afresh instead of carrying NaN for ever.
void SignalPath::recoverIfNotFinite(Pair last) noexcept {
    bool finite = std::isfinite(envelope_) && std::isfinite(gain_);
    for (Pair p : {last, state_.lp1, state_.lp2, state_.h, state_.f, state_.h2, state_.s})
        finite = finite && std::isfinite(p[0]) && std::isfinite(p[1]);
    if (finite) return;
    envelope_ = 0.0;
    gain_ = 0.0;
    state_ = {};
    highPass_.clear();
}

template BlockMeter SignalPath::process<false>(const float*, const float*, float*, float*, int,
                                               const BlockSettings&) noexcept;
template BlockMeter SignalPath::process<true>(const float*, const float*, float*, float*, int,
                                              const BlockSettings&) noexcept;

}  // namespace rumbler
