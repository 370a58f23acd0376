#include "host/renderer.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "host/host_error.h"
#include "host/level_meter.h"
#include "host/progress_bar.h"

namespace host {

std::atomic<bool> renderInterrupted{false};

namespace {

// Planar buffers for every pin of the plug-in plus the interleaved file blocks.
struct Buffers {
    Buffers(int inputPins, int outputPins, int fileInChannels, int fileOutChannels, int blockSize)
        : inputs(static_cast<size_t>(inputPins), std::vector<float>(static_cast<size_t>(blockSize))),
          outputs(static_cast<size_t>(outputPins), std::vector<float>(static_cast<size_t>(blockSize))),
          fileIn(static_cast<size_t>(fileInChannels * blockSize)),
          fileOut(static_cast<size_t>(fileOutChannels * blockSize)) {
        for (auto& channel : inputs) inputPointers.push_back(channel.data());
        for (auto& channel : outputs) outputPointers.push_back(channel.data());
    }
    std::vector<std::vector<float>> inputs, outputs;
    std::vector<float*> inputPointers, outputPointers;
    std::vector<float> fileIn, fileOut;
};

// Fills the plug-in's inputs from the first frames of the interleaved block;
// pins without a file channel and frames past got stay silent.
void deinterleave(Buffers& buffers, int channels, int64_t got, int64_t frames) {
    for (size_t pin = 0; pin < buffers.inputs.size(); ++pin) {
        float* out = buffers.inputs[pin].data();
        for (int64_t i = 0; i < frames; ++i) {
            bool present = static_cast<int>(pin) < channels && i < got;
            out[i] = present ? buffers.fileIn[static_cast<size_t>(i * channels + static_cast<int>(pin))] : 0.0f;
        }
    }
}

void interleave(Buffers& buffers, int channels, int64_t from, int64_t frames) {
    for (int channel = 0; channel < channels; ++channel) {
        const float* in = buffers.outputs[static_cast<size_t>(channel)].data();
        for (int64_t i = 0; i < frames; ++i) {
            buffers.fileOut[static_cast<size_t>(i * channels + channel)] = in[from + i];
        }
    }
}

}  // namespace

int outputChannels(const Plugin& plugin) { return std::min(plugin.numOutputs(), 2); }

void checkRoute(const Plugin& plugin, const AudioSource& source) {
    if (plugin.numOutputs() < 1) throw HostError("the plug-in has no audio outputs");
    if (source.channels() > 2) {
        throw HostError("the input has " + std::to_string(source.channels()) +
                        " channels; tarn renders mono and stereo files only");
    }
    if (source.channels() > plugin.numInputs()) {
        throw HostError("the input has " + std::to_string(source.channels()) + " channels but the plug-in only " +
                        std::to_string(plugin.numInputs()) + " inputs");
    }
}

RenderStats render(Plugin& plugin, AudioSource& source, AudioFileWriter& writer, const RenderOptions& options) {
    const int channels = source.channels();
    const int outChannels = outputChannels(plugin);
    const int blockSize = options.blockSize;
    plugin.hostState().connectedInputs = channels;
    plugin.hostState().connectedOutputs = outChannels;
    plugin.configure(static_cast<float>(source.sampleRate()), blockSize);
    plugin.resume();

    RenderStats stats;
    stats.latency = std::max(plugin.latency(), 0);
    Buffers buffers(std::max(plugin.numInputs(), 2), std::max(plugin.numOutputs(), 2), channels, outChannels,
                    blockSize);
    LevelMeter inputMeter, outputMeter;
    ProgressBar progress(options.progressLabel, source.frames());
    int64_t toSkip = options.keepLatency ? 0 : stats.latency;
    int64_t flushLeft = stats.latency;
    bool sourceDone = false;
    auto start = std::chrono::steady_clock::now();
    while (true) {
        if (renderInterrupted.load(std::memory_order_relaxed)) throw HostError("interrupted; nothing written");
        int64_t got = sourceDone ? 0 : source.read(buffers.fileIn.data(), blockSize);
        sourceDone = sourceDone || got < blockSize;
        int64_t pad = std::min<int64_t>(blockSize - got, flushLeft);
        flushLeft -= pad;
        int64_t frames = got + pad;
        if (frames == 0) break;
        inputMeter.add(buffers.fileIn.data(), got, channels);
        stats.inputFrames += got;
        deinterleave(buffers, channels, got, frames);
        plugin.process(buffers.inputPointers.data(), buffers.outputPointers.data(), static_cast<VstInt32>(frames));
        int64_t skipped = std::min(toSkip, frames);
        toSkip -= skipped;
        interleave(buffers, outChannels, skipped, frames - skipped);
        writer.write(buffers.fileOut.data(), frames - skipped);
        outputMeter.add(buffers.fileOut.data(), frames - skipped, outChannels);
        stats.outputFrames += frames - skipped;
        progress.update(stats.inputFrames);
    }
    std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    plugin.suspend();

    stats.inputPeak = inputMeter.peak();
    stats.inputRms = inputMeter.rms();
    stats.outputPeak = outputMeter.peak();
    stats.outputRms = outputMeter.rms();
    double audioSeconds = static_cast<double>(stats.inputFrames) / source.sampleRate();
    stats.realTimeFactor = elapsed.count() > 0 ? audioSeconds / elapsed.count() : 0.0;
    return stats;
}

}  // namespace host
