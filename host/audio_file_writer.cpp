#include "host/audio_file_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include "host/file_checks.h"
#include "host/host_error.h"
#include "host/wav_fmt_extension.h"

namespace host {
namespace {

bool isFloatWav(int format) {
    return (format & SF_FORMAT_TYPEMASK) == SF_FORMAT_WAV && (format & SF_FORMAT_SUBMASK) == SF_FORMAT_FLOAT;
}

// Float and Vorbis data keep levels past full scale; PCM cannot.
bool fixedPoint(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32: return true;
    default: return false;
    }
}

}  // namespace

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

std::string formatName(int format) {
    std::string depth;
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_16: depth = "16-bit "; break;
    case SF_FORMAT_PCM_24: depth = "24-bit "; break;
    case SF_FORMAT_FLOAT: depth = "32-bit float "; break;
    default: break;
    }
    switch (format & SF_FORMAT_TYPEMASK) {
    case SF_FORMAT_WAV: return depth + "WAV";
    case SF_FORMAT_FLAC: return depth + "FLAC";
    case SF_FORMAT_AIFF: return depth + "AIFF";
    case SF_FORMAT_OGG: return "Ogg Vorbis";
    default: return "audio";
    }
}

AudioFileWriter::AudioFileWriter(const std::string& path, int channels, int sampleRate)
    : path_(path), format_(outputFormatFor(path)), channels_(channels), holdsAboveFullScale_(!fixedPoint(format_)) {
    SF_INFO info{};
    info.channels = channels;
    info.samplerate = sampleRate;
    info.format = format_;
    if (!sf_format_check(&info)) {
        throw HostError("cannot write '" + path + "': the format does not take " + std::to_string(channels) +
                        " channels at " + std::to_string(sampleRate) + " Hz");
    }
    checkWritableFile(path);
    std::filesystem::path target(path);
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".tarn-" + std::to_string(getpid()) + ".tmp";
    temporaryPath_ = (target.parent_path() / hiddenName).string();
    file_ = sf_open(temporaryPath_.c_str(), SFM_WRITE, &info);
    if (file_ == nullptr) {
        throw HostError("cannot write '" + path + "' (libsndfile: " + sf_strerror(nullptr) + ")");
    }
    // integer formats clip instead of wrapping around
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter() {
    if (!committed_) discard();
}

void AudioFileWriter::write(const float* interleaved, int64_t frames) {
    if (sf_writef_float(file_, interleaved, frames) != frames) {
        throw HostError("cannot write '" + path_ + "' (libsndfile: " + sf_strerror(file_) + ")");
    }
    const int64_t count = frames * channels_;
    for (int64_t i = 0; i < count; ++i) {
        double level = std::fabs(static_cast<double>(interleaved[i]));
        if (level > 1.0 && !holdsAboveFullScale_) {
            ++clippedSamples_;
            level = 1.0;
        }
        writtenPeak_ = std::max(writtenPeak_, level);
    }
    samplesWritten_ += count;
}

void AudioFileWriter::commit() {
    int status = sf_close(file_);
    file_ = nullptr;
    if (status != 0) throw HostError("cannot write '" + path_ + "' (libsndfile: " + sf_error_number(status) + ")");
    if (isFloatWav(format_)) addFmtExtension(temporaryPath_);
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
