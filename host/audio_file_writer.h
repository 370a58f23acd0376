// Writes an audio file under a temporary name and renames it into place only
// on commit, so that a failed or interrupted render never leaves a
// half-written file behind.
#pragma once

#include <sndfile.h>

#include <cstdint>
#include <string>

namespace host {

// The libsndfile format for a file name: .wav (32-bit float), .flac (24-bit),
// .aif/.aiff (32-bit float), .ogg (Vorbis); no extension means 32-bit float
// WAV. Throws HostError for any other extension.
int outputFormatFor(const std::string& path);

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

private:
    void discard() noexcept;

    std::string path_;
    std::string temporaryPath_;
    SNDFILE* file_ = nullptr;
    bool committed_ = false;
};

}  // namespace host
