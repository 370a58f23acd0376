#include "tests/glister/glister_model.h"

#include <cmath>

namespace glister_test {
namespace {

const double kPi2 = 6.283185307179586;

int switchOn(float v) { return static_cast<int>(static_cast<double>(v) + 0.5); }

}  // namespace

GlisterModel::GlisterModel(const std::array<float, 26>& in, double rate, bool input2Connected)
    : sr_(rate), in2_(input2Connected),
      dc_{frame::BiquadFilter(44100.0, 1, 16.0, 0.71, 0.0), frame::BiquadFilter(44100.0, 1, 16.0, 0.71, 0.0)} {
    auto v = [&](int i) { return static_cast<double>(in[static_cast<size_t>(i)]); };
    const double sr = rate, fcap = sr * 0.36363636363636365;
    on_ = switchOn(in[0]) != 0;
    harmOn_ = switchOn(in[19]) != 0;
    enhOn_ = switchOn(in[20]) != 0;
    transOn_ = switchOn(in[21]) != 0;
    hissOn_ = switchOn(in[22]) != 0;
    sat_ = switchOn(in[18]) != 0;
    // harmonics
    double fh = 500.0 * std::pow(32.0, v(5));
    if (fh > fcap) fh = fcap;
    const double qh = 0.25 * std::pow(20.0, v(15));
    double fo = (2.0 * (v(17) * v(17)) + 0.5) * fh;
    if (fo > fcap) fo = fcap;
    double w = kPi2 * fh / sr, a = std::sin(w) / (2.0 * qh);
    bp_[0] = a / (1.0 + a);
    bp_[1] = -2.0 * std::cos(w) / (1.0 + a);
    bp_[2] = (1.0 - a) / (1.0 + a);
    w = kPi2 * fo / sr;
    a = std::sin(w) / 2.0;
    hp_[0] = (1.0 + std::cos(w)) / 2.0 / (1.0 + a);
    hp_[2] = hp_[0];
    hp_[1] = -(1.0 + std::cos(w)) / (1.0 + a);
    hp_[3] = -2.0 * std::cos(w) / (1.0 + a);
    hp_[4] = (1.0 - a) / (1.0 + a);
    const double d = std::pow(v(16), 0.25);
    Gd_ = (0.32 / (1.0 - 0.85 * d) + 1.0) / 2.0;
    K_ = 1.0 / (1.0 - 0.85 * d);
    Ah_ = 4.0 * (v(6) * v(6));
    // enhancer
    M_ = (1.0 - 0.54 * v(4)) / 2.0;
    S_ = 0.5 / std::pow(2.0 * M_, 1.2);
    ke_ = v(14);
    // transient
    rt_ = std::pow(2.0, v(13));
    ks_ = v(11) >= 1.0 ? 1.0 : 2.0 * v(11) - std::floor(2.0 * v(11));
    order_ = v(11) >= 0.5;
    ut_ = 0.025 * (std::pow(128.0, v(11)) * 44100.0 / (128.0 * sr));
    At_ = 8.0 * (v(3) * v(3));
    pd_ = 0.85 * v(12);
    Kt_ = std::sqrt(std::pow(4.0, ks_) * sr / 44100.0);
    // hiss
    T_ = std::pow(65536.0, v(1)) / 65536.0;
    so_ = 0.03 * std::pow(30.0, -v(10));
    sc_ = 0.0075 * std::pow(300.0, -v(10));
    ah_ = v(2);
    double fm = 500.0 * std::pow(30.0, v(9));
    if (fm > fcap) fm = fcap;
    cmin_ = 1.0 - std::exp(-(kPi2 * fm) / sr);
    ur_ = std::pow(0.125, sr / 44100.0);
    uf_ = std::pow(0.0025, sr / 44100.0);
    // output
    wet_ = v(7) * v(7);
    go_ = std::pow(64.0, std::pow(v(8), 0.25)) * 0.03125;
    // state after suspend and resume
    for (int i = 0; i < 1024; ++i) L_[i] = R_[i] = 1e-8;
    w_ = 0;
    r_ = sr < 50000.0 ? 255 : (sr < 100000.0 ? 511 : 1023);
    env_ = 1e-7;
    for (int ch = 0; ch < 2; ++ch) {
        h1_[ch] = h2_[ch] = y1_[ch] = y2_[ch] = 1e-7;
        p_[ch] = p1_[ch] = d1p_[ch] = f_[ch] = envT_[ch] = 0.0;
        for (int k = 0; k < 4; ++k) bpx_[ch][k] = hpa_[ch][k] = hpb_[ch][k] = 1e-7;
        dc_[ch].setRate(sr);
        dc_[ch].clear();
    }
}

double GlisterModel::noise() {
    auto sar = [](uint32_t x, int k) { return static_cast<uint32_t>(static_cast<int32_t>(x) >> k); };
    s1_ = sar(((s1_ << 9) ^ s1_) << 4, 19) ^ (s1_ << 13);
    s2_ = sar(((s2_ << 2) ^ s2_) << 3, 12) ^ (s2_ << 20);
    s3_ = sar(((s3_ << 6) ^ s3_) << 1, 15) ^ (s3_ << 17);
    const uint32_t u = s1_ ^ s2_ ^ s3_;
    return (2.0 * static_cast<double>(u) * 2.3283064365e-10 - 1.0) * 1e-17;
}

// Transient and harmonics of one channel: x the enhancer output; t receives the sum.
double GlisterModel::sample(int ch, double x, double e, double n, double& t) {
    t = x;
    if (transOn_) {
        const double d1 = x - p1_[ch] + n;
        p1_[ch] = x;
        const double d2 = d1 - d1p_[ch] + n;
        d1p_[ch] = d1;
        const double ee = order_ ? d1 + ks_ * (d2 - d1) : x + ks_ * (d1 - x);
        f_[ch] = ee + pd_ * (f_[ch] - ee);
        const double af = std::fabs(f_[ch]);
        envT_[ch] = af > envT_[ch] ? envT_[ch] + (af - envT_[ch]) * 0.35 : envT_[ch] + (af - envT_[ch]) * ut_;
        const double g = At_ * std::pow(envT_[ch], rt_);
        if (envT_[ch] != 0.0) t = x + g / ((g + 1.0) * envT_[ch]) * f_[ch] * At_ * Kt_;
    }
    if (harmOn_) {
        double* s = bpx_[ch];
        const double b = bp_[0] * (e - s[1]) - bp_[1] * s[2] - bp_[2] * s[3] + n;
        s[1] = s[0], s[0] = e, s[3] = s[2], s[2] = b;
        double h;
        if (b >= 0.0) {
            const double q = 2.0 * Gd_ * std::sqrt(b) / (1.0 + K_ * std::sqrt(b));
            h = q * q;
        } else {
            const double q = 2.0 * Gd_ * std::sqrt(-b) / (1.0 + 0.49 * K_ * std::sqrt(-b));
            h = -(q * q);
        }
        double o[2];
        double* hs[2] = {hpa_[ch], hpb_[ch]};
        const double ins[2] = {h, b};
        for (int k = 0; k < 2; ++k) {
            double* z = hs[k];
            o[k] = hp_[0] * (ins[k] + z[1]) + hp_[1] * z[0] - hp_[3] * z[2] - hp_[4] * z[3] + n;
            z[1] = z[0], z[0] = ins[k], z[3] = z[2], z[2] = o[k];
        }
        t = t + Ah_ * (o[0] + n - o[1]);
    }
    return t;
}

GlisterModel::Lamps GlisterModel::process(const float* in1, const float* in2, float* out1, float* out2, int frames) {
    Lamps lamps;
    for (int i = 0; i < frames; ++i) {
        if (!on_) {
            L_[r_] = in1[i];
            if (in2_) R_[r_] = in2[i];
            r_ = (r_ + 1) & 1023, w_ = (w_ + 1) & 1023;
            out1[i] = static_cast<float>(L_[r_]);
            out2[i] = static_cast<float>(in2_ ? R_[r_] : L_[r_]);
            continue;
        }
        const double n = noise();
        const double xl = static_cast<double>(in1[i]) + n;
        L_[w_] = xl;
        R_[w_] = in2_ ? static_cast<double>(in2[i]) + n : xl;
        r_ = (r_ + 1) & 1023, w_ = (w_ + 1) & 1023;
        const double dl[2] = {L_[r_], R_[r_]}, dry[2] = {L_[w_], R_[w_]};
        double m[2] = {dry[0], dry[1]};
        if (hissOn_) {
            for (int ch = 0; ch < 2; ++ch) {
                h1_[ch] = dl[ch] + q_ * (h1_[ch] - dl[ch]);
                h2_[ch] = h1_[ch] + q_ * (h2_[ch] - h1_[ch]) + n;
            }
            const double D = std::fabs(dl[0] - h2_[0]) + std::fabs(dl[1] - h2_[1]) + 1e-6;
            env_ = D > env_ ? env_ + (D - env_) * ur_ : env_ + (D - env_) * uf_;
            if (env_ >= T_)
                c_ = c_ * (1.0 + so_ * (env_ / T_ - 1.0));
            else if (env_ < 0.7071 * T_)
                c_ = c_ * (1.0 - sc_ * (1.0 - env_ / T_));
            c_ = c_ > 0.99 ? 0.99 : c_;
            c_ = c_ < cmin_ ? cmin_ : c_;
            q_ = 1.0 - c_;
            const double c2 = std::fmin(1.3 * c_, 1.0), q2 = 1.0 - c2;
            for (int ch = 0; ch < 2; ++ch) {
                y1_[ch] = c_ * m[ch] + q_ * y1_[ch];
                y2_[ch] = y1_[ch] + q2 * (y2_[ch] - y1_[ch]);
                m[ch] = y2_[ch] + ah_ * (m[ch] - y2_[ch]);
            }
        }
        if (enhOn_) {
            double h[2], l[2];
            for (int ch = 0; ch < 2; ++ch) {
                const double delta = m[ch] - p_[ch] + n;
                p_[ch] = m[ch];
                h[ch] = m[ch] + ke_ * (delta - m[ch]);
                l[ch] = m[ch] - h[ch];
            }
            const double mid = (h[0] + h[1]) * M_, side = (h[0] - h[1]) * S_;
            if (std::fabs(mid) < std::fabs(side)) ++lamps.overCount;
            m[0] = l[0] + mid + side;
            m[1] = l[1] + mid - side;
        }
        double o[2];
        for (int ch = 0; ch < 2; ++ch) {
            double t;
            sample(ch, m[ch], m[ch], n, t);
            o[ch] = ((dc_[ch].process(t) - dry[ch]) * wet_ + dry[ch]) * go_;
        }
        const double limit = sat_ ? 1.41 : 1.0;
        if (std::fabs(o[0]) > limit || std::fabs(o[1]) > limit) lamps.clip = true;
        for (int ch = 0; sat_ && ch < 2; ++ch) {
            const double x = o[ch];
            o[ch] = x > 2.0 ? 1.0 : (x < -2.0 ? -1.0 : x - x * std::fabs(x) / 4.0);
        }
        out1[i] = static_cast<float>(o[0] + 1e7 * n);
        out2[i] = static_cast<float>(o[1] + 1e7 * n);
    }
    return lamps;
}

}  // namespace glister_test
