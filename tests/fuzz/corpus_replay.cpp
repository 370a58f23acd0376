// Plays fuzz inputs without libFuzzer, for builds made with any compiler:
// tarn_fuzz_replay FILE|FOLDER... runs each file (folders recursively) as the fuzz
// target would, and fails the way it does (an abort) at the first fault.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/fuzz/host_script.h"

namespace {

int replay(const std::filesystem::path& file, const fuzz::FuzzSettings& settings) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        std::fprintf(stderr, "tarn_fuzz_replay: cannot read %s\n", file.c_str());
        return 1;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    fuzz::runInput(bytes.data(), bytes.size(), settings);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarn_fuzz_replay FILE|FOLDER...\n");
        return 2;
    }
    const fuzz::FuzzSettings settings = fuzz::settingsFromEnvironment();
    int failures = 0, played = 0;
    for (int a = 1; a < argc; ++a) {
        const std::filesystem::path path(argv[a]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(path)) {
            for (const auto& entry : std::filesystem::recursive_directory_iterator(path))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(path);
        }
        for (const auto& file : files) {
            failures += replay(file, settings);
            ++played;
        }
    }
    std::printf("tarn_fuzz_replay: %d inputs played\n", played);
    return failures > 0 || played == 0 ? 1 : 0;
}
