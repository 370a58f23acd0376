#include "emberon/stereo_sections.h"

#include <cmath>
#include <initializer_list>

namespace emberon {

StereoSections::StereoSections(double rate)
    : highPass_(rate, frame::BiquadFilter::kHighPass, kHighPassHz, 0.71, 0.0) {}

void StereoSections::setCoefficients(const SectionSettings& s) noexcept {
    lp1_.setCoefficients(s.bassLow);
    lp2_.setCoefficients(s.bassLow);
    lp3_.setCoefficients(s.warmthLow);
    hp1_.setCoefficients(s.trebleHigh);
    hp2_.setCoefficients(s.trebleHigh);
}

void StereoSections::resetSections() noexcept {
    for (OnePoleSection* p : {&lp1_, &lp2_, &lp3_, &hp1_, &hp2_}) p->reset(kRestState);
}

void StereoSections::setRate(double rate) {
    highPass_.setRate(rate);
    highPass_.clear();
    lastHighPass_ = Pair{};
}

bool StereoSections::finite(int channel) const noexcept {
    bool ok = true;
    for (const OnePoleSection* p : {&lp1_, &lp2_, &lp3_, &hp1_, &hp2_}) ok = ok && p->finite(channel);
    for (Pair p : {warmth_, treble_, lastHighPass_}) ok = ok && std::isfinite(p[channel]);
    return ok;
}

void StereoSections::recover(int channel) noexcept {
    for (OnePoleSection* p : {&lp1_, &lp2_, &lp3_, &hp1_, &hp2_}) p->reset(channel, kRestState);
    warmth_[channel] = 0.0;
    treble_[channel] = 0.0;
    highPass_.clear(channel);
    lastHighPass_[channel] = 0.0;
}

}  // namespace emberon
