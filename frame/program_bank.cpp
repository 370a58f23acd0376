#include "frame/program_bank.h"

#include <cassert>

#include "frame/text.h"

namespace frame {

void ProgramBank::build(const ProgramLayout& layout) {
    assert(layout.fieldParams.size() <= kMaxSlotFields);
    assert(layout.defaults.size() == layout.fieldParams.size());
    fieldParams_.assign(layout.fieldParams.begin(), layout.fieldParams.end());
    ProgramSlot fresh;
    copyText(fresh.name.data(), fresh.name.size(), layout.freshName);
    for (size_t f = 0; f < layout.defaults.size(); ++f) fresh.field[f] = layout.defaults[f];
    slots_.assign(static_cast<size_t>(layout.slotCount), fresh);
}

int ProgramBank::fieldOf(VstInt32 index) const noexcept {
    for (size_t f = 0; f < fieldParams_.size(); ++f)
        if (fieldParams_[f] == index) return static_cast<int>(f);
    return -1;
}

void ProgramBank::setName(int slot, const char* text) noexcept {
    if (!contains(slot)) return;
    auto& name = slots_[static_cast<size_t>(slot)].name;
    copyText(name.data(), name.size(), text);
}

float ProgramBank::param(int slot, VstInt32 index) const noexcept {
    const int f = fieldOf(index);
    if (!contains(slot) || f < 0) return 0.0f;
    return slots_[static_cast<size_t>(slot)].field[static_cast<size_t>(f)];
}

void ProgramBank::setParam(int slot, VstInt32 index, float value) noexcept {
    const int f = fieldOf(index);
    if (!contains(slot) || f < 0) return;
    slots_[static_cast<size_t>(slot)].field[static_cast<size_t>(f)] = value;
}

void ProgramBank::setParamEverywhere(VstInt32 index, float value) noexcept {
    const int f = fieldOf(index);
    if (f < 0) return;
    for (auto& s : slots_) s.field[static_cast<size_t>(f)] = value;
}

void ProgramBank::setProgram(int slot, const char* programName, std::span<const VstInt32> indices,
                             std::span<const float> values) {
    assert(indices.size() == values.size());
    setName(slot, programName);
    for (size_t i = 0; i < indices.size() && i < values.size(); ++i) setParam(slot, indices[i], values[i]);
}

void ProgramBank::copySlot(int from, int to) noexcept {
    if (!contains(from) || !contains(to) || from == to) return;
    slots_[static_cast<size_t>(to)] = slots_[static_cast<size_t>(from)];
}

}  // namespace frame
