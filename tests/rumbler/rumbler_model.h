// An independent, plain model of the bass enhancer's signal path, written
// straight from the formulas: one sample at a time, no shared code with the
// plug-in (its own biquad and its own noise generator).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace rumbler_test {

// Normalized parameter values as the host sends them.
struct ModelParams {
    float process = 1.0f, gain = 0.5f, mix = 1.0f, tune = 0.0f, threshold = 0.0f, colour = 0.0f, bass = 0.5f,
          saturation = 0.0f;
};

struct ModelBlock {
    double gainValue = 0.0;
    double clip = 0.0;
};

class RumblerModel {
public:
    // A plug-in built at 44100 Hz, then resumed at hostRate.
    explicit RumblerModel(double hostRate, bool stereoInput = true);

    void setParams(const ModelParams& p);
    // What turning process off clears.
    void clearForProcessOff();
    // The host's suspend at hostRate: whole-number rate, look-ahead rings back to
    // 1e-7, recursive states to 0, c1 for the new rate; c2, the high-passes and
    // the noise keep theirs.
    void suspend(double hostRate);
    // The host's resume at hostRate: the high-passes take the rate and lose their
    // history, and every derived value is recomputed.
    void resume(double hostRate);
    // One block; accumulate adds into out instead of overwriting it.
    ModelBlock process(const float* inL, const float* inR, float* outL, float* outR, int frames, bool accumulate);

private:
    struct Biquad {
        double rate, glide, offset = 1e-14;
        std::array<double, 5> target{}, current{1, 1, 1, 1, 1};  // b0 b1 b2 a1 a2
        double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        void targets();
        void setRate(double fs);
        double run(double x);
    };
    struct Chan {
        double lp1 = 0, lp2 = 0, h = 0, f = 0, h2 = 0, s = 0;
        std::vector<double> dry, high, low;
    };

    double nextNoise();
    double channelOut(Chan& c, Biquad& bq, int r, double g, double z);

    double fs_;
    bool stereo_;
    ModelParams p_;
    double G_ = 1, w_ = 1, c1_ = 0, c2_ = 0, T_ = 1, k_ = 1, k2_ = 1, B_ = 1;
    uint32_t s1_ = 592, s2_ = 153768, s3_ = 1526;
    std::array<Chan, 2> ch_;
    std::array<Biquad, 2> bq_;
    double E_ = 0;
    int w_idx_ = 1023, r_idx_ = 0;
    double lastG_ = 0;
};

}  // namespace rumbler_test
