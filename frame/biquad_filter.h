// The gliding second-order filter every signal path uses as its infrasonic
// high-pass. It never jumps to new coefficients: each sample moves them a small
// step towards their targets, and an alternating offset of 1e-14 rides on the
// input, the coefficients and the feedback so nothing decays into denormals.
#pragma once

namespace frame {

class BiquadFilter {
public:
    static constexpr int kThrough = 0;
    static constexpr int kHighPass = 1;

    BiquadFilter(double rate, int type, double freqHz, double q, double gainDb);

    // New targets for a new rate; the coefficients in use glide there.
    void setRate(double rate);
    // History only; targets, coefficients in use and the offset stay.
    void clear() noexcept;
    double process(double x) noexcept;

    // Reads for tests and meters.
    double frequency() const noexcept { return freq_; }
    double glide() const noexcept { return glide_; }

private:
    struct Coefficients {
        double a0 = 1, a1 = 1, a2 = 1, b0 = 1, b1 = 1, b2 = 1;
    };
    void computeTargets() noexcept;

    double rate_;
    int type_;
    double freq_, q_, gainDb_;
    double offset_ = 1e-14;
    double glide_ = 0.001;
    Coefficients target_, current_;
    double xOffset_ = 0, x1_ = 0, x2_ = 0, y_ = 0, y1_ = 0, y2_ = 0;
};

}  // namespace frame
