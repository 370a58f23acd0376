// Transient processor: an expander on a differentiated, damped copy of the
// signal, whose result is added back to it.
#pragma once

#include <cmath>

namespace glister {

class TransientProcessor {
public:
    struct Block {
        bool secondOrder = false;  // slope order flag
        double blend = 0;          // k_s
        double damp = 0;           // damping pole p_d
        double release = 0;        // envelope fall coefficient u_t
        double adjust = 0;         // A_t
        double ratio = 1;          // r_t
        double gain = 1;           // Kt
    };

    void reset() noexcept;

    double process(int ch, double x, double n, const Block& k) noexcept {
        // legend: p1 previous input, d1p previous first difference, f the damped
        // difference signal, env its envelope
        const double d1 = x - p1_[ch] + n;
        p1_[ch] = x;
        const double d2 = d1 - d1p_[ch] + n;
        d1p_[ch] = d1;
        const double e = k.secondOrder ? d1 + k.blend * (d2 - d1) : x + k.blend * (d1 - x);
        const double f = e + k.damp * (f_[ch] - e);
        f_[ch] = f;
        const double a = std::fabs(f);
        double env = env_[ch];
        env = a > env ? env + (a - env) * 0.35 : env + (a - env) * k.release;
        env_[ch] = env;
        const double g = k.adjust * std::pow(env, k.ratio);
        // an envelope of exactly 0 means f is 0 too: the term is 0, not 0/0
        if (!(env > 0.0)) return x;
        return x + g / ((g + 1.0) * env) * f * k.adjust * k.gain;
    }

private:
    double p1_[2] = {0, 0}, d1p_[2] = {0, 0}, f_[2] = {0, 0}, env_[2] = {0, 0};
};

}  // namespace glister
