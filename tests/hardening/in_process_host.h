// A host callback for plug-ins driven in-process, safe from any thread: it answers
// from a few settings and counts what the plug-in reported. One per process.
#pragma once

#include <atomic>

#include "frame/vst2.h"

namespace hardening {

struct HostAnswers {
    std::atomic<VstIntPtr> blockSize{0};      // audioMasterGetBlockSize; 0 is no answer
    std::atomic<VstIntPtr> outputLatency{0};  // audioMasterGetOutputLatency
    std::atomic<bool> reportsConnections{false};
    std::atomic<bool> input2Connected{true};
    std::atomic<bool> sizesWindow{false};
    std::atomic<long> automateCalls{0};
    std::atomic<long> idleCalls{0};

    // Back to the answers above, counts to zero.
    void reset() noexcept;
};

HostAnswers& hostAnswers() noexcept;

VstIntPtr VSTCALLBACK inProcessHost(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                    float opt);

}  // namespace hardening
