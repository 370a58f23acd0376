#include <cstdio>
#include <string>

#include "host/command_line.h"
#include "host/commands.h"
#include "host/host_error.h"
#include "host/parameter_reference.h"
#include "host/plugin.h"
#include "host/plugin_locator.h"
#include "host/plugin_settings.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn info PLUGIN [--set NAME=VALUE ...] [--markdown]\n"
    "\n"
    "Prints the plug-in's identity (name, vendor, product, unique ID, version),\n"
    "inputs and outputs, latency, flags, every parameter (index, name, value,\n"
    "display text, label) and every program name. Programs past the ones a host\n"
    "can select are listed separately: tarn can only name them.\n"
    "\n"
    "  --set NAME=VALUE  set a parameter (name or index) to VALUE in 0..1 first,\n"
    "                    to see what the plug-in displays for it; repeatable\n"
    "  --markdown        print a reference page instead: each parameter's display\n"
    "                    text at 0, 0.1, ... 1, and the program names\n";

std::string fourCharacters(VstInt32 id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((static_cast<uint32_t>(id) >> shift) & 0xFF);
        text += (c >= 0x20 && c < 0x7F) ? c : '.';
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<uint32_t>(id));
    return "'" + text + "' (" + hex + ")";
}

std::string flagWords(VstInt32 flags) {
    static const std::pair<VstInt32, const char*> kWords[] = {
        {effFlagsHasEditor, "editor"},          {effFlagsHasClip, "clip"},
        {effFlagsHasVu, "vu"},                  {effFlagsCanMono, "mono"},
        {effFlagsCanReplacing, "replacing"},    {effFlagsProgramChunks, "program-chunks"},
        {effFlagsIsSynth, "synth"},             {effFlagsNoSoundInStop, "no-sound-in-stop"},
        {effFlagsCanDoubleReplacing, "double-replacing"}};
    std::string words;
    VstInt32 known = 0;
    for (auto [bit, word] : kWords) {
        known |= bit;
        if ((flags & bit) != 0) words += (words.empty() ? "" : ", ") + std::string(word);
    }
    if ((flags & ~known) != 0) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", static_cast<uint32_t>(flags & ~known));
        words += (words.empty() ? "other bits " : ", other bits ") + std::string(hex);
    }
    return words.empty() ? "none" : words;
}

const char* categoryName(VstIntPtr category) {
    static const char* const kNames[] = {"unknown",     "effect",        "synth",  "analysis",
                                         "mastering",   "spatializer",   "room fx", "surround fx",
                                         "restoration", "offline process", "shell", "generator"};
    return category >= 0 && category < static_cast<VstIntPtr>(std::size(kNames)) ? kNames[category] : "unknown";
}

void printIdentity(Plugin& plugin) {
    AEffect* effect = plugin.effect();
    std::printf("file        %s\n", plugin.path().c_str());
    std::printf("name        %s\n", plugin.text(effGetEffectName).c_str());
    std::printf("vendor      %s\n", plugin.text(effGetVendorString).c_str());
    std::printf("product     %s\n", plugin.text(effGetProductString).c_str());
    std::printf("unique ID   %s\n", fourCharacters(effect->uniqueID).c_str());
    std::printf("version     %d (vendor version %ld)\n", effect->version,
                static_cast<long>(plugin.dispatch(effGetVendorVersion)));
    std::printf("VST version %ld\n", static_cast<long>(plugin.dispatch(effGetVstVersion)));
    std::printf("category    %s\n", categoryName(plugin.dispatch(effGetPlugCategory)));
    std::printf("inputs      %d\n", effect->numInputs);
    std::printf("outputs     %d\n", effect->numOutputs);
    std::printf("latency     %d samples\n", effect->initialDelay);
    std::printf("flags       %s\n", flagWords(effect->flags).c_str());
}

void printParameters(Plugin& plugin) {
    std::printf("\nparameters  %d\n", plugin.numParams());
    if (plugin.numParams() > 0) std::printf("  %5s  %-24s %-9s %-16s %s\n", "index", "name", "value", "display", "label");
    for (int index = 0; index < plugin.numParams(); ++index) {
        std::printf("  %5d  %-24s %-9.6f %-16s %s\n", index, plugin.paramName(index).c_str(), plugin.param(index),
                    plugin.paramDisplay(index).c_str(), plugin.paramLabel(index).c_str());
    }
}

void printPrograms(Plugin& plugin) {
    std::vector<ProgramEntry> programs = listPrograms(plugin);
    std::printf("\nprograms    %d\n", plugin.numPrograms());
    bool noted = false;
    for (const ProgramEntry& program : programs) {
        if (!program.selectable && !noted) {
            std::printf("further program names (not selectable through the VST 2 interface)\n");
            noted = true;
        }
        std::printf("  %5d  %s\n", program.index, program.name.c_str());
    }
}

}  // namespace

int runInfo(const Args& args) {
    CommandLine line("info", args, {{"set", true}, {"markdown", false}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (line.positional().size() != 1) throw HostError("tarn info takes one PLUGIN (see tarn info --help)", kExitUsage);
    std::unique_ptr<Plugin> plugin = Plugin::load(locatePlugin(line.positional()[0]));
    for (const std::string& setting : line.values("set")) applySetting(*plugin, setting);
    if (line.has("markdown")) {
        writeParameterReference(*plugin, stdout);
        return 0;
    }
    printIdentity(*plugin);
    printParameters(*plugin);
    printPrograms(*plugin);
    return 0;
}

}  // namespace host
