// The compressor's signal path, one block at a time: the block's settings
// first, then the sample loop of the running or the bypassed path, then the
// block's meter record.
#include <algorithm>
#include <cmath>

#include "brisker/brisker_effect.h"
#include "frame/dsp_util.h"

namespace brisker {
namespace {

inline int whole(double x) noexcept { return static_cast<int>(x); }

}  // namespace

BlockSettings BriskerEffect::beginBlock(VstInt32 frames) noexcept {
    const int n = frames;
    BlockSettings b{};
    b.fs = whole(frame::sanitizeRate(sampleRate()));
    const double fs = b.fs;
    b.process = whole(value(kProcess) + 0.5) == 1;
    b.post = whole(value(kPrePost)) == 1;
    const bool rmsLookAhead = value(kRmsPeak) > 0.0;
    b.rmsDetector = whole(value(kRmsPeak)) != 0;
    b.listen = whole(value(kScl) + 0.5) != 0;
    b.del = whole(value(kDel) + 0.5) != 0;
    b.sat = 2.0 * value(kLimSat) > 1.5;
    b.lim = 2.0 * value(kLimSat) > 0.5 && !b.sat;
    b.stereoIn = input2Connected();

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
    Detector& det = detector_;
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
        det.ca = c(0.0001);
        sAttack = vAttack;
    } else {
        a = (sAttack - 0.1666666) * 1.2;
        sAttack = glide(sAttack, vAttack, 0.18);
        det.ca = c(a * a * a * a * 0.9999 + 0.0001);
    }
    smooth_.attack.store(sAttack, std::memory_order_relaxed);

    // Look-ahead and limiter delays; every path adds up to 1023 samples.
    const double la = (0.17 * a) * (0.17 * a);
    int dl = whole(fs * (la + (rmsLookAhead ? 0.0012 : 0.0002)));
    dl = std::min(std::min(std::max(dl, 1), whole(fs * 0.0035)), 1023);
    const int nl = std::clamp(whole(fs * 0.0015), 0, 300);
    q_ = (w_ - dl) & kMask;
    pd_ = b.del ? q_ : w_;
    pl_ = (w_ - nl) & kMask;
    p_ = (w_ + (b.del ? dl : 0) + (b.lim ? nl : 0)) & kMask;

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
        det.cr = c(0.01);
        sRelease = vRelease;
    } else {
        sRelease = glide(sRelease, vRelease, 0.18);
        const double r = (sRelease - 0.1666666) * 1.2;
        det.cr = c(r * r * r * r * 9.99 + 0.01);
    }
    smooth_.release.store(sRelease, std::memory_order_relaxed);

    const double hold = glide(smooth_.hold.load(std::memory_order_relaxed), value(kHold), 0.18);
    smooth_.hold.store(hold, std::memory_order_relaxed);
    b.shape = hold < 0.5 ? std::sqrt(1.0 - 2.0 * hold) : 0.0;
    b.nh = whole(hold * hold * hold * hold * fs);
    b.crB = det.cr;
    b.dB = (1.0 - det.cr) * b.shape;

    const double cs = glide(smooth_.compress.load(std::memory_order_relaxed), value(kCompress), 0.05);
    smooth_.compress.store(cs, std::memory_order_relaxed);
    b.r = 0.25 + 255.75 * (cs * cs * cs);
    b.invR = 1.0 / b.r;
    const double slope = glide(smooth_.slope.load(std::memory_order_relaxed), value(kSlope), 0.09);
    smooth_.slope.store(slope, std::memory_order_relaxed);
    b.s3 = slope * slope * slope;
    b.softScale = 1.01 * (1.0 - b.s3);

    // Make-up: automatic (the inverse of the full-scale gain), unity, or gliding dB.
    const double vMakeUp = value(kMakeUp);
    double sMakeUp = smooth_.makeUp.load(std::memory_order_relaxed);
    if (vMakeUp < 0.125) {
        b.makeUpTarget = 1.0 / (kneeHard(b.r) * b.s3 + kneeSoft(b.r, b.softScale));
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

    b.bpB0 = bpB0_.load(std::memory_order_relaxed);
    b.bpB2 = bpB2_.load(std::memory_order_relaxed);
    b.bpA1 = bpA1_.load(std::memory_order_relaxed);
    b.bpA2 = bpA2_.load(std::memory_order_relaxed);
    // The host's threads write the four one by one, and two of them (automation, a
    // program the user picks) may write at once: a block can read a mix of two
    // settings. A mix whose poles leave the unit circle would blow the side chain up
    // for good, so such a block keeps the last whole set.
    if (frame::stablePoles(b.bpA1, b.bpA2)) {
        lastBandPass_ = {b.bpB0, b.bpB2, b.bpA1, b.bpA2};
    } else {
        b.bpB0 = lastBandPass_[0];
        b.bpB2 = lastBandPass_[1];
        b.bpA1 = lastBandPass_[2];
        b.bpA2 = lastBandPass_[3];
    }
    return b;
}

template <bool kAccumulate>
void BriskerEffect::process(float** inputs, float** outputs, VstInt32 frames) noexcept {
    if (const unsigned clear = pendingClear_.exchange(0, std::memory_order_relaxed)) clearRings(clear);
    const BlockSettings b = beginBlock(frames);
    DoublePair peak{};
    if (b.process) {
        runMain<kAccumulate>(b, inputs, outputs, frames, peak);
        if (!stateFinite()) restartState();
    } else
        runBypass<kAccumulate>(b, inputs, outputs, frames, peak);
    fileMeters(b, frames, peak);
}

// Bypassed: the input times the input gain, delayed by the same 1023 samples.
template <bool kAccumulate>
void BriskerEffect::runBypass(const BlockSettings& b, float** inputs, float** outputs, int frames,
                              DoublePair& peak) noexcept {
    const float* inL = inputs[0];
    const float* inR = b.stereoIn ? inputs[1] : inputs[0];
    float* outL = outputs[0];
    float* outR = outputs[1];
    MeterState m = meterState_;
    double gs = makeUpGain_;
    int w = w_;
    for (int i = 0; i < frames; ++i) {
        const DoublePair x = frame::pairOf(frame::inputSample(inL[i]), frame::inputSample(inR[i])) * b.gin;
        gs = glide(gs, b.makeUpTarget, 0.005125);
        const DoublePair level = frame::absOf(x);
        m.level = glide(m.level, level, b.c1);
        peak = maxOf(peak, level);
        inRing_[static_cast<size_t>(w)] = x;
        w = (w + 1) & kMask;
        const DoublePair out = inRing_[static_cast<size_t>(w)];
        frame::storeSample<kAccumulate>(outL[i], out[0]);
        frame::storeSample<kAccumulate>(outR[i], out[1]);
    }
    m.inEnv = m.compEnv = frame::splat(1.0);
    meterState_ = m;
    makeUpGain_ = gs;
    w_ = w;
}

// Legend, both channels as pairs: x input after gain, a delayed input, h its
// 16 Hz high-pass, d the driven side-chain source, y the band-passed detector
// signal, wet the gained signal, o the output.
//
// The block runs in chunks, each in three passes: the input side up to the
// band-passed detector signal, the detector's gain, then the output side. Each
// sample sees the same operations in the same order as in one loop; apart, the
// detector's long recursion (a division and a square root a sample) no longer
// holds up the filters of the other two. A chunk stops short of where the input
// side would overwrite a ring position the output side still has to read.
template <bool kAccumulate>
void BriskerEffect::runMain(const BlockSettings& settings, float** inputs, float** outputs, int frames,
                            DoublePair& peak) noexcept {
    const BlockSettings b = settings;  // a local copy: no store in the loop can alias it
    const float* inL = inputs[0];
    const float* inR = b.stereoIn ? inputs[1] : inputs[0];
    float* outL = outputs[0];
    float* outR = outputs[1];
    frame::LogicalShiftNoise noise = noise_;
    frame::StereoBiquadFilter hpDry = hpDry_, hpOut = hpOut_;
    SideChainBandPass bandPass = bandPass_;
    Detector det = detector_;
    OutputStage stage = stage_;
    MeterState m = meterState_;
    double gs = makeUpGain_;
    int w = w_, p = p_, q = q_, pd = pd_, pl = pl_;
    const double clipLevel = b.lim ? 0.841 : 0.9;
    Scratch& t = scratch_;
    // the output side reads the dry and drive rings up to this far behind the input side
    const int reach = (w - q) & kMask;
    const int chunk = std::min(kChunk, kRing - reach);

    for (int at = 0; at < frames; at += chunk) {
        const int n = std::min(chunk, frames - at);
        int wi = w;
        for (int i = 0; i < n; ++i) {
            const double nz = frame::ditherValue(noise.next());
            gs = glide(gs, b.makeUpTarget, 0.005125);
            const DoublePair x = frame::pairOf(frame::inputSample(inL[at + i]), frame::inputSample(inR[at + i])) * b.gin + nz;
            p = (p + 1) & kMask;
            inRing_[static_cast<size_t>(wi)] = x;
            const DoublePair a = inRing_[static_cast<size_t>(p)];
            dryRing_[static_cast<size_t>(wi)] = a;
            const DoublePair h = hpDry.process(a);
            const DoublePair hAbs = frame::absOf(h);
            m.inEnv = glide(m.inEnv, hAbs, b.c1);
            if (!b.post) m.level = m.inEnv;
            const DoublePair d = h * b.r;
            driveRing_[static_cast<size_t>(wi)] = d;
            t.y[i] = bandPass.process(d, b, nz);
            t.hAbs[i] = hAbs;
            t.nz[i] = nz;
            t.gs[i] = gs;
            wi = (wi + 1) & kMask;
        }
        if (!b.listen)
            for (int i = 0; i < n; ++i) t.g[i] = det.gain(t.y[i], b);
        for (int i = 0; i < n; ++i) {
            if (!b.post) peak = maxOf(peak, t.hAbs[i]);
            DoublePair wet;
            if (b.listen) {
                wet = t.y[i] / b.r;
            } else {
                wet = driveRing_[static_cast<size_t>(b.del ? q : w)] * t.g[i];
                m.compEnv = glide(m.compEnv, frame::absOf(wet), b.c1);
                wet = wet * t.gs[i];
            }
            DoublePair o = hpOut.process(((dryRing_[static_cast<size_t>(pd)] - wet) * b.dry + wet) * b.gout);
            if (b.sat) {
                o = stage.saturate(o, b);
            } else if (b.lim) {
                limRing_[static_cast<size_t>(w)] = o;
                o = stage.limit(o, limRing_[static_cast<size_t>(pl)], b);
                pl = (pl + 1) & kMask;
            }
            if (b.post) {
                const DoublePair oAbs = frame::absOf(o);
                m.level = glide(m.level, oAbs, b.c1);
                peak = maxOf(peak, oAbs);
            }
            // a channel that stays near full scale for 15 ms lights its clip lamp
            if (b.lim || b.sat) {
                for (int ch = 0; ch < 2; ++ch) {
                    m.clipCount[ch] = peak[ch] > clipLevel ? m.clipCount[ch] + 1 : 0;
                    if (m.clipCount[ch] > b.nClip) peak[ch] = 1.0;
                }
            }
            const DoublePair out = o + 1e7 * t.nz[i];
            frame::storeSample<kAccumulate>(outL[at + i], out[0]);
            frame::storeSample<kAccumulate>(outR[at + i], out[1]);
            w = (w + 1) & kMask;
            q = (q + 1) & kMask;
            pd = (pd + 1) & kMask;
        }
    }

    if (frames > 0 && !b.listen) det.finishBlock(b);
    noise_ = noise;
    hpDry_ = hpDry;
    hpOut_ = hpOut;
    bandPass_ = bandPass;
    detector_ = det;
    stage_ = stage;
    meterState_ = m;
    makeUpGain_ = gs;
    w_ = w, p_ = p, q_ = q, pd_ = pd, pl_ = pl;
}

// Nothing known drives the running state to NaN or infinity (the input is held
// within 1e5, every value within its range, the automatic release within one
// step), but should anything, the stages start afresh and the rings are emptied
// at the end of that block rather than carry it on for ever.
bool BriskerEffect::stateFinite() const noexcept {
    const SideChainBandPass& bp = bandPass_;
    const MeterState& m = meterState_;
    const DoublePair pairs = bp.d1 + bp.d2 + bp.y1 + bp.y2 + m.level + m.inEnv + m.compEnv;
    const Detector& d = detector_;
    const double sum = pairs[0] + pairs[1] + d.env + d.meanSquare + d.ca + d.cr + stage_.env + stage_.held +
                       stage_.peak + makeUpGain_;
    return std::isfinite(sum) && hpDry_.finite() && hpOut_.finite();
}

void BriskerEffect::restartState() noexcept {
    clearRings(kClearAudio | kClearBandPass);
    hpDry_.clear();
    hpOut_.clear();
    detector_ = Detector{};
    stage_ = OutputStage{};
    meterState_ = MeterState{};
    makeUpGain_ = 1.0;
}

// Meter record for this block.
void BriskerEffect::fileMeters(const BlockSettings& b, int frames, DoublePair peak) noexcept {
    MeterState& m = meterState_;
    std::array<double, kMeters> record{};
    for (int ch = 0; ch < 2; ++ch) {
        const double reduction = (m.compEnv[ch] + 0.001) / (m.inEnv[ch] + 0.001);
        m.level[ch] = std::min(m.level[ch], 4.0);
        m.inEnv[ch] = std::min(m.inEnv[ch], 4.0);
        m.compEnv[ch] = std::min(m.compEnv[ch], 4.0);
        const double pk = std::min(peak[ch], 4.0);
        if (pk > held_[ch]) {
            held_[ch] = pk;
            heldTimer_[ch] = 0;
        } else if (heldTimer_[ch] < 0.3 * b.fs) {
            heldTimer_[ch] += frames;
        } else {
            held_[ch] = glide(held_[ch], pk, b.c2);
        }
        record[kLevelL + ch] = m.level[ch];
        record[kHeldL + ch] = held_[ch];
        record[kClipL + ch] = pk >= 1.0 ? 1.0 : 0.0;
        record[kReductionL + ch] = reduction;
    }
    meters_.push(record);
}

template void BriskerEffect::process<false>(float**, float**, VstInt32) noexcept;
template void BriskerEffect::process<true>(float**, float**, VstInt32) noexcept;

}  // namespace brisker
