// Writes a surface as a PNG file, for people to look at what a frame drew.
#pragma once

#include <string>

#include "gui/surface.h"

namespace gui {

// False (with a reason in error) when the file cannot be written.
bool writePng(const Surface& surface, const std::string& path, std::string* error = nullptr);

}  // namespace gui
