#include "emberon/emberon_params.h"

#include <cmath>

#include "frame/number_text.h"
#include "frame/text.h"

namespace emberon {

const std::array<VstInt32, kFields> kFieldOrder = {kInput,     kDrive,     kShape,  kTrebleFreq, kTrebleComp, kTrebleAdjust,
                                                   kBassFreq,  kBassWarmth, kBassAdjust, kOutput, kPrePost, kProcess,
                                                   kBassOn,    kTrebleOn,  kStereoMono, kMix};
// A fresh slot: everything 0 but mix; the factory table fills in the rest.
const std::array<float, kFields> kSlotDefaults = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.0f, 1.0f};
const std::array<frame::SwitchStep, 3> kSwitches = {{{kProcess, 1.0f}, {kBassOn, 1.0f}, {kTrebleOn, 1.0f}}};
// the editor's three-state meter button writes 0, 1 or 2
const std::array<frame::ParamRange, 1> kRanges = {{{kPrePost, 0.0f, 2.0f}}};

namespace {

struct ParamInfo {
    const char* name;
    const char* label;
};

constexpr const char* k7 = "       ";
constexpr const char* k9 = "         ";
constexpr const char* kDb = " dB   ";

const ParamInfo kInfo[kHostParams] = {
    {"process", k9},      {"input", kDb},          {"output", kDb},      {"drive", " %     "},
    {"shape", k7},        {"mix", k9},             {"bassAdjust", kDb},  {"trebleAdjust", kDb},
    {"bassFreq", " Hz   "}, {"trebleFreq", " Hz    "}, {"trebleComp", " %    "}, {"bassWarmth", " %    "},
    {"pre/post", k9},     {"bassOn", k9},          {"trebleOn", k9},
};

const char* const kModelNames[8] = {"none", "valve1", "valve2", "valve3", "tape1", "tape2", "tape3", "digital"};

// 6 dB per doubling, one decimal.
void appendGainText(char* text, size_t capacity, double g) {
    if (g > 0.0)
        frame::appendFixed(text, capacity, 6.0 * std::log2(g), 1);
    else
        frame::appendText(text, capacity, "-oo");
}

}  // namespace

double gainOf(double v) { return std::pow(10.0, (v - 0.5) * 1.2); }

int shapeModel(double v) {
    const double x = 7.0 * v + 0.5;
    if (!(x >= 0.0)) return 0;
    if (x >= 8.0) return 7;
    return static_cast<int>(x);
}

double bassCornerHz(double v) { return 50.0 + 450.0 * (v * v); }
double trebleCornerHz(double v) { return 2000.0 + 10000.0 * (v * v); }
double compressionFactor(double v) { return std::pow(10.0, (v - 0.1) * 8.0); }
double warmthOf(double v) { return 0.1 + 36.9 * (v * v); }
double warmthNormaliser(double w) { return 10.0 / std::pow(10.0 * w, 0.65); }

int meterTap(double v) { return (v > -1.0 && v < 3.0) ? static_cast<int>(v) : -1; }

void parameterName(VstInt32 index, char* text, size_t capacity) {
    if (index >= 0 && index < kHostParams)
        frame::copyText(text, capacity, kInfo[index].name);
    else if (index == kStereoMono)
        frame::copyText(text, capacity, "stereo/mono");
}

void parameterLabel(VstInt32 index, char* text, size_t capacity) {
    if (index >= 0 && index < kHostParams)
        frame::copyText(text, capacity, kInfo[index].label);
    else if (index == kStereoMono)
        frame::copyText(text, capacity, k9);
}

void parameterText(VstInt32 index, double v, char* text, size_t capacity) {
    if (!isStored(index)) return;  // indices without a parameter leave the text as it is
    frame::copyText(text, capacity, "");
    auto fixed = [&](double x, int decimals) { frame::appendFixed(text, capacity, x, decimals); };
    switch (index) {
        case kProcess:
        case kBassOn:
        case kTrebleOn: frame::copyText(text, capacity, v >= 0.5 ? "on" : "off"); break;
        case kInput:
        case kOutput:
        case kBassAdjust:
        case kTrebleAdjust: appendGainText(text, capacity, gainOf(v)); break;
        case kDrive:
        case kMix:
        case kTrebleComp:
        case kBassWarmth: fixed(v * 100.0, 0); break;
        case kShape: frame::copyText(text, capacity, kModelNames[shapeModel(v)]); break;
        case kBassFreq: fixed(bassCornerHz(v), 0); break;
        case kTrebleFreq: fixed(trebleCornerHz(v), 0); break;
        case kPrePost:
        case kStereoMono: frame::appendNumber8(text, capacity, v); break;
        default: break;
    }
}

}  // namespace emberon
