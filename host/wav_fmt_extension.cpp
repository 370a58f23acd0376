#include "host/wav_fmt_extension.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "host/host_error.h"

namespace host {
namespace {

// RIFF header, then "fmt " with its size and 16 bytes of format.
constexpr off_t kFmtSizeAt = 16;
constexpr off_t kFmtEnd = 36;
constexpr uint16_t kFormatIeeeFloat = 3;
constexpr size_t kMoveBlock = 1 << 20;

uint32_t readU32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void writeU32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

class File {
public:
    explicit File(const std::string& path) : path_(path), fd_(open(path.c_str(), O_RDWR)) {
        if (fd_ < 0) fail();
    }
    ~File() {
        if (fd_ >= 0) close(fd_);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    off_t size() {
        struct stat info {};
        if (fstat(fd_, &info) != 0) fail();
        return info.st_size;
    }
    void read(void* data, size_t count, off_t at) {
        if (pread(fd_, data, count, at) != static_cast<ssize_t>(count)) fail();
    }
    void write(const void* data, size_t count, off_t at) {
        if (pwrite(fd_, data, count, at) != static_cast<ssize_t>(count)) fail();
    }

private:
    [[noreturn]] void fail() {
        throw HostError("cannot write '" + path_ + "': " + std::strerror(errno != 0 ? errno : EIO));
    }
    std::string path_;
    int fd_;
};

}  // namespace

void addFmtExtension(const std::string& path) {
    File file(path);
    off_t size = file.size();
    if (size < kFmtEnd) return;
    unsigned char header[kFmtEnd];
    file.read(header, sizeof header, 0);
    uint32_t riffSize = readU32(header + 4);
    uint16_t formatTag = static_cast<uint16_t>(header[20] | header[21] << 8);
    bool floatWav = std::memcmp(header, "RIFF", 4) == 0 && std::memcmp(header + 8, "WAVEfmt ", 8) == 0 &&
                    readU32(header + kFmtSizeAt) == 16 && formatTag == kFormatIeeeFloat;
    if (!floatWav || riffSize > UINT32_MAX - 2) return;

    // move everything after the fmt chunk up by two bytes, last block first
    std::vector<unsigned char> block(kMoveBlock);
    for (off_t end = size; end > kFmtEnd;) {
        size_t count = static_cast<size_t>(std::min<off_t>(end - kFmtEnd, static_cast<off_t>(kMoveBlock)));
        off_t from = end - static_cast<off_t>(count);
        file.read(block.data(), count, from);
        file.write(block.data(), count, from + 2);
        end = from;
    }
    const unsigned char noExtension[2] = {0, 0};
    file.write(noExtension, 2, kFmtEnd);
    writeU32(header + 4, riffSize + 2);
    writeU32(header + kFmtSizeAt, 18);
    file.write(header, sizeof header, 0);
}

}  // namespace host
