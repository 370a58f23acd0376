// EffectBase owns the AEffect record a host drives and turns its dispatcher
// calls and entry points into virtual operations of one plug-in class.
#pragma once

#include <atomic>
#include <cstddef>
#include <new>
#include <span>

#include "frame/editor_interface.h"
#include "frame/program_bank.h"
#include "frame/vst2.h"

namespace frame {

// A switch parameter as effGetParameterProperties describes it.
struct SwitchStep {
    VstInt32 index;
    float step;
};

// A parameter whose accepted values are not 0..1.
struct ParamRange {
    VstInt32 index;
    float lowest;
    float highest;
};

// What tells one deliverable from another at the host boundary.
struct EffectIdentity {
    const char* effectName = "";  // also the pin label prefix: "Tarn Brisker 1 In"
    const char* productString = "";
    VstInt32 uniqueId = 0;
    VstInt32 latency = 0;
    std::span<const SwitchStep> switches;
    // Order in which a program's values go through applyParameter.
    std::span<const VstInt32> applyOrder;
    // Parameters with a range other than 0..1; every other index takes 0..1.
    std::span<const ParamRange> ranges = {};
};

inline constexpr const char* kVendorString = "Tarn";

class EffectBase {
public:
    EffectBase(audioMasterCallback host, VstInt32 programCount, VstInt32 paramCount);
    virtual ~EffectBase();
    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    // The signal paths keep pairs of doubles that SSE2 reads as 16-byte units, but a
    // plain new in a 32-bit Windows module gives 8-byte alignment only: every effect
    // is allocated 16-byte aligned.
    static void* operator new(std::size_t size);
    static void* operator new(std::size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p) noexcept;
    static void operator delete(void* p, const std::nothrow_t&) noexcept;

    AEffect* record() noexcept { return &effect_; }
    static EffectBase* fromRecord(AEffect* effect) noexcept;

    // One host dispatcher call; unknown opcodes and indices out of range answer 0.
    virtual VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // The way in for a value from the host or the editor: a non-finite value
    // changes nothing, any other is taken to the nearest end of the parameter's
    // range (values inside it pass unchanged), then goes to applyParameter.
    void setParameter(VstInt32 index, float value);
    // The range setParameter holds a parameter to: 0..1 unless the identity lists another.
    ParamRange parameterRange(VstInt32 index) const noexcept;

    // Parameters, normalized 0..1 as the host sends them. Values from outside
    // the plug-in arrive through setParameter, already within range.
    virtual void applyParameter(VstInt32 index, float value) = 0;
    virtual float parameterValue(VstInt32 index) const = 0;
    // Physical quantity behind a parameter, for the editor's displays.
    virtual double physicalValue(VstInt32 index) const;
    virtual void parameterName(VstInt32 index, char* text, size_t capacity) const = 0;
    virtual void parameterLabel(VstInt32 index, char* text, size_t capacity) const = 0;
    virtual void parameterText(VstInt32 index, char* text, size_t capacity) const = 0;

    // Processing entries (audio thread). The static entries have already checked
    // the pointers and the frame count.
    virtual void processReplace(float** inputs, float** outputs, VstInt32 frames) = 0;
    virtual void processAccumulate(float** inputs, float** outputs, VstInt32 frames) = 0;
    // A block of 0 frames with usable buffers: nothing to write, but a signal
    // path may still close the block (its meter ring advances). Nothing by default.
    virtual void processEmptyBlock() {}
    virtual void suspendDsp() {}
    virtual void resumeDsp() {}

    // Programs.
    virtual void applyProgram(int slot);
    void selectProgramAutomated(int slot);
    bool copyProgram(int destination);
    virtual void renameCurrent(const char* name);

    // The editor's program commands; each answers the menu entry to show.
    int stepProgram(int shownEntry, int direction);
    int pickProgram(int entry);
    int storeMemo(int memoSlot, int shownEntry);
    int recallMemo(int memoSlot);

    // An edit reported to the host as automation: the value, held to its range as
    // setParameter holds it, goes to applyParameter, then to audioMasterAutomate.
    void automate(VstInt32 index, float value);
    void beginEdit(VstInt32 index) const;
    void endEdit(VstInt32 index) const;

    // Calls the host; 0 without a callback.
    VstIntPtr hostCall(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;

    // Takes ownership of the editor and marks the record as having one.
    void attachEditor(EditorInterface* editor);
    EditorInterface* editor() const noexcept { return editor_; }

    ProgramBank& bank() noexcept { return bank_; }
    const ProgramBank& bank() const noexcept { return bank_; }
    const EffectIdentity& identity() const noexcept { return identity_; }
    VstInt32 parameterCount() const noexcept { return paramCount_; }
    VstInt32 currentProgram() const noexcept { return currentProgram_.load(std::memory_order_relaxed); }
    float sampleRate() const noexcept { return sampleRate_.load(std::memory_order_relaxed); }
    void setSampleRate(float rate) noexcept { sampleRate_.store(rate, std::memory_order_relaxed); }
    VstInt32 blockSize() const noexcept { return blockSize_.load(std::memory_order_relaxed); }
    // The stored rate as a double, 44100 when outside 20000..200000 Hz.
    double workingRate() const noexcept;
    bool input2Connected() const noexcept { return input2Connected_.load(std::memory_order_relaxed); }

protected:
    // Identity, two inputs and outputs, latency, can-mono and can-replace.
    void setIdentity(const EffectIdentity& identity);
    // Asks the host whether the second input is connected, when it reports connections.
    void queryInputConnection();
    // Asks the host for its block size (a positive answer is stored) and output latency.
    VstIntPtr queryHostTiming();
    // Smoothed copies a program load sets straight (applyProgram / selectProgramAutomated).
    virtual void settleAfterApply() {}
    virtual void settleAll() {}
    // Null-checked editor notifications.
    void notifyEditor(VstInt32 index, float value) const;
    void refreshEditor() const;
    void setVu(float vu) noexcept { vu_.store(vu, std::memory_order_relaxed); }

    ProgramBank bank_;

private:
    VstIntPtr dispatchEditor(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
    VstIntPtr pinProperties(VstInt32 index, void* ptr, const char* direction) const;
    VstIntPtr parameterProperties(VstInt32 index, void* ptr) const;
    float withinRange(VstInt32 index, float value) const noexcept;
    bool canDo(const char* what) const;

    std::atomic<float> sampleRate_{44100.0f};
    EditorInterface* editor_ = nullptr;
    audioMasterCallback host_;
    VstInt32 programCount_;
    VstInt32 paramCount_;
    std::atomic<VstInt32> currentProgram_{0};
    std::atomic<VstInt32> blockSize_{1024};
    std::atomic<bool> input2Connected_{true};
    std::atomic<float> vu_{0.0f};
    EffectIdentity identity_;
    AEffect effect_{};
};

}  // namespace frame
