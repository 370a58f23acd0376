#include "glister/glister_effect.h"

#include <algorithm>
#include <cmath>

#include "frame/dsp_util.h"
#include "frame/text.h"
#include "glister/glister_editor.h"
#include "glister/glister_programs.h"

namespace glister {
namespace {

const frame::EffectIdentity kIdentity{
    "Tarn Glister",
    "The Tarn high frequency enhancer & transient processing plug-in",
    vstFourCC('W', 'q', '4', 'b'),
    GlisterEffect::kLatency,
    switchParams(),
    applyOrder(),
    paramRanges(),
};

}  // namespace

int indicatorDelayBlocks(VstIntPtr latency, VstIntPtr blockSize, double rate) noexcept {
    if (latency < 0 || static_cast<double>(latency) > rate) latency = 0;
    if (blockSize < 1 || blockSize > (VstIntPtr{1} << 20)) blockSize = 1024;
    double delay = 1.0;
    if (latency > 1 && blockSize > 1)
        delay = std::trunc(static_cast<double>(latency) / static_cast<double>(blockSize) * 0.7692307692307693);
    return static_cast<int>(std::clamp(delay, 1.0, 1023.0));
}

GlisterEffect::GlisterEffect(audioMasterCallback host)
    : EffectBase(host, 1, kHostParams), path_(frame::sanitizeRate(44100.0)) {
    setIdentity(kIdentity);
    new GlisterEditor(this);  // the effect owns it from here on
    frame::copyText(nameText_.data(), nameText_.size(), "init");
    bank_.build(frame::ProgramLayout{kBankSlots, fieldParams(), slotDefaults(), "Init"});
    takeWorkingRate();
    const VstIntPtr latency = queryHostTiming();
    indicatorDelay_ = indicatorDelayBlocks(latency, blockSize(), rate());
    indicators_.setDelay(indicatorDelay_);
    writeFactoryPrograms(bank_);
    applyProgram(frame::ProgramBank::kCurrent);
    suspendDsp();
}

// ---- parameters ------------------------------------------------------------

void GlisterEffect::applyParameter(VstInt32 index, float v) {
    const bool stored = (index >= 0 && index < kHostParams) || index == kStereoMono;
    if (!stored) return;
    settings_.apply(index, static_cast<double>(v), rate());
    bank_.setParam(frame::ProgramBank::kCurrent, index, v);
    // kept in every slot, so no program change alters it
    if (index == kStereoMono) bank_.setParamEverywhere(kStereoMono, v);
    notifyEditor(index, v);
}

float GlisterEffect::parameterValue(VstInt32 index) const { return static_cast<float>(settings_.value(index)); }

double GlisterEffect::physicalValue(VstInt32 index) const { return settings_.physical(index); }

void GlisterEffect::parameterName(VstInt32 index, char* text, size_t capacity) const {
    frame::copyText(text, capacity, paramInfo(index).name);
}

void GlisterEffect::parameterLabel(VstInt32 index, char* text, size_t capacity) const {
    frame::copyText(text, capacity, paramInfo(index).label);
}

void GlisterEffect::parameterText(VstInt32 index, char* text, size_t capacity) const {
    settings_.text(index, text, capacity);
}

void GlisterEffect::renameCurrent(const char* name) {
    EffectBase::renameCurrent(name);
    frame::copyText(nameText_.data(), nameText_.size(), bank_.name(frame::ProgramBank::kCurrent));
}

// ---- suspend, resume, processing -------------------------------------------

void GlisterEffect::takeWorkingRate() noexcept {
    const float sane = static_cast<float>(workingRate());
    setSampleRate(sane);
    rate_.store(sane, std::memory_order_relaxed);
}

void GlisterEffect::suspendDsp() {
    indicators_.clear();
    path_.reset(rate());
    if (frame::EditorInterface* e = editor()) e->resetMeters();
    refreshEditor();
}

void GlisterEffect::resumeDsp() {
    queryInputConnection();
    takeWorkingRate();
    path_.restartIndices(rate());
    queryHostTiming();  // the block size is kept; the lamps' delay stays as built
    path_.setRate(rate());
    applyProgram(frame::ProgramBank::kCurrent);
}

// The host's threads write each coefficient on its own while a block reads them, and
// two of them (automation, a program the user picks) may write at once: a block can
// see a mix of two settings. A mix whose poles leave the unit circle would blow the
// filter up within the block, so such a block keeps the last whole set instead.
void GlisterEffect::keepFiltersWhole(HarmonicsGenerator::Block& k) noexcept {
    if (frame::stablePoles(k.band.a1, k.band.a2))
        lastBand_ = k.band;
    else
        k.band = lastBand_;
    if (frame::stablePoles(k.firstOut.a1, k.firstOut.a2))
        lastFirstOut_ = k.firstOut;
    else
        k.firstOut = lastFirstOut_;
}

template <bool kAccumulate>
void GlisterEffect::process(float** inputs, float** outputs, VstInt32 frames) noexcept {
    const int count = std::max(frames, VstInt32{0});
    const float* in2 = input2Connected() ? inputs[1] : nullptr;
    BlockSettings s = settings_.blockSettings(rate());
    keepFiltersWhole(s.harmonicsBlock);
    SignalPath::BlockResult result;
    if (s.process)
        result = path_.process<kAccumulate>(inputs[0], in2, outputs[0], outputs[1], count, s);
    else
        path_.bypass<kAccumulate>(inputs[0], in2, outputs[0], outputs[1], count);
    // a block of no frames lights nothing
    const bool over = count > 0 && static_cast<double>(result.overEnhanced) / count > 0.65;
    indicators_.file(over ? 1.0 : 0.0, result.clipped ? 1.0 : 0.0);
}

void GlisterEffect::processEmptyBlock() { indicators_.file(0.0, 0.0); }

void GlisterEffect::processReplace(float** inputs, float** outputs, VstInt32 frames) {
    process<false>(inputs, outputs, frames);
}

void GlisterEffect::processAccumulate(float** inputs, float** outputs, VstInt32 frames) {
    process<true>(inputs, outputs, frames);
}

}  // namespace glister
