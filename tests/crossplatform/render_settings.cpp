#include "tests/crossplatform/render_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace crossplatform {

namespace {

// The value a set gives parameter `index`; false for "initial".
bool setValue(const std::string& set, VstInt32 index, float& value) {
    if (set == "spread") {
        value = static_cast<float>((index * 7 + 3) % 11) / 10.0f;
        return true;
    }
    if (set == "low" || set == "high") {
        value = set == "low" ? 0.1f : 0.9f;
        return true;
    }
    return false;
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty()) return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(out);
}

}  // namespace

const std::vector<std::string>& parameterSetNames() {
    static const std::vector<std::string> names = {"initial", "spread", "low", "high"};
    return names;
}

std::string parseSettings(const std::vector<std::string>& args, RenderSettings& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option != "--set" && option != "--param" && option != "--rate" && option != "--block")
            return "unknown option " + option;
        if (i + 1 >= args.size()) return option + " needs a value";
        const std::string& value = args[++i];
        double number = 0.0;
        if (option == "--set") {
            const auto& names = parameterSetNames();
            if (std::find(names.begin(), names.end(), value) == names.end()) return "no parameter set named " + value;
            out.set = value;
        } else if (option == "--param") {
            const size_t eq = value.find('=');
            double index = 0.0;
            if (eq == std::string::npos || !parseNumber(value.substr(0, eq), index) || !parseNumber(value.substr(eq + 1), number) ||
                index < 0 || index > 9999 || index != std::floor(index) || number < 0.0 || number > 1.0)
                return "--param takes INDEX=VALUE with VALUE in 0..1, not " + value;
            out.params.emplace_back(static_cast<VstInt32>(index), static_cast<float>(number));
        } else if (option == "--rate") {
            if (!parseNumber(value, number) || number < 8000.0 || number > 384000.0)
                return "--rate takes a sample rate in 8000..384000 Hz, not " + value;
            out.rate = static_cast<float>(number);
        } else {
            if (!parseNumber(value, number) || number < 1.0 || number > 65536.0 || number != std::floor(number))
                return "--block takes a whole number of frames in 1..65536, not " + value;
            out.blockSize = static_cast<int>(number);
        }
    }
    return {};
}

std::string applySettings(AEffect* effect, const RenderSettings& settings) {
    for (VstInt32 i = 0; i < effect->numParams; ++i) {
        float value = 0.0f;
        if (setValue(settings.set, i, value)) effect->setParameter(effect, i, value);
    }
    for (const auto& [index, value] : settings.params) {
        if (index >= effect->numParams)
            return "the plug-in has " + std::to_string(effect->numParams) + " parameters, no index " + std::to_string(index);
        effect->setParameter(effect, index, value);
    }
    return {};
}

}  // namespace crossplatform
