#include "rumbler/rumbler_effect.h"

#include <cmath>

#include "rumbler/rumbler_editor.h"

namespace rumbler {
namespace {

// A host rate as whole hertz; outside 20000..200000 Hz (NaN included) it is 44100.
double wholeRate(double rate) noexcept {
    if (!(rate >= 20000.0 && rate < 200001.0)) return 44100.0;
    return std::trunc(rate);
}

// Meter delay in blocks: the host's output latency over its block size, so the
// meters move with what the listener hears.
int meterDelayBlocks(VstIntPtr latency, VstIntPtr blockSize, double fs) noexcept {
    if (latency < 0 || static_cast<double>(latency) > fs) latency = 0;
    if (blockSize < 1 || blockSize > 1048576) blockSize = 1024;
    VstIntPtr d = (latency > 1 && blockSize > 1) ? latency / blockSize : 1;
    if (d < 1) d = 1;
    if (d > 1023) d = 1023;
    return static_cast<int>(d);
}

}  // namespace

RumblerEffect::RumblerEffect(audioMasterCallback host)
    : EffectBase(host, 1, kHostParams), fs_(wholeRate(sampleRate())), path_(fs_.load()) {
    bank_.build(frame::ProgramLayout{kBankSlots, kFieldOrder, kSlotDefaults, "init"});
    setIdentity(frame::EffectIdentity{"Tarn Rumbler", "Tarn Rumbler - bass range enhancing processor",
                                      vstFourCC('W', 'q', '4', 'c'), kLatency, kSwitches, kFieldOrder, kRanges});
    takeRate();
    hostLatency_ = queryHostTiming();
    meterDelay_ = meterDelayBlocks(hostLatency_, blockSize(), pathRate());
    meters_.setDelay(meterDelay_);
    writeFactoryPrograms(bank_);
    new RumblerEditor(this);  // the effect owns it from here on
    applyProgram(frame::ProgramBank::kCurrent);
    // the flag reads stereo from the start, whatever the slots hold
    value_[kStereoMono].store(1.0, std::memory_order_relaxed);
    stereoFlag_.store(1.0, std::memory_order_relaxed);
    suspendDsp();
}

void RumblerEffect::takeRate() noexcept { fs_.store(wholeRate(sampleRate()), std::memory_order_relaxed); }

// ---- parameters --------------------------------------------------------------

void RumblerEffect::applyProcess(double v) noexcept {
    if (v >= 0.5) {
        value_[kProcess].store(v, std::memory_order_relaxed);
        processFlag_.store(true, std::memory_order_relaxed);
    } else if (v != value(kProcess)) {
        value_[kProcess].store(v, std::memory_order_relaxed);
        processFlag_.store(false, std::memory_order_relaxed);
        clearPending_.store(true, std::memory_order_relaxed);
    }
}

void RumblerEffect::applyTune(double v) noexcept {
    const double fs = pathRate();
    c1_.store(poleCoefficient(cornerHz(v), fs), std::memory_order_relaxed);
    c2_.store(poleCoefficient(smootherHz(v), fs), std::memory_order_relaxed);
}

void RumblerEffect::applyParameter(VstInt32 index, float value) {
    if (!isStored(index)) return;
    const double v = value;
    switch (index) {
        case kProcess: applyProcess(v); break;
        case kGain: gain_.store(gainFactor(v), std::memory_order_relaxed); break;
        case kMix: wet_.store(v * v, std::memory_order_relaxed); break;
        case kTune: applyTune(v); break;
        case kThreshold: threshold_.store(thresholdLevel(v), std::memory_order_relaxed); break;
        case kColour: {
            const double k = harmonicDrive(v);
            drive_.store(k, std::memory_order_relaxed);
            driveNorm_.store(driveNormaliser(k), std::memory_order_relaxed);
            break;
        }
        case kBass: bass_.store(gainFactor(v), std::memory_order_relaxed); break;
        case kStereoMono:
            stereoFlag_.store(v < 0.0 ? 1.0 : v, std::memory_order_relaxed);
            bank_.setParamEverywhere(kStereoMono, value);
            break;
        default: break;
    }
    if (index != kProcess) value_[static_cast<size_t>(index)].store(v, std::memory_order_relaxed);
    bank_.setParam(frame::ProgramBank::kCurrent, index, value);
    refreshEditor();
    notifyEditor(index, value);
}

float RumblerEffect::parameterValue(VstInt32 index) const {
    return isStored(index) ? static_cast<float>(value(index)) : 0.0f;
}

double RumblerEffect::physicalValue(VstInt32 index) const {
    if (!isStored(index)) return 0.0;
    const double v = value(index);
    switch (index) {
        case kTune: return cornerHz(v);
        case kThreshold: return load(threshold_);
        case kBass: return load(bass_);
        case kGain: return load(gain_);
        default: return v;
    }
}

void RumblerEffect::parameterName(VstInt32 index, char* text, size_t capacity) const {
    rumbler::parameterName(index, text, capacity);
}

void RumblerEffect::parameterLabel(VstInt32 index, char* text, size_t capacity) const {
    rumbler::parameterLabel(index, text, capacity);
}

void RumblerEffect::parameterText(VstInt32 index, char* text, size_t capacity) const {
    bool on = false;
    if (index == kProcess) on = processOn();
    if (index == kSaturation) on = value(kSaturation) >= 0.5;
    if (index == kStereoMono) on = stereoFlag() > 0.5;
    rumbler::parameterText(index, isStored(index) ? value(index) : 0.0, on, text, capacity);
}

// ---- processing --------------------------------------------------------------

BlockSettings RumblerEffect::blockSettings() const noexcept {
    BlockSettings s;
    s.fs = pathRate();
    s.gain = load(gain_);
    s.wet = load(wet_);
    s.c1 = load(c1_);
    s.c2 = load(c2_);
    s.threshold = load(threshold_);
    s.drive = load(drive_);
    s.driveNorm = load(driveNorm_);
    s.bass = load(bass_);
    s.harmonics = switchedOn(value(kProcess));
    s.saturation = switchedOn(value(kSaturation));
    s.stereoInput = input2Connected();
    return s;
}

template <bool kAccumulate>
void RumblerEffect::process(float** inputs, float** outputs, VstInt32 frames) noexcept {
    if (clearPending_.exchange(false, std::memory_order_relaxed)) path_.clearOnProcessOff();
    const BlockMeter m =
        path_.process<kAccumulate>(inputs[0], inputs[1], outputs[0], outputs[1], static_cast<int>(frames), blockSettings());
    meters_.push({m.gain, m.clip});
}

void RumblerEffect::processReplace(float** inputs, float** outputs, VstInt32 frames) {
    process<false>(inputs, outputs, frames);
}

void RumblerEffect::processAccumulate(float** inputs, float** outputs, VstInt32 frames) {
    process<true>(inputs, outputs, frames);
}

void RumblerEffect::processEmptyBlock() {
    float* none[2] = {nullptr, nullptr};
    process<false>(none, none, 0);
}

void RumblerEffect::suspendDsp() {
    takeRate();
    const double fs = pathRate();
    meterDelay_ = meterDelayBlocks(hostLatency_, blockSize(), fs);
    setSampleRate(static_cast<float>(fs));
    path_.reset();
    meters_.setDelay(meterDelay_);
    meters_.fill(SignalPath::kRingFill);
    clearPending_.store(false, std::memory_order_relaxed);
    c1_.store(poleCoefficient(cornerHz(value(kTune)), fs), std::memory_order_relaxed);
    if (frame::EditorInterface* e = editor()) e->resetMeters();
}

void RumblerEffect::resumeDsp() {
    queryInputConnection();
    takeRate();
    hostLatency_ = queryHostTiming();
    meterDelay_ = meterDelayBlocks(hostLatency_, blockSize(), pathRate());
    meters_.restartReading();
    path_.setRate(pathRate());
    applyProgram(frame::ProgramBank::kCurrent);
}

}  // namespace rumbler
