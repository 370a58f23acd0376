#include "brisker/brisker_editor.h"

#include "brisker/brisker_effect.h"
#include "brisker_pictures.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_frame.h"
#include "gui/gui_needle_meter.h"
#include "gui/gui_slider.h"

namespace brisker {
namespace {

using namespace gui;
using namespace frame;

constexpr int kPanelPicture = 12128;
constexpr int kAboutTag = 18, kStageTag = 19;

constexpr ProgramRowLayout kProgramRow{{98, 233, 209, 244}, 10, {222, 233}, {263, 280, 304, 322}, 21, 12590};

constexpr SwitchRow kButtons[] = {
    {kProcess, {197, 130}, 12129}, {kDel, {74, 130}, 12130},     {kScl, {136, 130}, 12131},
    {kRmsPeak, {258, 130}, 12132}, {kPrePost, {189, 103}, 12134},
};

// The output stage shows the LIM/SAT mode 0, 1 or 2 and sends it as 0, 0.5 or 1.
constexpr CycleRow kStage{kStageTag, {320, 130, 360, 143}, 12133, 3, kLimSat, kPhysical, 0.5f};

constexpr int kKnobTop = 162, kNameTop = 147, kValueTop = 197;
// tag, knob, name display, word, value display, converter, what the value display is fed, reset
constexpr KnobRow kKnobs[] = {
    {kScFreq, {76, kKnobTop}, {70, kNameTop}, 3, {70, kValueTop}, hertzText, kPhysical, 0.5f},
    {kScQ, {124, kKnobTop}, {118, kNameTop}, 4, {118, kValueTop}, shortNumberText, kPhysical, 0.1f},
    {kAttack, {180, kKnobTop}, {173, kNameTop}, 5, {173, kValueTop}, attackText, kPhysical, 0.0f},
    {kHold, {227, kKnobTop}, {220, kNameTop}, 6, {220, kValueTop}, holdText, kPhysical, 0.0f},
    {kRelease, {274, kKnobTop}, {267, kNameTop}, 7, {267, kValueTop}, releaseText, kPhysical, 0.083f},
    {kMakeUp, {321, kKnobTop}, {315, kNameTop}, 8, {315, kValueTop}, makeUpText, kPhysical, 0.1667f},
    {kOutput, {376, kKnobTop}, {370, kNameTop}, 12, {370, kValueTop}, decibelText, kPhysical, 0.5f},
    {kInput, {21, kKnobTop}, {15, kNameTop}, 13, {15, kValueTop}, decibelText, kPhysical, 0.5f},
};

// tag, rect, vertical, handle travel, handle, background (0: the panel), style, reset, name, value
constexpr SliderRow kSliders[] = {
    {kSlope, {382, 26, 408, 130}, true, 26, 115, 12137, 0, kSliderMinBottom, 0.0f,
     {{370, 10, 420, 24}, 2}, {{370, 130, 420, 144}, slopeText, kPhysical}},
    {kCompress, {27, 26, 53, 130}, true, 26, 115, 12137, 0, kSliderMinBottom, 0.0f,
     {{15, 11, 65, 25}, 1}, {{15, 130, 65, 144}, percentText, kNormalized}},
    {kMix, {330, 215, 408, 231}, false, 330, 393, 12139, 12138, kSliderMinLeft, 1.0f,
     {{310, 216, 330, 230}, 14}, {{408, 216, 438, 230}, percentText, kNormalized, kAlignLeft}},
};

constexpr AboutRow kAbout{{134, 217, 299, 227}, kAboutTag, 12145, {63, 12, 375, 122}, {0, 16},
                          "Tarn Brisker ", "Soft knee compressor by Tarn", {45, 45, 120, 0}, {60, 60, 60, 0}};

// Face, lamp and pivot of the left and right meter.
constexpr MeterRow kMeterRows[] = {
    {{69, 18}, 12143, {130, 88}, 12140, {136, 111}},
    {{233, 18}, 12144, {292, 88}, 12141, {298, 111}},
};
constexpr float kInnerRadius = 30.0f, kOuterRadius = 85.0f;

// What the needles show of a meter record: the level and the gain reduction scaled
// so that full scale and no reduction sit at the dial's 0.
constexpr float kLevelScale = 1.58f, kReductionScale = 0.1995f;

}  // namespace

BriskerEditor::BriskerEditor(BriskerEffect* effect) : PanelEditor(effect, kPictures, kPanelPicture), effect_(effect) {}

void BriskerEditor::buildPanel(GuiFrame& frame) {
    addProgramRow(kProgramRow);
    for (size_t m = 0; m < 2; ++m) {
        const MeterRow& row = kMeterRows[m];
        auto* face = new GuiBitmap(row.facePicture);
        auto* lamp = new GuiBitmap(row.lampPicture);
        meters_[m] = new GuiNeedleMeter({row.face.h, row.face.v, row.face.h, row.face.v}, face, row.lamp, lamp,
                                        row.pivot.h, row.pivot.v, kInnerRadius, kOuterRadius);
        face->release();
        lamp->release();
        for (auto set : {&GuiNeedleMeter::setNeedle1, &GuiNeedleMeter::setNeedle2, &GuiNeedleMeter::setNeedle3,
                         &GuiNeedleMeter::setNeedle4})
            (meters_[m]->*set)(0.0f);
        meters_[m]->setValue(0.00001f);
        frame.appendChild(meters_[m]);
    }
    for (const SwitchRow& row : kButtons) addSwitch(row);
    addCycle(kStage);
    for (const KnobRow& row : kKnobs) addKnob(row);
    for (const SliderRow& row : kSliders) addSlider(row);
    addAbout(kAbout);
}

void BriskerEditor::feedMeters() {
    const auto& rings = effect_->meters();
    for (size_t c = 0; c < 2; ++c) {
        if (!meters_[c]) continue;
        meters_[c]->setNeedle1(static_cast<float>(rings.read(kLevelL + c) * kLevelScale));
        meters_[c]->setNeedle2(static_cast<float>(rings.read(kClipL + c)));
        meters_[c]->setNeedle3(static_cast<float>(rings.read(kReductionL + c) * kReductionScale));
        meters_[c]->setNeedle4(static_cast<float>(rings.read(kHeldL + c)));
    }
}

void BriskerEditor::closeView() {
    meters_[0] = meters_[1] = nullptr;
    PanelEditor::closeView();
}

}  // namespace brisker
