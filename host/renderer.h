// Streams a source through a plug-in block by block into a file, with the
// plug-in's reported latency compensated. Memory does not grow with the
// length of the source.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "host/audio_file_writer.h"
#include "host/audio_source.h"
#include "host/plugin.h"

namespace host {

inline constexpr int kMaxBlockSize = 65536;

struct RenderOptions {
    int blockSize = 512;
    // Keep the plug-in's delay: the output starts with its latency and is that
    // much longer than the input. Otherwise it lines up with the input and has
    // its length.
    bool keepLatency = false;
    std::string progressLabel = "rendering";
};

struct RenderStats {
    int64_t inputFrames = 0;
    int64_t outputFrames = 0;
    int latency = 0;
    double inputPeak = 0, inputRms = 0, outputPeak = 0, outputRms = 0;  // linear
    double realTimeFactor = 0;  // seconds of audio per second of rendering
};

// Set from a signal handler; a render in progress stops and writes nothing.
extern std::atomic<bool> renderInterrupted;

// Channels the output file gets from this plug-in: its outputs, at most two.
int outputChannels(const Plugin& plugin);

// Checks that the plug-in can take the source; throws HostError otherwise.
void checkRoute(const Plugin& plugin, const AudioSource& source);

// Configures and resumes the plug-in (parameters are set before), streams the
// source through it into writer and suspends it again. The stream the plug-in
// sees is the source followed by latency frames of silence, in blocks of
// blockSize frames, the last one shorter.
RenderStats render(Plugin& plugin, AudioSource& source, AudioFileWriter& writer, const RenderOptions& options);

}  // namespace host
