// The pixels of an editor as the window tests pass them between platforms (a binary
// PPM file, P6, which any viewer opens), and the values both platforms show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/vst2.h"

namespace editor_window {

struct Pixmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
};

bool writePpm(const std::string& path, const Pixmap& image, std::string& error);
bool readPpm(const std::string& path, Pixmap& image, std::string& error);

// One line on how two pictures differ; empty when they are the same.
std::string describeDifference(const Pixmap& expected, const Pixmap& actual);

// Sets every parameter away from its default, each to its own value ((7i + 3) mod 11) / 10,
// as the cross-platform renders' "spread" settings do.
void setSpread(AEffect* effect);

}  // namespace editor_window
