#include "pixmap.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace editor_window {

bool writePpm(const std::string& path, const Pixmap& image, std::string& error) {
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << image.width << ' ' << image.height << "\n255\n";
    for (uint32_t p : image.pixels) {
        const char rgb[3] = {static_cast<char>(p >> 16), static_cast<char>(p >> 8), static_cast<char>(p)};
        out.write(rgb, 3);
    }
    if (!out.flush()) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

bool readPpm(const std::string& path, Pixmap& image, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> image.width >> image.height >> maxValue;
    in.get();  // the one whitespace before the pixels
    if (!in || magic != "P6" || maxValue != 255 || image.width <= 0 || image.height <= 0 ||
        image.width > 16384 || image.height > 16384) {
        error = path + " is not a binary PPM picture of 8-bit channels";
        return false;
    }
    image.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    for (uint32_t& p : image.pixels) {
        unsigned char rgb[3];
        if (!in.read(reinterpret_cast<char*>(rgb), 3)) {
            error = path + " ends before its last pixel";
            return false;
        }
        p = (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | rgb[2];
    }
    return true;
}

std::string describeDifference(const Pixmap& expected, const Pixmap& actual) {
    std::ostringstream out;
    if (expected.width != actual.width || expected.height != actual.height) {
        out << "sizes differ: " << expected.width << "x" << expected.height << " expected, " << actual.width << "x"
            << actual.height << " seen";
        return out.str();
    }
    size_t count = 0;
    int left = expected.width, top = expected.height, right = -1, bottom = -1, firstX = 0, firstY = 0;
    for (int y = 0; y < expected.height; ++y)
        for (int x = 0; x < expected.width; ++x) {
            const size_t i = static_cast<size_t>(y) * static_cast<size_t>(expected.width) + static_cast<size_t>(x);
            if (expected.pixels[i] == actual.pixels[i]) continue;
            if (count++ == 0) firstX = x, firstY = y;
            left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        }
    if (count == 0) return "";
    const size_t first = static_cast<size_t>(firstY) * static_cast<size_t>(expected.width) + static_cast<size_t>(firstX);
    char colours[64];
    std::snprintf(colours, sizeof colours, "%06x expected, %06x seen", static_cast<unsigned>(expected.pixels[first]),
                  static_cast<unsigned>(actual.pixels[first]));
    out << count << " pixels differ, within (" << left << ", " << top << ")-(" << right << ", " << bottom
        << "); the first at (" << firstX << ", " << firstY << "): " << colours;
    return out.str();
}

void setSpread(AEffect* effect) {
    for (VstInt32 i = 0; i < effect->numParams; ++i)
        effect->setParameter(effect, i, static_cast<float>((i * 7 + 3) % 11) / 10.0f);
}

}  // namespace editor_window
