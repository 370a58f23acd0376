#include <array>
#include <span>

#include "emberon/emberon_params.h"

namespace emberon {
namespace {

// The stored value of a saturation model: m / 7 as a float.
constexpr float shape(int m) { return static_cast<float>(m / 7.0); }

constexpr float kNone = shape(0), kValve1 = shape(1), kValve2 = shape(2), kValve3 = shape(3), kTape1 = shape(4),
                kTape2 = shape(5), kTape3 = shape(6), kDigital = shape(7);

struct FactoryProgram {
    const char* name;
    // input, drive, shape, trebleFreq, trebleComp, trebleAdjust, bassFreq, bassWarmth, bassAdjust,
    // output, pre/post, process, bassOn, trebleOn: the slot's field order
    float value[14];
};

const FactoryProgram kFactory[kBankSlots] = {
    {"Current", {0.5f, 0.5f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"Memo A", {0.5f, 0.5f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"Memo B", {0.5f, 0.5f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"preamp1", {0.5f, 0.75f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"preamp2", {0.5f, 0.35f, kTape1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"mix1", {0.5f, 0.2f, kTape2, 0.14f, 0.35f, 0.62f, 0.5f, 0.09f, 0.42f, 0.5f, 1, 1, 1, 1}},
    {"mix2", {0.5f, 0.3f, kTape1, 0.6f, 0.37f, 0.7f, 0.38f, 0.11f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"mix3", {0.5f, 0.3f, kTape1, 0.66f, 0.5f, 0.5f, 0.42f, 0.16f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"mix4", {0.5f, 0.35f, kTape1, 0.18f, 0.43f, 0.71f, 0.77f, 0.11f, 0.4f, 0.5f, 1, 1, 1, 1}},
    {"mastering1", {0.5f, 0.5f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"mastering2", {0.5f, 0.3f, kValve1, 0.5f, 0.25f, 0.6f, 0.33f, 0.33f, 0.4f, 0.5f, 1, 1, 1, 1}},
    {"mastering3", {0.5f, 0.32f, kValve1, 0.16f, 0.2f, 0.55f, 0.66f, 0.06f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"mastering4", {0.5f, 0.25f, kTape1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"mastering5", {0.5f, 0.22f, kTape1, 0.5f, 0.39f, 0.66f, 0.33f, 0.35f, 0.35f, 0.5f, 1, 1, 1, 1}},
    {"mastering6", {0.5f, 0.22f, kTape1, 0.166f, 0.25f, 0.6f, 0.66f, 0.1f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"mastering tape boost 1", {0.5f, 0.33f, kTape1, 1.0f, 0.2f, 0.62f, 0.33f, 0.1f, 0.52f, 0.47f, 1, 1, 1, 1}},
    {"mastering tape boost 2", {0.5f, 0.15f, kTape3, 1.0f, 0.2f, 0.6f, 0.33f, 0.1f, 0.48f, 0.49f, 1, 1, 1, 1}},
    {"mastering tape boost 3", {0.5f, 0.2f, kTape3, 1.0f, 0.2f, 0.54f, 0.19f, 0.15f, 0.5f, 0.49f, 1, 1, 1, 1}},
    {"hot valve1", {0.5f, 1.0f, kValve1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"hot valve2", {0.5f, 0.875f, kValve2, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"hot valve3", {0.5f, 0.75f, kValve3, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"hot tape1", {0.5f, 0.4f, kTape1, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"hot tape2", {0.5f, 0.4f, kTape2, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"hot tape3", {0.5f, 0.4f, kTape3, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
    {"contour1", {0.5f, 0.0f, kNone, 0.33f, 0.5f, 1.0f, 0.33f, 0.66f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"contour2", {0.5f, 0.0f, kNone, 0.17f, 0.5f, 1.0f, 0.4f, 0.5f, 0.5f, 0.5f, 1, 1, 1, 1}},
    {"big bass1", {0.35f, 0.6f, kValve2, 0.5f, 0.0f, 0.5f, 0.6f, 0.2f, 0.5f, 0.5f, 1, 1, 1, 0}},
    {"big bass2", {0.1f, 0.65f, kTape2, 0.5f, 0.0f, 0.5f, 0.6f, 0.2f, 0.5f, 0.5f, 1, 1, 1, 0}},
    {"bottom end 1", {0.5f, 0.0f, kNone, 0.5f, 0.0f, 0.5f, 0.31f, 0.15f, 0.5f, 0.5f, 1, 1, 1, 0}},
    {"bottom end 2", {0.5f, 0.0f, kNone, 0.5f, 0.0f, 0.5f, 0.28f, 0.12f, 0.6f, 0.5f, 1, 1, 1, 0}},
    {"bottom end 3", {0.5f, 0.0f, kNone, 0.5f, 0.0f, 0.5f, 0.16f, 0.16f, 0.65f, 0.5f, 1, 1, 1, 0}},
    {"loop1", {0.5f, 1.0f, kValve3, 0.0f, 0.5f, 1.0f, 0.6f, 0.16f, 0.4f, 0.5f, 1, 1, 1, 1}},
    {"loop2", {0.5f, 0.75f, kTape2, 0.0f, 0.5f, 0.83f, 1.0f, 0.16f, 0.22f, 0.5f, 1, 1, 1, 1}},
    {"digital", {0.5f, 0.5f, kDigital, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 1, 1, 0, 0}},
};

}  // namespace

void writeFactoryPrograms(frame::ProgramBank& bank) {
    const std::span<const VstInt32> indices(kFieldOrder.data(), 14);
    for (int slot = 0; slot < kBankSlots && slot < bank.size(); ++slot)
        bank.setProgram(slot, kFactory[slot].name, indices, kFactory[slot].value);
}

}  // namespace emberon
