#include "rumbler/rumbler_editor.h"

#include <iterator>

#include "frame/text.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_frame.h"
#include "gui/gui_lamp.h"
#include "gui/gui_slider.h"
#include "gui/gui_swing_meter.h"
#include "rumbler/rumbler_effect.h"
#include "rumbler_pictures.h"

namespace rumbler {
namespace {

using namespace gui;
using namespace frame;

constexpr int kPanelPicture = 19128;
constexpr int kAboutTag = 9;

// The words of the name displays, chosen by the integer part of the value.
void controlNameText(float x, char* text) {
    static constexpr const char* kWords[] = {"gain",   "tune",    "threshold", "1st",  "2nd<->3rd",
                                             "colour", "2nd+3rd", "steepness", "bass", "saturation",
                                             "process", "stereo", "",          "",     "mix"};
    pickName(x, text, kWords, static_cast<int>(std::size(kWords)));
}

constexpr ProgramRowLayout kProgramRow{{55, 161, 166, 172}, 12, {179, 161}, {220, 237, 261, 279}, 11, 19590};

// The lift meter turns about the pivot on the dial painted on the panel.
constexpr GuiRect kLiftRect{110, 28, 156, 77};
constexpr GuiPoint kLiftPivot{133, 51};
constexpr float kLiftInner = 0.0f, kLiftOuter = 20.0f;

constexpr GuiRect kClipLamp{272, 52, 302, 82};
constexpr int kClipLampPicture = 19129;

// tag, knob, name display, word, value display, converter, what the value display is fed, reset
constexpr KnobRow kKnobs[] = {
    {kTune, {39, 93}, {34, 81}, 1, {33, 127}, hertzText, kPhysical, 0.5f},
    {kThreshold, {114, 93}, {109, 81}, 2, {108, 127}, decibelText, kPhysical, 0.5f},
    {kColour, {191, 30}, {186, 18}, 5, {185, 63}, percentText, kNormalized, 0.5f},
    {kBass, {191, 94}, {186, 81}, 8, {185, 127}, decibelText, kPhysical, 0.5f},
    {kGain, {268, 93}, {262, 81}, 0, {261, 127}, decibelText, kPhysical, 0.5f},
};

// The two switches with their name displays above them, saturation first.
struct NamedSwitch {
    NameText name;
    SwitchRow button;
};
constexpr NamedSwitch kButtons[] = {
    {{{262, 21, 312, 35}, 9}, {kSaturation, {273, 36}, 19131}},
    {{{34, 21, 84, 35}, 10}, {kProcess, {44, 36}, 19130}},
};

constexpr AboutRow kAbout{{112, 146, 232, 154}, kAboutTag, 19200, {0, 19, 343, 141}, {0, 24},
                          "Tarn Rumbler ", "Bass range enhancer by Tarn", {50, 78, 24, 0}, {60, 60, 60, 0}};

// tag, rect, vertical, handle travel, handle, background, style, reset, name, value
constexpr SliderRow kMixRow{kMix, {250, 144, 319, 160}, false, 250, 304, 19135, 19134, kSliderMinLeft, 1.0f,
                         {{232, 145, 250, 159}, 14}, {{319, 145, 349, 159}, percentText, kNormalized, kAlignLeft}};

}  // namespace

RumblerEditor::RumblerEditor(RumblerEffect* effect) : PanelEditor(effect, kPictures, kPanelPicture), effect_(effect) {
    setNameConverter(controlNameText);
}

void RumblerEditor::buildPanel(GuiFrame& frame) {
    addProgramRow(kProgramRow);
    lift_ = new GuiSwingMeter(kLiftRect, panel(), kLiftPivot.h, kLiftPivot.v, kLiftInner, kLiftOuter);
    lift_->setValue(0.0f);
    lift_->setResetValue(0.0f);
    frame.appendChild(lift_);
    for (const KnobRow& row : kKnobs) addKnob(row);
    for (const NamedSwitch& row : kButtons) {
        addName(row.name);
        addSwitch(row.button);
    }
    addAbout(kAbout);
    auto* lamp = new GuiBitmap(kClipLampPicture);
    clip_ = new GuiLamp(kClipLamp, lamp);
    lamp->release();
    clip_->setValue(0.0f);
    frame.appendChild(clip_);
    addSlider(kMixRow);
}

// The record the listener hears now: the leveller's lift, 0 to 48 dB on 0 to 1, and
// whether the block clipped.
void RumblerEditor::feedMeters() {
    const auto& rings = effect_->meters();
    if (lift_) lift_->setValue(static_cast<float>(rings.read(kMeterGain)));
    if (clip_) clip_->setValue(static_cast<float>(rings.read(kMeterClip)));
}

void RumblerEditor::restMeters() {
    if (lift_) lift_->setValue(0.0f);
    if (clip_) clip_->setValue(0.0f);
}

void RumblerEditor::closeView() {
    lift_ = nullptr;
    clip_ = nullptr;
    PanelEditor::closeView();
}

}  // namespace rumbler
