// The treble enhancer's parameters as the host and the program bank see them:
// indices, names, labels, slot fields, accepted ranges and the program order.
#pragma once

#include <array>
#include <span>

#include "frame/effect_base.h"
#include "frame/vst2.h"

namespace glister {

// Parameter indices. 0 to 22 are host-visible; 23 and 24 do nothing; 25 is
// a stored setting the host cannot see.
enum Param : VstInt32 {
    kProcess = 0,
    kHissThresh = 1,
    kHissAttenuation = 2,
    kTransAdjust = 3,
    kEnhEnhance = 4,
    kHarmFreq = 5,
    kHarmAdjust = 6,
    kMix = 7,
    kOutput = 8,
    kHissMinFreq = 9,
    kHissSpeed = 10,
    kTransSlope = 11,
    kTransHiDamp = 12,
    kTransRatio = 13,
    kEnhSlope = 14,
    kHarmQ = 15,
    kHarmDrive = 16,
    kHarmFirstOut = 17,
    kSaturation = 18,
    kHarmProcess = 19,
    kEnhProcess = 20,
    kTransProcess = 21,
    kHissProcess = 22,
    kStereoMono = 25,
};

constexpr VstInt32 kHostParams = 23;
constexpr VstInt32 kParamSlots = 26;  // indices with a working copy: 0..25
constexpr int kBankSlots = 41;
constexpr int kSlotFields = 24;

struct ParamInfo {
    const char* name;
    const char* label;
};

// Name and label of an index; unknown indices get three blanks.
const ParamInfo& paramInfo(VstInt32 index) noexcept;

// Parameter index stored in each of the 24 slot fields, in field order.
std::span<const VstInt32> fieldParams() noexcept;
// Field values of a freshly built slot, in field order.
std::span<const float> slotDefaults() noexcept;
// Order in which a program's values go through applyParameter.
std::span<const VstInt32> applyOrder() noexcept;
// The switch parameters effGetParameterProperties describes.
std::span<const frame::SwitchStep> switchParams() noexcept;
// The parameters whose range is not 0..1 (the frame holds every value to its range).
std::span<const frame::ParamRange> paramRanges() noexcept;

}  // namespace glister
