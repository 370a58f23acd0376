#include "emberon/channel_path.h"

#include <cmath>
#include <initializer_list>

namespace emberon {

ChannelPath::ChannelPath(double rate) : highPass_(rate, frame::BiquadFilter::kHighPass, kHighPassHz, 0.71, 0.0) {}

void ChannelPath::setCoefficients(const SectionSettings& s) noexcept {
    lp1_.setCoefficients(s.bassLow);
    lp2_.setCoefficients(s.bassLow);
    lp3_.setCoefficients(s.warmthLow);
    hp1_.setCoefficients(s.trebleHigh);
    hp2_.setCoefficients(s.trebleHigh);
}

void ChannelPath::resetSections() noexcept {
    for (OnePoleSection* p : {&lp1_, &lp2_, &lp3_, &hp1_, &hp2_}) p->reset(kRestState);
}

void ChannelPath::setRate(double rate) {
    highPass_.setRate(rate);
    highPass_.clear();
    lastHighPass_ = 0.0;
}

// p1, p2: the low band; hi: what lies above it; the warmth follower F shapes a
// rebuilt low band that LP3 smooths and Gb mixes back in.
double ChannelPath::bass(double x, double nu, const SectionSettings& s) noexcept {
    const double p1 = lp1_.lowPass(x, nu);
    const double p2 = lp2_.lowPass(p1, 0.0);
    const double hi = x - p2;
    if (p2 > warmth_)
        warmth_ = p2;
    else
        warmth_ = warmth_ + (p2 - warmth_) * s.warmthRelease;
    const double shaped = s.warmthDrive * warmth_ / (std::fabs(warmth_) + 5.0);
    const double p3 = lp3_.lowPass(shaped, nu);
    return hi + p3 * s.bassGain;
}

// h2: the high band; lo: what lies below it; the high band is scaled by K and
// divided by its own envelope E, which compresses it.
double ChannelPath::treble(double x, double nu, const SectionSettings& s) noexcept {
    const double h1 = hp1_.highPass(x, nu);
    const double h2 = hp2_.highPass(h1, 0.0);
    const double lo = x - h2;
    const double h = s.compression * h2;
    const double magnitude = std::fabs(h);
    treble_ = treble_ + (magnitude - treble_) * (magnitude > treble_ ? s.trebleAttack : s.trebleRelease);
    return lo + h / (treble_ + 14.0) * s.trebleGain;
}

bool ChannelPath::finite() const noexcept {
    return lp1_.finite() && lp2_.finite() && lp3_.finite() && hp1_.finite() && hp2_.finite() &&
           std::isfinite(warmth_) && std::isfinite(treble_) && std::isfinite(lastHighPass_);
}

void ChannelPath::recover() noexcept {
    resetSections();
    warmth_ = 0.0;
    treble_ = 0.0;
    highPass_.clear();
    lastHighPass_ = 0.0;
}

}  // namespace emberon
