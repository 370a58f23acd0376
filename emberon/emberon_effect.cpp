#include "emberon/emberon_effect.h"

#include <cmath>

#include "emberon/emberon_editor.h"
#include "frame/dsp_util.h"

namespace emberon {
namespace {

const frame::EffectIdentity kIdentity{
    "Tarn Emberon", "Tarn Emberon - analog saturation emulator", vstFourCC('W', 'q', '4', 'd'), 0, kSwitches,
    kFieldOrder, kRanges,
};

void store(std::atomic<double>& a, double v) noexcept { a.store(v, std::memory_order_relaxed); }
void store(std::atomic<float>& a, float v) noexcept { a.store(v, std::memory_order_relaxed); }

}  // namespace

EmberonEffect::EmberonEffect(audioMasterCallback host)
    : EffectBase(host, 1, kHostParams), sections_(44100.0) {
    bank_.build(frame::ProgramLayout{kBankSlots, kFieldOrder, kSlotDefaults, "init"});
    setIdentity(kIdentity);
    const double rate = workingRate();
    const VstIntPtr latency = queryHostTiming();
    meterDelay_ = meterDelayBlocks(latency, blockSize(), rate);
    meter_.setDelay(meterDelay_);
    sections_ = StereoSections(rate);
    for (auto& g : curveGain_) store(g, 1.0);
    writeFactoryPrograms(bank_);
    new EmberonEditor(this);  // the effect owns it from here on
    applyProgram(frame::ProgramBank::kCurrent);
    suspendDsp();
}

// ---- parameters ------------------------------------------------------------

void EmberonEffect::applyParameter(VstInt32 index, float received) {
    if (!isStored(index)) {
        notifyEditor(index, received);
        return;
    }
    double v = received;
    float stored = received;
    if (index == kShape) {
        v = shapeModel(v) / 7.0;
        stored = static_cast<float>(v);
    } else if (index == kStereoMono) {
        if (v < 0.0) v = stored = 0.0f;
        // one global setting: every slot carries it, so no program load changes it
        bank_.setParamEverywhere(kStereoMono, stored);
    }
    store(value_[static_cast<size_t>(index)], v);
    bank_.setParam(frame::ProgramBank::kCurrent, index, stored);
    deriveValues(index, v);
    notifyEditor(index, stored);
}

void EmberonEffect::deriveValues(VstInt32 index, double v) {
    switch (index) {
        case kInput: store(inputGain_, gainOf(v)); break;
        case kOutput: store(outputGain_, gainOf(v)); break;
        case kBassAdjust: store(bassGain_, gainOf(v)); break;
        case kTrebleAdjust: store(trebleGain_, gainOf(v)); break;
        case kDrive: {
            const double e = frame::driveFactor(v);
            const frame::CurveGains gains = frame::curveGains(e);
            store(drive_, e);
            for (size_t m = 0; m < curveGain_.size(); ++m) store(curveGain_[m], gains.g[m]);
            break;
        }
        case kShape: model_.store(shapeModel(v), std::memory_order_relaxed); break;
        case kMix: store(wet_, v * v); break;
        case kBassFreq:
            store(bassHz_, bassCornerHz(v));
            designBass();
            break;
        case kTrebleFreq:
            store(trebleHz_, trebleCornerHz(v));
            designTreble();
            break;
        case kTrebleComp: {
            const double k = compressionFactor(v);
            store(compression_, k);
            store(compressionInverse_, 1.0 / k);
            break;
        }
        case kBassWarmth: {
            const double w = warmthOf(v);
            store(warmth_, w);
            store(warmthNormaliser_, warmthNormaliser(w));
            break;
        }
        default: break;  // switches, pre/post and stereo/mono are read as stored
    }
}

void EmberonEffect::designBass() {
    const auto rate = static_cast<float>(workingRate());
    const double corner = load(bassHz_);
    const OnePoleCoefficients low = lowPassDesign(static_cast<float>(corner), rate);
    const OnePoleCoefficients warmth = lowPassDesign(static_cast<float>(1.9 * corner), rate);
    store(bassLowA_, low.a);
    store(bassLowB_, low.b);
    store(warmthLowA_, warmth.a);
    store(warmthLowB_, warmth.b);
}

void EmberonEffect::designTreble() {
    const OnePoleCoefficients high =
        highPassDesign(static_cast<float>(load(trebleHz_)), static_cast<float>(workingRate()));
    store(trebleHighA_, high.a);
    store(trebleHighB_, high.b);
}

float EmberonEffect::parameterValue(VstInt32 index) const {
    return isStored(index) ? static_cast<float>(value(index)) : 0.0f;
}

double EmberonEffect::physicalValue(VstInt32 index) const {
    if (!isStored(index)) return 0.0;
    switch (index) {
        case kInput: return load(inputGain_);
        case kOutput: return load(outputGain_);
        case kBassAdjust: return load(bassGain_);
        case kTrebleAdjust: return load(trebleGain_);
        case kBassFreq: return load(bassHz_);
        case kTrebleFreq: return load(trebleHz_);
        case kShape: return model_.load(std::memory_order_relaxed);
        default: return value(index);
    }
}

void EmberonEffect::parameterName(VstInt32 index, char* text, size_t capacity) const {
    emberon::parameterName(index, text, capacity);
}

void EmberonEffect::parameterLabel(VstInt32 index, char* text, size_t capacity) const {
    emberon::parameterLabel(index, text, capacity);
}

void EmberonEffect::parameterText(VstInt32 index, char* text, size_t capacity) const {
    emberon::parameterText(index, isStored(index) ? value(index) : 0.0, text, capacity);
}

// ---- suspend and resume ----------------------------------------------------

void EmberonEffect::suspendDsp() {
    setSampleRate(static_cast<float>(workingRate()));
    queryHostTiming();
    designBass();
    designTreble();
    sections_.resetSections();
    meter_.clear();
    if (editor()) editor()->resetMeters();
}

void EmberonEffect::resumeDsp() {
    queryInputConnection();
    const double rate = workingRate();
    setSampleRate(static_cast<float>(rate));
    sections_.setRate(rate);
    // re-applying "Current" recomputes every rate-dependent coefficient
    applyProgram(frame::ProgramBank::kCurrent);
}

}  // namespace emberon
