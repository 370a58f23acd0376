// The gliding second-order filter every signal path uses as its infrasonic
// high-pass. It never jumps to new coefficients: each sample moves them a small
// step towards their targets, and an alternating offset of 1e-14 rides on the
// input, the coefficients and the feedback so nothing decays into denormals.
#pragma once

namespace frame {

// a0 is kept with the others but the difference equation never reads it.
struct BiquadCoefficients {
    double a0 = 1, a1 = 1, a2 = 1, b0 = 1, b1 = 1, b2 = 1;
};

// x' is the last input with its offset, y the last output.
struct BiquadHistory {
    double xOffset = 0, x1 = 0, x2 = 0, y = 0, y1 = 0, y2 = 0;
};

// One sample's glide of the coefficients in use towards their targets, in the
// order b0, b1, b2, a1, a2, with this sample's offset riding on each.
inline void glideCoefficients(BiquadCoefficients& c, const BiquadCoefficients& target, double glide,
                              double offset) noexcept {
    c.b0 = c.b0 + offset + (target.b0 - c.b0) * glide;
    c.b1 = c.b1 + offset + (target.b1 - c.b1) * glide;
    c.b2 = c.b2 + offset + (target.b2 - c.b2) * glide;
    c.a1 = c.a1 + offset + (target.a1 - c.a1) * glide;
    c.a2 = c.a2 + offset + (target.a2 - c.a2) * glide;
}

// Direct form I on the input xo that already carries the offset; the offset
// rides on the stored feedback as well.
inline double biquadStep(const BiquadCoefficients& c, BiquadHistory& h, double xo, double offset) noexcept {
    const double y = c.b0 * xo + c.b1 * h.x1 + c.b2 * h.x2 - c.a1 * h.y1 - c.a2 * h.y2;
    h.y2 = h.y1;
    h.y1 = y + offset;
    h.x2 = h.x1;
    h.x1 = xo;
    h.xOffset = xo;
    h.y = y;
    return y;
}

class BiquadFilter {
public:
    static constexpr int kThrough = 0;
    static constexpr int kHighPass = 1;

    BiquadFilter(double rate, int type, double freqHz, double q, double gainDb);

    // New targets for a new rate; the coefficients in use glide there.
    void setRate(double rate);
    // History only; targets, coefficients in use and the offset stay.
    void clear() noexcept { history_ = {}; }

    double process(double x) noexcept {
        if (type_ == kThrough) return x;
        offset_ = -offset_;
        glideCoefficients(current_, target_, glide_, offset_);
        return biquadStep(current_, history_, x + offset_, offset_);
    }

    // Reads for tests and meters.
    double frequency() const noexcept { return freq_; }
    double glide() const noexcept { return glide_; }

private:
    void computeTargets() noexcept;

    double rate_;
    int type_;
    double freq_, q_, gainDb_;
    double offset_ = 1e-14;
    double glide_ = 0.001;
    BiquadCoefficients target_, current_;
    BiquadHistory history_;
};

}  // namespace frame
