#include "tests/fuzz/pointer_arguments.h"

#include <cstring>
#include <iterator>

namespace fuzz {
namespace {

// Records the interface defines, by their sizes.
constexpr size_t kSpeakerArrangementSize = 8 + 8 * 112;  // type, count, eight speaker records
constexpr size_t kMidiProgramNameSize = 80;
constexpr size_t kMidiProgramCategorySize = 76;
constexpr size_t kMidiKeyNameSize = 80;
constexpr size_t kErrorTextSize = 256;
constexpr size_t kEventSize = 32;

constexpr const char* kStrings[] = {"2in2out", "receiveVstEvents", "plugAsChannelInsert", "offline",
                                    "bypass",  "reportConnectionChanges", ""};

// Bytes the interface lets a plug-in write for a text getter.
size_t textSize(VstInt32 opcode) {
    switch (opcode) {
        case effGetProgramName:
        case effGetProgramNameIndexed: return kVstMaxProgNameLen;
        case effGetParamLabel:
        case effGetParamDisplay:
        case effGetParamName: return kVstMaxParamTextLen;
        case effGetEffectName: return kVstMaxEffectNameLen;
        case effGetVendorString: return kVstMaxVendorStrLen;
        case effGetProductString: return kVstMaxProductStrLen;
        case effGetErrorText: return kErrorTextSize;
        default: return 0;
    }
}

bool pointerValue(VstInt32 opcode) { return opcode == effSetSpeakerArrangement || opcode == effGetSpeakerArrangement; }

}  // namespace

void* PointerArguments::buffer(size_t size, unsigned char fill) {
    buffers_.emplace_back(new unsigned char[size]);
    std::memset(buffers_.back().get(), fill, size);
    return buffers_.back().get();
}

// One the plug-ins know, or any bytes, zero-terminated.
void* PointerArguments::string(ByteReader& in) {
    const uint8_t mode = in.byte();
    if (mode < 96) {
        const char* text = kStrings[mode % std::size(kStrings)];
        const size_t size = std::strlen(text) + 1;
        return std::memcpy(buffer(size), text, size);
    }
    const size_t length = mode % 72;
    auto* text = static_cast<unsigned char*>(buffer(length + 1));
    for (size_t i = 0; i < length; ++i) {
        const uint8_t c = in.byte();
        text[i] = c ? c : 'z';
    }
    return text;
}

PointerArguments::PointerArguments(VstInt32 opcode, ByteReader& in, VstIntPtr& value) {
    switch (opcode) {
        case effSetProgramName:
        case effString2Parameter:
        case effCanDo: pointer_ = string(in); break;
        case effEditGetRect:
        case effGetChunk: pointer_ = buffer(sizeof(void*)); break;
        case effSetChunk: {
            const size_t size = in.byte();
            value = static_cast<VstIntPtr>(size);
            auto* bytes = static_cast<unsigned char*>(buffer(size));
            for (size_t i = 0; i < size; ++i) bytes[i] = in.byte();
            pointer_ = bytes;
            break;
        }
        case effProcessEvents: {
            // numEvents, reserved, then that many pointers to event records
            const VstInt32 count = in.byte() % 3;
            auto* events = static_cast<unsigned char*>(buffer(2 * sizeof(VstIntPtr) + count * sizeof(void*)));
            std::memcpy(events, &count, sizeof count);
            for (VstInt32 i = 0; i < count; ++i) {
                void* event = buffer(kEventSize);
                std::memcpy(events + 2 * sizeof(VstIntPtr) + i * sizeof(void*), &event, sizeof event);
            }
            pointer_ = events;
            break;
        }
        case effSetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(buffer(kSpeakerArrangementSize));
            pointer_ = buffer(kSpeakerArrangementSize);
            break;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<VstIntPtr>(buffer(sizeof(void*)));
            pointer_ = buffer(sizeof(void*));
            break;
        case effGetInputProperties:
        case effGetOutputProperties:
            pointer_ = buffer(sizeof(VstPinProperties), kTextFill);
            textBytes_ = sizeof(VstPinProperties::label);
            break;
        case effGetParameterProperties: pointer_ = buffer(sizeof(VstParameterProperties)); break;
        case effGetMidiProgramName:
        case effGetCurrentMidiProgram: pointer_ = buffer(kMidiProgramNameSize); break;
        case effGetMidiProgramCategory: pointer_ = buffer(kMidiProgramCategorySize); break;
        case effGetMidiKeyName: pointer_ = buffer(kMidiKeyNameSize); break;
        case effOfflineNotify:
        case effOfflinePrepare:
        case effOfflineRun:
            value = 0;  // no records
            pointer_ = buffer(0);
            break;
        default:
            // a text getter's buffer, or one of no bytes where the opcode takes no pointer
            textBytes_ = textSize(opcode);
            pointer_ = buffer(textBytes_, kTextFill);
            break;
    }
}

void PointerArguments::dropPointers(VstInt32 opcode, VstIntPtr& value) noexcept {
    pointer_ = nullptr;
    textBytes_ = 0;
    if (pointerValue(opcode)) value = 0;
}

}  // namespace fuzz
