#include "host/parameter_reference.h"

#include <string>
#include <vector>

#include "host/plugin_settings.h"

namespace host {
namespace {

// A table cell: trimmed, with the characters Markdown would take as markup escaped.
std::string cell(const std::string& text) {
    size_t first = text.find_first_not_of(' ');
    size_t last = text.find_last_not_of(' ');
    std::string out;
    if (first == std::string::npos) return out;
    for (char c : text.substr(first, last - first + 1)) {
        if (c == '|' || c == '*' || c == '_' || c == '`' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

double stepValue(int step) { return static_cast<double>(step) / (kReferenceSteps - 1); }

void writeParameters(Plugin& plugin, std::FILE* out) {
    std::fprintf(out, "## Parameters\n\n");
    std::fprintf(out,
                 "What the plug-in displays for each parameter across the value a host sends (0 to 1),\n"
                 "each parameter moved alone, the others staying at their Default column.\n\n");
    std::fprintf(out, "| # | Parameter | Unit | Default |");
    for (int step = 0; step < kReferenceSteps; ++step) std::fprintf(out, " %.1f |", stepValue(step));
    std::fprintf(out, "\n|--:|---|---|---|");
    for (int step = 0; step < kReferenceSteps; ++step) std::fprintf(out, "---|");
    std::fprintf(out, "\n");
    for (int index = 0; index < plugin.numParams(); ++index) {
        std::fprintf(out, "| %d | %s | %s | %s |", index, cell(plugin.paramName(index)).c_str(),
                     cell(plugin.paramLabel(index)).c_str(), cell(plugin.paramDisplay(index)).c_str());
        const float current = plugin.param(index);
        for (int step = 0; step < kReferenceSteps; ++step) {
            plugin.setParam(index, static_cast<float>(stepValue(step)));
            std::fprintf(out, " %s |", cell(plugin.paramDisplay(index)).c_str());
        }
        plugin.setParam(index, current);
        std::fprintf(out, "\n");
    }
}

void writePrograms(Plugin& plugin, std::FILE* out) {
    std::vector<ProgramEntry> programs = listPrograms(plugin);
    std::fprintf(out, "\n## Programs\n\n");
    std::fprintf(out, "The host can select %d of them; the others are the plug-in's own bank.\n\n",
                 plugin.numPrograms());
    std::fprintf(out, "| # | Program | Host can select |\n|--:|---|---|\n");
    for (const ProgramEntry& program : programs) {
        std::fprintf(out, "| %d | %s | %s |\n", program.index, cell(program.name).c_str(),
                     program.selectable ? "yes" : "no");
    }
}

}  // namespace

void writeParameterReference(Plugin& plugin, std::FILE* out) {
    std::fprintf(out, "# %s\n\n", cell(plugin.displayName()).c_str());
    std::string product = plugin.text(effGetProductString);
    if (!product.empty()) std::fprintf(out, "%s.\n\n", cell(product).c_str());
    std::fprintf(out, "Latency %d samples; %d input(s), %d output(s).\n\n", plugin.latency(), plugin.numInputs(),
                 plugin.numOutputs());
    writeParameters(plugin, out);
    writePrograms(plugin, out);
}

}  // namespace host
