// The plug-in's own bank of programs: slot 0 "Current" (the values in effect),
// 1 "Memo A", 2 "Memo B", then the factory programs. The host sees only slot 0.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

#include "frame/vst2.h"

namespace frame {

constexpr size_t kProgramNameSize = 32;
constexpr size_t kMaxSlotFields = 24;

// One stored program: a 32-byte zero-terminated name, then one float per stored
// parameter in the plug-in's own field order.
struct ProgramSlot {
    std::array<char, kProgramNameSize> name{};
    std::array<float, kMaxSlotFields> field{};
};

// How a plug-in lays out its slots.
struct ProgramLayout {
    int slotCount = 0;
    // Parameter index stored in each field, in field order.
    std::span<const VstInt32> fieldParams;
    // Value of each field in a freshly built slot.
    std::span<const float> defaults;
    const char* freshName = "init";
};

class ProgramBank {
public:
    static constexpr int kCurrent = 0, kMemoA = 1, kMemoB = 2;

    // Builds every slot with the fresh name and the defaults.
    void build(const ProgramLayout& layout);

    int size() const noexcept { return static_cast<int>(slots_.size()); }
    bool contains(int slot) const noexcept { return slot >= 0 && slot < size(); }
    int fieldCount() const noexcept { return static_cast<int>(fieldParams_.size()); }
    // Bytes of one slot record as the design lays it out: name plus fields.
    size_t recordBytes() const noexcept { return kProgramNameSize + sizeof(float) * fieldParams_.size(); }

    // Field that stores a parameter index, or -1 when the index is not stored.
    int fieldOf(VstInt32 index) const noexcept;
    VstInt32 paramOfField(int field) const noexcept { return fieldParams_[static_cast<size_t>(field)]; }

    const char* name(int slot) const noexcept { return slots_[static_cast<size_t>(slot)].name.data(); }
    void setName(int slot, const char* text) noexcept;

    // Stored value of a parameter index in a slot; 0 when the index is not stored.
    float param(int slot, VstInt32 index) const noexcept;
    // Stores a parameter value; indices without a field are ignored.
    void setParam(int slot, VstInt32 index, float value) noexcept;
    // Writes a value into the same parameter of every slot.
    void setParamEverywhere(VstInt32 index, float value) noexcept;

    // Factory rows: name plus the values of the listed parameter indices.
    void setProgram(int slot, const char* name, std::span<const VstInt32> indices, std::span<const float> values);

    // The whole record of one slot, name and values, into another.
    void copySlot(int from, int to) noexcept;

    const ProgramSlot& slot(int i) const noexcept { return slots_[static_cast<size_t>(i)]; }

private:
    std::vector<ProgramSlot> slots_;
    std::vector<VstInt32> fieldParams_;
};

}  // namespace frame
