#include "brisker/brisker_params.h"

#include <cmath>

#include "frame/number_text.h"
#include "frame/text.h"

namespace brisker {

const std::array<VstInt32, 18> kFieldOrder = {kInput,  kCompress, kSlope,  kScFreq,  kScQ, kAttack,
                                              kHold,   kRelease,  kOutput, kPrePost, kProcess, kRmsPeak,
                                              kScl,    kDel,      kLimSat, kMakeUp,  kMix, kStereoMono};
const std::array<VstInt32, 18> kApplyOrder = {kInput,   kCompress, kSlope,    kScFreq, kScQ,   kAttack,
                                              kHold,    kRelease,  kMakeUp,   kOutput, kPrePost, kProcess,
                                              kRmsPeak, kScl,      kDel,      kLimSat, kStereoMono, kMix};
const std::array<float, 18> kSlotDefaults = {0.5f, 0.3f, 0.3f, 0.5f, 0.1f, 0.0f, 0.17f, 0.06f, 0.5f,
                                             1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,  1.0f,  0.0f};
const std::array<frame::SwitchStep, 5> kSwitches = {
    {{kProcess, 1.0f}, {kRmsPeak, 1.0f}, {kDel, 1.0f}, {kScl, 1.0f}, {kLimSat, 0.5f}}};

namespace {

struct ParamInfo {
    const char* name;
    const char* label;
};

constexpr const char* k7 = "       ";
constexpr const char* k8 = "        ";
constexpr const char* k9 = "         ";

const ParamInfo kInfo[kHostParams] = {
    {"process", k9}, {"input", k9},   {"compress", k9}, {"slope", k7},    {"attack", k8},   {"release", k8},
    {"make-up", k8}, {"mix", k9},     {"output", k7},   {"scFreq", k8},   {"scQ", k8},      {"hold", k8},
    {"pre/post", k9}, {"RMS/peak", k8}, {"DEL", k8},    {"scl", k8},      {"LIM/SAT", k8},
};

// The three mode steps of attack, release and make-up, as stored floats.
constexpr float kSlowStep = 0.0833333f;   // bit pattern 0x3DAAAAA6
constexpr float kThirdStep = 0.1666666f;  // bit pattern 0x3E2AAAA6

double fourth(double a) { return a * a * a * a; }

}  // namespace

float quantize(VstInt32 index, float value) {
    const double v = value;
    switch (index) {
        case kAttack:
        case kRelease:
            if (v < 0.0416666) return 0.0f;
            if (v < 0.125) return kSlowStep;
            if (v < 0.1666666) return kThirdStep;
            return value;
        case kMakeUp:
            if (v < 0.125) return 0.0f;
            if (v < 0.1666666) return kThirdStep;
            return value;
        default: return value;
    }
}

double scFrequency(double v) { return 25.0 * std::pow(10.0, v * 2.7781512503836434); }
double scQuality(double v) { return v * v * 9.999 + 0.001; }

void parameterName(VstInt32 index, char* text, size_t capacity) {
    if (index >= 0 && index < kHostParams)
        frame::copyText(text, capacity, kInfo[index].name);
    else if (index == kStereoMono)
        frame::copyText(text, capacity, "stereo/mono");
    else
        frame::copyText(text, capacity, "");
}

void parameterLabel(VstInt32 index, char* text, size_t capacity) {
    if (index >= 0 && index < kHostParams)
        frame::copyText(text, capacity, kInfo[index].label);
    else if (index == kStereoMono)
        frame::copyText(text, capacity, k9);
    else
        frame::copyText(text, capacity, k8);
}

// A switch reads as the signal path takes it: process, DEL and scl round to the
// nearest whole (on from 0.5), pre/post and RMS/peak take the whole part (post and
// RMS at 1 only), so a value between the ends never shows one state while the
// other one plays.
void parameterText(VstInt32 index, double v, char* text, size_t capacity) {
    frame::copyText(text, capacity, "");
    auto fixed = [&](double x, int decimals) { frame::appendFixed(text, capacity, x, decimals); };
    switch (index) {
        case kProcess:
        case kDel:
        case kScl: frame::copyText(text, capacity, static_cast<int>(v + 0.5) == 1 ? "on" : "off"); break;
        case kInput:
        case kOutput: fixed((v - 0.5) * 24.0, 1); break;
        case kCompress:
        case kMix: fixed(v * 100.0, 0); break;
        case kSlope:
            if (v <= 0.001)
                frame::copyText(text, capacity, "soft");
            else if (v >= 0.999)
                frame::copyText(text, capacity, "hard");
            else
                fixed(v * 100.0, 0);
            break;
        case kAttack:
            if (v < 0.04166) {
                frame::copyText(text, capacity, "fast");
            } else if (v < 0.125) {
                frame::copyText(text, capacity, "slow");
            } else {
                double t = fourth(1.2 * (v - 0.166666)) * 0.9999 + 0.0001;
                if (t < 0.00011) t = 0.00011;
                fixed(t * 1000.0, 2);
            }
            break;
        case kRelease:
            if (v < 0.04166)
                frame::copyText(text, capacity, "fast");
            else if (v < 0.125)
                frame::copyText(text, capacity, "slow");
            else
                fixed((fourth(1.2 * (v - 0.166666)) * 9.99 + 0.01) * 1000.0, 2);
            break;
        case kMakeUp:
            if (v < 0.125)
                frame::copyText(text, capacity, "auto");
            else
                fixed(20.0 * std::log10(std::pow(10.0, (v - 0.166666) * 2.88)), 2);
            break;
        case kScFreq: fixed(scFrequency(v), 0); break;
        case kScQ: fixed(scQuality(v), 1); break;
        case kHold: fixed(fourth(v) * 1000.0, 2); break;
        case kPrePost: frame::copyText(text, capacity, static_cast<int>(v) == 1 ? "post" : "pre"); break;
        case kRmsPeak: frame::copyText(text, capacity, static_cast<int>(v) != 0 ? "RMS" : "peak"); break;
        case kLimSat: frame::copyText(text, capacity, 2.0 * v > 1.5 ? "SAT" : (2.0 * v > 0.5 ? "LIM" : "off")); break;
        case kStereoMono: frame::appendNumber8(text, capacity, v); break;
        default: break;
    }
}

}  // namespace brisker
