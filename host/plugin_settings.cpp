#include "host/plugin_settings.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "host/host_error.h"

namespace host {
namespace {

std::string trimmedLower(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    std::string out = first == std::string::npos ? "" : text.substr(first, last - first + 1);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// A non-negative decimal index, or -1.
int parseIndex(const std::string& text) {
    int value = -1;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0) return -1;
    return value;
}

// Exact name first, then a looser match; -1 when neither fits.
template <class Names>
int matchName(const Names& names, const std::string& wanted) {
    for (const auto& [index, name] : names) {
        if (name == wanted) return index;
    }
    std::string loose = trimmedLower(wanted);
    for (const auto& [index, name] : names) {
        if (trimmedLower(name) == loose) return index;
    }
    return -1;
}

}  // namespace

std::vector<ProgramEntry> listPrograms(Plugin& plugin) {
    std::vector<ProgramEntry> programs;
    for (int index = 0; index < kMaxListedPrograms; ++index) {
        bool selectable = index < plugin.numPrograms();
        std::optional<std::string> name = plugin.programName(index);
        if (!selectable) {
            // some plug-ins answer any index with the same name: past the
            // selectable ones, only new names count as a private bank
            bool repeated = std::any_of(programs.begin(), programs.end(),
                                        [&name](const ProgramEntry& seen) { return name && seen.name == *name; });
            if (!name || name->empty() || repeated) break;
        }
        programs.push_back({index, name.value_or(""), selectable});
    }
    return programs;
}

void selectProgram(Plugin& plugin, const std::string& nameOrIndex) {
    std::vector<ProgramEntry> programs = listPrograms(plugin);
    std::vector<std::pair<int, std::string>> names;
    for (const ProgramEntry& program : programs) names.emplace_back(program.index, program.name);
    int index = matchName(names, nameOrIndex);
    if (index < 0) index = parseIndex(nameOrIndex);
    if (index < 0 || (index >= plugin.numPrograms() && index >= static_cast<int>(programs.size()))) {
        throw HostError("the plug-in has no program '" + nameOrIndex + "' (tarn info lists them)");
    }
    if (index >= plugin.numPrograms()) {
        throw HostError("program '" + programs[static_cast<size_t>(index)].name + "' (index " +
                        std::to_string(index) + ") cannot be selected through the VST 2 interface: the plug-in " +
                        "lets hosts select " + std::to_string(plugin.numPrograms()) +
                        " program(s) only; use --set NAME=VALUE");
    }
    plugin.dispatch(effBeginSetProgram);
    plugin.dispatch(effSetProgram, 0, index);
    plugin.dispatch(effEndSetProgram);
}

int findParameter(Plugin& plugin, const std::string& nameOrIndex) {
    std::vector<std::pair<int, std::string>> names;
    for (int index = 0; index < plugin.numParams(); ++index) names.emplace_back(index, plugin.paramName(index));
    int index = matchName(names, nameOrIndex);
    if (index < 0) index = parseIndex(nameOrIndex);
    if (index < 0 || index >= plugin.numParams()) {
        throw HostError("the plug-in has no parameter '" + nameOrIndex + "' (tarn info lists them)");
    }
    return index;
}

void applySetting(Plugin& plugin, const std::string& setting) {
    size_t equals = setting.rfind('=');
    if (equals == std::string::npos || equals == 0) {
        throw HostError("--set takes NAME=VALUE, not '" + setting + "'", kExitUsage);
    }
    std::string name = setting.substr(0, equals);
    std::string text = setting.substr(equals + 1);
    int index = findParameter(plugin, name);
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !std::isfinite(value)) {
        throw HostError("value '" + text + "' for parameter '" + name + "' is not a number");
    }
    if (value < 0.0 || value > 1.0) {
        throw HostError("value " + text + " for parameter '" + name + "' is outside 0..1");
    }
    plugin.setParam(index, static_cast<float>(value));
}

}  // namespace host
