#include "panel_effect.h"

#include <cstdio>

#include "frame/text.h"
#include "panel_editor.h"

namespace panel_test {

PanelEffect::PanelEffect(audioMasterCallback host) : EffectBase(host, 1, kParameterCount) {
    static constexpr VstInt32 kApplyOrder[] = {kGain, kProcess, kMode};
    frame::EffectIdentity identity;
    identity.effectName = "Tarn Panel Test";
    identity.productString = "Tarn Panel Test";
    identity.uniqueId = 0x57713974;  // "Wq9t"
    identity.applyOrder = kApplyOrder;
    setIdentity(identity);
    new PanelEditor(this);  // the effect owns it
}

void PanelEffect::applyParameter(VstInt32 index, float value) {
    if (index < 0 || index >= kParameterCount) return;
    values_[index] = value;
    notifyEditor(index, value);
}

float PanelEffect::parameterValue(VstInt32 index) const {
    return index >= 0 && index < kParameterCount ? values_[index] : 0.0f;
}

void PanelEffect::parameterName(VstInt32 index, char* text, size_t capacity) const {
    static constexpr const char* kNames[] = {"Gain", "Process", "Mode"};
    frame::copyText(text, capacity, index >= 0 && index < kParameterCount ? kNames[index] : "");
}

void PanelEffect::parameterLabel(VstInt32, char* text, size_t capacity) const { frame::copyText(text, capacity, ""); }

void PanelEffect::parameterText(VstInt32 index, char* text, size_t capacity) const {
    std::snprintf(text, capacity, "%.2f", static_cast<double>(parameterValue(index)));
}

void PanelEffect::processReplace(float** inputs, float** outputs, VstInt32 frames) {
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i) outputs[c][i] = inputs[c][i];
}

void PanelEffect::processAccumulate(float** inputs, float** outputs, VstInt32 frames) {
    for (int c = 0; c < 2; ++c)
        for (VstInt32 i = 0; i < frames; ++i) outputs[c][i] += inputs[c][i];
}

}  // namespace panel_test
