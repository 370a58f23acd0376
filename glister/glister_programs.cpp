#include "glister/glister_programs.h"

#include <array>

#include "glister/glister_params.h"

namespace glister {
namespace {

constexpr int kColumns = 23;

// Column order of the table rows below.
constexpr std::array<VstInt32, kColumns> kColumnParams{
    kHarmProcess, kEnhProcess,  kTransProcess, kHissProcess, kSaturation, kHarmFreq,
    kHarmQ,       kHarmDrive,   kHarmFirstOut, kHarmAdjust,  kEnhEnhance, kEnhSlope,
    kTransRatio,  kTransSlope,  kTransAdjust,  kTransHiDamp, kHissThresh, kHissSpeed,
    kHissAttenuation, kHissMinFreq, kProcess, kOutput, kStereoMono,
};

struct FactoryRow {
    const char* name;
    std::array<float, 20> values;  // the first 20 columns; Process, Output and StereoMono are alike everywhere
};

// Slots 0 to 40. drums1 and drums2 drive the harmonics at 1.16 on purpose.
constexpr std::array<FactoryRow, kBankSlots> kRows{{
    {"Current", {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"Memo A", {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"Memo B", {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"mix1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"mix2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"mix3", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.55f, 0.5f, 0.16f, 0.5f, 0.5f, 0.42f, 0.0f, 0.22f, 0.75f, 0.12f, 0.333f}},
    {"mix4", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.55f, 0.5f, 0.16f, 0.5f, 0.5f, 0.42f, 0.0f, 0.22f, 0.75f, 0.12f, 0.333f}},
    {"acc guitar1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.725f, 0.58f, 1.0f, 1.0f, 0.5f, 0.25f, 0.333f, 0.5f, 0.667f, 0.72f, 0.5f, 0.6f, 0.5f, 0.5f, 0.333f}},
    {"acc guitar2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.725f, 0.58f, 1.0f, 1.0f, 0.5f, 0.25f, 0.333f, 0.5f, 0.667f, 0.72f, 0.5f, 0.6f, 0.5f, 0.5f, 0.333f}},
    {"acc guitar3", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.55f, 0.12f, 0.0f, 0.0f, 0.5f, 0.25f, 0.25f, 0.58f, 0.37f, 0.6f, 0.3f, 0.25f, 0.667f, 0.25f, 0.125f}},
    {"acc guitar4", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.55f, 0.12f, 0.0f, 0.0f, 0.5f, 0.25f, 0.25f, 0.58f, 0.37f, 0.6f, 0.3f, 0.25f, 0.667f, 0.25f, 0.125f}},
    {"vocal1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.75f, 0.333f, 1.0f, 1.0f, 0.5f, 0.85f, 0.667f, 0.333f, 0.5f, 0.5f, 0.333f, 0.333f, 0.667f, 0.25f, 0.25f}},
    {"vocal2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.75f, 0.333f, 1.0f, 1.0f, 0.5f, 0.85f, 0.667f, 0.333f, 0.5f, 0.5f, 0.333f, 0.333f, 0.667f, 0.25f, 0.25f}},
    {"vocal3", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.72f, 0.1f, 0.0f, 0.0f, 0.6f, 0.16f, 0.16f, 0.333f, 0.667f, 0.6f, 0.2f, 0.75f, 0.333f, 0.5f, 0.667f}},
    {"vocal4", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.72f, 0.1f, 0.0f, 0.0f, 0.6f, 0.16f, 0.16f, 0.333f, 0.667f, 0.6f, 0.2f, 0.75f, 0.333f, 0.5f, 0.667f}},
    {"drums1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.62f, 0.16f, 1.16f, 0.0f, 0.22f, 0.33f, 0.667f, 0.58f, 0.42f, 0.42f, 0.32f, 0.55f, 0.5f, 0.333f, 0.0f}},
    {"drums2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.62f, 0.16f, 1.16f, 0.0f, 0.22f, 0.33f, 0.667f, 0.58f, 0.42f, 0.42f, 0.32f, 0.55f, 0.5f, 0.333f, 0.0f}},
    {"piano1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.6f, 0.25f, 0.5f, 0.667f, 0.4f, 0.667f, 0.0f, 0.5f, 0.25f, 0.5f, 0.667f}},
    {"piano2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.6f, 0.25f, 0.5f, 0.667f, 0.4f, 0.667f, 0.0f, 0.5f, 0.25f, 0.5f, 0.667f}},
    {"violino1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.75f, 0.25f, 0.5f, 0.667f, 0.5f, 0.667f, 0.0f, 0.667f, 0.333f, 0.5f, 0.667f}},
    {"violino2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.75f, 0.25f, 0.5f, 0.667f, 0.5f, 0.667f, 0.0f, 0.667f, 0.333f, 0.5f, 0.667f}},
    {"Universal1", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.7f, 0.333f, 0.667f, 1.0f, 0.6f, 0.5f, 0.5f, 0.5f, 0.5f, 0.44f, 0.1667f, 0.5f, 0.5f, 0.333f, 0.5f}},
    {"Universal2", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.7f, 0.333f, 0.667f, 1.0f, 0.6f, 0.5f, 0.5f, 0.5f, 0.5f, 0.44f, 0.1667f, 0.5f, 0.5f, 0.333f, 0.5f}},
    {"Universal3", {0.0f, 1.0f, 1.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.2f, 0.5f, 0.6f, 0.667f, 0.667f, 0.44f, 0.667f, 0.667f, 0.333f, 0.667f, 0.5f, 0.5f, 0.333f}},
    {"Universal4", {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.2f, 0.5f, 0.6f, 0.667f, 0.667f, 0.44f, 0.667f, 0.667f, 0.333f, 0.667f, 0.5f, 0.5f, 0.333f}},
    {"hissRem1", {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.4f, 0.33f, 0.33f, 0.5f, 0.5f, 0.31f, 0.0f, 0.22f, 0.75f, 0.18f, 0.5f}},
    {"hissRem2", {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.8f, 0.667f, 0.85f, 1.0f, 0.55f, 0.5f, 0.16f, 0.5f, 0.5f, 0.42f, 0.0f, 0.22f, 0.75f, 0.12f, 0.333f}},
    {"hissRem3", {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.725f, 0.58f, 1.0f, 1.0f, 0.5f, 0.25f, 0.333f, 0.5f, 0.667f, 0.72f, 0.5f, 0.6f, 0.5f, 0.5f, 0.333f}},
    {"hissRem4", {0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.55f, 0.12f, 0.0f, 0.0f, 0.5f, 0.25f, 0.25f, 0.58f, 0.37f, 0.6f, 0.3f, 0.25f, 0.667f, 0.25f, 0.125f}},
    {"transients1", {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.725f, 0.58f, 1.0f, 1.0f, 0.5f, 0.25f, 0.333f, 0.5f, 0.667f, 0.72f, 0.5f, 0.6f, 0.5f, 0.5f, 0.333f}},
    {"transients2", {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.55f, 0.12f, 0.0f, 0.0f, 0.5f, 0.25f, 0.25f, 0.58f, 0.37f, 0.6f, 0.3f, 0.25f, 0.667f, 0.25f, 0.125f}},
    {"transients3", {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.75f, 0.333f, 1.0f, 1.0f, 0.5f, 0.85f, 0.667f, 0.333f, 0.5f, 0.5f, 0.333f, 0.333f, 0.667f, 0.25f, 0.25f}},
    {"transients4", {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 0.72f, 0.1f, 0.0f, 0.0f, 0.6f, 0.16f, 0.16f, 0.333f, 0.667f, 0.6f, 0.2f, 0.75f, 0.333f, 0.5f, 0.667f}},
    {"stereoEnh1", {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.75f, 0.333f, 1.0f, 1.0f, 0.5f, 0.85f, 0.667f, 0.333f, 0.5f, 0.5f, 0.333f, 0.333f, 0.667f, 0.25f, 0.25f}},
    {"stereoEnh2", {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.72f, 0.1f, 0.0f, 0.0f, 0.6f, 0.16f, 0.16f, 0.333f, 0.667f, 0.6f, 0.2f, 0.75f, 0.333f, 0.5f, 0.667f}},
    {"stereoEnh3", {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.62f, 0.16f, 0.16f, 0.0f, 0.22f, 0.33f, 0.667f, 0.58f, 0.42f, 0.42f, 0.32f, 0.55f, 0.5f, 0.333f, 0.0f}},
    {"stereoEnh4", {0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.6f, 0.25f, 0.5f, 0.667f, 0.4f, 0.667f, 0.0f, 0.5f, 0.25f, 0.5f, 0.667f}},
    {"harmonics1", {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.62f, 0.16f, 0.16f, 0.0f, 0.22f, 0.33f, 0.667f, 0.58f, 0.42f, 0.42f, 0.32f, 0.55f, 0.5f, 0.333f, 0.0f}},
    {"harmonics2", {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.6f, 0.25f, 0.5f, 0.667f, 0.4f, 0.667f, 0.0f, 0.5f, 0.25f, 0.5f, 0.667f}},
    {"harmonics3", {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.8f, 0.333f, 0.5f, 1.0f, 0.75f, 0.25f, 0.5f, 0.667f, 0.5f, 0.667f, 0.0f, 0.667f, 0.333f, 0.5f, 0.667f}},
    {"harmonics4", {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.7f, 0.333f, 0.667f, 1.0f, 0.6f, 0.5f, 0.5f, 0.5f, 0.5f, 0.44f, 0.1667f, 0.5f, 0.5f, 0.333f, 0.5f}},
}};

}  // namespace

void writeFactoryPrograms(frame::ProgramBank& bank) {
    for (int slot = 0; slot < kBankSlots && slot < bank.size(); ++slot) {
        const FactoryRow& row = kRows[static_cast<size_t>(slot)];
        std::array<float, kColumns> values{};
        for (size_t i = 0; i < row.values.size(); ++i) values[i] = row.values[i];
        values[20] = 1.0f;   // Process
        values[21] = 0.5f;   // Output
        values[22] = -1.0f;  // StereoMono
        bank.setProgram(slot, row.name, kColumnParams, values);
    }
}

}  // namespace glister
