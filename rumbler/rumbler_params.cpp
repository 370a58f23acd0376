#include "rumbler/rumbler_params.h"

#include <cmath>

#include "frame/number_text.h"
#include "frame/text.h"

namespace rumbler {

const std::array<VstInt32, 9> kFieldOrder = {kGain,   kMix,        kTune,       kThreshold, kColour,
                                             kBass,   kSaturation, kStereoMono, kProcess};

// A fresh slot before the factory table fills it.
const std::array<float, 9> kSlotDefaults = {0.5f, 1.0f, 0.33f, 0.5f, 0.5f, 0.5f, 1.0f, -1.0f, 1.0f};

const std::array<frame::SwitchStep, 2> kSwitches = {{{kProcess, 1.0f}, {kSaturation, 1.0f}}};
// every slot starts with -1 here, which reads as stereo
const std::array<frame::ParamRange, 1> kRanges = {{{kStereoMono, -1.0f, 1.0f}}};

double gainFactor(double v) { return std::pow(10.0, (v - 0.5) * 1.2); }

double cornerHz(double v) { return 20.0 + 580.0 * (v * v); }

double smootherHz(double v) { return 20.0 + 80.0 * (v * v); }

double poleCoefficient(double freqHz, double fs) { return 1.0 - std::pow(kE, -kTwoPi * freqHz / fs); }

double thresholdLevel(double v) { return std::pow(10.0, (v - 1.0) * 2.4); }

double harmonicDrive(double v) { return 1.0 + 63.0 * (v * v); }

double driveNormaliser(double k) { return 1.0 / std::sqrt(std::sqrt(k)); }

namespace {

struct Descriptor {
    const char* name;
    const char* label;
};

const Descriptor* describe(VstInt32 index) {
    static const Descriptor kTable[] = {
        {"process", "    "},   {"gain", " dB "}, {"mix", " % "},  {"tune", " Hz "},
        {"threshold", " dB "}, {"colour", " % "}, {"bass", " dB "}, {"saturation", "   "},
    };
    static const Descriptor kStereo = {"stereo/mono", "   "};
    if (index >= 0 && index < kHostParams) return &kTable[index];
    if (index == kStereoMono) return &kStereo;
    return nullptr;
}

}  // namespace

void parameterName(VstInt32 index, char* text, size_t capacity) {
    const Descriptor* d = describe(index);
    frame::copyText(text, capacity, d ? d->name : "");
}

void parameterLabel(VstInt32 index, char* text, size_t capacity) {
    const Descriptor* d = describe(index);
    frame::copyText(text, capacity, d ? d->label : "");
}

void parameterText(VstInt32 index, double v, bool on, char* text, size_t capacity) {
    frame::copyText(text, capacity, "");
    switch (index) {
        case kProcess:
        case kSaturation: frame::copyText(text, capacity, on ? "on" : "off"); break;
        case kStereoMono: frame::copyText(text, capacity, on ? "stereo" : "mono"); break;
        case kGain:
        case kBass: frame::appendFixed(text, capacity, (v - 0.5) * 24.0, 1); break;
        case kMix:
        case kColour: frame::appendFixed(text, capacity, v * 100.0, 0); break;
        case kTune: frame::appendFixed(text, capacity, cornerHz(v), 0); break;
        case kThreshold: frame::appendFixed(text, capacity, v * 48.0 - 48.0, 1); break;
        default: break;
    }
}

}  // namespace rumbler
