// An audio file read through libsndfile (WAV, FLAC, AIFF, OGG and the rest it knows).
#pragma once

#include <sndfile.h>

#include <string>

#include "host/audio_source.h"

namespace host {

class AudioFileReader : public AudioSource {
public:
    // Throws HostError when the file cannot be read, libsndfile's reason last.
    explicit AudioFileReader(const std::string& path);
    ~AudioFileReader() override;
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    int channels() const override { return info_.channels; }
    double sampleRate() const override { return info_.samplerate; }
    int64_t frames() const override { return info_.frames; }
    int64_t read(float* interleaved, int64_t count) override;

private:
    std::string path_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
};

}  // namespace host
