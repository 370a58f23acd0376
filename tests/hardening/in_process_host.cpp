#include "tests/hardening/in_process_host.h"

#include <cstring>

namespace hardening {

void HostAnswers::reset() noexcept {
    blockSize = 0;
    outputLatency = 0;
    reportsConnections = false;
    input2Connected = true;
    sizesWindow = false;
    automateCalls = 0;
    idleCalls = 0;
}

HostAnswers& hostAnswers() noexcept {
    static HostAnswers answers;
    return answers;
}

VstIntPtr VSTCALLBACK inProcessHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float) {
    HostAnswers& a = hostAnswers();
    switch (opcode) {
        case audioMasterAutomate: ++a.automateCalls; return 0;
        case audioMasterVersion: return 2400;
        case audioMasterIdle: ++a.idleCalls; return 0;
        case audioMasterPinConnected:
            // 0 answers connected
            return value == 0 && index == 1 && !a.input2Connected ? 1 : 0;
        case audioMasterGetBlockSize: return a.blockSize;
        case audioMasterGetOutputLatency: return a.outputLatency;
        case audioMasterCanDo: {
            const auto* what = static_cast<const char*>(ptr);
            if (!what) return 0;
            if (std::strcmp(what, "reportConnectionChanges") == 0) return a.reportsConnections ? 1 : 0;
            if (std::strcmp(what, "sizeWindow") == 0) return a.sizesWindow ? 1 : 0;
            return 0;
        }
        case audioMasterSizeWindow: return a.sizesWindow ? 1 : 0;
        case audioMasterUpdateDisplay:
        case audioMasterBeginEdit:
        case audioMasterEndEdit: return 1;
        default: return 0;
    }
}

}  // namespace hardening
