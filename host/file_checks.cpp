#include "host/file_checks.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "host/host_error.h"

namespace host {
namespace {

namespace fs = std::filesystem;

// strerror's text starting in lower case, to continue a sentence.
std::string reason(int error) {
    std::string text = std::strerror(error);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

}  // namespace

void checkReadableFile(const std::string& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) throw HostError("cannot read '" + path + "': no such file");
    if (fs::is_directory(status)) throw HostError("cannot read '" + path + "': it is a folder, not an audio file");
    if (access(path.c_str(), R_OK) != 0) throw HostError("cannot read '" + path + "': " + reason(errno));
}

void checkWritableFile(const std::string& path) {
    fs::path target(path);
    std::error_code error;
    if (!target.has_filename() || fs::is_directory(target, error)) {
        throw HostError("cannot write '" + path + "': it is a folder; give a file name");
    }
    fs::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    if (!fs::is_directory(folder, error)) {
        throw HostError("cannot write '" + path + "': there is no folder '" + folder.string() + "'");
    }
    // the file is made under a temporary name in the same folder, then renamed
    if (access(folder.c_str(), W_OK | X_OK) != 0) {
        throw HostError("cannot write '" + path + "': folder '" + folder.string() + "': " + reason(errno));
    }
}

void checkDistinctFiles(const std::string& input, const std::string& output) {
    std::error_code error;
    if (fs::equivalent(input, output, error)) {
        throw HostError("'" + output + "' is the input file itself; tarn never writes over its input "
                        "(give OUT another name)");
    }
}

}  // namespace host
