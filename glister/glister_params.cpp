#include "glister/glister_params.h"

namespace glister {
namespace {

constexpr const char* kBlank3 = "   ";
constexpr const char* kBlank8 = "        ";
constexpr const char* kBlank9 = "         ";
constexpr const char* kSwitchLabel = " Off/On ";

constexpr std::array<ParamInfo, kParamSlots> kParams{{
    {"Process", kSwitchLabel},
    {"HissThresh", "    dB   "},
    {"HissAttenuation", "   dB   "},
    {"TransAdjust", "   dB   "},
    {"EnhEnhance", kBlank8},
    {"HarmFreq", "    Hz   "},
    {"HarmAdjust", "   dB   "},
    {"Mix", kBlank9},
    {"Output", "   dB  "},
    {"HissMinFreq", "   Hz   "},
    {"HissSpeed", kBlank9},
    {"TransSlope", " dB/oct "},
    {"TransHiDamp", kBlank8},
    {"TransRatio", "   1:x  "},
    {"EnhSlope", " dB/oct "},
    {"HarmQ", "    Q    "},
    {"HarmDrive", kBlank8},
    {"HarmFirstOut", kBlank8},
    {"Saturation", kSwitchLabel},
    {"HarmProcess", kSwitchLabel},
    {"EnhProcess", kSwitchLabel},
    {"TransProcess", kSwitchLabel},
    {"HissProcess", kSwitchLabel},
    {kBlank3, kBlank3},
    {kBlank3, kBlank3},
    {"StereoMono", kBlank9},
}};

constexpr ParamInfo kUnknown{kBlank3, kBlank3};

constexpr std::array<VstInt32, kSlotFields> kFieldParams{
    kHarmFreq,     kHarmFirstOut, kHarmQ,          kTransRatio,  kHissThresh, kHissSpeed,
    kTransSlope,   kTransAdjust,  kHissAttenuation, kTransHiDamp, kEnhEnhance, kEnhSlope,
    kHarmDrive,    kHarmAdjust,   kHissMinFreq,    kSaturation,  kOutput,     kProcess,
    kHarmProcess,  kEnhProcess,   kTransProcess,   kHissProcess, kStereoMono, kMix,
};

// Saturation and EnhEnhance 0, TransAdjust 0.75, every switch on, StereoMono -1,
// Mix 1, the rest 0.5.
constexpr std::array<float, kSlotFields> kSlotDefaults{
    0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.75f, 0.5f, 0.5f, 0.0f, 0.5f,
    0.5f, 0.5f, 0.5f, 0.0f, 0.5f, 1.0f, 1.0f, 1.0f,  1.0f, 1.0f, -1.0f, 1.0f,
};

constexpr std::array<VstInt32, kSlotFields> kApplyOrder{
    kHarmFreq,   kHarmQ,       kTransRatio,  kHissThresh, kHissSpeed,   kTransSlope,
    kTransAdjust, kHissAttenuation, kTransHiDamp, kHarmDrive, kHarmFirstOut, kHarmAdjust,
    kEnhEnhance, kEnhSlope,    kHissMinFreq, kSaturation, kOutput,      kProcess,
    kHarmProcess, kEnhProcess, kTransProcess, kHissProcess, kStereoMono, kMix,
};

// Values outside a range are taken as the nearest end: the formulas (fourth
// roots, damping poles) turn unstable beyond it. Every other index takes 0..1.
constexpr std::array<frame::ParamRange, 2> kRanges{{
    {kHarmDrive, 0.0f, 1.16f},  // the drums programs drive the shaper at 1.16
    {kStereoMono, -1.0f, 1.0f},  // every program holds -1 here
}};

constexpr std::array<frame::SwitchStep, 6> kSwitches{{
    {kProcess, 1.0f},
    {kSaturation, 1.0f},
    {kHarmProcess, 1.0f},
    {kEnhProcess, 1.0f},
    {kTransProcess, 1.0f},
    {kHissProcess, 1.0f},
}};

}  // namespace

const ParamInfo& paramInfo(VstInt32 index) noexcept {
    if (index < 0 || index >= kParamSlots) return kUnknown;
    return kParams[static_cast<size_t>(index)];
}

std::span<const VstInt32> fieldParams() noexcept { return kFieldParams; }
std::span<const float> slotDefaults() noexcept { return kSlotDefaults; }
std::span<const VstInt32> applyOrder() noexcept { return kApplyOrder; }
std::span<const frame::SwitchStep> switchParams() noexcept { return kSwitches; }
std::span<const frame::ParamRange> paramRanges() noexcept { return kRanges; }

}  // namespace glister
