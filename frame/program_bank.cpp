#include "frame/program_bank.h"

#include <atomic>
#include <cassert>

#include "frame/text.h"

namespace frame {
namespace {

// Stored values are read and written by the host's threads and the editor's at once
// (automation while the user picks a program): each is one relaxed atomic access.
float loadField(const float& field) noexcept {
    return std::atomic_ref<float>(const_cast<float&>(field)).load(std::memory_order_relaxed);
}

void storeField(float& field, float value) noexcept {
    std::atomic_ref<float>(field).store(value, std::memory_order_relaxed);
}

}  // namespace

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
    return loadField(slots_[static_cast<size_t>(slot)].field[static_cast<size_t>(f)]);
}

void ProgramBank::setParam(int slot, VstInt32 index, float value) noexcept {
    const int f = fieldOf(index);
    if (!contains(slot) || f < 0) return;
    storeField(slots_[static_cast<size_t>(slot)].field[static_cast<size_t>(f)], value);
}

void ProgramBank::setParamEverywhere(VstInt32 index, float value) noexcept {
    const int f = fieldOf(index);
    if (f < 0) return;
    for (auto& s : slots_) storeField(s.field[static_cast<size_t>(f)], value);
}

void ProgramBank::setProgram(int slot, const char* programName, std::span<const VstInt32> indices,
                             std::span<const float> values) {
    assert(indices.size() == values.size());
    setName(slot, programName);
    for (size_t i = 0; i < indices.size() && i < values.size(); ++i) setParam(slot, indices[i], values[i]);
}

void ProgramBank::copySlot(int from, int to) noexcept {
    if (!contains(from) || !contains(to) || from == to) return;
    const ProgramSlot& source = slots_[static_cast<size_t>(from)];
    ProgramSlot& target = slots_[static_cast<size_t>(to)];
    target.name = source.name;
    for (size_t f = 0; f < kMaxSlotFields; ++f) storeField(target.field[f], loadField(source.field[f]));
}

}  // namespace frame
