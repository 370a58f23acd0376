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

// The settings, targets and gliding coefficients of a biquad: everything but
// its history, so that two channels built alike can share one glide.
class BiquadGlide {
public:
    static constexpr int kThrough = 0;
    static constexpr int kHighPass = 1;

    BiquadGlide(double rate, int type, double freqHz, double q, double gainDb);

    // New targets for a new rate; the coefficients in use glide there.
    void setRate(double rate);

    bool through() const noexcept { return type_ == kThrough; }
    // Flips the offset and moves the coefficients one sample on; answers the offset.
    double step() noexcept {
        offset_ = -offset_;
        glideCoefficients(current_, target_, glide_, offset_);
        return offset_;
    }
    const BiquadCoefficients& current() const noexcept { return current_; }
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
};

// Direct form I on x' (the input with its offset); the offset rides on the
// stored feedback as well. T is double, or a pair of channels that share the
// coefficients (a scalar operand then stands for both lanes).
template <class T>
struct BiquadHistory {
    T x1{}, x2{}, y1{}, y2{};

    T step(const BiquadCoefficients& c, T xo, double offset) noexcept {
        const T y = c.b0 * xo + c.b1 * x1 + c.b2 * x2 - c.a1 * y1 - c.a2 * y2;
        y2 = y1;
        y1 = y + offset;
        x2 = x1;
        x1 = xo;
        return y;
    }
};

class BiquadFilter {
public:
    static constexpr int kThrough = BiquadGlide::kThrough;
    static constexpr int kHighPass = BiquadGlide::kHighPass;

    BiquadFilter(double rate, int type, double freqHz, double q, double gainDb)
        : glide_(rate, type, freqHz, q, gainDb) {}

    // New targets for a new rate; the coefficients in use glide there.
    void setRate(double rate) { glide_.setRate(rate); }
    // History only; targets, coefficients in use and the offset stay.
    void clear() noexcept { history_ = {}; }

    double process(double x) noexcept {
        if (glide_.through()) return x;
        const double offset = glide_.step();
        return history_.step(glide_.current(), x + offset, offset);
    }

    // Reads for tests and meters.
    double frequency() const noexcept { return glide_.frequency(); }
    double glide() const noexcept { return glide_.glide(); }

private:
    BiquadGlide glide_;
    BiquadHistory<double> history_;
};

}  // namespace frame
