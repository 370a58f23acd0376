#include "rumbler/rumbler_signal_path.h"

#include <algorithm>
#include <cmath>

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

SignalPath::SignalPath(double fs)
    : highPass_{frame::BiquadFilter(fs, frame::BiquadFilter::kHighPass, 20.0, 0.71, 0.0),
                frame::BiquadFilter(fs, frame::BiquadFilter::kHighPass, 20.0, 0.71, 0.0)} {}

void SignalPath::reset() noexcept {
    write_ = kLatency;
    read_ = 0;
    for (Rings& r : rings_) {
        r.dry.fill(kRingFill);
        r.high.fill(kRingFill);
        r.low.fill(kRingFill);
    }
    envelope_ = 0.0;
    channel_ = {};
}

void SignalPath::clearOnProcessOff() noexcept {
    channel_[0].lp1 = 0.0;
    channel_[1] = {};
}

void SignalPath::setRate(double fs) {
    for (frame::BiquadFilter& hp : highPass_) {
        hp.setRate(fs);
        hp.clear();
    }
}

// Below the threshold the low band is lifted by half the level difference in
// dB; at or above it the gain is R44. Near silence it holds the floor gain.
inline double SignalPath::levellerGain(double e, double threshold, const BlockConstants& k) noexcept {
    if (e <= kFloorLevel) return k.floorGain;
    if (e < threshold) return std::sqrt(e) * (k.r44 / e) * k.sqrtT;
    return k.r44;
}

// Low band (levelled and enriched, or plain), back onto the high band, the
// infrasonic removal, then the dry/wet mix and output gain.
double SignalPath::bandOutput(Channel& c, frame::BiquadFilter& hp, double hd, double ld, double d, double g,
                              const BlockConstants& k, const BlockSettings& s) noexcept {
    double low;
    if (s.harmonics) {
        const double a = g * ld;
        c.h = c.h + (a - c.h) * s.c2;
        c.f = c.h > c.f ? c.h : c.f + (c.h - c.f) * 0.025;
        const double u = c.f * s.drive;
        const double p = u >= 0.0 ? u - (u * u) * 0.25 : u + (u * u) * 0.25;
        const double q = p * s.driveNorm - c.f;
        c.h2 = c.h2 + (q - c.h2) * s.c1;
        low = (a + c.h2) * s.bass;
    } else {
        low = ld * s.bass;
    }
    double x = hd + low;
    c.s = k.z * c.s + (1.0 - k.z) * x;
    x = x - c.s;
    x = hp.process(x);
    return (d + (x - d) * s.wet) * s.gain;
}

// Legend: x input plus dither nu; d delayed dry; lp1/lp2 crossover stages;
// hd/ld delayed high and low band; E leveller envelope; g leveller gain;
// o output before the dither of 1e7 nu.
template <bool kAccumulate>
BlockMeter SignalPath::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                               const BlockSettings& s) noexcept {
    BlockConstants k{};
    k.r44 = std::sqrt(44100.0 / s.fs);
    k.sqrtT = std::sqrt(s.threshold);
    k.floorGain = std::sqrt(kFloorLevel) * k.sqrtT * 65536.00026843545;
    k.z = std::pow(kE, -kInfrasonicPole / s.fs);

    Channel left = channel_[0], right = channel_[1];
    double e = envelope_, g = gain_;
    int w = write_, r = read_;
    int clipRun = 0;
    double clip = 0.0;
    Rings& rl = rings_[0];
    Rings& rr = rings_[1];
    double oL = 0.0, oR = 0.0;
    for (int i = 0; i < frames; ++i) {
        const double nu = frame::ditherValue(noise_.next());
        const double xL = static_cast<double>(frame::inputSample(inL[i])) + nu;
        const double xR = static_cast<double>(frame::inputSample(s.stereoInput ? inR[i] : inL[i])) + nu;
        rl.dry[w] = xL;
        rr.dry[w] = xR;
        left.lp1 = left.lp1 + (xL - left.lp1) * s.c1;
        left.lp2 = left.lp2 + (left.lp1 - left.lp2) * s.c1;
        right.lp1 = right.lp1 + (xR - right.lp1) * s.c1;
        right.lp2 = right.lp2 + (right.lp1 - right.lp2) * s.c1;
        rl.high[w] = xL - left.lp2;
        rl.low[w] = left.lp2;
        rr.high[w] = xR - right.lp2;
        rr.low[w] = right.lp2;

        const double m = std::max(std::fabs(left.lp2), std::fabs(right.lp2));
        e = e + (m - e) * k.r44 * (m > e ? 0.025 : 0.001);
        g = levellerGain(e, s.threshold, k);

        oL = bandOutput(left, highPass_[0], rl.high[r], rl.low[r], rl.dry[r], g, k, s);
        oR = bandOutput(right, highPass_[1], rr.high[r], rr.low[r], rr.dry[r], g, k, s);
        if (s.saturation) {
            oL = frame::parabolicCurve(oL);
            oR = frame::parabolicCurve(oR);
        }
        if (std::fabs(oL) >= 1.0 || std::fabs(oR) >= 1.0) {
            if (++clipRun >= 2) clip = 1.0;
        } else {
            clipRun = 0;
        }
        const double dither = 1e7 * nu;
        frame::storeSample<kAccumulate>(outL[i], oL + dither);
        frame::storeSample<kAccumulate>(outR[i], oR + dither);
        w = (w + 1) & kMask;
        r = (r + 1) & kMask;
    }
    channel_ = {left, right};
    envelope_ = e;
    gain_ = g;
    write_ = w;
    read_ = r;
    recoverIfNotFinite(oL, oR);
    return BlockMeter{g > 1e-8 ? std::log10(g) * 0.4166666666666667 : 0.0, clip};
}

// A parameter far outside 0..1 can overflow the gains; the recursive states
// then start afresh instead of carrying NaN for ever.
void SignalPath::recoverIfNotFinite(double lastL, double lastR) noexcept {
    bool finite = std::isfinite(envelope_) && std::isfinite(gain_) && std::isfinite(lastL) && std::isfinite(lastR);
    for (const Channel& c : channel_)
        finite = finite && std::isfinite(c.lp1) && std::isfinite(c.lp2) && std::isfinite(c.h) && std::isfinite(c.f) &&
                 std::isfinite(c.h2) && std::isfinite(c.s);
    if (finite) return;
    envelope_ = 0.0;
    gain_ = 0.0;
    channel_ = {};
    for (frame::BiquadFilter& hp : highPass_) hp.clear();
}

template BlockMeter SignalPath::process<false>(const float*, const float*, float*, float*, int,
                                               const BlockSettings&) noexcept;
template BlockMeter SignalPath::process<true>(const float*, const float*, float*, float*, int,
                                              const BlockSettings&) noexcept;

}  // namespace rumbler
