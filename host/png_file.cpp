#include "host/png_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "host/host_error.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace host {

void writePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb) {
    std::filesystem::path target(path);
    std::string hiddenName = ".";
    hiddenName += target.filename().string();
    hiddenName += ".tarn-" + std::to_string(getpid()) + ".tmp";
    std::string temporary = (target.parent_path() / hiddenName).string();
    if (!stbi_write_png(temporary.c_str(), width, height, 3, rgb.data(), width * 3)) {
        std::remove(temporary.c_str());
        throw HostError("cannot write '" + path + "'");
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::remove(temporary.c_str());
        throw HostError("cannot write '" + path + "': " + error.message());
    }
}

}  // namespace host
