// HostScript: one byte-coded sequence of host actions played against a plug-in built
// in-process, as a host could drive it: dispatcher calls with any opcode and
// arguments (pointer arguments are buffers of exactly the size the interface promises,
// or null), parameter values, both processing entries with blocks of 0 to 8192 frames,
// sample-rate changes between suspend and resume, program commands, and the editor
// opened headless, idled, clicked, dragged, turned by the wheel and closed.
//
// Faults it finds itself (memory and undefined behaviour are the sanitizers'):
// - a non-finite output sample from either processing entry, whatever the input and
//   the parameter values. The plug-ins take non-finite input samples as silence and
//   hold parameter values to their ranges, so neither excuses one. processAccumulate
//   adds onto finite content within full scale; processReplacing writes over NaN, so
//   an output sample it leaves unwritten shows as a fault too.
// - a text written into a host buffer without its terminating zero.
// Each is described on stderr, then the process aborts so that the fuzzer keeps the input.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "frame/vst2.h"
#include "tests/fuzz/byte_reader.h"
#include "tests/hardening/plugin_kinds.h"

namespace hardening {
class EditorDriver;
}

namespace fuzz {

// A well-behaved host sends parameter values within 0..1 and input within full
// scale; a broken one sends any float for both, and null or negative blocks.
enum class HostKind { broken, wellBehaved };

class HostScript {
public:
    static constexpr int kMaxActions = 1024;
    static constexpr int64_t kMaxFrames = 1 << 17;  // per script, about 3 s at 44.1 kHz

    HostScript(const hardening::PluginKind& kind, HostKind host);
    ~HostScript();
    HostScript(const HostScript&) = delete;
    HostScript& operator=(const HostScript&) = delete;

    // Plays the actions until the input runs out, then closes the plug-in.
    void run(ByteReader& in);

private:
    void open();
    void close();
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f);

    void act(ByteReader& in);
    void dispatchAny(ByteReader& in);
    void process(ByteReader& in, bool accumulate);
    void changeRate(ByteReader& in);
    void programCommand(ByteReader& in);
    void setParameter(ByteReader& in);
    void setAllParameters(ByteReader& in);
    void flipSwitch(ByteReader& in);
    void drag(ByteReader& in);
    void wheel(ByteReader& in);
    void key(ByteReader& in);
    void setHostAnswers(ByteReader& in);

    float parameterValue(ByteReader& in);
    int blockFrames(ByteReader& in);
    void fillSignal(ByteReader& in, float* left, float* right, int frames);
    [[noreturn]] void fail(const std::string& what) const;
    void checkText(VstInt32 opcode, const unsigned char* text, size_t size) const;

    const hardening::PluginKind& kind_;
    HostKind host_;
    AEffect* effect_ = nullptr;
    std::unique_ptr<hardening::EditorDriver> editor_;
    int action_ = 0;
    int64_t framesLeft_ = kMaxFrames;
    uint32_t noise_ = 0x9E3779B9u;
};

// What the fuzzer's environment asks for: TARN_FUZZ_HOST=well-behaved|broken and
// TARN_FUZZ_PLUGIN=NAME (only inputs whose first byte chooses NAME run).
struct FuzzSettings {
    HostKind host = HostKind::broken;
    const hardening::PluginKind* only = nullptr;
};
FuzzSettings settingsFromEnvironment();

// The whole fuzz target: the first byte chooses the plug-in, the rest is the script.
void runInput(const uint8_t* data, size_t size, const FuzzSettings& settings);

}  // namespace fuzz
