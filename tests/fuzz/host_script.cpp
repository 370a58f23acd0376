#include "tests/fuzz/host_script.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <vector>

#include "frame/effect_base.h"
#include "tests/fuzz/pointer_arguments.h"
#include "tests/hardening/editor_driver.h"
#include "tests/hardening/in_process_host.h"

namespace fuzz {
namespace {

enum Action : uint8_t {
    kDispatch,
    kSetParameter,
    kAllParameters,
    kSwitch,
    kGetParameter,
    kReplacing,
    kAccumulate,
    kRateChange,
    kProgram,
    kEditorOpen,
    kEditorIdle,
    kDrag,
    kWheel,
    kKey,
    kEditorClose,
    kHostAnswers,
    kReopen,
    kActionCount
};

constexpr float kNiceValues[] = {0.0f, 1.0f, 0.5f, 0.25f, 0.75f, 0.1f, 0.9f, 0.001f, 0.999f, 1.0f / 3.0f};
constexpr float kEdgeValues[] = {NAN,      INFINITY,  -INFINITY, -0.0f, 1e-45f, -1.0f, 2.0f,   3.7e8f,
                                 -3.7e8f,  FLT_MAX,   -FLT_MAX,  1e-38f, 1.0000001f, -1e-7f, 1e30f, 0.5f};
constexpr float kRates[] = {1.0f,     8000.0f,   11025.0f,  19999.0f,  20000.0f,  22050.0f,
                            32000.0f, 44100.0f,  48000.0f,  88200.0f,  96000.0f,  176400.0f,
                            192000.0f, 200000.0f, 200001.0f, 352800.0f, 384000.0f, 768000.0f};
constexpr int kBlocks[] = {0,   1,   2,    3,    7,    16,   31,   64,   100,  128,  255,
                           256, 511, 512,  1000, 1023, 1024, 2048, 4095, 4096, 8191, 8192};

float anyFloat(ByteReader& in) {
    switch (in.byte() % 4) {
        case 0: return 0.0f;
        case 1: return static_cast<float>(in.small());
        case 2: return kEdgeValues[in.below(std::size(kEdgeValues))];
        default: return in.rawFloat();
    }
}

VstInt32 anyIndex(ByteReader& in) {
    const uint8_t mode = in.byte();
    if (mode < 0xC0) return static_cast<VstInt32>(mode % 48) - 4;
    return static_cast<VstInt32>(in.u32());
}

VstIntPtr anyValue(ByteReader& in) {
    const uint8_t mode = in.byte();
    if (mode < 0xB0) return static_cast<VstIntPtr>(mode % 64) - 8;
    if (mode < 0xE0) return static_cast<VstIntPtr>(static_cast<int32_t>(in.u32()));
    return static_cast<VstIntPtr>(in.u64());
}

uint32_t nextNoise(uint32_t& state) noexcept {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// -1 .. 1
float noiseSample(uint32_t& state) noexcept {
    return static_cast<float>(static_cast<int32_t>(nextNoise(state))) / 2147483648.0f;
}

}  // namespace

HostScript::HostScript(const hardening::PluginKind& kind, HostKind host) : kind_(kind), host_(host) {
    hardening::hostAnswers().reset();
    open();
}

HostScript::~HostScript() { close(); }

void HostScript::open() {
    effect_ = hardening::openInProcess(kind_, hardening::inProcessHost);
    if (!effect_) fail("the plug-in could not be built");
    editor_ = std::make_unique<hardening::EditorDriver>(effect_);
}

void HostScript::close() {
    if (!effect_) return;
    editor_.reset();
    AEffect* closing = effect_;
    effect_ = nullptr;
    // effClose with the editor still open, when the script left it so
    if (closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f) != 1) fail("effClose did not answer 1");
}

VstIntPtr HostScript::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

void HostScript::fail(const std::string& what) const {
    std::fprintf(stderr, "\ntarn fuzz: %s, action %d: %s\n", kind_.name, action_, what.c_str());
    if (effect_) {
        std::fprintf(stderr, "tarn fuzz: parameter values:");
        for (VstInt32 i = 0; i < effect_->numParams; ++i)
            std::fprintf(stderr, " %d=%.9g", i, static_cast<double>(effect_->getParameter(effect_, i)));
        std::fprintf(stderr, "\n");
    }
    std::abort();
}

void HostScript::checkText(VstInt32 opcode, const unsigned char* text, size_t size) const {
    if (size == 0 || text[0] == PointerArguments::kTextFill) return;  // nothing written
    if (std::memchr(text, 0, size) == nullptr)
        fail("opcode " + std::to_string(opcode) + " left its text without a terminating zero in " +
             std::to_string(size) + " bytes");
}

void HostScript::run(ByteReader& in) {
    for (action_ = 0; action_ < kMaxActions && !in.empty(); ++action_) act(in);
    close();
}

void HostScript::act(ByteReader& in) {
    switch (static_cast<Action>(in.byte() % kActionCount)) {
        case kDispatch: dispatchAny(in); break;
        case kSetParameter: setParameter(in); break;
        case kAllParameters: setAllParameters(in); break;
        case kSwitch: flipSwitch(in); break;
        case kGetParameter: {
            const float v = effect_->getParameter(effect_, anyIndex(in));
            if (std::isnan(v)) fail("getParameter answered NaN");
            break;
        }
        case kReplacing: process(in, false); break;
        case kAccumulate: process(in, true); break;
        case kRateChange: changeRate(in); break;
        case kProgram: programCommand(in); break;
        case kEditorOpen: editor_->open(); break;
        case kEditorIdle: editor_->idle(); break;
        case kDrag: drag(in); break;
        case kWheel: wheel(in); break;
        case kKey: key(in); break;
        case kEditorClose: editor_->close(); break;
        case kHostAnswers: setHostAnswers(in); break;
        case kReopen:
            close();
            open();
            break;
        case kActionCount: break;
    }
}

// ---- parameters and programs ------------------------------------------------

float HostScript::parameterValue(ByteReader& in) {
    const uint8_t mode = in.byte();
    switch (mode % 4) {
        case 0: return static_cast<float>(in.byte()) / 255.0f;
        case 1: return kNiceValues[in.below(std::size(kNiceValues))];
        default:
            if (host_ == HostKind::wellBehaved) return static_cast<float>(in.u16()) / 65535.0f;
            return mode % 4 == 2 ? in.rawFloat() : kEdgeValues[in.below(std::size(kEdgeValues))];
    }
}

void HostScript::setParameter(ByteReader& in) {
    const uint8_t mode = in.byte();
    // mostly the host's own parameters, sometimes any index
    const VstInt32 index = mode < 0xF0 && effect_->numParams > 0 ? mode % (effect_->numParams + 4) : anyIndex(in);
    effect_->setParameter(effect_, index, parameterValue(in));
}

void HostScript::setAllParameters(ByteReader& in) {
    for (VstInt32 i = 0; i < effect_->numParams; ++i) effect_->setParameter(effect_, i, parameterValue(in));
}

void HostScript::flipSwitch(ByteReader& in) {
    frame::EffectBase* base = frame::EffectBase::fromRecord(effect_);
    const auto switches = base->identity().switches;
    if (switches.empty()) return;
    const frame::SwitchStep& s = switches[in.below(switches.size())];
    const float steps[] = {0.0f, s.step, 1.0f, 1.0f - s.step};
    effect_->setParameter(effect_, s.index, steps[in.below(std::size(steps))]);
}

void HostScript::programCommand(ByteReader& in) {
    frame::EffectBase* base = frame::EffectBase::fromRecord(effect_);
    const int entry = in.small();
    switch (in.byte() % 7) {
        case 0: dispatch(effSetProgram, 0, entry); break;
        case 1: base->pickProgram(entry); break;
        case 2: base->stepProgram(entry, in.small()); break;
        case 3: base->storeMemo(in.byte() % 4, entry); break;
        case 4: base->recallMemo(in.byte() % 4); break;
        case 5: dispatch(effCopyProgram, entry); break;
        default: {
            VstIntPtr value = 0;
            PointerArguments name(effSetProgramName, in, value);
            dispatch(effSetProgramName, 0, 0, name.pointer());
            break;
        }
    }
}

// ---- the host's calls ---------------------------------------------------------

void HostScript::dispatchAny(ByteReader& in) {
    const uint8_t pick = in.byte();
    const VstInt32 opcode = pick < 0xE0 ? pick % 80 : static_cast<VstInt32>(in.u32());
    switch (opcode) {
        case effClose:
            close();
            open();
            return;
        case effEditOpen: editor_->open(); return;  // headless: no parent window
        case effEditClose: editor_->close(); return;
        default: break;
    }
    const VstInt32 index = anyIndex(in);
    VstIntPtr value = anyValue(in);
    const float opt = anyFloat(in);
    const bool null = in.byte() % 8 == 0;
    PointerArguments arguments(opcode, in, value);
    if (null) arguments.dropPointers(opcode, value);
    void* ptr = arguments.pointer();
    const VstIntPtr answer = dispatch(opcode, index, value, ptr, opt);
    if (!ptr) return;
    checkText(opcode, static_cast<unsigned char*>(ptr), arguments.textBytes());
    // what the plug-in hands out must be readable
    if (opcode == effEditGetRect) {
        const auto* rect = *static_cast<ERect**>(ptr);
        if (rect && (rect->right < rect->left || rect->bottom < rect->top)) fail("effEditGetRect gave an inverted rectangle");
    } else if (opcode == effGetChunk && answer > 0) {
        const auto* chunk = *static_cast<unsigned char**>(ptr);
        if (!chunk) fail("effGetChunk answered a size without data");
        std::vector<unsigned char> copy(chunk, chunk + answer);
    }
}

void HostScript::changeRate(ByteReader& in) {
    const uint8_t mode = in.byte();
    const float rate = mode < 0xA0 ? kRates[mode % std::size(kRates)] : static_cast<float>(1 + in.u32() % 768000);
    dispatch(effMainsChanged, 0, 0);
    dispatch(effSetSampleRate, 0, 0, nullptr, rate);
    if (mode & 1) dispatch(effSetBlockSize, 0, kBlocks[in.below(std::size(kBlocks))]);
    dispatch(effMainsChanged, 0, 1);
}

void HostScript::setHostAnswers(ByteReader& in) {
    static constexpr VstIntPtr kAnswers[] = {0, -1, 1, 64, 512, 1023, 8192, 1 << 20, 0x7FFFFFFF, -0x7FFFFFFF};
    hardening::HostAnswers& a = hardening::hostAnswers();
    a.blockSize = kAnswers[in.below(std::size(kAnswers))];
    a.outputLatency = kAnswers[in.below(std::size(kAnswers))];
    const uint8_t flags = in.byte();
    a.reportsConnections = flags & 1;
    a.input2Connected = flags & 2;
    a.sizesWindow = flags & 4;
}

// ---- audio ------------------------------------------------------------------

int HostScript::blockFrames(ByteReader& in) {
    const uint8_t mode = in.byte();
    if (mode < 0xC0) return kBlocks[mode % std::size(kBlocks)];
    return static_cast<int>(in.u16() % 8193);
}

// Legend: each block is one kind of signal, from plain silence to what only a broken
// host sends (non-finite samples, finite ones far beyond full scale, any bit pattern).
void HostScript::fillSignal(ByteReader& in, float* left, float* right, int frames) {
    const uint8_t kind = in.byte();
    const uint8_t shape = in.byte();
    const bool broken = host_ == HostKind::broken;
    uint32_t& s = noise_;
    s ^= static_cast<uint32_t>(shape) * 0x01000193u + 1;
    const float level = shape >= 128 ? 1.0f : std::pow(10.0f, -static_cast<float>(shape % 121) / 20.0f);
    const int period = 2 + (shape % 64) * 7;
    std::vector<float> raw;
    for (int i = 0; i < frames; ++i) {
        float l = 0.0f, r = 0.0f;
        switch (kind % 12) {
            case 0: break;  // silence
            case 1:
                l = level * noiseSample(s);
                r = level * noiseSample(s);
                break;
            case 2: l = r = (i % period) < period / 2 ? 1.0f : -1.0f; break;  // full-scale square
            case 3: l = r = level * std::sin(0.0625f * static_cast<float>(shape + 1) * static_cast<float>(i)); break;
            case 4: l = r = (i % (period * 16)) == 0 ? 1.0f : 0.0f; break;
            case 5: l = r = level * ((shape & 1) ? 1.0f : -1.0f); break;
            case 6: l = r = (nextNoise(s) & 1 ? 1.0f : -1.0f) * 1e-40f; break;  // denormals
            case 7:  // noise with non-finite samples
                l = noiseSample(s);
                r = noiseSample(s);
                if (broken && nextNoise(s) % 16 == 0) l = kEdgeValues[nextNoise(s) % 4];
                if (broken && nextNoise(s) % 16 == 0) r = kEdgeValues[nextNoise(s) % 4];
                break;
            case 8:  // finite, far beyond full scale
                if (broken) {
                    l = (nextNoise(s) & 1 ? 1.0f : -1.0f) * std::pow(10.0f, 3.0f + static_cast<float>(nextNoise(s) % 36));
                    r = noiseSample(s) * 1e9f;
                } else {
                    l = r = (i % period) < period / 2 ? level : -level;
                }
                break;
            case 9:  // any bit pattern, 64 samples repeated
                if (raw.empty())
                    for (int k = 0; k < 128; ++k) raw.push_back(in.rawFloat());
                l = raw[static_cast<size_t>(2 * (i % 64))];
                r = raw[static_cast<size_t>(2 * (i % 64) + 1)];
                if (!broken) {
                    l = std::isfinite(l) ? std::fmax(-1.0f, std::fmin(1.0f, l)) : 0.0f;
                    r = std::isfinite(r) ? std::fmax(-1.0f, std::fmin(1.0f, r)) : 0.0f;
                }
                break;
            case 10: l = r = i < frames / 2 ? ((i % period) < period / 2 ? 1.0f : -1.0f) : 0.0f; break;
            default: l = level * noiseSample(s); break;  // the right channel silent
        }
        left[i] = l;
        right[i] = r;
    }
}

void HostScript::process(ByteReader& in, bool accumulate) {
    int frames = blockFrames(in);
    const uint8_t flags = in.byte();
    const bool broken = host_ == HostKind::broken;
    if (frames > framesLeft_) frames = static_cast<int>(framesLeft_);
    framesLeft_ -= frames;
    const auto size = static_cast<size_t>(frames);
    std::unique_ptr<float[]> inL(new float[size]), inR(new float[size]);
    std::unique_ptr<float[]> outL(new float[size]), outR(new float[size]);
    fillSignal(in, inL.get(), inR.get(), frames);
    // processReplacing must write every sample over the NaN; processAccumulate adds onto full-scale content
    for (size_t i = 0; i < size; ++i) {
        outL[i] = accumulate ? noiseSample(noise_) : NAN;
        outR[i] = accumulate ? noiseSample(noise_) : NAN;
    }
    float* inputs[2] = {inL.get(), (flags & 2) ? inL.get() : inR.get()};
    float* outputs[2] = {outL.get(), outR.get()};
    if (!accumulate && (flags & 1)) {  // in place, as many hosts do
        std::memcpy(outL.get(), inputs[0], size * sizeof(float));
        std::memcpy(outR.get(), inputs[1], size * sizeof(float));
        inputs[0] = outputs[0];
        inputs[1] = outputs[1];
    }
    AEffectProcessProc entry = accumulate ? effect_->process : effect_->processReplacing;
    if (broken && (flags & 0xE0) == 0xE0) {  // what only a broken host does
        float* none[2] = {nullptr, nullptr};
        switch ((flags >> 2) & 3) {
            case 0: entry(effect_, nullptr, outputs, frames); break;
            case 1: entry(effect_, inputs, none, frames); break;
            case 2: entry(effect_, inputs, outputs, -frames - 1); break;
            default: entry(effect_, none, outputs, frames); break;
        }
        return;
    }
    entry(effect_, inputs, outputs, frames);
    for (int c = 0; c < 2; ++c) {
        for (int i = 0; i < frames; ++i) {
            const float y = outputs[c][i];
            if (!std::isfinite(y)) {
                char what[160];
                std::snprintf(what, sizeof what, "%s of %d frames put out %g at frame %d of channel %d",
                              accumulate ? "processAccumulate" : "processReplacing", frames,
                              static_cast<double>(y), i, c);
                fail(what);
            }
        }
    }
}

// ---- the editor -------------------------------------------------------------

namespace {

gui::GuiPoint pointIn(ByteReader& in, const gui::GuiRect& area) {
    const int w = area.width() > 0 ? area.width() : 400, h = area.height() > 0 ? area.height() : 300;
    // a little beyond the edges too
    return {area.left - 8 + (in.byte() * (w + 16)) / 256, area.top - 8 + (in.byte() * (h + 16)) / 256};
}

}  // namespace

void HostScript::drag(ByteReader& in) {
    static constexpr int kButtons[] = {gui::kButtonLeft,
                                       gui::kButtonRight,
                                       gui::kButtonMiddle,
                                       gui::kButtonLeft | gui::kKeyShift,
                                       gui::kButtonLeft | gui::kKeyControl,
                                       gui::kButtonLeft | gui::kKeyAlt,
                                       gui::kButtonLeft | gui::kButtonRight};
    const gui::GuiPoint from = pointIn(in, editor_->area());
    const int buttons = kButtons[in.below(std::size(kButtons))];
    std::vector<gui::GuiPoint> path;
    gui::GuiPoint p = from;
    const size_t steps = in.byte() % 24;
    for (size_t i = 0; i < steps; ++i) {
        p.h += in.small() / 4;
        p.v += in.small() / 4;
        path.push_back(p);
    }
    editor_->drag(from, path, buttons);
}

void HostScript::wheel(ByteReader& in) {
    const gui::GuiPoint where = pointIn(in, editor_->area());
    const uint8_t mode = in.byte();
    float distance = static_cast<float>(static_cast<int8_t>(mode)) / 16.0f;
    if (host_ == HostKind::broken && mode >= 0xF0) distance = kEdgeValues[mode % std::size(kEdgeValues)];
    editor_->wheel(where, distance);
}

void HostScript::key(ByteReader& in) {
    const uint8_t character = in.byte();
    const uint8_t virtualKey = in.byte() % 64;
    const uint8_t modifiers = in.byte() % 16;
    dispatch(in.byte() & 1 ? effEditKeyUp : effEditKeyDown, character, virtualKey, nullptr, modifiers);
}

// ---- the target ---------------------------------------------------------------

FuzzSettings settingsFromEnvironment() {
    FuzzSettings settings;
    if (const char* host = std::getenv("TARN_FUZZ_HOST"); host && std::string_view(host) == "well-behaved")
        settings.host = HostKind::wellBehaved;
    if (const char* name = std::getenv("TARN_FUZZ_PLUGIN"); name && *name) {
        settings.only = hardening::findPluginKind(name);
        if (!settings.only) {
            std::fprintf(stderr, "tarn fuzz: no plug-in named '%s'\n", name);
            std::exit(2);
        }
    }
    return settings;
}

void runInput(const uint8_t* data, size_t size, const FuzzSettings& settings) {
    if (size == 0) return;
    const auto kinds = hardening::pluginKinds();
    const hardening::PluginKind& kind = kinds[data[0] % kinds.size()];
    if (settings.only && settings.only != &kind) return;
    ByteReader in(data + 1, size - 1);
    HostScript script(kind, settings.host);
    script.run(in);
}

}  // namespace fuzz
