// Writes an audio file under a temporary name and renames it into place only
// on commit, so that a failed or interrupted render never leaves a
// half-written file behind. It keeps count of what the file holds: its peak,
// and the samples a fixed-point format clipped at full scale.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

namespace host {

// The libsndfile format for a file name: .wav (32-bit float), .flac (24-bit),
// .aif/.aiff (32-bit float), .ogg (Vorbis); no extension means 32-bit float
// WAV. Throws HostError for any other extension.
int outputFormatFor(const std::string& path);

// A short name for the format, as in "24-bit FLAC".
std::string formatName(int format);

class AudioFileWriter {
public:
    // Throws HostError when the file cannot be created.
    AudioFileWriter(const std::string& path, int channels, int sampleRate);
    ~AudioFileWriter();  // without commit: removes the temporary file
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const float* interleaved, int64_t frames);
    // Closes the file and moves it to its final name.
    void commit();

    int format() const noexcept { return format_; }
    // Linear peak of the samples as the file holds them, after any clipping.
    double writtenPeak() const noexcept { return writtenPeak_; }
    int64_t clippedSamples() const noexcept { return clippedSamples_; }
    int64_t samplesWritten() const noexcept { return samplesWritten_; }

private:
    void discard() noexcept;

    std::string path_;
    std::string temporaryPath_;
    SNDFILE* file_ = nullptr;
    int format_ = 0;
    int channels_ = 0;
    bool holdsAboveFullScale_ = true;
    bool committed_ = false;
    double writtenPeak_ = 0;
    int64_t clippedSamples_ = 0;
    int64_t samplesWritten_ = 0;
};

}  // namespace host
