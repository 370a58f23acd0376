#include "glister/glister_editor.h"

#include <variant>

#include "glister/glister_effect.h"
#include "glister/panel_texts.h"
#include "glister_pictures.h"
#include "gui/gui_lamp.h"
#include "gui/gui_slider.h"

namespace glister {
namespace {

using namespace gui;
using namespace frame;

constexpr int kPanelPicture = 17128;
constexpr int kAboutTag = 24;

constexpr ProgramRowLayout kProgramRow{{191, 273, 302, 284}, 14, {315, 273}, {356, 373, 397, 415}, 26, 17590};

// Captions and values of the panel: display style 1, the mix slider's excepted.
constexpr int kStyle = 1;
constexpr Feed kTimes12{Feed::normalized, 12.0f}, kTimes6{Feed::normalized, 6.0f};

// A vertical slider of a section: its handle runs from 40 to 196 over the panel,
// its caption above (reaching two rows into the handle's top position, so the
// handle is drawn over it) and its value (50 x 12) below.
constexpr SliderRow fader(VstInt32 tag, int left, float word, ValueToText converter) {
    return {tag, {left, 40, left + 24, 211}, true, 40, 196, 17130, 0, kSliderMinBottom, 0.0f,
            {{left - 14, 28, left + 36, 42}, word, kStyle},
            {{left - 14, 211, left + 36, 223}, converter, kPhysical, kAlignCentre, kStyle}, true};
}
// A knob of a section with its caption 14 above and its value 34 below.
constexpr KnobRow knob(VstInt32 tag, GuiPoint at, int captionLeft, float word, ValueToText converter, Feed feed) {
    return {tag, at, {captionLeft, at.v - 14}, word, {captionLeft, at.v + 34}, converter, feed, 0.5f, kStyle, kStyle};
}

// The parameter controls, section by section, left to right.
using ParamRow = std::variant<SliderRow, KnobRow>;
constexpr ParamRow kParams[] = {
    fader(kHissThresh, 30, 0, decibelText),
    knob(kHissAttenuation, {71, 42}, 66, 1, decibelText, kPhysical),
    knob(kHissSpeed, {71, 108}, 66, 2, percentText, kNormalized),
    knob(kHissMinFreq, {71, 173}, 66, 3, hertzText, kPhysical),
    knob(kTransRatio, {167, 42}, 162, 4, shortNumberText, kPhysical),
    knob(kTransSlope, {167, 108}, 162, 5, dbPerOctaveText, kTimes12),
    knob(kTransHiDamp, {167, 173}, 162, 6, percentText, kNormalized),
    fader(kTransAdjust, 222, 7, decibelText),
    knob(kEnhSlope, {292, 42}, 286, 8, dbPerOctaveText, kTimes6),
    knob(kEnhEnhance, {292, 173}, 286, 9, percentText, kNormalized),
    fader(kHarmFreq, 376, 10, hertzText),
    knob(kHarmQ, {417, 42}, 411, 11, shortNumberText, kPhysical),
    knob(kHarmDrive, {417, 108}, 411, 12, percentText, kNormalized),
    knob(kHarmFirstOut, {417, 173}, 411, 13, percentText, kNormalized),
    fader(kHarmAdjust, 472, 14, decibelText),
    knob(kOutput, {542, 173}, 536, 15, decibelText, kPhysical),
};

// Over enhanced, peak over.
constexpr LampRow kLamps[] = {
    {{302, 118}, 17139, {{275, 104, 345, 120}, 16, kStyle}},
    {{553, 118}, 17140, {{526, 104, 596, 120}, 17, kStyle}},
};

constexpr SwitchRow kButtons[] = {
    {kSaturation, {541, 53}, 17138},  {kProcess, {541, 230}, 17133},     {kHarmProcess, {416, 230}, 17137},
    {kEnhProcess, {291, 230}, 17136}, {kTransProcess, {166, 230}, 17135}, {kHissProcess, {70, 230}, 17134},
};

constexpr SliderRow kMixSlider{kMix, {512, 256, 590, 272}, false, 512, 575, 17132, 17131, kSliderMinLeft, 1.0f,
                               {{492, 257, 512, 271}, 18, 2},
                               {{590, 257, 620, 271}, percentText, kNormalized, kAlignLeft, 0}};

constexpr AboutRow kAbout{{242, 257, 378, 268}, kAboutTag, 17199, {155, 88, 467, 198}, {0, 16},
                          "Tarn Glister ", "High frequency enhancer by Tarn", {45, 45, 120, 0}, {60, 60, 60, 0}};

}  // namespace

GlisterEditor::GlisterEditor(GlisterEffect* effect)
    : PanelEditor(effect, kPictures, kPanelPicture), effect_(effect) {
    setNameConverter(captionText);
}

void GlisterEditor::buildPanel(GuiFrame&) {
    addProgramRow(kProgramRow);
    for (const ParamRow& row : kParams) {
        if (const auto* slider = std::get_if<SliderRow>(&row))
            addSlider(*slider);
        else
            addKnob(std::get<KnobRow>(row));
    }
    for (size_t i = 0; i < 2; ++i) lamps_[i] = addLamp(kLamps[i]);
    for (const SwitchRow& row : kButtons) addSwitch(row);
    addSlider(kMixSlider);
    addAbout(kAbout);
}

// The lamps show the blocks the listener hears now. Marking the record read first
// stops the audio thread carrying it on: a lamp lit once stays lit until shown.
void GlisterEditor::feedMeters() {
    if (!lamps_[0] || !lamps_[1]) return;
    IndicatorHistory& rings = effect_->indicators();
    rings.markConsumed();
    lamps_[0]->setValue(static_cast<float>(rings.overEnhanced()));
    lamps_[1]->setValue(static_cast<float>(rings.clipped()));
}

void GlisterEditor::restMeters() {
    for (GuiLamp* lamp : lamps_)
        if (lamp) lamp->setValue(0.0f);
}

void GlisterEditor::closeView() {
    lamps_[0] = lamps_[1] = nullptr;
    PanelEditor::closeView();
}

}  // namespace glister
