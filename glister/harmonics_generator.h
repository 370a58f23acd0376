// Harmonics generator: a band-pass around the harmonics frequency, a
// square-root waveshaper, and a pair of first-out high-passes whose
// difference keeps only what the shaper added above the first-out frequency.
#pragma once

#include <cmath>

#include "frame/double_pair.h"

namespace glister {

// Band-pass with 0 dB peak gain; b1 is 0 and b2 is -b0.
struct BandPassCoefficients {
    double b0 = 0, a1 = 0, a2 = 0;
};

// High-pass with Q 1; b2 equals b0.
struct HighPassCoefficients {
    double b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

BandPassCoefficients harmonicsBandPass(double freqHz, double q, double rate) noexcept;
HighPassCoefficients firstOutHighPass(double freqHz, double rate) noexcept;

class HarmonicsGenerator {
public:
    using Pair = frame::DoublePair;  // left, right

    struct Block {
        BandPassCoefficients band;
        HighPassCoefficients firstOut;
        double driveGain = 0;   // G_d
        double driveFactor = 1; // K
        double level = 0;       // A_h
    };

    // Every filter state back to 1e-7.
    void reset() noexcept;

    // x: the enhancer's output; t: the transient output it adds to.
    Pair process(Pair x, Pair t, double n, const Block& k) noexcept {
        State& s = band_;
        const Pair b = k.band.b0 * (x - s.x2) - k.band.a1 * s.y1 - k.band.a2 * s.y2 + n;
        s.x2 = s.x1;
        s.x1 = x;
        s.y2 = s.y1;
        s.y1 = b;
        const Pair h = shape(b, k);
        const Pair o1 = highPass(shaped_, h, n, k.firstOut);
        const Pair o2 = highPass(plain_, b, n, k.firstOut);
        return t + k.level * (o1 + n - o2);
    }

    // The asymmetric square-root shaper: the negative half is compressed less.
    // Both halves are computed and each lane takes its own.
    static Pair shape(Pair b, const Block& k) noexcept {
        const auto positive = b >= frame::splat(0.0);
        const Pair magnitude = frame::select(positive, b, -b);
        const Pair root = frame::pairOf(std::sqrt(magnitude[0]), std::sqrt(magnitude[1]));
        const Pair up = 2.0 * k.driveGain * root / (1.0 + k.driveFactor * root);
        const Pair down = 2.0 * k.driveGain * root / (1.0 + 0.49 * k.driveFactor * root);
        return frame::select(positive, up * up, -(down * down));
    }

private:
    struct State {
        Pair x1{1e-7, 1e-7}, x2{1e-7, 1e-7}, y1{1e-7, 1e-7}, y2{1e-7, 1e-7};
    };

    static Pair highPass(State& s, Pair in, double n, const HighPassCoefficients& c) noexcept {
        const Pair o = c.b0 * (in + s.x2) + c.b1 * s.x1 - c.a1 * s.y1 - c.a2 * s.y2 + n;
        s.x2 = s.x1;
        s.x1 = in;
        s.y2 = s.y1;
        s.y1 = o;
        return o;
    }

    State band_, shaped_, plain_;
};

}  // namespace glister
