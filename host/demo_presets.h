// What tarn demo plays through each Tarn plug-in: a few of its factory
// programs, each also written out as parameter settings. The plug-ins show
// hosts a single program, so the demo selects a program by name where the
// plug-in allows it and applies these settings where it does not.
#pragma once

#include <utility>
#include <vector>

namespace host {

struct DemoPreset {
    const char* program;
    std::vector<std::pair<const char*, float>> settings;  // parameter name, normalized value
};

struct DemoPlugin {
    const char* shortName;  // looked up like a PLUGIN argument
    const char* title;
    std::vector<DemoPreset> presets;
};

const std::vector<DemoPlugin>& demoPlugins();

}  // namespace host
