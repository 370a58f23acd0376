// The plug-in of the editor window tests: three parameters and no sound of its own,
// with an editor of the toolkit's controls only, so the window tests need no
// product panel.
#pragma once

#include "frame/effect_base.h"

namespace panel_test {

enum PanelParameter : VstInt32 { kGain, kProcess, kMode, kParameterCount };
inline constexpr int kModeCount = 3;

class PanelEffect : public frame::EffectBase {
public:
    explicit PanelEffect(audioMasterCallback host);

    void applyParameter(VstInt32 index, float value) override;
    float parameterValue(VstInt32 index) const override;
    void parameterName(VstInt32 index, char* text, size_t capacity) const override;
    void parameterLabel(VstInt32 index, char* text, size_t capacity) const override;
    void parameterText(VstInt32 index, char* text, size_t capacity) const override;
    void processReplace(float** inputs, float** outputs, VstInt32 frames) override;
    void processAccumulate(float** inputs, float** outputs, VstInt32 frames) override;

private:
    float values_[kParameterCount] = {0.5f, 0.0f, 0.0f};
};

}  // namespace panel_test
