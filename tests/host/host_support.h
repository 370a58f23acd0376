// What the host tests share: a scratch folder, WAV files written and read
// back with libsndfile, and running the tarn executable.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace host::test {

struct Audio {
    int channels = 0;
    int sampleRate = 0;
    std::vector<float> samples;  // interleaved
    size_t frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    float at(size_t frame, int channel) const { return samples[frame * static_cast<size_t>(channels) + static_cast<size_t>(channel)]; }
};

// Writes a 32-bit float WAV whose sample for each frame and channel comes from signal.
void writeWav(const std::filesystem::path& path, int channels, int sampleRate, size_t frames,
              const std::function<float(size_t frame, int channel)>& signal);
Audio readAudio(const std::filesystem::path& path);

struct TarnRun {
    int exitCode = -1;
    std::string output;  // stdout and stderr together
};
// Runs tarn with the arguments (a shell fragment), optionally prefixed by
// environment settings such as "TARN_PLUGIN_DIR=/x".
TarnRun runTarn(const std::string& arguments, const std::string& environment = "");
std::string quoted(const std::filesystem::path& path);

// A fresh folder per test, removed afterwards.
class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path file(const std::string& name) const { return dir_ / name; }
    // Every file in the folder, temporary ones included.
    std::vector<std::string> listing() const;

    std::filesystem::path dir_;
};

// A test input: a sine and noise, different per channel.
float testSignal(size_t frame, int channel);

}  // namespace host::test
