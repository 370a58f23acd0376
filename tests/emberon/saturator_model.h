// A plain, sample-by-sample model of the saturator written from its formulas,
// to compare the effect against bit for bit. Parameters are set as normalized
// values; derived values are recomputed at every block.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "frame/biquad_filter.h"

namespace emberon_model {

struct Record {
    double levelL, levelR, heldL, heldR, clipL, clipR;
};

class SaturatorModel {
public:
    // rate: the working rate; delay: the meter delay in blocks.
    SaturatorModel(double rate, int delay);
    void set(int index, float v);
    void setStereoInput(bool stereo) { stereo_ = stereo; }
    void block(const float* inL, const float* inR, float* outL, float* outR, int n, bool accumulate);
    const std::vector<Record>& ring() const { return ring_; }
    int readIndex() const { return read_; }
    int writeIndex() const { return write_; }

private:
    struct Pole {
        float x1 = 1e-6f, y1 = 1e-6f, a = 0, b = 0;
    };
    struct Channel {
        Pole lp1, lp2, lp3, hp1, hp2;
        double f = 0, e = 0;
        frame::BiquadFilter hp;
        explicit Channel(double rate) : hp(rate, 1, 26.0, 0.71, 0.0) {}
    };
    double nextDither();
    double runChannel(Channel& c, double x, double nu);
    void meter(double mL, double mR);

    double rate_;
    std::array<double, 18> v_{};
    bool stereo_ = true;
    uint32_t s1_ = 592, s2_ = 153768, s3_ = 1526;
    std::vector<Channel> ch_;
    // per-block values
    double gIn_ = 0, gOut_ = 0, w_ = 0, md_ = 0, gb_ = 0, gt_ = 0, wd_ = 0, k_ = 0, aa_ = 0, ar_ = 0, rho_ = 0, cm_ = 0;
    int m_ = 0, tap_ = 0;
    bool bassOn_ = false, trebleOn_ = false;
    // meters
    double pk_[2] = {0, 0}, lv_[2] = {0, 0}, held_[2] = {0, 0}, hold_[2] = {0, 0};
    std::vector<Record> ring_;
    int write_ = 0, read_ = 0;
};

}  // namespace emberon_model
