#include <cctype>
#include <cstdio>
#include <filesystem>

#include "host/command_line.h"
#include "host/commands.h"
#include "host/demo_presets.h"
#include "host/demo_signal.h"
#include "host/host_error.h"
#include "host/level_meter.h"
#include "host/plugin_locator.h"
#include "host/plugin_settings.h"
#include "host/renderer.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn demo [OUTDIR] [--block N]\n"
    "\n"
    "Renders the built-in demo signal (8 s of drums, bass, a voice-like tone and\n"
    "hiss) through every Tarn plug-in that is built, with a few factory programs\n"
    "each, into OUTDIR (out/demo): demo-input.wav and one WAV per render. Prints\n"
    "a table per plug-in: program, input and output peak and RMS in dBFS,\n"
    "latency and real-time factor; \"!\" marks an output above full scale\n"
    "(0 dBFS). Plug-ins that are not built are skipped.\n"
    "\n"
    "  --block N  frames per processing call, 1..65536 (512)\n";

std::string slug(const std::string& text) {
    std::string out;
    for (unsigned char c : text) out += std::isalnum(c) ? static_cast<char>(std::tolower(c)) : '-';
    return out;
}

void writeDryInput(const std::string& path) {
    DemoSignal signal;
    AudioFileWriter writer(path, signal.channels(), static_cast<int>(signal.sampleRate()));
    std::vector<float> block(2 * 4096);
    while (int64_t got = signal.read(block.data(), 4096)) writer.write(block.data(), got);
    writer.commit();
}

// Selects the program by name if the plug-in lets hosts select it, else
// applies the preset's settings; answers whether it used the settings.
bool applyPreset(Plugin& plugin, const DemoPreset& preset) {
    for (const ProgramEntry& program : listPrograms(plugin)) {
        if (program.selectable && program.name == preset.program) {
            selectProgram(plugin, std::to_string(program.index));
            return false;
        }
    }
    for (const auto& [name, value] : preset.settings) {
        try {
            plugin.setParam(findParameter(plugin, name), value);
        } catch (const HostError& error) {
            std::printf("  warning: %s\n", error.what());
        }
    }
    return true;
}

// Answers whether the output went above full scale.
bool printRow(const std::string& program, const RenderStats& stats) {
    bool over = stats.outputPeak > 1.0;
    std::printf("  %-26s %8.1f %8.1f %9.1f%s %7.1f %8d %7.0fx\n", program.c_str(), toDbfs(stats.inputPeak),
                toDbfs(stats.inputRms), toDbfs(stats.outputPeak), over ? "!" : " ", toDbfs(stats.outputRms),
                stats.latency, stats.realTimeFactor);
    return over;
}

struct DemoNotes {
    bool usedSettings = false;
    bool overFullScale = false;
};

// Renders every preset of one plug-in.
void renderPlugin(const DemoPlugin& demo, const std::string& path, const std::filesystem::path& outDir,
                  int blockSize, DemoNotes& notes) {
    std::printf("\n%s  (%s)\n", demo.title, path.c_str());
    std::printf("  %-26s %8s %8s %9s %8s %8s %8s\n", "program", "in peak", "in RMS", "out peak", "out RMS",
                "latency", "speed");
    for (const DemoPreset& preset : demo.presets) {
        std::unique_ptr<Plugin> plugin = Plugin::load(path);
        bool bySettings = applyPreset(*plugin, preset);
        notes.usedSettings = notes.usedSettings || bySettings;
        std::string outPath = (outDir / (std::string(demo.shortName) + "-" + slug(preset.program) + ".wav")).string();
        DemoSignal signal;
        checkRoute(*plugin, signal);
        AudioFileWriter writer(outPath, outputChannels(*plugin), static_cast<int>(signal.sampleRate()));
        RenderOptions options;
        options.blockSize = blockSize;
        options.progressLabel = preset.program;
        RenderStats stats = render(*plugin, signal, writer, options);
        writer.commit();
        if (printRow(std::string(preset.program) + (bySettings ? " *" : ""), stats)) notes.overFullScale = true;
    }
}

}  // namespace

int runDemo(const Args& args) {
    CommandLine line("demo", args, {{"block", true}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (line.positional().size() > 1) throw HostError("tarn demo takes at most one OUTDIR", kExitUsage);
    int blockSize = line.intValue("block", 512, 1, kMaxBlockSize);
    std::filesystem::path outDir = line.positional().empty() ? "out/demo" : line.positional()[0];
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    if (error) throw HostError("cannot create '" + outDir.string() + "': " + error.message());

    writeDryInput((outDir / "demo-input.wav").string());
    std::printf("demo signal: %s\n", (outDir / "demo-input.wav").string().c_str());
    int rendered = 0;
    DemoNotes notes;
    for (const DemoPlugin& demo : demoPlugins()) {
        std::string path = findPlugin(demo.shortName);
        if (path.empty()) {
            std::printf("\n%s  not built, skipped\n", demo.title);
            continue;
        }
        renderPlugin(demo, path, outDir, blockSize, notes);
        ++rendered;
    }
    if (notes.usedSettings) {
        std::printf("\n* the plug-in lets hosts select only its current program: the factory program's\n"
                    "  values were applied as parameter settings instead\n");
    }
    if (notes.overFullScale) {
        std::printf("\n! the output goes above full scale (0 dBFS): the 32-bit float WAV keeps it, but a\n"
                    "  fixed-point export (16/24-bit WAV or FLAC, a CD) would clip it\n");
    }
    if (rendered == 0) throw HostError("no Tarn plug-in is built (see tarn render --help for the folders searched)");
    std::printf("\nWAVs in %s\n", outDir.string().c_str());
    return 0;
}

}  // namespace host
