#include "tests/rumbler/rumbler_model.h"

#include <algorithm>
#include <cmath>

namespace rumbler_test {
namespace {

uint32_t shiftStep(uint32_t s, int left, int mixShift, int preShift, int arith) {
    const uint32_t mixed = ((s << mixShift) ^ s) << preShift;
    const int32_t asSigned = static_cast<int32_t>(mixed);
    return (s << left) ^ static_cast<uint32_t>(asSigned >> arith);
}

double e_pow(double x) { return std::pow(2.718281828459045, x); }

double wholeRate(double hostRate) {
    return (hostRate >= 20000.0 && hostRate <= 200000.0) ? std::floor(hostRate) : 44100.0;
}

}  // namespace

void RumblerModel::Biquad::targets() {
    const double w = 20.0 / rate * 6.283185307179586;
    const double alpha = std::sin(w) / (2.0 * 0.71);
    const double n = 1.0 / (1.0 + alpha);
    target[0] = n * (1.0 + std::cos(w)) * 0.5;
    target[1] = -n * (1.0 + std::cos(w));
    target[2] = target[0];
    target[3] = n * (-2.0 * std::cos(w));
    target[4] = n * (1.0 - alpha);
}

double RumblerModel::Biquad::run(double x) {
    offset = -offset;
    const double xo = x + offset;
    for (int i = 0; i < 5; ++i) current[i] = current[i] + offset + (target[i] - current[i]) * glide;
    const double y = current[0] * xo + current[1] * x1 + current[2] * x2 - current[3] * y1 - current[4] * y2;
    y2 = y1;
    y1 = y + offset;
    x2 = x1;
    x1 = xo;
    return y;
}

void RumblerModel::Biquad::setRate(double fs) {
    rate = fs;
    glide = fs > 50000.0 ? 0.00035 : 0.001;
    targets();
    x1 = x2 = y1 = y2 = 0;
}

RumblerModel::RumblerModel(double hostRate, bool stereoInput) : stereo_(stereoInput) {
    fs_ = wholeRate(hostRate);
    for (Biquad& b : bq_) {
        b.rate = 44100.0;  // built at the base's initial rate
        b.glide = 0.001;
        b.targets();
        b.setRate(fs_);  // resumed at the host's
    }
    for (Chan& c : ch_) {
        c.dry.assign(1024, 1e-7);
        c.high.assign(1024, 1e-7);
        c.low.assign(1024, 1e-7);
    }
    setParams(ModelParams{});
}

void RumblerModel::setParams(const ModelParams& p) {
    p_ = p;
    const double gain = p.gain, mix = p.mix, tune = p.tune, thr = p.threshold, col = p.colour, bass = p.bass;
    G_ = std::pow(10.0, (gain - 0.5) * 1.2);
    w_ = mix * mix;
    c1_ = 1.0 - e_pow(-6.283185307179586 * (20.0 + 580.0 * (tune * tune)) / fs_);
    c2_ = 1.0 - e_pow(-6.283185307179586 * (20.0 + 80.0 * (tune * tune)) / fs_);
    T_ = std::pow(10.0, (thr - 1.0) * 2.4);
    k_ = 1.0 + 63.0 * (col * col);
    k2_ = 1.0 / std::sqrt(std::sqrt(k_));
    B_ = std::pow(10.0, (bass - 0.5) * 1.2);
}

void RumblerModel::clearForProcessOff() {
    ch_[0].lp1 = 0;
    ch_[1].lp1 = ch_[1].lp2 = ch_[1].h = ch_[1].f = ch_[1].h2 = ch_[1].s = 0;
}

void RumblerModel::suspend(double hostRate) {
    fs_ = wholeRate(hostRate);
    for (Chan& c : ch_) {
        std::fill(c.dry.begin(), c.dry.end(), 1e-7);
        std::fill(c.high.begin(), c.high.end(), 1e-7);
        std::fill(c.low.begin(), c.low.end(), 1e-7);
        c.lp1 = c.lp2 = c.h = c.f = c.h2 = c.s = 0;
    }
    E_ = 0;
    w_idx_ = 1023;
    r_idx_ = 0;
    const double tune = p_.tune;
    c1_ = 1.0 - e_pow(-6.283185307179586 * (20.0 + 580.0 * (tune * tune)) / fs_);
}

void RumblerModel::resume(double hostRate) {
    fs_ = wholeRate(hostRate);
    for (Biquad& b : bq_) b.setRate(fs_);
    setParams(p_);
}

double RumblerModel::nextNoise() {
    s1_ = shiftStep(s1_, 13, 9, 4, 19);
    s2_ = shiftStep(s2_, 20, 2, 3, 12);
    s3_ = shiftStep(s3_, 17, 6, 1, 15);
    const uint32_t r = s1_ ^ s2_ ^ s3_;
    return (2.0 * r * 2.3283064365e-10 - 1.0) * 1e-17;
}

double RumblerModel::channelOut(Chan& c, Biquad& bq, int r, double g, double z) {
    const double hd = c.high[r], ld = c.low[r], d = c.dry[r];
    double low;
    if (static_cast<int>(static_cast<double>(p_.process) + 0.5) == 1) {
        const double a = g * ld;
        c.h = c.h + (a - c.h) * c2_;
        if (c.h > c.f)
            c.f = c.h;
        else
            c.f = c.f + (c.h - c.f) * 0.025;
        const double u = c.f * k_;
        const double pp = (u >= 0) ? u - u * u * 0.25 : u + u * u * 0.25;
        const double q = pp * k2_ - c.f;
        c.h2 = c.h2 + (q - c.h2) * c1_;
        low = (a + c.h2) * B_;
    } else {
        low = ld * B_;
    }
    double x = hd + low;
    c.s = z * c.s + (1.0 - z) * x;
    x = x - c.s;
    x = bq.run(x);
    double o = (d + (x - d) * w_) * G_;
    if (static_cast<int>(static_cast<double>(p_.saturation) + 0.5) == 1) {
        if (o >= 2.0)
            o = 1.0;
        else if (o <= -2.0)
            o = -1.0;
        else
            o = o >= 0 ? o - o * o / 4.0 : o + o * o / 4.0;
    }
    return o;
}

ModelBlock RumblerModel::process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                                 bool accumulate) {
    const double r44 = std::sqrt(44100.0 / fs_);
    const double sqrtT = std::sqrt(T_);
    const double gf = std::sqrt(1.5258789e-05) * sqrtT * 65536.00026843545;
    const double z = e_pow(-94.24777960769379 / fs_);
    int run = 0;
    ModelBlock block;
    double g = lastG_;
    for (int i = 0; i < frames; ++i) {
        const double nu = nextNoise();
        const float rawL = inL[i], rawR = stereo_ ? inR[i] : inL[i];
        const double x[2] = {(std::isfinite(rawL) ? rawL : 0.0f) + nu, (std::isfinite(rawR) ? rawR : 0.0f) + nu};
        for (int c = 0; c < 2; ++c) {
            Chan& ch = ch_[c];
            ch.dry[w_idx_] = x[c];
            ch.lp1 = ch.lp1 + (x[c] - ch.lp1) * c1_;
            ch.lp2 = ch.lp2 + (ch.lp1 - ch.lp2) * c1_;
            ch.high[w_idx_] = x[c] - ch.lp2;
            ch.low[w_idx_] = ch.lp2;
        }
        const double m = std::fabs(ch_[0].lp2) > std::fabs(ch_[1].lp2) ? std::fabs(ch_[0].lp2) : std::fabs(ch_[1].lp2);
        E_ = E_ + (m - E_) * r44 * (m > E_ ? 0.025 : 0.001);
        if (E_ <= 1.5258789e-05)
            g = gf;
        else if (E_ < T_)
            g = std::sqrt(E_) * (r44 / E_) * sqrtT;
        else
            g = r44;
        const double oL = channelOut(ch_[0], bq_[0], r_idx_, g, z);
        const double oR = channelOut(ch_[1], bq_[1], r_idx_, g, z);
        if (std::fabs(oL) >= 1.0 || std::fabs(oR) >= 1.0) {
            ++run;
            if (run >= 2) block.clip = 1.0;
        } else {
            run = 0;
        }
        const float yL = static_cast<float>(oL + 1e7 * nu), yR = static_cast<float>(oR + 1e7 * nu);
        if (accumulate) {
            outL[i] += yL;
            outR[i] += yR;
        } else {
            outL[i] = yL;
            outR[i] = yR;
        }
        w_idx_ = (w_idx_ + 1) % 1024;
        r_idx_ = (r_idx_ + 1) % 1024;
    }
    lastG_ = g;
    block.gainValue = g > 1e-8 ? std::log10(g) * 0.4166666666666667 : 0.0;
    return block;
}

}  // namespace rumbler_test
