#include "gui/surface_png.h"

#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace gui {

bool writePng(const Surface& surface, const std::string& path, std::string* error) {
    if (surface.width() <= 0 || surface.height() <= 0) {
        if (error) *error = "the surface is empty";
        return false;
    }
    std::vector<unsigned char> rgb(static_cast<size_t>(surface.width()) * surface.height() * 3);
    unsigned char* out = rgb.data();
    for (int y = 0; y < surface.height(); ++y)
        for (const uint32_t* p = surface.row(y); p != surface.row(y) + surface.width(); ++p) {
            *out++ = static_cast<unsigned char>(*p >> 16);
            *out++ = static_cast<unsigned char>(*p >> 8);
            *out++ = static_cast<unsigned char>(*p);
        }
    if (!stbi_write_png(path.c_str(), surface.width(), surface.height(), 3, rgb.data(), surface.width() * 3)) {
        if (error) *error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace gui
