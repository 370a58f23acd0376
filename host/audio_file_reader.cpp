#include "host/audio_file_reader.h"

#include "host/file_checks.h"
#include "host/host_error.h"

namespace host {

AudioFileReader::AudioFileReader(const std::string& path) : path_(path) {
    checkReadableFile(path);
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (file_ == nullptr) {
        throw HostError("cannot read '" + path + "': not an audio file tarn can read (libsndfile: " +
                        sf_strerror(nullptr) + ")");
    }
    if (info_.channels < 1 || info_.samplerate < 1) {
        sf_close(file_);
        file_ = nullptr;
        throw HostError("cannot read '" + path + "': no audio in it");
    }
}

AudioFileReader::~AudioFileReader() {
    if (file_ != nullptr) sf_close(file_);
}

int64_t AudioFileReader::read(float* interleaved, int64_t count) {
    sf_count_t got = sf_readf_float(file_, interleaved, count);
    if (got == 0 && sf_error(file_) != SF_ERR_NO_ERROR) {
        throw HostError("cannot read '" + path_ + "' (libsndfile: " + sf_strerror(file_) + ")");
    }
    return got;
}

}  // namespace host
