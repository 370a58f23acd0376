#include "brisker/brisker_effect.h"

#include <cmath>

#include "brisker/brisker_editor.h"
#include "frame/dsp_util.h"

namespace brisker {
namespace {

constexpr double kPi = 3.141592653589793;

const frame::EffectIdentity kIdentity{
    "Tarn Brisker", "Tarn Brisker - soft knee compressor plug-in", vstFourCC('W', 'q', '4', 'a'),
    BriskerEffect::kLatency, kSwitches, kApplyOrder,
};

}  // namespace

BriskerEffect::BriskerEffect(audioMasterCallback host)
    : EffectBase(host, 1, kHostParams),
      hpDry_(frame::sanitizeRate(44100.0), frame::BiquadFilter::kHighPass, 16.0, 0.71, 0.0),
      hpOut_(frame::sanitizeRate(44100.0), frame::BiquadFilter::kHighPass, 22.0, 0.71, 0.0) {
    bank_.build(frame::ProgramLayout{kBankSlots, kFieldOrder, kSlotDefaults, "init"});
    setIdentity(kIdentity);
    new BriskerEditor(this);  // the effect owns it from here on
    const double rate = workingRate();
    const VstIntPtr latency = queryHostTiming();
    meterDelay_ = frame::meterDelay(latency, blockSize(), rate);
    meters_.setDelay(meterDelay_);
    hpDry_ = frame::StereoBiquadFilter(rate, frame::BiquadFilter::kHighPass, 16.0, 0.71, 0.0);
    hpOut_ = frame::StereoBiquadFilter(rate, frame::BiquadFilter::kHighPass, 22.0, 0.71, 0.0);
    writeFactoryPrograms(bank_);
    applyProgram(frame::ProgramBank::kCurrent);
    // the glides start where slot 0 puts them, not from zero
    settleAll();
    suspendDsp();
}

// ---- parameters ------------------------------------------------------------

void BriskerEffect::applyParameter(VstInt32 index, float received) {
    if (!isStored(index)) return;
    const float stored = quantize(index, received);
    const double previous = value(index);
    const double v = stored;
    switch (index) {
        case kProcess:
            if (previous != static_cast<double>(received) && received < 0.5)
                pendingClear_.fetch_or(kClearAudio | kClearBandPass, std::memory_order_relaxed);
            break;
        case kDel:
            if (previous != v) pendingClear_.fetch_or(kClearDrive | kClearInput, std::memory_order_relaxed);
            break;
        case kLimSat:
            if (previous != v) pendingClear_.fetch_or(kClearLimiter | kClearInput, std::memory_order_relaxed);
            break;
        case kStereoMono: bank_.setParamEverywhere(kStereoMono, stored); break;
        default: break;
    }
    value_[static_cast<size_t>(index)].store(v, std::memory_order_relaxed);
    bank_.setParam(frame::ProgramBank::kCurrent, index, stored);
    if (index == kScFreq || index == kScQ) recomputeBandPass();
    notifyEditor(index, stored);
}

float BriskerEffect::parameterValue(VstInt32 index) const {
    return isStored(index) ? static_cast<float>(value(index)) : 0.0f;
}

double BriskerEffect::physicalValue(VstInt32 index) const {
    if (!isStored(index)) return 0.0;
    const double v = value(index);
    switch (index) {
        case kInput:
        case kOutput: return std::pow(10.0, (v - 0.5) * 1.2);
        case kScFreq: return scFrequency(v);
        case kScQ: return scQuality(v);
        case kLimSat: return static_cast<int>(2.0 * v + 0.5);
        default: return v;
    }
}

void BriskerEffect::parameterName(VstInt32 index, char* text, size_t capacity) const {
    brisker::parameterName(index, text, capacity);
}

void BriskerEffect::parameterLabel(VstInt32 index, char* text, size_t capacity) const {
    brisker::parameterLabel(index, text, capacity);
}

void BriskerEffect::parameterText(VstInt32 index, char* text, size_t capacity) const {
    brisker::parameterText(index, isStored(index) ? value(index) : 0.0, text, capacity);
}

void BriskerEffect::setSmoothed(bool all) noexcept {
    auto set = [this](std::atomic<double>& s, VstInt32 index) { s.store(value(index), std::memory_order_relaxed); };
    set(smooth_.attack, kAttack);
    set(smooth_.hold, kHold);
    set(smooth_.release, kRelease);
    set(smooth_.output, kOutput);
    if (!all) return;
    set(smooth_.input, kInput);
    set(smooth_.compress, kCompress);
    set(smooth_.slope, kSlope);
    set(smooth_.makeUp, kMakeUp);
}

void BriskerEffect::settleAfterApply() { setSmoothed(false); }
void BriskerEffect::settleAll() { setSmoothed(true); }

// Band-pass centre and Q at the working rate; the centre stays below 0.499 of
// the rate so a high centre at a low rate cannot make the filter unstable.
void BriskerEffect::recomputeBandPass() noexcept {
    const double fw = workingRate();
    double f = scFrequency(value(kScFreq));
    if (f > 0.499 * fw) f = 0.499 * fw;
    const double q = scQuality(value(kScQ));
    const double w0 = 2.0 * kPi * f / fw;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double b0 = alpha / (1.0 + alpha);
    bpB0_.store(b0, std::memory_order_relaxed);
    bpB2_.store(-b0, std::memory_order_relaxed);
    bpA1_.store(-2.0 * std::cos(w0) / (1.0 + alpha), std::memory_order_relaxed);
    bpA2_.store((1.0 - alpha) / (1.0 + alpha), std::memory_order_relaxed);
}

// ---- suspend and resume ----------------------------------------------------

void BriskerEffect::clearRings(unsigned what) noexcept {
    const frame::DoublePair zero{};
    if (what & (kClearAudio | kClearInput)) inRing_.fill(zero);
    if (what & kClearAudio) dryRing_.fill(zero);
    if (what & (kClearAudio | kClearDrive)) driveRing_.fill(zero);
    if (what & (kClearAudio | kClearLimiter)) limRing_.fill(zero);
    if (what & kClearBandPass) bandPass_ = SideChainBandPass{};
}

void BriskerEffect::suspendDsp() {
    makeUpGain_ = 1.0;
    stage_ = OutputStage{};
    held_[0] = held_[1] = 0.0;
    heldTimer_[0] = heldTimer_[1] = 0;
    recomputeBandPass();
    pendingClear_.store(0, std::memory_order_relaxed);
    clearRings(kClearAudio | kClearBandPass);
    meters_.clear();
    meterState_ = MeterState{};
    detector_ = Detector{};
    w_ = p_ = 1023;
    q_ = pd_ = pl_ = 0;
    refreshEditor();
}

void BriskerEffect::resumeDsp() {
    queryInputConnection();
    const double rate = workingRate();
    queryHostTiming();
    setSampleRate(static_cast<float>(rate));
    hpDry_.setRate(rate);
    hpDry_.clear();
    hpOut_.setRate(rate);
    hpOut_.clear();
    applyProgram(frame::ProgramBank::kCurrent);
}

void BriskerEffect::processReplace(float** inputs, float** outputs, VstInt32 frames) {
    process<false>(inputs, outputs, frames);
}

void BriskerEffect::processAccumulate(float** inputs, float** outputs, VstInt32 frames) {
    process<true>(inputs, outputs, frames);
}

void BriskerEffect::processEmptyBlock() {
    float* none[2] = {nullptr, nullptr};
    process<false>(none, none, 0);
}

}  // namespace brisker
