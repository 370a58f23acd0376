// Two 64-bit lanes, left and right, for signal paths whose two channels run
// the same operations: on x86 one SSE2 register. Each lane is rounded as the
// scalar operation would be, so a pair computes bit for bit what two scalar
// channels compute, as long as both lanes see the same operations in the same
// order (and -ffp-contract=off keeps multiplies and adds apart).
#pragma once

#include <cstdint>

namespace frame {

using DoublePair = double __attribute__((vector_size(16)));
using LanePair = int64_t __attribute__((vector_size(16)));  // lane masks from comparisons

inline DoublePair pairOf(double left, double right) noexcept { return DoublePair{left, right}; }
inline DoublePair splat(double x) noexcept { return DoublePair{x, x}; }

// |x| per lane: the sign bits cleared, as std::fabs does.
inline DoublePair absOf(DoublePair x) noexcept {
    constexpr int64_t kMagnitude = INT64_MAX;
    return reinterpret_cast<DoublePair>(reinterpret_cast<LanePair>(x) & LanePair{kMagnitude, kMagnitude});
}

// Per lane: `yes` where mask is set, else `no`.
inline DoublePair select(LanePair mask, DoublePair yes, DoublePair no) noexcept {
    const LanePair y = reinterpret_cast<LanePair>(yes), n = reinterpret_cast<LanePair>(no);
    return reinterpret_cast<DoublePair>((y & mask) | (n & ~mask));
}

}  // namespace frame
