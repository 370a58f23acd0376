#include "host/audio_file_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>

#include "host/host_error.h"

namespace host {

int outputFormatFor(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension.empty() || extension == ".wav") return SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    if (extension == ".flac") return SF_FORMAT_FLAC | SF_FORMAT_PCM_24;
    if (extension == ".aif" || extension == ".aiff") return SF_FORMAT_AIFF | SF_FORMAT_FLOAT;
    if (extension == ".ogg" || extension == ".oga") return SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    throw HostError("cannot write '" + path + "': unknown format '" + extension +
                    "' (use .wav, .flac, .aiff or .ogg)");
}

AudioFileWriter::AudioFileWriter(const std::string& path, int channels, int sampleRate) : path_(path) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = sampleRate;
    info.format = outputFormatFor(path);
    if (!sf_format_check(&info)) {
        throw HostError("cannot write '" + path + "': the format does not take " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRate) + " Hz");
    }
    std::filesystem::path target(path);
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".tarn-" + std::to_string(getpid()) + ".tmp";
    temporaryPath_ = (target.parent_path() / hiddenName).string();
    file_ = sf_open(temporaryPath_.c_str(), SFM_WRITE, &info);
    if (file_ == nullptr) {
        throw HostError("cannot write '" + path + "': " + sf_strerror(nullptr));
    }
    // integer formats clip instead of wrapping around
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() {
    if (!committed_) discard();
}

void AudioFileWriter::write(const float* interleaved, int64_t frames) {
    if (sf_writef_float(file_, interleaved, frames) != frames) {
        throw HostError("cannot write '" + path_ + "': " + sf_strerror(file_));
    }
}

void AudioFileWriter::commit() {
    int status = sf_close(file_);
    file_ = nullptr;
    if (status != 0) throw HostError("cannot write '" + path_ + "': " + sf_error_number(status));
    std::error_code error;
    std::filesystem::rename(temporaryPath_, path_, error);
    if (error) throw HostError("cannot write '" + path_ + "': " + error.message());
    committed_ = true;
}

void AudioFileWriter::discard() noexcept {
    if (file_ != nullptr) sf_close(file_);
    file_ = nullptr;
    std::remove(temporaryPath_.c_str());
}

}  // namespace host
