// The compressor's per-sample stages, inline for the block loop. Each holds
// the state of one stage; the block loop copies it into a local, runs the
// samples and writes it back once. Both channels travel as one pair of
// doubles (left in lane 0) wherever they see the same operations.
#pragma once

#include <algorithm>
#include <cmath>

#include "frame/double_pair.h"
#include "frame/saturation_curve.h"

namespace brisker {

using frame::DoublePair;

// Values fixed for one block, read from the parameters and the glides at its start.
struct BlockSettings {
    double fs;
    bool process, post, rmsDetector, listen, del, sat, lim;
    double c1, c2, c3, c4, c5, c6, c7, c8;
    int n1, n2, nClip;
    double ka, kr;   // automatic attack and release factors, 0 when off
    double shape;    // S, the hold's release shape
    double crB, dB;  // the release pair frozen at the block's start
    int nh;          // hold length in samples
    double r, invR, s3;
    double softScale;     // 1.01 * (1 - s3), the numerator of q
    double makeUpTarget;  // Gt
    double gin, gout, dry;
    double bpB0, bpB2, bpA1, bpA2;  // side-chain band-pass
    bool stereoIn;
};

inline double glide(double s, double target, double amount) noexcept { return s + (target - s) * amount; }
inline DoublePair glide(DoublePair s, DoublePair target, double amount) noexcept { return s + (target - s) * amount; }

// std::max per lane: b where a < b, else a.
inline DoublePair maxOf(DoublePair a, DoublePair b) noexcept { return a < b ? b : a; }

// The soft/hard gain shape: k for the hard knee, q for the soft one (its
// numerator 1.01 * (1 - s3) fixed per block).
inline double kneeHard(double x) noexcept { return x < 2.0 ? 1.0 - x / 4.0 : 1.0 / x; }
inline double kneeSoft(double x, double softScale) noexcept { return softScale / (x + 1.01); }

// The side-chain band-pass of both channels, sharing one set of coefficients.
struct SideChainBandPass {
    DoublePair d1{}, d2{}, y1{}, y2{};

    DoublePair process(DoublePair d, const BlockSettings& b, double nz) noexcept {
        const DoublePair y = b.bpB0 * d + b.bpB2 * d2 - b.bpA1 * y1 - b.bpA2 * y2 + nz;
        d2 = d1;
        d1 = d;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// Level detector, envelope with hold, and the gain the envelope asks for.
struct Detector {
    double env = 0, meanSquare = 0;
    double ca = 0, cr = 0;  // attack and release coefficients
    int holdCount = 0;
    // The last sample's envelope before its step and its mean level, for the
    // automatic release coefficient.
    double lastEnv = 0, lastRms = 0;

    // One sample of the band-passed pair; answers the gain for the wet signal.
    double gain(DoublePair y, const BlockSettings& b) noexcept {
        const double yl = std::fabs(y[0]), yr = std::fabs(y[1]);
        const double u = std::max(((yl + yr) * 0.7071 + std::max(yl, yr)) * 0.5, 0.001);
        meanSquare = glide(meanSquare, u * u, b.c3);
        const double rms = std::sqrt(meanSquare) * 1.7;
        const double level = b.rmsDetector ? rms : u;
        if (b.ka != 0.0) ca = (1.0 - (env + 1e-8) / (rms + 1e-8)) * b.ka;
        lastEnv = env;
        lastRms = rms;
        // Rising, holding or falling: all three are cheap, and noise makes the
        // choice unpredictable, so it is a selection rather than a branch.
        const double attack = glide(env, level, ca);
        const double release = (1.0 - b.shape) * (env + (level - env) * b.crB) + b.dB * env;
        const bool up = level >= env;
        const bool holding = holdCount < b.nh;
        env = up ? attack : (holding ? env : release);
        holdCount = up ? 0 : (holding ? holdCount + 1 : holdCount);
        return (b.s3 * kneeHard(env) + kneeSoft(env, b.softScale)) * b.invR;
    }

    // After a block in which gain() ran: the automatic release coefficient of
    // its last sample. Each sample's value would replace the one before, and
    // the release reads it only from the next block on (as crB), so the last
    // one is all that counts.
    // It speeds up the release while the envelope stands above the mean level.
    // After a loud passage and a silence that ratio runs into the thousands: the
    // coefficient stops at 1, one step reaching its target. Beyond 1 the step
    // would overshoot, beyond 2 the envelope would swing with growing
    // alternating sign until it overflowed.
    void finishBlock(const BlockSettings& b) noexcept {
        if (b.kr != 0.0) cr = std::min((lastEnv + 1e-8) * b.kr / (lastRms + 1e-8), 1.0);
    }
};

// The soft clip of the output stage, per lane: +-1 beyond sqrt(8/3).
inline DoublePair softClip(DoublePair x) noexcept {
    using namespace frame::curve;
    DoublePair f = (x - (x * x * x) * 0.125) * kCubicScale;
    f = frame::select(x >= frame::splat(kCubicLimit), frame::splat(1.0), f);
    return frame::select(x <= frame::splat(-kCubicLimit), frame::splat(-1.0), f);
}

// The output stage: the saturating leveller or the look-ahead limiter, both
// ending in the soft clip.
struct OutputStage {
    double env = 0;          // E2
    double held = 0, peak = 0;  // limiter Lh and Lp
    int count = 0;

    DoublePair saturate(DoublePair o, const BlockSettings& b) noexcept {
        const double pk = std::max(std::fabs(o[0]), std::fabs(o[1])) * 1.414;
        env = glide(env, pk, pk > env ? b.c4 : b.c5);
        return softClip(o * (1.0 / std::max(env, 1.0))) * 0.999969;
    }

    // o enters the look-ahead ring; the answer is the ring's sample `delayed`.
    DoublePair limit(DoublePair o, DoublePair delayed, const BlockSettings& b) noexcept {
        peak = std::max(peak, std::max(std::fabs(o[0]), std::fabs(o[1])));
        if (peak > held || count >= b.n2) {
            held = peak;
            peak = 0.0;
            count = 0;
        } else if (count > b.n1) {
            held = glide(held, peak, b.c8);
            ++count;
        } else {
            ++count;
        }
        const double t = 0.95 * held;
        env = glide(env, t, t > env ? b.c6 : b.c7);
        return softClip(delayed * (1.0 / std::max(env, 1.0))) * 0.999969;
    }
};

}  // namespace brisker
