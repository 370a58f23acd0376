#include <cmath>
#include <cstdio>
#include <memory>

#include "host/audio_file_reader.h"
#include "host/command_line.h"
#include "host/commands.h"
#include "host/demo_signal.h"
#include "host/file_checks.h"
#include "host/host_error.h"
#include "host/plugin_locator.h"
#include "host/plugin_settings.h"
#include "host/level_meter.h"
#include "host/renderer.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn render PLUGIN [IN] OUT [options]\n"
    "\n"
    "Streams IN (WAV, FLAC, AIFF, OGG; mono or stereo) through the plug-in block\n"
    "by block into OUT. Without IN the built-in demo signal is used. OUT's\n"
    "extension picks its format: .wav 32-bit float (also without extension),\n"
    ".flac 24-bit, .aiff 32-bit float, .ogg Vorbis. OUT appears only when the\n"
    "render succeeds, and never replaces IN. A mono file feeds the left input;\n"
    "the plug-in is told that the second input is not connected.\n"
    "\n"
    "24-bit FLAC cannot hold samples beyond full scale: tarn clips them, says\n"
    "how many on stderr, and the summary gives the peak the file holds.\n"
    "\n"
    "  --program NAME|INDEX  select a program the plug-in offers to hosts\n"
    "  --set NAME=VALUE      set a parameter (name or index) to VALUE in 0..1;\n"
    "                        repeatable, applied after --program\n"
    "  --block N             frames per processing call, 1..65536 (512)\n"
    "  --rate HZ             sample rate of the demo signal (44100); with IN it\n"
    "                        must equal the file's rate (tarn does not resample)\n"
    "  --keep-latency        keep the plug-in's delay: OUT starts with it and is\n"
    "                        that much longer than IN. By default the delay is\n"
    "                        compensated and OUT has IN's length.\n";

constexpr int kMinRate = 8000;
constexpr int kMaxRate = 384000;

std::unique_ptr<AudioSource> openSource(const CommandLine& line, const std::string* inputPath) {
    int rate = line.intValue("rate", 44100, kMinRate, kMaxRate);
    if (inputPath == nullptr) return std::make_unique<DemoSignal>(rate);
    auto reader = std::make_unique<AudioFileReader>(*inputPath);
    if (line.has("rate") && std::lround(reader->sampleRate()) != rate) {
        throw HostError("'" + *inputPath + "' is at " + std::to_string(std::lround(reader->sampleRate())) +
                        " Hz, not --rate " + std::to_string(rate) + "; tarn does not resample");
    }
    return reader;
}

void warnClipped(const AudioFileWriter& writer, const std::string& path, double renderedPeak) {
    double share = 100.0 * static_cast<double>(writer.clippedSamples()) / static_cast<double>(writer.samplesWritten());
    std::fflush(stdout);
    std::fprintf(stderr,
                 "tarn: warning: %lld of %lld samples (%.2f%%) clipped at full scale in '%s': the plug-in's "
                 "output peaks at %+.1f dBFS, %s holds at most 0 dBFS (write .wav or .aiff to keep them)\n",
                 static_cast<long long>(writer.clippedSamples()), static_cast<long long>(writer.samplesWritten()),
                 share, path.c_str(), toDbfs(renderedPeak), formatName(writer.format()).c_str());
}

}  // namespace

int runRender(const Args& args) {
    CommandLine line("render", args,
                     {{"program", true}, {"set", true}, {"block", true}, {"rate", true}, {"keep-latency", false}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    const auto& positional = line.positional();
    if (positional.size() < 2 || positional.size() > 3) {
        throw HostError("tarn render takes PLUGIN [IN] OUT (see tarn render --help)", kExitUsage);
    }
    RenderOptions options;
    options.blockSize = line.intValue("block", 512, 1, kMaxBlockSize);
    options.keepLatency = line.has("keep-latency");
    const std::string& outputPath = positional.back();
    // bad output paths fail before any work
    outputFormatFor(outputPath);
    checkWritableFile(outputPath);
    if (positional.size() == 3) checkDistinctFiles(positional[1], outputPath);

    std::unique_ptr<AudioSource> source = openSource(line, positional.size() == 3 ? &positional[1] : nullptr);
    std::unique_ptr<Plugin> plugin = Plugin::load(locatePlugin(positional[0]));
    checkRoute(*plugin, *source);
    if (line.has("program")) selectProgram(*plugin, line.value("program"));
    for (const std::string& setting : line.values("set")) applySetting(*plugin, setting);

    AudioFileWriter writer(outputPath, outputChannels(*plugin), static_cast<int>(std::lround(source->sampleRate())));
    options.progressLabel = "rendering " + outputPath;
    RenderStats stats = render(*plugin, *source, writer, options);
    writer.commit();
    if (writer.clippedSamples() > 0) warnClipped(writer, outputPath, stats.outputPeak);
    std::printf("%s: %lld frames, %d channel(s), latency %d %s, peak %.1f dBFS%s\n", outputPath.c_str(),
                static_cast<long long>(stats.outputFrames), outputChannels(*plugin), stats.latency,
                options.keepLatency ? "kept" : "compensated", toDbfs(writer.writtenPeak()),
                writer.clippedSamples() > 0 ? " (clipped)" : "");
    return 0;
}

}  // namespace host
