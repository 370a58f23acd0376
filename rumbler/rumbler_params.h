// The bass enhancer's parameters as the host and the editor see them, and the
// mappings from a stored value to what the signal path reads.
#pragma once

#include <array>
#include <cstddef>

#include "frame/effect_base.h"

namespace rumbler {

enum Param : VstInt32 {
    kProcess = 0,
    kGain = 1,
    kMix = 2,
    kTune = 3,
    kThreshold = 4,
    kColour = 5,
    kBass = 6,
    kSaturation = 7,
    kStereoMono = 10,
};

constexpr VstInt32 kHostParams = 8;
constexpr VstInt32 kStoredParams = 11;  // indices 0..10; 8 and 9 store nothing
constexpr int kBankSlots = 24;

// A stored index: 0..7 and 10.
constexpr bool isStored(VstInt32 index) { return (index >= 0 && index < kHostParams) || index == kStereoMono; }

// Field order of a program slot, which is also the order a program is applied in.
extern const std::array<VstInt32, 9> kFieldOrder;
extern const std::array<float, 9> kSlotDefaults;
extern const std::array<frame::SwitchStep, 2> kSwitches;
// Parameters whose range is not 0..1.
extern const std::array<frame::ParamRange, 1> kRanges;

// 2 pi and e as the formulas use them.
constexpr double kTwoPi = 6.283185307179586;
constexpr double kE = 2.718281828459045;

// Output gain G and bass gain B: 10^((v - 0.5) * 1.2), -12..+12 dB.
double gainFactor(double v);
// Crossover corner f_c = 20 + 580 v^2 Hz.
double cornerHz(double v);
// Corner of the harmonic smoother, 20 + 80 v^2 Hz.
double smootherHz(double v);
// One-pole coefficient 1 - e^(-2 pi f / fs).
double poleCoefficient(double freqHz, double fs);
// Leveller threshold T = 10^((v - 1) * 2.4), -48..0 dB.
double thresholdLevel(double v);
// Harmonic drive k = 1 + 63 v^2 and its normaliser k^(-1/4).
double harmonicDrive(double v);
double driveNormaliser(double k);

// True when the integer part of v + 0.5 is 1, the signal path's test of a switch.
constexpr bool switchedOn(double v) { return v + 0.5 >= 1.0 && v + 0.5 < 2.0; }

void parameterName(VstInt32 index, char* text, size_t capacity);
void parameterLabel(VstInt32 index, char* text, size_t capacity);
// Display text of a stored value; `on` is the switch state for process,
// saturation and stereo/mono.
void parameterText(VstInt32 index, double v, bool on, char* text, size_t capacity);

// Names and values of every slot: "Current", "Memo A", "Memo B", then the factory programs.
void writeFactoryPrograms(frame::ProgramBank& bank);

}  // namespace rumbler
