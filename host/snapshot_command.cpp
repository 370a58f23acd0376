#include <algorithm>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "host/audio_file_reader.h"
#include "host/command_line.h"
#include "host/commands.h"
#include "host/demo_signal.h"
#include "host/editor_window.h"
#include "host/file_checks.h"
#include "host/host_error.h"
#include "host/plugin_locator.h"
#include "host/plugin_settings.h"
#include "host/png_file.h"
#include "host/renderer.h"

namespace host {
namespace {

constexpr const char* kHelp =
    "usage: tarn snapshot PLUGIN OUT.png [IN] [options]\n"
    "\n"
    "Opens the plug-in's editor in a window of its own on the X display, plays IN\n"
    "(or the built-in demo signal) through the plug-in in real time so that its\n"
    "meters move, and writes the window's pixels to OUT.png. Needs an X display:\n"
    "without one, run it under a virtual one with  xvfb-run -a tarn snapshot ...\n"
    "\n"
    "  --set NAME=VALUE  set a parameter (name or index) to VALUE in 0..1; repeatable\n"
    "  --seconds S       seconds of audio before the picture, 0..600 (2); 0 shows\n"
    "                    the editor at rest\n";

constexpr int kBlockSize = 512;
constexpr double kMaxSeconds = 600.0;
// Idle calls after the last block, so that the editor draws what it last read.
constexpr int kSettleIdles = 5;
constexpr auto kIdleSpacing = std::chrono::milliseconds(10);

double secondsOption(const CommandLine& line) {
    if (!line.has("seconds")) return 2.0;
    std::string text = line.value("seconds");
    char* end = nullptr;
    double seconds = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(seconds >= 0.0 && seconds <= kMaxSeconds)) {
        throw HostError("--seconds takes a number from 0 to 600, not '" + text + "'", kExitUsage);
    }
    return seconds;
}

void checkPngName(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension != ".png") throw HostError("tarn snapshot writes PNG files: OUT must end in .png", kExitUsage);
}

// Plays seconds of source through the plug-in at the pace of the audio,
// giving the editor its idle between blocks as a host's UI thread would.
void play(Plugin& plugin, AudioSource& source, EditorWindow& window, double seconds) {
    const int channels = source.channels();
    const auto total = static_cast<int64_t>(seconds * source.sampleRate());
    std::vector<std::vector<float>> inputs(static_cast<size_t>(std::max(plugin.numInputs(), 2)),
                                           std::vector<float>(kBlockSize));
    std::vector<std::vector<float>> outputs(static_cast<size_t>(std::max(plugin.numOutputs(), 2)),
                                            std::vector<float>(kBlockSize));
    std::vector<float*> inputPointers, outputPointers;
    for (auto& channel : inputs) inputPointers.push_back(channel.data());
    for (auto& channel : outputs) outputPointers.push_back(channel.data());
    std::vector<float> interleaved(static_cast<size_t>(channels * kBlockSize));

    const auto start = std::chrono::steady_clock::now();
    for (int64_t played = 0; played < total;) {
        if (renderInterrupted.load(std::memory_order_relaxed)) throw HostError("interrupted; nothing written");
        int64_t got = source.read(interleaved.data(), std::min<int64_t>(kBlockSize, total - played));
        if (got == 0) break;
        for (size_t pin = 0; pin < inputs.size(); ++pin) {
            for (int64_t i = 0; i < got; ++i) {
                bool present = static_cast<int>(pin) < channels;
                inputs[pin][static_cast<size_t>(i)] =
                    present ? interleaved[static_cast<size_t>(i * channels + static_cast<int>(pin))] : 0.0f;
            }
        }
        plugin.process(inputPointers.data(), outputPointers.data(), static_cast<VstInt32>(got));
        played += got;
        const std::chrono::duration<double> audioTime(static_cast<double>(played) / source.sampleRate());
        do {
            window.idle();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        } while (std::chrono::steady_clock::now() - start < audioTime);
    }
}

}  // namespace

int runSnapshot(const Args& args) {
    CommandLine line("snapshot", args, {{"set", true}, {"seconds", true}});
    if (line.helpRequested()) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    const auto& positional = line.positional();
    if (positional.size() < 2 || positional.size() > 3) {
        throw HostError("tarn snapshot takes PLUGIN OUT.png [IN] (see tarn snapshot --help)", kExitUsage);
    }
    const std::string& outputPath = positional[1];
    checkPngName(outputPath);
    checkWritableFile(outputPath);
    double seconds = secondsOption(line);

    std::unique_ptr<AudioSource> source;
    if (positional.size() == 3) {
        checkDistinctFiles(positional[2], outputPath);
        source = std::make_unique<AudioFileReader>(positional[2]);
    } else {
        source = std::make_unique<DemoSignal>();
    }
    std::unique_ptr<Plugin> plugin = Plugin::load(locatePlugin(positional[0]));
    checkRoute(*plugin, *source);
    for (const std::string& setting : line.values("set")) applySetting(*plugin, setting);

    plugin->hostState().connectedInputs = source->channels();
    plugin->hostState().connectedOutputs = outputChannels(*plugin);
    plugin->configure(static_cast<float>(source->sampleRate()), kBlockSize);
    plugin->resume();
    WindowPixels pixels;
    {
        std::unique_ptr<EditorWindow> window = EditorWindow::open(*plugin);
        play(*plugin, *source, *window, seconds);
        for (int i = 0; i < kSettleIdles; ++i) {
            window->idle();
            std::this_thread::sleep_for(kIdleSpacing);
        }
        pixels = window->capture();
    }
    plugin->suspend();
    writePng(outputPath, pixels.width, pixels.height, pixels.rgb);
    std::string played = positional.size() == 3 ? "'" + positional[2] + "'" : "the demo signal";
    std::printf("%s: %d x %d, the editor of %s after %.1f s of %s\n", outputPath.c_str(), pixels.width,
                pixels.height, plugin->displayName().c_str(), seconds, played.c_str());
    return 0;
}

}  // namespace host
