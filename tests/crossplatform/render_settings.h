// What the test host renders with: a named parameter set, single parameter
// values on top, sample rate and block size. Parsed from the command line.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "frame/vst2.h"

namespace crossplatform {

struct RenderSettings {
    std::string set = "initial";
    std::vector<std::pair<VstInt32, float>> params;  // index, normalized value
    float rate = 44100.0f;
    int blockSize = 256;
};

// Names of the parameter sets: "initial" leaves every parameter as the plug-in
// opens, "spread" spreads them over 0..1, "low" and "high" put them all at 0.1, 0.9.
const std::vector<std::string>& parameterSetNames();

// Reads "--set NAME", "--param INDEX=VALUE" (any number), "--rate HZ" and
// "--block FRAMES". Returns an empty string on success, else what is wrong.
std::string parseSettings(const std::vector<std::string>& args, RenderSettings& out);

// Sets every parameter of the set, then the single values. Returns an empty
// string on success; an index the plug-in does not have is an error.
std::string applySettings(AEffect* effect, const RenderSettings& settings);

}  // namespace crossplatform
