// The saturator's parameters as the host and the editor see them, and the
// value mappings the signal path reads.
#pragma once

#include <array>
#include <cstddef>

#include "frame/effect_base.h"

namespace emberon {

enum Param : VstInt32 {
    kProcess = 0,
    kInput = 1,
    kOutput = 2,
    kDrive = 3,
    kShape = 4,
    kMix = 5,
    kBassAdjust = 6,
    kTrebleAdjust = 7,
    kBassFreq = 8,
    kTrebleFreq = 9,
    kTrebleComp = 10,
    kBassWarmth = 11,
    kPrePost = 12,
    kBassOn = 13,
    kTrebleOn = 14,
    kStereoMono = 17,
};

constexpr VstInt32 kHostParams = 15;
constexpr VstInt32 kStoredParams = 18;  // indices 0..17; 15 and 16 store nothing
constexpr int kBankSlots = 34;
constexpr int kFields = 16;

// A stored index: 0..14 and 17.
constexpr bool isStored(VstInt32 index) { return (index >= 0 && index < kHostParams) || index == kStereoMono; }

// Field order of a program slot, which is also the order a program is applied in.
extern const std::array<VstInt32, kFields> kFieldOrder;
extern const std::array<float, kFields> kSlotDefaults;
extern const std::array<frame::SwitchStep, 3> kSwitches;
// Parameters whose range is not 0..1.
extern const std::array<frame::ParamRange, 1> kRanges;

// Input, output, bass and treble gain: 10^((v - 0.5) * 1.2), +-12 on the 6 dB per doubling scale.
double gainOf(double v);
// Saturation model 0..7 (none .. digital); below 0 is "none", above 1 "digital".
int shapeModel(double v);
double bassCornerHz(double v);    // 50 .. 500 Hz
double trebleCornerHz(double v);  // 2000 .. 12000 Hz
double compressionFactor(double v);  // K = 10^((v - 0.1) * 8)
double warmthOf(double v);           // W = 0.1 + 36.9 v^2
double warmthNormaliser(double w);   // N = 10 / (10 W)^0.65
// Where the meters read: 0 after the input gain, 1 after the output gain,
// 2 before the curve; -1 leaves them unfed.
int meterTap(double v);

void parameterName(VstInt32 index, char* text, size_t capacity);
void parameterLabel(VstInt32 index, char* text, size_t capacity);
// Display text of a stored value.
void parameterText(VstInt32 index, double v, char* text, size_t capacity);

// Writes the factory programs into every slot of the bank.
void writeFactoryPrograms(frame::ProgramBank& bank);

}  // namespace emberon
