#include "glister/glister_settings.h"

#include <algorithm>
#include <cmath>

#include "frame/number_text.h"
#include "frame/text.h"

namespace glister {
namespace {

constexpr double kTwoPi = 6.283185307179586;

// The highest harmonics, first-out and hiss frequency: 4/11 of the rate.
double frequencyCap(double rate) noexcept { return rate * 0.36363636363636365; }

double capped(double freqHz, double rate) noexcept {
    const double cap = frequencyCap(rate);
    return freqHz > cap ? cap : freqHz;
}

// A switch is on when the integer part of v + 0.5 is not 0.
int switchOf(double v) noexcept {
    const double x = v + 0.5;
    return (x >= 1.0 || x <= -1.0) ? 1 : 0;
}

bool isSwitch(VstInt32 index) noexcept { return index == kProcess || (index >= kHarmProcess && index <= kHissProcess); }

bool hasWorkingCopy(VstInt32 index) noexcept { return (index >= 0 && index < kHostParams) || index == kStereoMono; }

// The host's decibels: 6 dB per doubling, one decimal; "-oo" at 0 and below.
void appendDoublingDecibels(char* text, size_t capacity, double x) noexcept {
    if (!(x > 0.0)) {
        frame::appendText(text, capacity, "-oo");
        return;
    }
    frame::appendFixed(text, capacity, 6.0 * std::log10(x) / std::log10(2.0), 1);
}

}  // namespace

GlisterSettings::GlisterSettings() {
    for (auto& v : value_) v.store(0.0, std::memory_order_relaxed);
    for (auto& s : switch_) s.store(0, std::memory_order_relaxed);
    for (auto& c : band_) c.store(0.0, std::memory_order_relaxed);
    for (auto& c : firstOut_) c.store(0.0, std::memory_order_relaxed);
}

double GlisterSettings::value(VstInt32 index) const noexcept {
    return hasWorkingCopy(index) ? get(value_[static_cast<size_t>(index)]) : 0.0;
}

bool GlisterSettings::sectionOn(VstInt32 switchIndex) const noexcept {
    return isSwitch(switchIndex) && switch_[static_cast<size_t>(switchIndex)].load(std::memory_order_relaxed) != 0;
}

void GlisterSettings::updateBandPass(double rate) noexcept {
    const BandPassCoefficients c = harmonicsBandPass(get(fh_), get(qh_), rate);
    put(band_[0], c.b0);
    put(band_[1], c.a1);
    put(band_[2], c.a2);
}

// First-out frequency from the stored HarmFirstOut value w: half to two and a
// half times the harmonics frequency.
void GlisterSettings::updateFirstOut(double w, double rate) noexcept {
    put(fo_, capped((2.0 * w * w + 0.5) * get(fh_), rate));
    updateFirstOutFilters(rate);
}

void GlisterSettings::updateFirstOutFilters(double rate) noexcept {
    const HighPassCoefficients c = firstOutHighPass(get(fo_), rate);
    put(firstOut_[0], c.b0);
    put(firstOut_[1], c.b1);
    put(firstOut_[2], c.b2);
    put(firstOut_[3], c.a1);
    put(firstOut_[4], c.a2);
}

void GlisterSettings::applyHarmonics(VstInt32 index, double v, double rate) noexcept {
    switch (index) {
        case kHarmFreq: {
            put(fh_, capped(500.0 * std::pow(32.0, v), rate));
            updateBandPass(rate);
            const double w = value(kHarmFirstOut);
            if (w >= 0.0 && w <= 1.0) updateFirstOut(w, rate);
            break;
        }
        case kHarmQ: {
            put(qh_, 0.25 * std::pow(20.0, v));
            updateBandPass(rate);
            updateFirstOutFilters(rate);
            break;
        }
        case kHarmFirstOut: updateFirstOut(v, rate); break;
        case kHarmDrive: {
            const double d = std::pow(v, 0.25);
            put(drive_, d);
            put(driveGain_, (0.32 / (1.0 - 0.85 * d) + 1.0) / 2.0);
            break;
        }
        case kHarmAdjust: put(harmLevel_, 4.0 * v * v); break;
        default: break;
    }
}

void GlisterSettings::applyTransient(VstInt32 index, double v, double rate) noexcept {
    switch (index) {
        case kTransRatio: put(ratio_, std::pow(2.0, v)); break;
        case kTransSlope:
            put(blend_, v >= 1.0 ? 1.0 : 2.0 * v - std::trunc(2.0 * v));
            secondOrder_.store(v >= 0.5 ? 1 : 0, std::memory_order_relaxed);
            put(release_, std::pow(128.0, v) * 44100.0 / (128.0 * rate));
            break;
        case kTransAdjust: put(transLevel_, 8.0 * v * v); break;
        case kTransHiDamp: put(damp_, 0.85 * v); break;
        default: break;
    }
}

void GlisterSettings::applyHiss(VstInt32 index, double v, double rate) noexcept {
    switch (index) {
        case kHissThresh: put(threshold_, std::pow(65536.0, v) / 65536.0); break;
        case kHissSpeed:
            put(openBase_, std::pow(30.0, -v));
            put(closeBase_, std::pow(300.0, -v));
            break;
        case kHissAttenuation: put(remain_, v); break;
        case kHissMinFreq:
            put(fm_, capped(500.0 * std::pow(30.0, v), rate));
            put(lowest_, 1.0 - std::exp(-kTwoPi * get(fm_) / rate));
            break;
        default: break;
    }
}

void GlisterSettings::apply(VstInt32 index, double v, double rate) noexcept {
    if (!hasWorkingCopy(index)) return;
    put(value_[static_cast<size_t>(index)], v);
    if (isSwitch(index)) {
        switch_[static_cast<size_t>(index)].store(switchOf(v), std::memory_order_relaxed);
        return;
    }
    switch (index) {
        case kSaturation: put(saturation_, static_cast<double>(switchOf(v))); break;
        case kEnhEnhance: {
            const double m = (1.0 - 0.54 * v) / 2.0;
            put(mid_, m);
            put(side_, 0.5 / std::pow(2.0 * m, 1.2));
            break;
        }
        case kEnhSlope: put(enhSlope_, v); break;
        case kMix: put(wet_, v * v); break;
        case kOutput: put(outputGain_, std::pow(64.0, std::pow(v, 0.25)) * 0.03125); break;
        case kStereoMono: put(stereoMonoPositive_, std::max(v, 0.0)); break;
        case kHarmFreq:
        case kHarmQ:
        case kHarmFirstOut:
        case kHarmDrive:
        case kHarmAdjust: applyHarmonics(index, v, rate); break;
        case kTransRatio:
        case kTransSlope:
        case kTransAdjust:
        case kTransHiDamp: applyTransient(index, v, rate); break;
        default: applyHiss(index, v, rate); break;
    }
}

double GlisterSettings::physical(VstInt32 index) const noexcept {
    if (isSwitch(index)) return sectionOn(index) ? 1.0 : 0.0;
    switch (index) {
        case kHissThresh: return get(threshold_);
        case kHissAttenuation: return get(remain_);
        case kTransAdjust: return get(transLevel_);
        case kEnhEnhance: return get(mid_);
        case kHarmFreq: return get(fh_);
        case kHarmAdjust: return get(harmLevel_);
        case kMix: return get(wet_);
        case kOutput: return get(outputGain_);
        case kHissMinFreq: return get(fm_);
        case kHissSpeed: return get(openBase_);
        case kTransSlope: return get(blend_);
        case kTransHiDamp: return get(damp_);
        case kTransRatio: return get(ratio_);
        case kEnhSlope: return get(enhSlope_);
        case kHarmQ: return get(qh_);
        case kHarmDrive: return get(drive_);
        case kHarmFirstOut:
        case kStereoMono: return value(index);
        case kSaturation: return get(saturation_);
        default: return 0.0;
    }
}

void GlisterSettings::text(VstInt32 index, char* text, size_t capacity) const noexcept {
    if (!text || capacity == 0) return;
    text[0] = '\0';
    if (isSwitch(index)) {
        frame::appendText(text, capacity, sectionOn(index) ? "On" : "Off");
        return;
    }
    const double v = value(index);
    switch (index) {
        case kSaturation: frame::appendText(text, capacity, get(saturation_) == 0.0 ? "Off" : "On"); break;
        case kHissThresh: appendDoublingDecibels(text, capacity, get(threshold_)); break;
        case kHissAttenuation: appendDoublingDecibels(text, capacity, get(remain_)); break;
        case kTransAdjust: appendDoublingDecibels(text, capacity, get(transLevel_)); break;
        case kHarmAdjust: appendDoublingDecibels(text, capacity, get(harmLevel_)); break;
        case kHarmFreq: frame::appendFixed(text, capacity, get(fh_), 0); break;
        case kHissMinFreq: frame::appendFixed(text, capacity, get(fm_), 0); break;
        case kHarmQ: frame::appendFixed(text, capacity, get(qh_), 4); break;
        case kTransRatio: frame::appendFixed(text, capacity, get(ratio_), 4); break;
        case kEnhEnhance:
        case kMix:
        case kHissSpeed:
        case kTransHiDamp:
        case kHarmDrive:
        case kHarmFirstOut: frame::appendFixed(text, capacity, v * 100.0, 0); break;
        case kTransSlope: frame::appendFixed(text, capacity, v * 12.0, 2); break;
        case kEnhSlope: frame::appendFixed(text, capacity, v * 6.0, 2); break;
        case kOutput: frame::appendGainDecibels(text, capacity, get(outputGain_)); break;
        default: frame::appendNumber8(text, capacity, v); break;  // StereoMono; 0 for the rest
    }
}

BlockSettings GlisterSettings::blockSettings(double rate) const noexcept {
    BlockSettings s;
    s.process = sectionOn(kProcess);
    s.hiss = sectionOn(kHissProcess);
    s.enhance = sectionOn(kEnhProcess);
    s.transient = sectionOn(kTransProcess);
    s.harmonics = sectionOn(kHarmProcess);
    s.saturate = get(saturation_) != 0.0;
    s.wet = get(wet_);
    s.outputGain = get(outputGain_);

    const double z = rate / 44100.0;
    HissReduction::Block& h = s.hissBlock;
    h.rise = std::pow(0.125, z);
    h.fall = std::pow(0.0025, z);
    h.openSpeed = 0.03 * get(openBase_);
    h.closeSpeed = 0.0075 * get(closeBase_);
    h.threshold = get(threshold_);
    h.thresholdLow = 0.7071 * h.threshold;
    h.remain = get(remain_);
    h.lowest = get(lowest_);

    s.enhancerBlock = StereoEnhancer::Block{get(enhSlope_), get(mid_), get(side_)};

    TransientProcessor::Block& t = s.transientBlock;
    t.secondOrder = secondOrder_.load(std::memory_order_relaxed) != 0;
    t.blend = get(blend_);
    t.damp = get(damp_);
    t.release = 0.025 * get(release_);
    t.adjust = get(transLevel_);
    t.ratio = get(ratio_);
    t.gain = std::sqrt(std::pow(4.0, t.blend) * rate / 44100.0);

    HarmonicsGenerator::Block& g = s.harmonicsBlock;
    g.band = BandPassCoefficients{get(band_[0]), get(band_[1]), get(band_[2])};
    g.firstOut = HighPassCoefficients{get(firstOut_[0]), get(firstOut_[1]), get(firstOut_[2]), get(firstOut_[3]),
                                      get(firstOut_[4])};
    g.driveGain = get(driveGain_);
    g.driveFactor = 1.0 / (1.0 - 0.85 * get(drive_));
    g.level = get(harmLevel_);
    return s;
}

}  // namespace glister
