// The bass enhancer's factory programs. Every slot keeps mix 1 and
// stereo/mono -1 (read as stereo) from its fresh defaults; process is 1.
#include <array>

#include "rumbler/rumbler_params.h"

namespace rumbler {
namespace {

struct FactoryProgram {
    const char* name;
    float gain, tune, threshold, colour, bass, saturation;
};

constexpr std::array<FactoryProgram, kBankSlots> kFactory = {{
    {"Current", 0.5f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f},
    {"Memo A", 0.5f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f},
    {"Memo B", 0.5f, 0.0f, 0.0f, 0.0f, 0.5f, 0.0f},
    {"psychoacoustic", 0.5f, 0.0f, 1.0f, 0.0f, 0.5f, 0.0f},
    {"mastering1", 0.5f, 0.125f, 1.0f, 0.0f, 0.5f, 0.0f},
    {"mastering2", 0.5f, 0.125f, 1.0f, 0.333f, 0.5f, 0.0f},
    {"mastering3", 0.5f, 0.333f, 0.7f, 0.0f, 0.5f, 0.0f},
    {"mastering4", 0.5f, 0.333f, 0.7f, 0.25f, 0.5f, 0.0f},
    {"warm1", 0.5f, 0.4f, 0.84f, 0.0f, 0.5f, 1.0f},
    {"warm2", 0.5f, 0.54f, 0.69f, 0.0f, 0.5f, 1.0f},
    {"drum-loop1", 0.75f, 0.4f, 0.75f, 0.0f, 0.5f, 1.0f},
    {"drum-loop2", 0.75f, 0.33f, 0.75f, 0.75f, 0.5f, 1.0f},
    {"bass1", 0.5f, 0.333f, 1.0f, 0.0f, 0.5f, 1.0f},
    {"bass2", 0.5f, 0.4f, 0.84f, 0.25f, 0.5f, 1.0f},
    {"synth-bass1", 0.5f, 0.333f, 1.0f, 0.5f, 0.5f, 1.0f},
    {"synth-bass2", 0.5f, 0.333f, 0.75f, 1.0f, 0.5f, 1.0f},
    {"guitar1", 0.7f, 0.7f, 1.0f, 0.0f, 0.333f, 1.0f},
    {"guitar2", 0.7f, 0.5f, 0.84f, 0.0f, 0.4f, 1.0f},
    {"dark el-guit1", 1.0f, 0.75f, 0.75f, 0.35f, 0.75f, 1.0f},
    {"dark el-guit2", 1.0f, 0.75f, 1.0f, 0.65f, 0.66f, 1.0f},
    {"disco max-woofer", 0.8f, 0.5f, 1.0f, 0.5f, 0.65f, 1.0f},
    {"disco sub-woofer", 0.8f, 0.35f, 1.0f, 0.6f, 0.7f, 1.0f},
    {"extreme1", 0.5f, 0.5f, 0.75f, 1.0f, 0.5f, 1.0f},
    {"extreme2", 0.75f, 1.0f, 1.0f, 0.5f, 0.5f, 1.0f},
}};

}  // namespace

void writeFactoryPrograms(frame::ProgramBank& bank) {
    static constexpr std::array<VstInt32, 7> kIndices = {kGain, kTune, kThreshold, kColour, kBass, kSaturation, kProcess};
    for (int slot = 0; slot < kBankSlots && slot < bank.size(); ++slot) {
        const FactoryProgram& p = kFactory[static_cast<size_t>(slot)];
        const std::array<float, 7> values = {p.gain, p.tune, p.threshold, p.colour, p.bass, p.saturation, 1.0f};
        bank.setProgram(slot, p.name, kIndices, values);
    }
}

}  // namespace rumbler
