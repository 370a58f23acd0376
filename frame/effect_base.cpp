#include "frame/effect_base.h"

#include <cmath>
#include <cstring>
#include <new>

#include "frame/dsp_util.h"
#include "frame/text.h"

namespace frame {
namespace {

// Static entries the host calls through the record. Nothing is thrown across
// this boundary; bad pointers and counts process nothing.
VstIntPtr VSTCALLBACK dispatcherEntry(AEffect* e, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                      float opt) {
    EffectBase* effect = EffectBase::fromRecord(e);
    if (!effect) return 0;
    try {
        if (opcode == effClose) {
            effect->dispatch(opcode, index, value, ptr, opt);
            delete effect;
            return 1;
        }
        return effect->dispatch(opcode, index, value, ptr, opt);
    } catch (...) {
        return 0;
    }
}

// Modifier bits arrive as a float; a value outside a byte (or not a number) is no modifier
// rather than an undefined conversion.
unsigned char modifierByte(float opt) noexcept {
    return (opt >= 0.0f && opt < 256.0f) ? static_cast<unsigned char>(opt) : 0;
}

bool usablePointers(float** inputs, float** outputs) noexcept {
    return inputs && outputs && inputs[0] && inputs[1] && outputs[0] && outputs[1];
}

void VSTCALLBACK processEntry(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    EffectBase* effect = EffectBase::fromRecord(e);
    if (!effect || frames < 0 || !usablePointers(inputs, outputs)) return;
    if (frames > 0)
        effect->processAccumulate(inputs, outputs, frames);
    else
        effect->processEmptyBlock();
}

void VSTCALLBACK processReplacingEntry(AEffect* e, float** inputs, float** outputs, VstInt32 frames) {
    EffectBase* effect = EffectBase::fromRecord(e);
    if (!effect || frames < 0 || !usablePointers(inputs, outputs)) return;
    if (frames > 0)
        effect->processReplace(inputs, outputs, frames);
    else
        effect->processEmptyBlock();
}

void VSTCALLBACK setParameterEntry(AEffect* e, VstInt32 index, float value) {
    if (EffectBase* effect = EffectBase::fromRecord(e)) effect->setParameter(index, value);
}

float VSTCALLBACK getParameterEntry(AEffect* e, VstInt32 index) {
    EffectBase* effect = EffectBase::fromRecord(e);
    return effect ? effect->parameterValue(index) : 0.0f;
}

}  // namespace

namespace {
constexpr std::align_val_t kEffectAlignment{16};
}  // namespace

void* EffectBase::operator new(std::size_t size) { return ::operator new(size, kEffectAlignment); }

void* EffectBase::operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return ::operator new(size, kEffectAlignment, std::nothrow);
}

void EffectBase::operator delete(void* p) noexcept { ::operator delete(p, kEffectAlignment); }

void EffectBase::operator delete(void* p, const std::nothrow_t&) noexcept { ::operator delete(p, kEffectAlignment); }

EffectBase::EffectBase(audioMasterCallback host, VstInt32 programCount, VstInt32 paramCount)
    : host_(host), programCount_(programCount), paramCount_(paramCount) {
    effect_.magic = kEffectMagic;
    effect_.dispatcher = dispatcherEntry;
    effect_.process = processEntry;
    effect_.setParameter = setParameterEntry;
    effect_.getParameter = getParameterEntry;
    effect_.numPrograms = programCount;
    effect_.numParams = paramCount;
    effect_.numInputs = 1;
    effect_.numOutputs = 2;
    effect_.flags = 0;
    effect_.ioRatio = 1.0f;
    effect_.object = this;
    effect_.user = nullptr;
    effect_.uniqueID = vstFourCC('N', 'o', 'E', 'f');
    effect_.version = 1;
    effect_.processReplacing = processReplacingEntry;
    effect_.processDoubleReplacing = nullptr;
}

EffectBase::~EffectBase() {
    delete editor_;
    editor_ = nullptr;
    effect_.object = nullptr;
    effect_.magic = 0;
}

EffectBase* EffectBase::fromRecord(AEffect* effect) noexcept {
    if (!effect || effect->magic != kEffectMagic) return nullptr;
    return static_cast<EffectBase*>(effect->object);
}

double EffectBase::physicalValue(VstInt32) const { return 0.0; }

ParamRange EffectBase::parameterRange(VstInt32 index) const noexcept {
    for (const ParamRange& r : identity_.ranges)
        if (r.index == index) return r;
    return {index, 0.0f, 1.0f};
}

// Broken hosts and automation send anything; a value far outside the range
// would drive the signal path's formulas (gains, poles, curve tables) into
// overflow, so it is held at the nearest end, as a knob would be.
float EffectBase::withinRange(VstInt32 index, float value) const noexcept {
    const ParamRange r = parameterRange(index);
    return value < r.lowest ? r.lowest : (value > r.highest ? r.highest : value);
}

void EffectBase::setParameter(VstInt32 index, float value) {
    if (std::isfinite(value)) applyParameter(index, withinRange(index, value));
}

double EffectBase::workingRate() const noexcept { return sanitizeRate(sampleRate()); }

void EffectBase::setIdentity(const EffectIdentity& identity) {
    identity_ = identity;
    effect_.numInputs = 2;
    effect_.numOutputs = 2;
    effect_.uniqueID = identity.uniqueId;
    effect_.initialDelay = identity.latency;
    effect_.flags |= effFlagsCanReplacing | effFlagsCanMono;
}

void EffectBase::attachEditor(EditorInterface* editor) {
    if (editor_ == editor) return;
    delete editor_;
    editor_ = editor;
    if (editor_)
        effect_.flags |= effFlagsHasEditor;
    else
        effect_.flags &= ~effFlagsHasEditor;
}

VstIntPtr EffectBase::hostCall(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const {
    if (!host_) return 0;
    return host_(const_cast<AEffect*>(&effect_), opcode, index, value, ptr, opt);
}

void EffectBase::queryInputConnection() {
    char what[] = "reportConnectionChanges";
    if (hostCall(audioMasterCanDo, 0, 0, what) >= 1)
        input2Connected_.store(hostCall(audioMasterPinConnected, 1, 0) == 0, std::memory_order_relaxed);
}

VstIntPtr EffectBase::queryHostTiming() {
    const VstIntPtr latency = hostCall(audioMasterGetOutputLatency);
    const VstIntPtr block = hostCall(audioMasterGetBlockSize);
    if (block > 0 && block <= 0x7FFFFFFF) blockSize_.store(static_cast<VstInt32>(block), std::memory_order_relaxed);
    return latency;
}

void EffectBase::notifyEditor(VstInt32 index, float value) const {
    if (editor_) editor_->parameterChanged(index, value);
}

void EffectBase::refreshEditor() const {
    if (editor_) editor_->requestRefresh();
}

// ---- programs --------------------------------------------------------------

void EffectBase::applyProgram(int slot) {
    if (!bank_.contains(slot)) return;
    currentProgram_.store(slot, std::memory_order_relaxed);
    for (VstInt32 index : identity_.applyOrder) applyParameter(index, bank_.param(slot, index));
    settleAfterApply();
    refreshEditor();
    hostCall(audioMasterUpdateDisplay);
    currentProgram_.store(0, std::memory_order_relaxed);
}

void EffectBase::automate(VstInt32 index, float value) {
    if (!std::isfinite(value)) return;
    const float v = withinRange(index, value);
    applyParameter(index, v);
    // indices beyond the host's count are kept by the plug-in but never reported
    if (index >= 0 && index < paramCount_) hostCall(audioMasterAutomate, index, 0, nullptr, v);
}

void EffectBase::beginEdit(VstInt32 index) const {
    if (index >= 0 && index < paramCount_) hostCall(audioMasterBeginEdit, index);
}

void EffectBase::endEdit(VstInt32 index) const {
    if (index >= 0 && index < paramCount_) hostCall(audioMasterEndEdit, index);
}

void EffectBase::selectProgramAutomated(int slot) {
    if (!bank_.contains(slot)) return;
    for (VstInt32 index : identity_.applyOrder) beginEdit(index);
    for (VstInt32 index : identity_.applyOrder) automate(index, bank_.param(ProgramBank::kCurrent, index));
    settleAll();
    currentProgram_.store(slot, std::memory_order_relaxed);
    if (slot != ProgramBank::kCurrent) bank_.setName(ProgramBank::kCurrent, bank_.name(slot));
    for (VstInt32 index : identity_.applyOrder) automate(index, bank_.param(slot, index));
    settleAll();
    for (VstInt32 index : identity_.applyOrder) endEdit(index);
    refreshEditor();
    hostCall(audioMasterUpdateDisplay);
    currentProgram_.store(0, std::memory_order_relaxed);
}

bool EffectBase::copyProgram(int destination) {
    if (!bank_.contains(destination)) return false;
    bank_.copySlot(ProgramBank::kCurrent, destination);
    return true;
}

void EffectBase::renameCurrent(const char* name) { bank_.setName(ProgramBank::kCurrent, name); }

int EffectBase::stepProgram(int shownEntry, int direction) {
    const int count = bank_.size();
    if (count <= 0) return 0;
    int entry = shownEntry + (direction < 0 ? -1 : 1);
    if (entry < 0) entry += count;
    if (entry >= count) entry -= count;
    if (!bank_.contains(entry)) entry = 0;
    selectProgramAutomated(entry);
    return entry;
}

int EffectBase::pickProgram(int entry) {
    if (!bank_.contains(entry)) return 0;
    selectProgramAutomated(entry);
    return entry;
}

int EffectBase::storeMemo(int memoSlot, int shownEntry) {
    if (memoSlot != ProgramBank::kMemoA && memoSlot != ProgramBank::kMemoB) return shownEntry;
    bank_.copySlot(ProgramBank::kCurrent, memoSlot);
    if (bank_.contains(shownEntry) && shownEntry != ProgramBank::kCurrent) {
        char name[kProgramNameSize];
        copyText(name, sizeof name, bank_.name(shownEntry));
        bank_.setName(ProgramBank::kCurrent, name);
    }
    hostCall(audioMasterUpdateDisplay);
    return memoSlot;
}

int EffectBase::recallMemo(int memoSlot) {
    if (memoSlot != ProgramBank::kMemoA && memoSlot != ProgramBank::kMemoB) return 0;
    selectProgramAutomated(memoSlot);
    return memoSlot;
}

// ---- dispatcher ------------------------------------------------------------

bool EffectBase::canDo(const char* what) const {
    static const char* const kCanDo[] = {"offline", "plugAsChannelInsert", "mixDryWet", "1in1out", "2in2out"};
    if (!what) return false;
    for (const char* c : kCanDo)
        if (std::strcmp(what, c) == 0) return true;
    return false;
}

VstIntPtr EffectBase::pinProperties(VstInt32 index, void* ptr, const char* direction) const {
    if (index < 0 || index > 1 || !ptr) return 0;
    auto* pin = static_cast<VstPinProperties*>(ptr);
    formatText(pin->label, sizeof pin->label, "%s %1d %s", identity_.effectName, static_cast<int>(index) + 1,
               direction);
    pin->flags = kVstPinIsActive | kVstPinIsStereo;
    return 1;
}

VstIntPtr EffectBase::parameterProperties(VstInt32 index, void* ptr) const {
    if (!ptr) return 0;
    for (const SwitchStep& s : identity_.switches) {
        if (s.index != index) continue;
        auto* p = static_cast<VstParameterProperties*>(ptr);
        p->stepFloat = p->smallStepFloat = p->largeStepFloat = s.step;
        p->flags = kVstParameterIsSwitch | kVstParameterUsesFloatStep;
        char name[kVstMaxParamTextLen] = {};
        parameterName(index, name, sizeof name);
        copyText(p->label, sizeof p->label, name);
        copyText(p->shortLabel, 8, name);  // the first seven characters
        return 1;
    }
    return 0;
}

VstIntPtr EffectBase::dispatchEditor(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    if (!editor_) return 0;
    switch (opcode) {
        case effEditGetRect: return editor_->reportSize(static_cast<ERect**>(ptr));
        case effEditOpen: return editor_->openView(ptr);
        case effEditClose: editor_->closeView(); return 0;
        case effEditIdle: return editor_->onHostIdle();
        case effEditKeyDown:
        case effEditKeyUp: {
            VstKeyCode key{index, static_cast<unsigned char>(value), modifierByte(opt)};
            return opcode == effEditKeyDown ? editor_->keyPressed(key) : editor_->keyReleased(key);
        }
        case effSetEditKnobMode: return editor_->setDragMode(value);
        default: return 0;
    }
}

VstIntPtr EffectBase::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    auto* text = static_cast<char*>(ptr);
    switch (opcode) {
        case effOpen:
        case effClose: return 0;
        case effSetProgram:
            if (value >= 0 && value < programCount_) applyProgram(static_cast<int>(value));
            return 0;
        case effGetProgram: return currentProgram();
        case effSetProgramName:
            if (text) renameCurrent(text);
            return 0;
        case effGetProgramName: copyText(text, kVstMaxProgNameLen, bank_.name(ProgramBank::kCurrent)); return 0;
        case effGetParamLabel:
            if (text) parameterLabel(index, text, kVstMaxParamTextLen);
            return 0;
        case effGetParamDisplay:
            if (text) parameterText(index, text, kVstMaxParamTextLen);
            return 0;
        case effGetParamName:
            if (text) parameterName(index, text, kVstMaxParamTextLen);
            return 0;
        case effGetVu: {
            const float vu = vu_.exchange(0.0f, std::memory_order_relaxed);
            return static_cast<VstIntPtr>(vu * 32767.0f);
        }
        case effSetSampleRate: setSampleRate(opt); return 0;
        case effSetBlockSize:
            if (value > 0 && value <= 0x7FFFFFFF) blockSize_.store(static_cast<VstInt32>(value));
            return 0;
        case effMainsChanged:
            if (value == 0)
                suspendDsp();
            else
                resumeDsp();
            return 0;
        case effEditGetRect:
        case effEditOpen:
        case effEditClose:
        case effEditIdle:
        case effEditKeyDown:
        case effEditKeyUp:
        case effSetEditKnobMode: return dispatchEditor(opcode, index, value, ptr, opt);
        case effIdentify: return kEffectIdentify;
        case effCanBeAutomated: return 1;
        case effGetNumProgramCategories: return 1;
        case effGetProgramNameIndexed:
            if (!bank_.contains(index) || !text) return 0;
            copyText(text, kVstMaxProgNameLen, bank_.name(index));
            return 1;
        case effCopyProgram: return copyProgram(index) ? 1 : 0;
        case effConnectInput:
        case effConnectOutput: return 1;
        case effGetInputProperties: return pinProperties(index, ptr, "In");
        case effGetOutputProperties: return pinProperties(index, ptr, "Out");
        case effGetPlugCategory: return (effect_.flags & effFlagsIsSynth) ? kPlugCategSynth : 0;
        case effSetBlockSizeAndSampleRate:
            if (value > 0 && value <= 0x7FFFFFFF) blockSize_.store(static_cast<VstInt32>(value));
            setSampleRate(opt);
            return 0;
        case effGetEffectName: copyText(text, kVstMaxEffectNameLen, identity_.effectName); return 1;
        case effGetVendorString: copyText(text, kVstMaxVendorStrLen, kVendorString); return 1;
        case effGetProductString: copyText(text, kVstMaxProductStrLen, identity_.productString); return 1;
        case effGetVendorVersion: return 1;
        case effCanDo: return canDo(text) ? 1 : 0;
        case effGetParameterProperties: return parameterProperties(index, ptr);
        case effKeysRequired: return 1;
        case effGetVstVersion: return 2300;
        case effGetCurrentMidiProgram: return -1;
        case effGetSpeakerArrangement:
            if (auto* in = reinterpret_cast<void**>(value)) *in = nullptr;
            if (auto* out = static_cast<void**>(ptr)) *out = nullptr;
            return 0;
        case effSetTotalSampleToProcess: return value;
        default: return 0;
    }
}

}  // namespace frame
