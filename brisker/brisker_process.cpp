// The compressor's signal path, one block at a time.
#include <algorithm>
#include <cmath>

#include "brisker/brisker_effect.h"
#include "frame/dsp_util.h"
#include "frame/saturation_curve.h"

namespace brisker {
namespace {

// The soft/hard gain shape: k for the hard knee, q for the soft one.
inline double kneeHard(double x) noexcept { return x < 2.0 ? 1.0 - x / 4.0 : 1.0 / x; }
inline double kneeSoft(double x, double s3) noexcept { return 1.01 * (1.0 - s3) / (x + 1.01); }

inline double glide(double s, double target, double amount) noexcept { return s + (target - s) * amount; }

inline int whole(double x) noexcept { return static_cast<int>(x); }

// Values fixed for one block.
struct Block {
    double fs;
    bool process, post, rmsLookAhead, rmsDetector, listen, del, sat, lim;
    double c1, c2, c3, c4, c5, c6, c7, c8;
    int n1, n2, nClip;
    double ka, kr;
    int dl, nl;
    double shape, crB, dB;  // S and the release pair frozen at block start
    int nh;
    double r, invR, s3;
    double makeUpTarget;  // Gt
    double gin, gout, dry;
};

}  // namespace

template <bool kAccumulate>
void BriskerEffect::process(float** inputs, float** outputs, VstInt32 frames) noexcept {
    const int n = frames;
    if (const unsigned clear = pendingClear_.exchange(0, std::memory_order_relaxed)) clearRings(clear);

    Block b{};
    b.fs = whole(frame::sanitizeRate(sampleRate()));
    const double fs = b.fs;
    b.process = whole(value(kProcess) + 0.5) == 1;
    b.post = whole(value(kPrePost)) == 1;
    b.rmsLookAhead = value(kRmsPeak) > 0.0;
    b.rmsDetector = whole(value(kRmsPeak)) != 0;
    b.listen = whole(value(kScl) + 0.5) != 0;
    b.del = whole(value(kDel) + 0.5) != 0;
    b.sat = 2.0 * value(kLimSat) > 1.5;
    b.lim = 2.0 * value(kLimSat) > 0.5 && !b.sat;

    auto c = [fs](double t) { return frame::timeCoefficient(fs, t); };
    b.c1 = c(0.3);
    b.c2 = 1.0 - std::pow(0.1091012, n / (0.6 * fs));
    b.c3 = c(0.008);
    b.c4 = c(0.0045);
    b.c5 = c(0.0125);
    b.c6 = c(0.0012);
    b.c7 = c(0.0024);
    b.c8 = c(0.0008);
    b.n1 = whole(fs * 0.0012);
    b.n2 = whole(fs * 0.0024);
    b.nClip = whole(fs * 0.015);

    // Attack: automatic fast/slow, a fixed 0.1 ms step, or a gliding time.
    const double vAttack = value(kAttack);
    double sAttack = smooth_.attack.load(std::memory_order_relaxed);
    double a = 0.0;
    if (vAttack < 0.0416666) {
        b.ka = 0.004;
        a = 0.227;
        sAttack = vAttack;
    } else if (vAttack < 0.125) {
        b.ka = 0.001;
        a = 0.28;
        sAttack = vAttack;
    } else if (vAttack < 0.1666666) {
        ca_ = c(0.0001);
        sAttack = vAttack;
    } else {
        a = (sAttack - 0.1666666) * 1.2;
        sAttack = glide(sAttack, vAttack, 0.18);
        ca_ = c(a * a * a * a * 0.9999 + 0.0001);
    }
    smooth_.attack.store(sAttack, std::memory_order_relaxed);

    // Look-ahead and limiter delays; every path adds up to 1023 samples.
    const double la = (0.17 * a) * (0.17 * a);
    b.dl = whole(fs * (la + (b.rmsLookAhead ? 0.0012 : 0.0002)));
    b.dl = std::min(std::min(std::max(b.dl, 1), whole(fs * 0.0035)), 1023);
    b.nl = std::clamp(whole(fs * 0.0015), 0, 300);
    q_ = (w_ - b.dl) & kMask;
    pd_ = b.del ? q_ : w_;
    pl_ = (w_ - b.nl) & kMask;
    p_ = (w_ + (b.del ? b.dl : 0) + (b.lim ? b.nl : 0)) & kMask;

    // Release: automatic fast/slow, a fixed 10 ms step, or a gliding time.
    const double vRelease = value(kRelease);
    double sRelease = smooth_.release.load(std::memory_order_relaxed);
    if (vRelease < 0.0416666) {
        b.kr = 0.00009;
        sRelease = vRelease;
    } else if (vRelease < 0.125) {
        b.kr = 0.00003;
        sRelease = vRelease;
    } else if (vRelease <= 0.1666666) {
        cr_ = c(0.01);
        sRelease = vRelease;
    } else {
        sRelease = glide(sRelease, vRelease, 0.18);
        const double r = (sRelease - 0.1666666) * 1.2;
        cr_ = c(r * r * r * r * 9.99 + 0.01);
    }
    smooth_.release.store(sRelease, std::memory_order_relaxed);

    const double hold = glide(smooth_.hold.load(std::memory_order_relaxed), value(kHold), 0.18);
    smooth_.hold.store(hold, std::memory_order_relaxed);
    b.shape = hold < 0.5 ? std::sqrt(1.0 - 2.0 * hold) : 0.0;
    b.nh = whole(hold * hold * hold * hold * fs);
    b.crB = cr_;
    b.dB = (1.0 - cr_) * b.shape;

    const double cs = glide(smooth_.compress.load(std::memory_order_relaxed), value(kCompress), 0.05);
    smooth_.compress.store(cs, std::memory_order_relaxed);
    b.r = 0.25 + 255.75 * (cs * cs * cs);
    b.invR = 1.0 / b.r;
    const double slope = glide(smooth_.slope.load(std::memory_order_relaxed), value(kSlope), 0.09);
    smooth_.slope.store(slope, std::memory_order_relaxed);
    b.s3 = slope * slope * slope;

    // Make-up: automatic (the inverse of the full-scale gain), unity, or gliding dB.
    const double vMakeUp = value(kMakeUp);
    double sMakeUp = smooth_.makeUp.load(std::memory_order_relaxed);
    if (vMakeUp < 0.125) {
        b.makeUpTarget = 1.0 / (kneeHard(b.r) * b.s3 + kneeSoft(b.r, b.s3));
        sMakeUp = vMakeUp;
    } else if (sMakeUp <= 0.1666666) {
        b.makeUpTarget = 1.0;
        makeUpGain_ = 1.0;
        sMakeUp = vMakeUp;
    } else {
        sMakeUp = glide(sMakeUp, vMakeUp, 0.125);
        b.makeUpTarget = makeUpGain_ = std::pow(10.0, (sMakeUp - 0.1666666) * 2.88);
    }
    smooth_.makeUp.store(sMakeUp, std::memory_order_relaxed);

    const double sInput = glide(smooth_.input.load(std::memory_order_relaxed), value(kInput), 0.1);
    const double sOutput = glide(smooth_.output.load(std::memory_order_relaxed), value(kOutput), 0.1);
    smooth_.input.store(sInput, std::memory_order_relaxed);
    smooth_.output.store(sOutput, std::memory_order_relaxed);
    b.gin = std::pow(10.0, (sInput - 0.5) * 1.2);
    b.gout = std::pow(10.0, (sOutput - 0.5) * 1.2);
    const double mix = value(kMix);
    b.dry = 1.0 - mix * mix;

    const bool stereoIn = input2Connected();
    const float* inL = inputs[0];
    const float* inR = stereoIn ? inputs[1] : inputs[0];
    float* outL = outputs[0];
    float* outR = outputs[1];
    double peak[2] = {0.0, 0.0};

    if (!b.process) {
        // Bypassed: the input times the input gain, delayed by the same 1023 samples.
        for (int i = 0; i < n; ++i) {
            const double x[2] = {frame::inputSample(inL[i]) * b.gin, frame::inputSample(inR[i]) * b.gin};
            makeUpGain_ = glide(makeUpGain_, b.makeUpTarget, 0.005125);
            for (int ch = 0; ch < 2; ++ch) {
                meterLevel_[ch] = glide(meterLevel_[ch], std::fabs(x[ch]), b.c1);
                peak[ch] = std::max(peak[ch], std::fabs(x[ch]));
                inRing_[ch][w_] = x[ch];
            }
            w_ = (w_ + 1) & kMask;
            frame::storeSample<kAccumulate>(outL[i], inRing_[0][w_]);
            frame::storeSample<kAccumulate>(outR[i], inRing_[1][w_]);
        }
        for (int ch = 0; ch < 2; ++ch) inEnv_[ch] = compEnv_[ch] = 1.0;
    } else {
        const double bpB0 = bpB0_.load(std::memory_order_relaxed), bpB2 = bpB2_.load(std::memory_order_relaxed);
        const double bpA1 = bpA1_.load(std::memory_order_relaxed), bpA2 = bpA2_.load(std::memory_order_relaxed);
        // Legend: x input after gain, a delayed input, h its 16 Hz high-pass, d the driven
        // side-chain source, y the band-passed detector signal, wet the gained signal.
        for (int i = 0; i < n; ++i) {
            const double nz = frame::ditherValue(noise_.next());
            makeUpGain_ = glide(makeUpGain_, b.makeUpTarget, 0.005125);
            const double xL = frame::inputSample(inL[i]) * b.gin + nz;
            const double x[2] = {xL, stereoIn ? frame::inputSample(inR[i]) * b.gin + nz : xL};
            p_ = (p_ + 1) & kMask;
            double d[2], y[2];
            for (int ch = 0; ch < 2; ++ch) {
                inRing_[ch][w_] = x[ch];
                const double a = inRing_[ch][p_];
                dryRing_[ch][w_] = a;
                const double h = hpDry_[ch].process(a);
                inEnv_[ch] = glide(inEnv_[ch], std::fabs(h), b.c1);
                if (!b.post) {
                    meterLevel_[ch] = inEnv_[ch];
                    peak[ch] = std::max(peak[ch], std::fabs(h));
                }
                driveRing_[ch][w_] = h * b.r;
                d[ch] = driveRing_[ch][w_];
                BandPass& f = bp_[ch];
                y[ch] = bpB0 * d[ch] + bpB2 * f.d2 - bpA1 * f.y1 - bpA2 * f.y2 + nz;
                f.d2 = f.d1;
                f.d1 = d[ch];
                f.y2 = f.y1;
                f.y1 = y[ch];
            }
            double wet[2];
            if (b.listen) {
                wet[0] = y[0] / b.r;
                wet[1] = y[1] / b.r;
            } else {
                const double yl = std::fabs(y[0]), yr = std::fabs(y[1]);
                const double u = std::max(((yl + yr) * 0.7071 + std::max(yl, yr)) * 0.5, 0.001);
                meanSquare_ = glide(meanSquare_, u * u, b.c3);
                const double rms = std::sqrt(meanSquare_) * 1.7;
                const double level = b.rmsDetector ? rms : u;
                if (b.ka != 0.0) ca_ = (1.0 - (env_ + 1e-8) / (rms + 1e-8)) * b.ka;
                // The automatic release speeds up while the envelope stands above the mean
                // level. After a loud passage and a silence that ratio runs into the
                // thousands: the coefficient stops at 1, one step reaching its target.
                // Beyond 1 the step would overshoot, beyond 2 the envelope would swing
                // with growing alternating sign until it overflowed.
                if (b.kr != 0.0) cr_ = std::min((env_ + 1e-8) * b.kr / (rms + 1e-8), 1.0);
                if (level >= env_) {
                    holdCount_ = 0;
                    env_ = glide(env_, level, ca_);
                } else if (holdCount_ < b.nh) {
                    ++holdCount_;
                } else {
                    env_ = (1.0 - b.shape) * (env_ + (level - env_) * b.crB) + b.dB * env_;
                }
                const double g = (b.s3 * kneeHard(env_) + kneeSoft(env_, b.s3)) * b.invR;
                for (int ch = 0; ch < 2; ++ch) {
                    const double source = b.del ? driveRing_[ch][q_] : d[ch];
                    wet[ch] = source * g;
                    compEnv_[ch] = glide(compEnv_[ch], std::fabs(wet[ch]), b.c1);
                    wet[ch] *= makeUpGain_;
                }
            }
            double o[2];
            for (int ch = 0; ch < 2; ++ch) {
                const double out1 = ((dryRing_[ch][pd_] - wet[ch]) * b.dry + wet[ch]) * b.gout;
                o[ch] = hpOut_[ch].process(out1);
            }
            if (b.sat) {
                const double pk = std::max(std::fabs(o[0]), std::fabs(o[1])) * 1.414;
                stageEnv_ = glide(stageEnv_, pk, pk > stageEnv_ ? b.c4 : b.c5);
                const double g = 1.0 / std::max(stageEnv_, 1.0);
                o[0] = frame::cubicCurve(o[0] * g) * 0.999969;
                o[1] = frame::cubicCurve(o[1] * g) * 0.999969;
            } else if (b.lim) {
                limRing_[0][w_] = o[0];
                limRing_[1][w_] = o[1];
                limPeak_ = std::max(limPeak_, std::max(std::fabs(o[0]), std::fabs(o[1])));
                if (limPeak_ > limHeld_ || limCount_ >= b.n2) {
                    limHeld_ = limPeak_;
                    limPeak_ = 0.0;
                    limCount_ = 0;
                } else if (limCount_ > b.n1) {
                    limHeld_ = glide(limHeld_, limPeak_, b.c8);
                    ++limCount_;
                } else {
                    ++limCount_;
                }
                const double t = 0.95 * limHeld_;
                stageEnv_ = glide(stageEnv_, t, t > stageEnv_ ? b.c6 : b.c7);
                const double g = 1.0 / std::max(stageEnv_, 1.0);
                o[0] = frame::cubicCurve(limRing_[0][pl_] * g) * 0.999969;
                o[1] = frame::cubicCurve(limRing_[1][pl_] * g) * 0.999969;
                pl_ = (pl_ + 1) & kMask;
            }
            for (int ch = 0; ch < 2; ++ch) {
                if (b.post) {
                    meterLevel_[ch] = glide(meterLevel_[ch], std::fabs(o[ch]), b.c1);
                    peak[ch] = std::max(peak[ch], std::fabs(o[ch]));
                }
                // a channel that stays near full scale for 15 ms lights its clip lamp
                if (b.lim || b.sat) {
                    if (peak[ch] > (b.lim ? 0.841 : 0.9))
                        ++clipCount_[ch];
                    else
                        clipCount_[ch] = 0;
                    if (clipCount_[ch] > b.nClip) peak[ch] = 1.0;
                }
            }
            frame::storeSample<kAccumulate>(outL[i], o[0] + 1e7 * nz);
            frame::storeSample<kAccumulate>(outR[i], o[1] + 1e7 * nz);
            w_ = (w_ + 1) & kMask;
            q_ = (q_ + 1) & kMask;
            pd_ = (pd_ + 1) & kMask;
        }
    }

    // Meter record for this block.
    std::array<double, kMeters> record{};
    for (int ch = 0; ch < 2; ++ch) {
        const double reduction = (compEnv_[ch] + 0.001) / (inEnv_[ch] + 0.001);
        meterLevel_[ch] = std::min(meterLevel_[ch], 4.0);
        inEnv_[ch] = std::min(inEnv_[ch], 4.0);
        compEnv_[ch] = std::min(compEnv_[ch], 4.0);
        peak[ch] = std::min(peak[ch], 4.0);
        if (peak[ch] > held_[ch]) {
            held_[ch] = peak[ch];
            heldTimer_[ch] = 0;
        } else if (heldTimer_[ch] < 0.3 * fs) {
            heldTimer_[ch] += n;
        } else {
            held_[ch] = glide(held_[ch], peak[ch], b.c2);
        }
        record[kLevelL + ch] = meterLevel_[ch];
        record[kHeldL + ch] = held_[ch];
        record[kClipL + ch] = peak[ch] >= 1.0 ? 1.0 : 0.0;
        record[kReductionL + ch] = reduction;
    }
    meters_.push(record);
}

template void BriskerEffect::process<false>(float**, float**, VstInt32) noexcept;
template void BriskerEffect::process<true>(float**, float**, VstInt32) noexcept;

}  // namespace brisker
