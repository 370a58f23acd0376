#include "host/plugin_locator.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "host/host_error.h"

namespace host {
namespace {

bool isPath(const std::string& name) {
    return name.find('/') != std::string::npos ||
           (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0);
}

void appendPathList(std::vector<std::string>& folders, const char* list) {
    if (list == nullptr) return;
    std::stringstream stream(list);
    std::string folder;
    while (std::getline(stream, folder, ':')) {
        if (!folder.empty()) folders.push_back(folder);
    }
}

}  // namespace

std::vector<std::string> pluginSearchPath() {
    std::vector<std::string> folders;
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    folders.push_back(buildDir != nullptr && *buildDir != '\0' ? buildDir : TARN_BUILD_PLUGIN_DIR);
    appendPathList(folders, std::getenv("VST_PATH"));
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folders.push_back(std::string(home) + "/.vst");
    }
    folders.push_back("/usr/local/lib/vst");
    folders.push_back("/usr/lib/vst");
    return folders;
}

std::string findPlugin(const std::string& shortName) {
    const std::string candidates[] = {shortName + ".so", "tarn_" + shortName + ".so", shortName + "-vst.so"};
    for (const std::string& folder : pluginSearchPath()) {
        for (const std::string& file : candidates) {
            std::filesystem::path path = std::filesystem::path(folder) / file;
            std::error_code error;
            if (std::filesystem::is_regular_file(path, error)) return path.string();
        }
    }
    return {};
}

std::string locatePlugin(const std::string& name) {
    if (name.empty()) throw HostError("no plug-in given", kExitUsage);
    if (isPath(name)) return name;
    std::string found = findPlugin(name);
    if (!found.empty()) return found;
    std::string folders;
    for (const std::string& folder : pluginSearchPath()) folders += (folders.empty() ? "" : ", ") + folder;
    throw HostError("no plug-in named '" + name + "' in " + folders);
}

}  // namespace host
