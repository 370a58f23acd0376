#include "tests/crossplatform/raw_audio.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

namespace crossplatform {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;
}  // namespace

std::string readRaw(const std::string& path, Stereo& out) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file) return "cannot open " + path;
    std::vector<unsigned char> bytes;
    unsigned char chunk[65536];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(file.get())) return "cannot read " + path;
    if (bytes.empty()) return path + " holds no audio";
    if (bytes.size() % (2 * sizeof(float)) != 0) return path + " is not whole stereo frames of 32-bit floats";
    std::vector<float> interleaved(bytes.size() / sizeof(float));
    std::memcpy(interleaved.data(), bytes.data(), bytes.size());
    const size_t frames = interleaved.size() / 2;
    out.left.resize(frames);
    out.right.resize(frames);
    for (size_t i = 0; i < frames; ++i) {
        out.left[i] = interleaved[2 * i];
        out.right[i] = interleaved[2 * i + 1];
    }
    return {};
}

std::string writeRaw(const std::string& path, const Stereo& audio) {
    if (audio.left.size() != audio.right.size()) return "channels of different lengths";
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return "cannot create " + path;
    std::vector<float> interleaved(audio.size() * 2);
    for (size_t i = 0; i < audio.size(); ++i) {
        interleaved[2 * i] = audio.left[i];
        interleaved[2 * i + 1] = audio.right[i];
    }
    if (std::fwrite(interleaved.data(), sizeof(float), interleaved.size(), file.get()) != interleaved.size())
        return "cannot write " + path;
    if (std::fclose(file.release()) != 0) return "cannot write " + path;
    return {};
}

Difference compareAudio(const Stereo& a, const Stereo& b) {
    Difference d;
    const std::vector<float>* as[2] = {&a.left, &a.right};
    const std::vector<float>* bs[2] = {&b.left, &b.right};
    for (int c = 0; c < 2; ++c) {
        for (size_t i = 0; i < as[c]->size() && i < bs[c]->size(); ++i) {
            const double x = (*as[c])[i], y = (*bs[c])[i];
            if (std::isnan(x) || std::isnan(y)) {
                if (std::isnan(x) != std::isnan(y)) d.nanMismatch = true;
                continue;
            }
            d.peak = std::fmax(d.peak, std::fmax(std::fabs(x), std::fabs(y)));
            // equal infinities compare equal; an infinity against a number does not
            const double diff = x == y ? 0.0 : std::fabs(x - y);
            if (diff > d.largest) {
                d.largest = diff;
                d.frame = i;
                d.channel = c;
            }
        }
    }
    return d;
}

}  // namespace crossplatform
