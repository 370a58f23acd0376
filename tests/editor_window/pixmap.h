// The pixels of an editor as the window tests pass them between platforms: a binary
// PPM file (P6), which any viewer opens.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace editor_window {

struct Pixmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
};

bool writePpm(const std::string& path, const Pixmap& image, std::string& error);
bool readPpm(const std::string& path, Pixmap& image, std::string& error);

// One line on how two pictures differ; empty when they are the same.
std::string describeDifference(const Pixmap& expected, const Pixmap& actual);

}  // namespace editor_window
