#include "glister/glister_params.h"

namespace glister {
namespace {

constexpr const char* kBlank3 = "   ";
constexpr const char* kBlank8 = "        ";
constexpr const char* kBlank9 = "         ";
constexpr const char* kSwitchLabel = " Off/On ";

constexpr std::array<ParamInfo, kParamSlots> kParams{{
    {"Process", kSwitchLabel, 0.0f, 1.0f},
    {"HissThresh", "    dB   ", 0.0f, 1.0f},
    {"HissAttenuation", "   dB   ", 0.0f, 1.0f},
    {"TransAdjust", "   dB   ", 0.0f, 1.0f},
    {"EnhEnhance", kBlank8, 0.0f, 1.0f},
    {"HarmFreq", "    Hz   ", 0.0f, 1.0f},
    {"HarmAdjust", "   dB   ", 0.0f, 1.0f},
    {"Mix", kBlank9, 0.0f, 1.0f},
    {"Output", "   dB  ", 0.0f, 1.0f},
    {"HissMinFreq", "   Hz   ", 0.0f, 1.0f},
    {"HissSpeed", kBlank9, 0.0f, 1.0f},
    {"TransSlope", " dB/oct ", 0.0f, 1.0f},
    {"TransHiDamp", kBlank8, 0.0f, 1.0f},
    {"TransRatio", "   1:x  ", 0.0f, 1.0f},
    {"EnhSlope", " dB/oct ", 0.0f, 1.0f},
    {"HarmQ", "    Q    ", 0.0f, 1.0f},
    // the drums programs drive the shaper at 1.16
    {"HarmDrive", kBlank8, 0.0f, 1.16f},
    {"HarmFirstOut", kBlank8, 0.0f, 1.0f},
    {"Saturation", kSwitchLabel, 0.0f, 1.0f},
    {"HarmProcess", kSwitchLabel, 0.0f, 1.0f},
    {"EnhProcess", kSwitchLabel, 0.0f, 1.0f},
    {"TransProcess", kSwitchLabel, 0.0f, 1.0f},
    {"HissProcess", kSwitchLabel, 0.0f, 1.0f},
    {kBlank3, kBlank3, 0.0f, 0.0f},
    {kBlank3, kBlank3, 0.0f, 0.0f},
    // every program holds -1 here
    {"StereoMono", kBlank9, -1.0f, 1.0f},
}};

constexpr ParamInfo kUnknown{kBlank3, kBlank3, 0.0f, 0.0f};

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

}  // namespace glister
