#include "host/demo_presets.h"

#include <cstddef>
#include <span>

namespace host {
namespace {

constexpr float kShape(int model) { return static_cast<float>(model) / 7.0f; }

// A preset from fixed settings plus one value per name, in the table's column order.
DemoPreset makePreset(const char* program, std::vector<std::pair<const char*, float>> fixed,
                      std::span<const char* const> names, const std::vector<float>& values) {
    DemoPreset out{program, std::move(fixed)};
    for (std::size_t i = 0; i < values.size() && i < names.size(); ++i) out.settings.emplace_back(names[i], values[i]);
    return out;
}

DemoPlugin brisker() {
    auto preset = [](const char* name, std::vector<float> v) {
        static const char* const kNames[] = {"process", "input",  "compress", "slope",    "attack", "release",
                                             "make-up", "mix",    "output",   "scFreq",   "scQ",    "hold",
                                             "pre/post", "RMS/peak", "DEL",   "scl",      "LIM/SAT"};
        return makePreset(name, {}, kNames, v);
    };
    return {"brisker",
            "Tarn Brisker",
            {preset("universal", {1, 0.5, 0.2, 0.8, 0, 0.0833, 0, 1, 0.5, 0.5, 0, 0, 1, 1, 1, 0, 0.5}),
             preset("drums4", {1, 0.5, 0.7, 0.7, 0.07, 0, 0, 0.4, 0.5, 0.5, 0.166, 0, 1, 0, 0, 0, 1}),
             preset("de-esser", {1, 0.5, 0.5, 1, 0.166, 0.333, 0.299, 1, 0.5, 0.9166, 0.9166, 0, 1, 0, 1, 0, 0}),
             preset("L-A-2 limit", {1, 0.5, 0.25, 0.7, 0, 0.5, 0.166, 1, 0.5, 0.5, 0, 0, 1, 1, 0, 0, 0})}};
}

DemoPlugin glister() {
    auto preset = [](const char* name, std::vector<float> v) {
        static const char* const kNames[] = {
            "HarmProcess", "EnhProcess", "TransProcess", "HissProcess", "Saturation", "HarmFreq",   "HarmQ",
            "HarmDrive",   "HarmFirstOut", "HarmAdjust", "EnhEnhance",  "EnhSlope",   "TransRatio", "TransSlope",
            "TransAdjust", "TransHiDamp", "HissThresh",  "HissSpeed",   "HissAttenuation", "HissMinFreq"};
        return makePreset(name, {{"Process", 1.0f}}, kNames, v);
    };
    return {"glister",
            "Tarn Glister",
            {preset("Universal1", {0, 1, 1, 1, 1, 0.7, 0.333, 0.667, 1, 0.6, 0.5, 0.5, 0.5, 0.5, 0.44, 0.1667, 0.5,
                                   0.5, 0.333, 0.5}),
             preset("hissRem2", {0, 0, 0, 1, 0, 0.8, 0.667, 0.85, 1, 0.55, 0.5, 0.16, 0.5, 0.5, 0.42, 0, 0.22, 0.75,
                                 0.12, 0.333}),
             preset("transients1", {0, 0, 1, 0, 1, 0.725, 0.58, 1, 1, 0.5, 0.25, 0.333, 0.5, 0.667, 0.72, 0.5, 0.6,
                                    0.5, 0.5, 0.333}),
             preset("harmonics2", {1, 0, 0, 0, 1, 0.8, 0.333, 0.5, 1, 0.6, 0.25, 0.5, 0.667, 0.4, 0.667, 0, 0.5,
                                   0.25, 0.5, 0.667})}};
}

DemoPlugin rumbler() {
    auto preset = [](const char* name, std::vector<float> v) {
        static const char* const kNames[] = {"gain", "tune", "threshold", "colour", "bass", "saturation"};
        return makePreset(name, {{"process", 1.0f}, {"mix", 1.0f}}, kNames, v);
    };
    return {"rumbler",
            "Tarn Rumbler",
            {preset("psychoacoustic", {0.5, 0, 1, 0, 0.5, 0}), preset("warm1", {0.5, 0.4, 0.84, 0, 0.5, 1}),
             preset("disco sub-woofer", {0.8, 0.35, 1, 0.6, 0.7, 1})}};
}

DemoPlugin emberon() {
    auto preset = [](const char* name, std::vector<float> v) {
        static const char* const kNames[] = {"input",      "drive",     "shape",   "trebleFreq", "trebleComp",
                                             "trebleAdjust", "bassFreq", "bassWarmth", "bassAdjust", "output",
                                             "pre/post",   "process",   "bassOn",  "trebleOn"};
        return makePreset(name, {{"mix", 1.0f}}, kNames, v);
    };
    return {"emberon",
            "Tarn Emberon",
            {preset("preamp1", {0.5, 0.75, kShape(1), 0.5, 0, 0.5, 0.5, 0, 0.5, 0.5, 1, 1, 0, 0}),
             preset("hot valve2", {0.5, 0.875, kShape(2), 0.5, 0, 0.5, 0.5, 0, 0.5, 0.5, 1, 1, 0, 0}),
             preset("mastering tape boost 1",
                    {0.5, 0.33, kShape(4), 1, 0.2, 0.62, 0.33, 0.1, 0.52, 0.47, 1, 1, 1, 1})}};
}

}  // namespace

const std::vector<DemoPlugin>& demoPlugins() {
    static const std::vector<DemoPlugin> kPlugins = {brisker(), glister(), rumbler(), emberon()};
    return kPlugins;
}

}  // namespace host
