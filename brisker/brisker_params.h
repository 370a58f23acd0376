// The compressor's parameters as the host and the editor see them.
#pragma once

#include <array>
#include <cstddef>

#include "frame/effect_base.h"

namespace brisker {

enum Param : VstInt32 {
    kProcess = 0,
    kInput = 1,
    kCompress = 2,
    kSlope = 3,
    kAttack = 4,
    kRelease = 5,
    kMakeUp = 6,
    kMix = 7,
    kOutput = 8,
    kScFreq = 9,
    kScQ = 10,
    kHold = 11,
    kPrePost = 12,
    kRmsPeak = 13,
    kDel = 14,
    kScl = 15,
    kLimSat = 16,
    kStereoMono = 20,
};

constexpr VstInt32 kHostParams = 17;
constexpr VstInt32 kStoredParams = 21;  // indices 0..20; 17 to 19 store nothing
constexpr int kBankSlots = 40;

// A stored index: 0..16 and 20.
constexpr bool isStored(VstInt32 index) { return (index >= 0 && index < kHostParams) || index == kStereoMono; }

// Field order of a program slot and the order a program is applied in.
extern const std::array<VstInt32, 18> kFieldOrder;
extern const std::array<VstInt32, 18> kApplyOrder;
extern const std::array<float, 18> kSlotDefaults;
extern const std::array<frame::SwitchStep, 5> kSwitches;

// Attack, release and make-up snap to their mode steps when stored.
float quantize(VstInt32 index, float v);

// Side-chain centre frequency (Hz) and Q from their stored values.
double scFrequency(double v);
double scQuality(double v);

void parameterName(VstInt32 index, char* text, size_t capacity);
void parameterLabel(VstInt32 index, char* text, size_t capacity);
// Display text of a stored value.
void parameterText(VstInt32 index, double v, char* text, size_t capacity);

// Writes the factory programs into every slot of the bank.
void writeFactoryPrograms(frame::ProgramBank& bank);

}  // namespace brisker
