// A second, plain implementation of the compressor's signal path, written
// straight from the design's step list with every state spelled out. The
// effect must agree with it sample for sample.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "frame/biquad_filter.h"

namespace brisker_model {

struct Params {  // stored values, by name
    double process, input, compress, slope, attack, release, makeUp, mix, output, scFreq, scQ, hold, prePost,
        rmsPeak, del, scl, limSat;
};

class Model {
public:
    Model(double rate, const Params& p) : fs_(static_cast<int>(rate)), fw_(rate) {
        for (int c = 0; c < 2; ++c) {
            hp16_[c] = frame::BiquadFilter(44100.0, 1, 16.0, 0.71, 0.0);
            hp22_[c] = frame::BiquadFilter(44100.0, 1, 22.0, 0.71, 0.0);
            hp16_[c].setRate(rate), hp16_[c].clear();
            hp22_[c].setRate(rate), hp22_[c].clear();
        }
        sCompress = p.compress, sSlope = p.slope, sAttack = p.attack, sHold = p.hold, sRelease = p.release;
        sMakeUp = p.makeUp, sInput = p.input, sOutput = p.output;
    }

    bool mono = false;
    double meterLevel[2] = {0, 0}, held[2] = {0, 0}, clip[2] = {0, 0}, reduction[2] = {0, 0};

    void block(const Params& v, const float* inL, const float* inR, float* outL, float* outR, int n) {
        const double fs = fs_;
        auto cT = [fs](double T) { return 1.0 - std::pow(0.1091012, 1.0 / (fs * T)); };
        const bool process = int(v.process + 0.5) == 1;
        const bool post = int(v.prePost) == 1;
        const bool rmsLook = v.rmsPeak > 0, rmsDet = int(v.rmsPeak) != 0;
        const bool scl = int(v.scl + 0.5) != 0, del = int(v.del + 0.5) != 0;
        const bool sat = 2 * v.limSat > 1.5, lim = 2 * v.limSat > 0.5 && !sat;
        const double c1 = cT(0.3), c2 = 1.0 - std::pow(0.1091012, n / (0.6 * fs)), c3 = cT(0.008);
        const double c4 = cT(0.0045), c5 = cT(0.0125), c6 = cT(0.0012), c7 = cT(0.0024), c8 = cT(0.0008);
        const int N1 = int(fs * 0.0012), N2 = int(fs * 0.0024), Nclip = int(fs * 0.015);
        double ka = 0, A = 0, kr = 0;
        if (v.attack < 0.0416666) ka = 0.004, A = 0.227, sAttack = v.attack;
        else if (v.attack < 0.125) ka = 0.001, A = 0.28, sAttack = v.attack;
        else if (v.attack < 0.1666666) ca = cT(0.0001), sAttack = v.attack;
        else {
            A = (sAttack - 0.1666666) * 1.2;
            sAttack += (v.attack - sAttack) * 0.18;
            ca = cT(A * A * A * A * 0.9999 + 0.0001);
        }
        int Dl = int(fs * ((0.17 * A) * (0.17 * A) + (rmsLook ? 0.0012 : 0.0002)));
        Dl = std::max(Dl, 1), Dl = std::min(Dl, int(fs * 0.0035)), Dl = std::min(Dl, 1023);
        const int Nl = std::min(std::max(int(fs * 0.0015), 0), 300);
        Q = (W - Dl) & 1023;
        Pd = del ? Q : W;
        Pl = (W - Nl) & 1023;
        P = (W + (del ? Dl : 0) + (lim ? Nl : 0)) & 1023;
        if (v.release < 0.0416666) kr = 0.00009, sRelease = v.release;
        else if (v.release < 0.125) kr = 0.00003, sRelease = v.release;
        else if (v.release <= 0.1666666) cr = cT(0.01), sRelease = v.release;
        else {
            sRelease += (v.release - sRelease) * 0.18;
            const double B = (sRelease - 0.1666666) * 1.2;
            cr = cT(B * B * B * B * 9.99 + 0.01);
        }
        sHold += (v.hold - sHold) * 0.18;
        const double S = sHold < 0.5 ? std::sqrt(1 - 2 * sHold) : 0.0;
        const int Nh = int(sHold * sHold * sHold * sHold * fs);
        const double crB = cr, dB = (1 - cr) * S;
        sCompress += (v.compress - sCompress) * 0.05;
        const double R = 0.25 + 255.75 * (sCompress * sCompress * sCompress);
        const double invR = 1.0 / R;
        sSlope += (v.slope - sSlope) * 0.09;
        const double s3 = sSlope * sSlope * sSlope;
        auto q = [s3](double x) { return 1.01 * (1 - s3) / (x + 1.01); };
        auto k = [](double x) { return x < 2 ? 1 - x / 4 : 1 / x; };
        double Gt;
        if (v.makeUp < 0.125) Gt = 1 / (k(R) * s3 + q(R)), sMakeUp = v.makeUp;
        else if (sMakeUp <= 0.1666666) Gt = 1.0, Gs = 1.0, sMakeUp = v.makeUp;
        else {
            sMakeUp += (v.makeUp - sMakeUp) * 0.125;
            Gt = Gs = std::pow(10.0, (sMakeUp - 0.1666666) * 2.88);
        }
        sInput += (v.input - sInput) * 0.1;
        sOutput += (v.output - sOutput) * 0.1;
        const double gin = std::pow(10.0, (sInput - 0.5) * 1.2), gout = std::pow(10.0, (sOutput - 0.5) * 1.2);
        const double w = 1 - v.mix * v.mix;
        double pk[2] = {0, 0};
        const double f = std::min(25.0 * std::pow(10.0, v.scFreq * 2.7781512503836434), 0.499 * fw_);
        const double Qs = v.scQ * v.scQ * 9.999 + 0.001;
        const double w0 = 2 * M_PI * f / fw_, alpha = std::sin(w0) / (2 * Qs);
        const double b0 = alpha / (1 + alpha), b2 = -b0, a1 = -2 * std::cos(w0) / (1 + alpha),
                     a2 = (1 - alpha) / (1 + alpha);

        for (int i = 0; i < n; ++i) {
            const float l = inL[i], r = mono ? inL[i] : inR[i];
            double out[2];
            if (!process) {
                const double x[2] = {l * gin, r * gin};
                Gs += (Gt - Gs) * 0.005125;
                for (int c = 0; c < 2; ++c) {
                    meterLevel[c] += (std::fabs(x[c]) - meterLevel[c]) * c1;
                    pk[c] = std::max(pk[c], std::fabs(x[c]));
                    in[c][W] = x[c];
                }
                W = (W + 1) & 1023;
                for (int c = 0; c < 2; ++c) out[c] = in[c][W], inEnv[c] = compEnv[c] = 1.0;
            } else {
                s1 = (s1 << 13) ^ ((((s1 >> 9) ^ s1) >> 6) & 0x1FFF);
                s2 = (s2 << 20) ^ ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFF);
                s3w = (s3w << 17) ^ ((((s3w >> 6) ^ s3w) >> 8) & 0x1FFFF);
                const double nz = ((double(s1 ^ s2 ^ s3w) * 2.3283064365e-10) * 2 - 1) * 1e-17;
                Gs += (Gt - Gs) * 0.005125;
                double x[2];
                x[0] = l * gin + nz;
                x[1] = mono ? x[0] : r * gin + nz;
                P = (P + 1) & 1023;
                double y[2], dNow[2];
                for (int c = 0; c < 2; ++c) {
                    in[c][W] = x[c];
                    const double a = in[c][P];
                    dry[c][W] = a;
                    const double h = hp16_[c].process(a);
                    inEnv[c] += (std::fabs(h) - inEnv[c]) * c1;
                    if (!post) meterLevel[c] = inEnv[c], pk[c] = std::max(pk[c], std::fabs(h));
                    drive[c][W] = h * R;
                    const double d = drive[c][W];
                    dNow[c] = d;
                    y[c] = b0 * d + b2 * d2[c] - a1 * y1[c] - a2 * y2[c] + nz;
                    d2[c] = d1[c], d1[c] = d, y2[c] = y1[c], y1[c] = y[c];
                }
                double wet[2];
                if (scl) {
                    wet[0] = y[0] / R, wet[1] = y[1] / R;
                } else {
                    const double u = std::max(((std::fabs(y[0]) + std::fabs(y[1])) * 0.7071 +
                                               std::max(std::fabs(y[0]), std::fabs(y[1]))) * 0.5, 0.001);
                    m += (u * u - m) * c3;
                    const double rms = std::sqrt(m) * 1.7;
                    const double det = rmsDet ? rms : u;
                    if (ka != 0) ca = (1 - (e + 1e-8) / (rms + 1e-8)) * ka;
                    if (kr != 0) cr = (e + 1e-8) * kr / (rms + 1e-8);
                    if (det >= e) holdCount = 0, e += (det - e) * ca;
                    else if (holdCount < Nh) ++holdCount;
                    else e = (1 - S) * (e + (det - e) * crB) + dB * e;
                    const double g = (s3 * k(e) + q(e)) * invR;
                    for (int c = 0; c < 2; ++c) {
                        wet[c] = (del ? drive[c][Q] : dNow[c]) * g;
                        compEnv[c] += (std::fabs(wet[c]) - compEnv[c]) * c1;
                        wet[c] = wet[c] * Gs;
                    }
                }
                for (int c = 0; c < 2; ++c) out[c] = hp22_[c].process(((dry[c][Pd] - wet[c]) * w + wet[c]) * gout);
                auto soft = [](double x) {
                    if (x >= 1.632993161855452) return 1.0;
                    if (x <= -1.632993161855452) return -1.0;
                    return (x - x * x * x * 0.125) * 0.9185586535436918;
                };
                if (sat) {
                    const double p = std::max(std::fabs(out[0]), std::fabs(out[1])) * 1.414;
                    E2 += (p - E2) * (p > E2 ? c4 : c5);
                    for (int c = 0; c < 2; ++c) out[c] = soft(out[c] * (1 / std::max(E2, 1.0))) * 0.999969;
                }
                if (lim) {
                    limRing[0][W] = out[0], limRing[1][W] = out[1];
                    Lp = std::max(Lp, std::max(std::fabs(out[0]), std::fabs(out[1])));
                    if (Lp > Lh) Lh = Lp, Lp = 0, lk = 0;
                    else if (lk >= N2) Lh = Lp, Lp = 0, lk = 0;
                    else if (lk > N1) Lh += (Lp - Lh) * c8, ++lk;
                    else ++lk;
                    const double t = 0.95 * Lh;
                    E2 += (t - E2) * (t > E2 ? c6 : c7);
                    for (int c = 0; c < 2; ++c) out[c] = soft(limRing[c][Pl] * (1 / std::max(E2, 1.0))) * 0.999969;
                    Pl = (Pl + 1) & 1023;
                }
                for (int c = 0; c < 2; ++c) {
                    if (post) meterLevel[c] += (std::fabs(out[c]) - meterLevel[c]) * c1, pk[c] = std::max(pk[c], std::fabs(out[c]));
                    if (lim || sat) {
                        clipCount[c] = pk[c] > (lim ? 0.841 : 0.9) ? clipCount[c] + 1 : 0;
                        if (clipCount[c] > Nclip) pk[c] = 1.0;
                    }
                    out[c] += 1e7 * nz;
                }
                W = (W + 1) & 1023, Q = (Q + 1) & 1023, Pd = (Pd + 1) & 1023;
            }
            outL[i] = static_cast<float>(out[0]);
            outR[i] = static_cast<float>(out[1]);
        }
        for (int c = 0; c < 2; ++c) {
            reduction[c] = (compEnv[c] + 0.001) / (inEnv[c] + 0.001);
            meterLevel[c] = std::min(meterLevel[c], 4.0), inEnv[c] = std::min(inEnv[c], 4.0);
            compEnv[c] = std::min(compEnv[c], 4.0), pk[c] = std::min(pk[c], 4.0);
            if (pk[c] > held[c]) held[c] = pk[c], heldTimer[c] = 0;
            else if (heldTimer[c] < 0.3 * fs) heldTimer[c] += n;
            else held[c] += (pk[c] - held[c]) * c2;
            clip[c] = pk[c] >= 1.0 ? 1.0 : 0.0;
        }
    }

private:
    int fs_;
    double fw_;
    frame::BiquadFilter hp16_[2] = {{44100.0, 1, 16.0, 0.71, 0.0}, {44100.0, 1, 16.0, 0.71, 0.0}};
    frame::BiquadFilter hp22_[2] = {{44100.0, 1, 22.0, 0.71, 0.0}, {44100.0, 1, 22.0, 0.71, 0.0}};
    double in[2][1024] = {}, dry[2][1024] = {}, drive[2][1024] = {}, limRing[2][1024] = {};
    int W = 1023, P = 1023, Q = 0, Pd = 0, Pl = 0;
    double d1[2] = {}, d2[2] = {}, y1[2] = {}, y2[2] = {};
    double e = 0, m = 0, ca = 0, cr = 0, Gs = 1, E2 = 0, Lh = 0, Lp = 0;
    int holdCount = 0, lk = 0, clipCount[2] = {0, 0}, heldTimer[2] = {0, 0};
    double inEnv[2] = {}, compEnv[2] = {};
    double sCompress, sSlope, sAttack, sHold, sRelease, sMakeUp, sInput, sOutput;
    uint32_t s1 = 592, s2 = 153768, s3w = 1526;
};

}  // namespace brisker_model
