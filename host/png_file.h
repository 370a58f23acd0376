// Writes an RGB picture as a PNG file, under a temporary name renamed into
// place once complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace host {

// rgb: rows top to bottom, three bytes a pixel. Throws HostError on failure.
void writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

}  // namespace host
