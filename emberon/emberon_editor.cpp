#include "emberon/emberon_editor.h"

#include <iterator>

#include "emberon/emberon_effect.h"
#include "emberon_pictures.h"
#include "frame/text.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_frame.h"
#include "gui/gui_slider.h"
#include "gui/gui_twin_needle_meter.h"

namespace emberon {
namespace {

using namespace gui;
using namespace frame;

constexpr int kPanelPicture = 13128;
constexpr int kAboutTag = 16;

// The words of the name displays, chosen by the integer part of the value.
void controlNameText(float x, char* text) {
    static constexpr const char* kWords[] = {"gain",    "drive",      "shape",   "freq",   "warmth",
                                             "adjust",  "freq",       "compress", "adjust", "saturation",
                                             "process", "stereo",     "output",  "input",  "mix"};
    pickName(x, text, kWords, static_cast<int>(std::size(kWords)));
}

constexpr ProgramRowLayout kProgramRow{{98, 233, 209, 244}, 12, {222, 233}, {263, 280, 304, 322}, 18, 13590};

constexpr SwitchRow kButtons[] = {
    {kProcess, {197, 130}, 13129}, {kBassOn, {116, 130}, 13130}, {kTrebleOn, {279, 130}, 13131}};

// The meter tap: after the input gain, after the output gain, before the curve. Its
// state is the value it sends.
constexpr CycleRow kMeterTap{kPrePost, {189, 103, 245, 117}, 13132, 3, kPrePost, kNormalized, 1.0f};

constexpr int kKnobTop = 162, kNameTop = 149, kValueTop = 197;
// tag, knob, name display, word, value display, converter, what the value display is fed, reset
constexpr KnobRow kKnobs[] = {
    {kInput, {21, kKnobTop}, {15, kNameTop}, 13, {15, kValueTop}, decibelText, kPhysical, 0.5f},
    {kBassFreq, {76, kKnobTop}, {70, kNameTop}, 3, {70, kValueTop}, hertzText, kPhysical, 0.5f},
    {kBassWarmth, {124, kKnobTop}, {118, kNameTop}, 4, {118, kValueTop}, percentText, kNormalized, 0.5f},
    {kBassAdjust, {171, kKnobTop}, {165, kNameTop}, 5, {165, kValueTop}, decibelText, kPhysical, 0.5f},
    {kTrebleFreq, {226, kKnobTop}, {220, kNameTop}, 6, {220, kValueTop}, hertzText, kPhysical, 0.5f},
    {kTrebleComp, {274, kKnobTop}, {267, kNameTop}, 7, {267, kValueTop}, percentText, kNormalized, 0.5f},
    {kTrebleAdjust, {321, kKnobTop}, {315, kNameTop}, 8, {315, kValueTop}, decibelText, kPhysical, 0.5f},
    {kOutput, {376, kKnobTop}, {370, kNameTop}, 12, {370, kValueTop}, decibelText, kPhysical, 0.5f},
};

// tag, rect, vertical, handle travel, handle, background (0: the panel), style, reset, name, value
constexpr SliderRow kSliders[] = {
    {kShape, {382, 26, 408, 130}, true, 26, 115, 13135, 0, kSliderMinBottom, 0.0f,
     {{370, 11, 420, 25}, 2}, {{370, 130, 420, 144}, saturationModelText, kPhysical}},
    {kDrive, {27, 26, 53, 130}, true, 26, 115, 13135, 0, kSliderMinBottom, 0.0f,
     {{15, 11, 65, 25}, 1}, {{15, 130, 65, 144}, percentText, kNormalized}},
    {kMix, {330, 215, 408, 231}, false, 330, 393, 13137, 13136, kSliderMinLeft, 1.0f,
     {{310, 216, 330, 230}, 14}, {{408, 216, 438, 230}, percentText, kNormalized, kAlignLeft}},
};

constexpr AboutRow kAbout{{134, 217, 299, 227}, kAboutTag, 13143, {63, 12, 375, 122}, {0, 16},
                          "Tarn Emberon ", "Analog saturation emulator by Tarn", {130, 52, 14, 0}, {70, 52, 40, 0}};

// Face, lamp and pivot of the left and right meter.
constexpr MeterRow kMeterRows[] = {
    {{69, 18}, 13141, {130, 88}, 13138, {136, 111}},
    {{233, 18}, 13142, {292, 88}, 13139, {298, 111}},
};
constexpr float kInnerRadius = 30.0f, kOuterRadius = 85.0f;

// The smoothed level of a sine is 2/pi of its peak: scaled by 1.58 both needles
// read a sine's peak on the same dial.
constexpr double kLevelScale = 1.58;

}  // namespace

EmberonEditor::EmberonEditor(EmberonEffect* effect) : PanelEditor(effect, kPictures, kPanelPicture), effect_(effect) {
    setNameConverter(controlNameText);
}

void EmberonEditor::buildPanel(GuiFrame& frame) {
    addProgramRow(kProgramRow);
    for (size_t m = 0; m < 2; ++m) {
        const MeterRow& row = kMeterRows[m];
        auto* face = new GuiBitmap(row.facePicture);
        auto* lamp = new GuiBitmap(row.lampPicture);
        meters_[m] = new GuiTwinNeedleMeter({row.face.h, row.face.v, row.face.h, row.face.v}, face, row.lamp, lamp,
                                            row.pivot.h, row.pivot.v, kInnerRadius, kOuterRadius);
        face->release();
        lamp->release();
        frame.appendChild(meters_[m]);
    }
    restMeters();
    for (GuiTwinNeedleMeter* meter : meters_) meter->setValue(0.00001f);
    for (const SwitchRow& row : kButtons) addSwitch(row);
    addCycle(kMeterTap);
    for (const KnobRow& row : kKnobs) addKnob(row);
    for (const SliderRow& row : kSliders) addSlider(row);
    addAbout(kAbout);
}

void EmberonEditor::feedMeters() {
    const MeterRing& rings = effect_->meters();
    for (size_t c = 0; c < 2; ++c) {
        if (!meters_[c]) continue;
        meters_[c]->setNeedleA(static_cast<float>(rings.read(kLevelL + c) * kLevelScale));
        meters_[c]->setLampValue(static_cast<float>(rings.read(kClipL + c)));
        meters_[c]->setNeedleB(static_cast<float>(rings.read(kHeldL + c)));
    }
}

void EmberonEditor::restMeters() {
    for (GuiTwinNeedleMeter* meter : meters_) {
        if (!meter) continue;
        meter->setNeedleA(0.0f);
        meter->setLampValue(0.0f);
        meter->setNeedleB(0.0f);
    }
}

void EmberonEditor::closeView() {
    meters_[0] = meters_[1] = nullptr;
    PanelEditor::closeView();
}

}  // namespace emberon
