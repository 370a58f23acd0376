#include "tests/emberon/saturator_model.h"

#include <cmath>

#include "frame/saturation_curve.h"

namespace emberon_model {
namespace {

constexpr double kPi = 3.141592653589793;

double gain(double v) { return std::pow(10.0, (v - 0.5) * 1.2); }

void lowPass(float f, float fs, float& a, float& b) {
    if (f > 0.499 * fs) f = static_cast<float>(0.499 * fs);
    const long double c = 1.0L / std::tan(static_cast<long double>(kPi) * f / fs);
    a = static_cast<float>(1.0L / (1.0L + c));
    b = static_cast<float>(a * (1.0L - c));
}

void highPass(float f, float fs, float& a, float& b) {
    if (f > 0.499 * fs) f = static_cast<float>(0.499 * fs);
    const long double c = std::tan(static_cast<long double>(kPi) * f / fs);
    a = static_cast<float>(1.0L / (1.0L + c));
    b = static_cast<float>(a * (1.0L - c));
}

}  // namespace

SaturatorModel::SaturatorModel(double rate, int delay) : rate_(rate), ring_(1024, Record{}), write_(delay) {
    for (int c = 0; c < 2; ++c) {
        ch_.emplace_back(rate);
        ch_.back().hp.setRate(rate);
        ch_.back().hp.clear();
    }
}

void SaturatorModel::set(int index, float v) {
    double x = v;
    if (index == 4) x = static_cast<int>(7.0 * x + 0.5) / 7.0;
    v_[static_cast<size_t>(index)] = x;
}

double SaturatorModel::nextDither() {
    s1_ = (s1_ << 13) ^ ((((s1_ >> 9) ^ s1_) >> 6) & 0x1FFFu);
    s2_ = (s2_ << 20) ^ ((((s2_ >> 2) ^ s2_) >> 7) & 0xFFFFFu);
    s3_ = (s3_ << 17) ^ ((((s3_ >> 6) ^ s3_) >> 8) & 0x1FFFFu);
    const uint32_t r = s1_ ^ s2_ ^ s3_;
    return (2.0 * r * 2.3283064365e-10 - 1.0) * 1e-17;
}

void SaturatorModel::meter(double mL, double mR) {
    const double m[2] = {mL, mR};
    for (int c = 0; c < 2; ++c) {
        pk_[c] = std::max(pk_[c], m[c]);
        lv_[c] = lv_[c] + (m[c] - lv_[c]) * cm_;
    }
}

double SaturatorModel::runChannel(Channel& c, double x, double nu) {
    if (bassOn_) {
        double p1 = (c.lp1.x1 + x) * c.lp1.a - c.lp1.y1 * c.lp1.b + nu;
        c.lp1.x1 = static_cast<float>(x);
        c.lp1.y1 = static_cast<float>(p1);
        double p2 = (c.lp2.x1 + p1) * c.lp2.a - c.lp2.y1 * c.lp2.b;
        c.lp2.x1 = static_cast<float>(p1);
        c.lp2.y1 = static_cast<float>(p2);
        const double hi = x - p2;
        c.f = p2 > c.f ? p2 : c.f + (p2 - c.f) * rho_;
        const double s = wd_ * c.f / (std::fabs(c.f) + 5.0);
        double p3 = (c.lp3.x1 + s) * c.lp3.a - c.lp3.y1 * c.lp3.b + nu;
        c.lp3.x1 = static_cast<float>(s);
        c.lp3.y1 = static_cast<float>(p3);
        x = hi + p3 * gb_;
    }
    if (trebleOn_) {
        double h1 = (x - c.hp1.x1) * c.hp1.a + c.hp1.y1 * c.hp1.b + nu;
        c.hp1.x1 = static_cast<float>(x);
        c.hp1.y1 = static_cast<float>(h1);
        double h2 = (h1 - c.hp2.x1) * c.hp2.a + c.hp2.y1 * c.hp2.b;
        c.hp2.x1 = static_cast<float>(h1);
        c.hp2.y1 = static_cast<float>(h2);
        const double lo = x - h2;
        const double h = k_ * h2;
        c.e = c.e + (std::fabs(h) - c.e) * (std::fabs(h) > c.e ? aa_ : ar_);
        x = lo + h / (c.e + 14.0) * gt_;
    }
    return x;
}

void SaturatorModel::block(const float* inL, const float* inR, float* outL, float* outR, int n, bool accumulate) {
    const double fs = std::trunc(rate_);
    tap_ = static_cast<int>(v_[12]);
    bassOn_ = v_[13] >= 0.5;
    trebleOn_ = v_[14] >= 0.5;
    gIn_ = gain(v_[1]);
    gOut_ = gain(v_[2]);
    const double e = 1.0 + 31.0 * (v_[3] * v_[3]);
    m_ = static_cast<int>(7.0 * v_[4] + 0.5);
    w_ = v_[5] * v_[5];
    const double fb = 50.0 + 450.0 * (v_[8] * v_[8]), ft = 2000.0 + 10000.0 * (v_[9] * v_[9]);
    k_ = std::pow(10.0, (v_[10] - 0.1) * 8.0);
    const double warm = 0.1 + 36.9 * (v_[11] * v_[11]);
    aa_ = 0.1 * (v_[9] * v_[9]) + 0.015;
    ar_ = 0.03 * (v_[9] * v_[9]) + 0.005;
    rho_ = 0.07 + 0.43 * ((1.0 - v_[11]) * (1.0 - v_[11]));
    gb_ = 10.0 / std::pow(10.0 * warm, 0.65) * gain(v_[6]);
    gt_ = gain(v_[7]) * (1.0 / k_) * 15.0;
    wd_ = 6.0 * warm;
    md_ = 0.1995 * e;
    cm_ = 1.0 - std::pow(0.1091012, 1.0 / (0.3 * fs));
    const double chold = 1.0 - std::pow(0.1091012, n / (0.6 * fs));
    const auto rate = static_cast<float>(rate_);
    for (Channel& c : ch_) {
        lowPass(static_cast<float>(fb), rate, c.lp1.a, c.lp1.b);
        lowPass(static_cast<float>(fb), rate, c.lp2.a, c.lp2.b);
        lowPass(static_cast<float>(1.9 * fb), rate, c.lp3.a, c.lp3.b);
        highPass(static_cast<float>(ft), rate, c.hp1.a, c.hp1.b);
        highPass(static_cast<float>(ft), rate, c.hp2.a, c.hp2.b);
    }
    const frame::CurveGains gains = frame::curveGains(e);
    const bool on = static_cast<int>(v_[0] + 0.5) != 0;
    pk_[0] = pk_[1] = 0.0;
    for (int i = 0; i < n; ++i) {
        const float l = inL[i], r = stereo_ ? inR[i] : inL[i];
        double o[2];
        if (!on) {
            o[0] = l * gIn_;
            o[1] = r * gIn_;
            meter(std::fabs(o[0]), std::fabs(o[1]));
        } else {
            const double nu = nextDither();
            const double d[2] = {l * gIn_ + nu, r * gIn_ + nu};
            if (tap_ == 0) meter(std::fabs(d[0]), std::fabs(d[1]));
            double u[2];
            for (int c = 0; c < 2; ++c) {
                const double x = runChannel(ch_[static_cast<size_t>(c)], d[c], nu);
                u[c] = ch_[static_cast<size_t>(c)].hp.process(x * (m_ == 0 ? 0.1995 : md_));
            }
            if (tap_ == 2) meter(std::fabs(u[0]), std::fabs(u[1]));
            for (int c = 0; c < 2; ++c) {
                const double y = frame::saturationCurve(static_cast<frame::SaturationModel>(m_), u[c], gains);
                o[c] = (d[c] + (y - d[c]) * w_) * gOut_;
            }
            if (tap_ == 1) meter(std::fabs(o[0]), std::fabs(o[1]));
            o[0] = o[0] + 1e7 * nu;
            o[1] = o[1] + 1e7 * nu;
        }
        outL[i] = accumulate ? outL[i] + static_cast<float>(o[0]) : static_cast<float>(o[0]);
        outR[i] = accumulate ? outR[i] + static_cast<float>(o[1]) : static_cast<float>(o[1]);
    }
    for (int c = 0; c < 2; ++c) {
        lv_[c] = std::min(lv_[c], 4.0);
        pk_[c] = std::min(pk_[c], 4.0);
        if (pk_[c] > held_[c]) {
            held_[c] = pk_[c];
            hold_[c] = 0;
        } else if (hold_[c] < 0.3 * rate_) {
            hold_[c] += n;
        } else {
            held_[c] = held_[c] + (pk_[c] - held_[c]) * chold;
        }
    }
    ring_[static_cast<size_t>(write_)] = {lv_[0], lv_[1], held_[0], held_[1], pk_[0] >= 1.0 ? 1.0 : 0.0,
                                          pk_[1] >= 1.0 ? 1.0 : 0.0};
    write_ = (write_ + 1) % 1024;
    read_ = (read_ + 1) % 1024;
}

}  // namespace emberon_model
