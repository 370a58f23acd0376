// An independent model of the treble enhancer's audio, written straight from
// the design's formulas in plain per-sample code, for sample-by-sample checks.
#pragma once

#include <array>
#include <cstdint>

#include "frame/biquad_filter.h"

namespace glister_test {

class GlisterModel {
public:
    // v: normalized values by parameter index (0..25); rate: a sane rate.
    GlisterModel(const std::array<float, 26>& v, double rate, bool input2Connected = true);

    // One block through the replacing entry; returns the over-enhanced count
    // and whether the clip lamp lit.
    struct Lamps {
        int overCount = 0;
        bool clip = false;
    };
    Lamps process(const float* in1, const float* in2, float* out1, float* out2, int frames);

private:
    double noise();
    double sample(int ch, double x, double e, double n, double& t);

    double sr_;
    bool in2_;
    bool on_, hissOn_, enhOn_, transOn_, harmOn_, sat_;
    double T_, ah_, cmin_, so_, sc_, ur_, uf_;
    double M_, S_, ke_;
    double rt_, ks_, At_, pd_, ut_, Kt_;
    bool order_;
    double Gd_, K_, Ah_;
    double bp_[3], hp_[5];
    double wet_, go_;

    uint32_t s1_ = 592, s2_ = 153768, s3_ = 1526;
    double L_[1024], R_[1024];
    int w_, r_;
    double h1_[2], h2_[2], env_, c_ = 0.5, q_ = 0.5, y1_[2], y2_[2];
    double p_[2], p1_[2], d1p_[2], f_[2], envT_[2];
    double bpx_[2][4], hpa_[2][4], hpb_[2][4];  // x1, x2, y1, y2
    frame::BiquadFilter dc_[2];
};

}  // namespace glister_test
