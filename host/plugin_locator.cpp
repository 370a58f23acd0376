#include "host/plugin_locator.h"

#include <algorithm>
#include <cctype>
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

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The module in folder whose file name is one of the candidates: spelled
// exactly, else in any case ("Brisker" finds tarn_brisker.so).
std::string findIn(const std::filesystem::path& folder, const std::vector<std::string>& candidates) {
    std::error_code error;
    for (const std::string& file : candidates) {
        std::filesystem::path path = folder / file;
        if (std::filesystem::is_regular_file(path, error)) return path.string();
    }
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return {};
    std::vector<std::string> wanted;
    for (const std::string& file : candidates) wanted.push_back(lowered(file));
    std::vector<std::string> found;
    for (const auto& entry : entries) {
        std::string name = lowered(entry.path().filename().string());
        if (std::find(wanted.begin(), wanted.end(), name) != wanted.end() && entry.is_regular_file(error)) {
            found.push_back(entry.path().string());
        }
    }
    // the directory's order is arbitrary: pick the same one every time
    std::sort(found.begin(), found.end());
    return found.empty() ? std::string() : found.front();
}

}  // namespace

std::vector<std::string> pluginSearchPath() {
    std::vector<std::string> folders;
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    folders.push_back(buildDir != nullptr && *buildDir != '\0' ? buildDir : TARN_BUILD_PLUGIN_DIR);
    // as in most Linux hosts, a VST_PATH that is set is the whole list
    if (const char* vstPath = std::getenv("VST_PATH")) {
        appendPathList(folders, vstPath);
        return folders;
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        folders.push_back(std::string(home) + "/.vst");
    }
    folders.push_back("/usr/local/lib/vst");
    folders.push_back("/usr/lib/vst");
    return folders;
}

std::string findPlugin(const std::string& shortName) {
    const std::vector<std::string> candidates = {shortName + ".so", "tarn_" + shortName + ".so",
                                                 shortName + "-vst.so"};
    for (const std::string& folder : pluginSearchPath()) {
        std::string found = findIn(folder, candidates);
        if (!found.empty()) return found;
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
