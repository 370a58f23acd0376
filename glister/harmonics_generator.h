// Harmonics generator: a band-pass around the harmonics frequency, a
// square-root waveshaper, and a pair of first-out high-passes whose
// difference keeps only what the shaper added above the first-out frequency.
#pragma once

#include <cmath>

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
    double process(int ch, double x, double t, double n, const Block& k) noexcept {
        State& s = band_[ch];
        const double b = k.band.b0 * (x - s.x2) - k.band.a1 * s.y1 - k.band.a2 * s.y2 + n;
        s.x2 = s.x1;
        s.x1 = x;
        s.y2 = s.y1;
        s.y1 = b;
        const double h = shape(b, k);
        const double o1 = highPass(shaped_[ch], h, n, k.firstOut);
        const double o2 = highPass(plain_[ch], b, n, k.firstOut);
        return t + k.level * (o1 + n - o2);
    }

    // The asymmetric square-root shaper: the negative half is compressed less.
    static double shape(double b, const Block& k) noexcept {
        if (b >= 0.0) {
            const double s = std::sqrt(b);
            const double v = 2.0 * k.driveGain * s / (1.0 + k.driveFactor * s);
            return v * v;
        }
        const double s = std::sqrt(-b);
        const double v = 2.0 * k.driveGain * s / (1.0 + 0.49 * k.driveFactor * s);
        return -(v * v);
    }

private:
    struct State {
        double x1 = 1e-7, x2 = 1e-7, y1 = 1e-7, y2 = 1e-7;
    };

    static double highPass(State& s, double in, double n, const HighPassCoefficients& c) noexcept {
        const double o = c.b0 * (in + s.x2) + c.b1 * s.x1 - c.a1 * s.y1 - c.a2 * s.y2 + n;
        s.x2 = s.x1;
        s.x1 = in;
        s.y2 = s.y1;
        s.y1 = o;
        return o;
    }

    State band_[2], shaped_[2], plain_[2];
};

}  // namespace glister
