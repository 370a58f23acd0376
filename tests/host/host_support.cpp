#include "host_support.h"

#include <sndfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>

namespace host::test {

void writeWav(const std::filesystem::path& path, int channels, int sampleRate, size_t frames,
              const std::function<float(size_t, int)>& signal) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = sampleRate;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    std::vector<float> samples(frames * static_cast<size_t>(channels));
    for (size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) samples[i * static_cast<size_t>(channels) + static_cast<size_t>(c)] = signal(i, c);
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(frames));
    sf_close(file);
}

Audio readAudio(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    Audio audio;
    if (file == nullptr) {
        ADD_FAILURE() << "cannot read " << path << ": " << sf_strerror(nullptr);
        return audio;
    }
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(file, audio.samples.data(), info.frames);
    sf_close(file);
    return audio;
}

std::string quoted(const std::filesystem::path& path) {
    std::string out(1, '\'');
    out += path.string();
    out += '\'';
    return out;
}

TarnRun runTarn(const std::string& arguments, const std::string& environment) {
    std::string command = environment + " " + quoted(TARN_EXECUTABLE) + " " + arguments + " 2>&1";
    TarnRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void ScratchTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name) {
        if (c == '/') c = '-';
    }
    dir_ = std::filesystem::temp_directory_path() / ("tarn-" + std::to_string(getpid()) + "-" + name);
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
}

void ScratchTest::TearDown() { std::filesystem::remove_all(dir_); }

std::vector<std::string> ScratchTest::listing() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

float testSignal(size_t frame, int channel) {
    double t = static_cast<double>(frame) / 44100.0;
    uint32_t x = static_cast<uint32_t>(frame * 2654435761u + static_cast<uint32_t>(channel) * 40503u);
    x ^= x >> 15;
    x *= 2246822519u;
    x ^= x >> 13;
    double noise = static_cast<double>(x) / 4294967296.0 - 0.5;
    return static_cast<float>(0.5 * std::sin(2.0 * M_PI * (220.0 + 110.0 * channel) * t) + 0.2 * noise);
}

}  // namespace host::test
