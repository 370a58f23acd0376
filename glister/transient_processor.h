// Transient processor: an expander on a differentiated, damped copy of the
// signal, whose result is added back to it.
#pragma once

#include <cmath>

#include "frame/double_pair.h"

namespace glister {

class TransientProcessor {
public:
    using Pair = frame::DoublePair;  // left, right

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

    Pair process(Pair x, double n, const Block& k) noexcept {
        // legend: p1 previous input, d1p previous first difference, f the damped
        // difference signal, env its envelope
        const Pair d1 = x - p1_ + n;
        p1_ = x;
        const Pair d2 = d1 - d1p_ + n;
        d1p_ = d1;
        const Pair e = k.secondOrder ? d1 + k.blend * (d2 - d1) : x + k.blend * (d1 - x);
        const Pair f = e + k.damp * (f_ - e);
        f_ = f;
        const Pair a = frame::absOf(f);
        const Pair rise = env_ + (a - env_) * 0.35, fall = env_ + (a - env_) * k.release;
        env_ = frame::select(a > env_, rise, fall);
        const Pair g = k.adjust * frame::pairOf(std::pow(env_[0], k.ratio), std::pow(env_[1], k.ratio));
        const Pair added = x + g / ((g + 1.0) * env_) * f * k.adjust * k.gain;
        // an envelope of exactly 0 means f is 0 too: the term is 0, not 0/0
        return frame::select(env_ > frame::splat(0.0), added, x);
    }

private:
    Pair p1_{}, d1p_{}, f_{}, env_{};
};

}  // namespace glister
