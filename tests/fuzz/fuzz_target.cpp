// The libFuzzer target: the first byte chooses Brisker, Glister, Rumbler or Emberon,
// the rest is a script of host actions (host_script.h).
#include <cstddef>
#include <cstdint>

#include "tests/fuzz/host_script.h"

namespace {
fuzz::FuzzSettings gSettings;
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    gSettings = fuzz::settingsFromEnvironment();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::runInput(data, size, gSettings);
    return 0;
}
