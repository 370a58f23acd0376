#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "brisker/brisker_effect.h"
#include "frame/dsp_util.h"
#include "tests/brisker/brisker_model.h"
#include "tests/support/recording_host.h"
#include "tests/support/render.h"

namespace {

using brisker::BriskerEffect;
using testing_support::RecordingHost;

struct Case {
    std::string name;
    int program;
    std::vector<std::pair<VstInt32, float>> settings;
    float rate = 44100.0f;
    bool mono = false;
    int block = 300;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

brisker_model::Params paramsOf(const BriskerEffect& e) {
    auto v = [&](VstInt32 i) { return static_cast<double>(e.parameterValue(i)); };
    using namespace brisker;
    return {v(kProcess), v(kInput),  v(kCompress), v(kSlope),   v(kAttack),  v(kRelease),
            v(kMakeUp),  v(kMix),    v(kOutput),   v(kScFreq),  v(kScQ),     v(kHold),
            v(kPrePost), v(kRmsPeak), v(kDel),     v(kScl),     v(kLimSat)};
}

class BriskerModel : public ::testing::TestWithParam<Case> {};

// The effect against the plain model: every sample and every meter record,
// through the program's own settings, then through gliding changes of every
// smoothed parameter.
TEST_P(BriskerModel, AgreesSampleForSample) {
    const Case& c = GetParam();
    RecordingHost host;
    host.reportsConnections = 1;
    host.input2Connected = !c.mono;
    BriskerEffect effect(RecordingHost::callback());
    testing_support::startProcessing(effect.record(), c.rate, c.block);
    effect.pickProgram(c.program);
    for (auto [index, value] : c.settings) effect.applyParameter(index, value);
    effect.selectProgramAutomated(0);  // every glide settled on the settings

    brisker_model::Model model(frame::sanitizeRate(c.rate), paramsOf(effect));
    model.mono = c.mono;
    const auto input = testing_support::whiteNoise(static_cast<size_t>(c.block) * 80, 0.9f, 17);
    std::vector<float> ml(static_cast<size_t>(c.block)), mr(static_cast<size_t>(c.block));
    std::vector<float> el(static_cast<size_t>(c.block)), er(static_cast<size_t>(c.block));
    for (int b = 0; b < 80; ++b) {
        if (b == 30) {
            using namespace brisker;
            for (auto [index, value] : std::vector<std::pair<VstInt32, float>>{
                     {kCompress, 0.6f}, {kSlope, 0.2f}, {kAttack, 0.4f}, {kRelease, 0.7f}, {kMakeUp, 0.5f},
                     {kInput, 0.7f}, {kOutput, 0.3f}, {kHold, 0.3f}, {kMix, 0.8f}, {kScFreq, 0.3f}})
                effect.applyParameter(index, value);
        }
        if (b == 55) effect.applyParameter(brisker::kMakeUp, 0.0f);
        const size_t at = static_cast<size_t>(b * c.block);
        float* in[2] = {const_cast<float*>(input.left.data() + at), const_cast<float*>(input.right.data() + at)};
        float* out[2] = {el.data(), er.data()};
        effect.record()->processReplacing(effect.record(), in, out, c.block);
        model.block(paramsOf(effect), in[0], in[1], ml.data(), mr.data(), c.block);
        ASSERT_EQ(el, ml) << "block " << b;
        ASSERT_EQ(er, mr) << "block " << b;
        const auto& meters = effect.meters();
        const int last = (meters.writeIndex() - 1) & 1023;
        for (int ch = 0; ch < 2; ++ch) {
            ASSERT_EQ(meters.at(brisker::kLevelL + ch, last), model.meterLevel[ch]) << b;
            ASSERT_EQ(meters.at(brisker::kHeldL + ch, last), model.held[ch]) << b;
            ASSERT_EQ(meters.at(brisker::kClipL + ch, last), model.clip[ch]) << b;
            ASSERT_EQ(meters.at(brisker::kReductionL + ch, last), model.reduction[ch]) << b;
        }
    }
}

using namespace brisker;
INSTANTIATE_TEST_SUITE_P(
    Programs, BriskerModel,
    ::testing::Values(Case{"universal", 3, {}}, Case{"mix1_slow_auto_attack_hold", 4, {}},
                      Case{"de_esser_peak_del", 12, {}}, Case{"el_guitar2_sat", 17, {}},
                      Case{"drums4_parallel", 24, {}}, Case{"delay_fx_makeup_hold", 25, {}},
                      Case{"sc2_deep_gliding_times", 29, {}},
                      Case{"limiter_with_del", 3, {{kLimSat, 0.5f}, {kDel, 1.0f}, {kRmsPeak, 0.0f}}},
                      Case{"limiter_no_del_rms", 31, {{kLimSat, 0.5f}}},
                      Case{"side_chain_listen", 3, {{kScl, 1.0f}}},
                      Case{"bypassed", 3, {{kProcess, 0.0f}, {kInput, 0.8f}}},
                      Case{"pre_meter", 21, {{kPrePost, 0.0f}}},
                      Case{"mono_input", 24, {}, 44100.0f, true},
                      Case{"rate_96000", 12, {}, 96000.0f}, Case{"rate_22050_high_centre", 12, {{kScFreq, 1.0f}}, 22050.0f},
                      Case{"one_sample_blocks", 29, {}, 44100.0f, false, 1},
                      Case{"half_rms_switch", 3, {{kRmsPeak, 0.5f}}}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
