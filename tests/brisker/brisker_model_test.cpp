#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
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

// Samples of a second model, written separately from the same design, for a
// program chosen from the editor right after loading: construction, resume,
// the automated program load and the glides that start from slot 0 are all in
// the path. Two sines (220 Hz left, 3100 Hz right) step through four levels.
TEST(BriskerSecondModel, MatchesItsSamplesForFiveFactoryPrograms) {
    struct Vector {
        int program;
        uint32_t left[12], right[12];
    };
    const Vector kVectors[] = {
    {3, {0x3D9358E2, 0xBD9FE609, 0xBD953E74, 0x3D985517, 0x3F1C6BEE, 0xBF0F91D1, 0xBF2207A1, 0x3F160A9C, 0x3E10E02B, 0xBDF2FF73, 0xBE17C7A8, 0x3DEEC7C8},
         {0xBCD4F5A5, 0x3D3F8ABA, 0xBD6B67CF, 0x3D668796, 0xBEBEF5EE, 0x3E401276, 0x3CA0E789, 0xBE2443CF, 0x3E832E19, 0xBE02126D, 0x3DA12C2A, 0xBD8888D3}},
    {12, {0x3D91EC84, 0xBDA199D0, 0xBD9841F8, 0x3D9C2884, 0x3FE96967, 0xBFEA2654, 0xBFFF16C6, 0x3FED35C3, 0x3EB30C8B, 0xBEA90EC0, 0xBEE77769, 0x3EB95F0D},
         {0xBCD4BFE8, 0x3D40DD92, 0xBD6FBA3E, 0x3D6C5956, 0xBF871852, 0x3F1721E9, 0xBB945A47, 0xBF574F3C, 0xBE155194, 0xBEB58489, 0x3E75A3A0, 0xBE5BF8E2}},
    {24, {0x3EBDE874, 0xBEAA844F, 0xBE8D7BCA, 0x3E8545E5, 0x3F2C2534, 0xBEDB80DC, 0xBEFA1B79, 0x3F0228BA, 0x3E13E758, 0xBE3FEBCC, 0xBE70E114, 0x3E3A3960},
         {0xBE0CF9A7, 0x3E4E0336, 0xBE5FC1DA, 0x3E4AB608, 0xBED08B1C, 0x3E151444, 0x3BA4FE1B, 0xBE77B79F, 0xBCE02115, 0xBE2D5376, 0x3DCBB78C, 0xBDC1BB0D}},
    {25, {0x3F24E611, 0xBF1CDE2D, 0xBF017FCB, 0x3F093B4D, 0x3F02DB34, 0xBE974FCF, 0xBEAC78FA, 0x3ECA0B97, 0x3DFCCFCF, 0xBDD1CAD2, 0xBE04678A, 0x3DCB0DEC},
         {0xBE801FD9, 0x3EC395DD, 0xBECF3759, 0x3ED42A7E, 0xBE98A35B, 0x3DDAAD8C, 0xBC013C8E, 0xBE3A8643, 0xBD45F317, 0xBDC7ABAD, 0x3D7F50E7, 0xBD784B51}},
    {29, {0x3CF37647, 0xBD01DC91, 0xBCEE88E8, 0x3CF0C06D, 0x3F4D6825, 0xBED67224, 0xBEA5D6BB, 0x3E776909, 0x3D4AAB5D, 0xBD2383F8, 0xBD5D5099, 0x3D3E6F96},
         {0xBC315715, 0x3C9B287C, 0xBCBBC3F7, 0x3CB64254, 0xBEED43E5, 0x3E0C6F54, 0xBAC28E18, 0xBDEB2B95, 0xBC9CEF0D, 0xBD0F59C9, 0x3CD47F95, 0xBCD826E7}},
    };
    constexpr int kFrames = 4096, kBlock = 256;
    std::vector<float> left(kFrames), right(kFrames);
    for (int i = 0; i < kFrames; ++i) {
        const double t = i / 44100.0;
        const double level = std::array{0.05, 1.6, 0.3, 0.9}[static_cast<size_t>((i / 1000) % 4)];
        left[static_cast<size_t>(i)] = static_cast<float>(level * 0.9 * std::sin(6.283185307179586 * 220.0 * t));
        right[static_cast<size_t>(i)] = static_cast<float>(level * 0.5 * std::sin(6.283185307179586 * 3100.0 * t + 1.0));
    }
    for (const Vector& v : kVectors) {
        RecordingHost host;
        BriskerEffect effect(RecordingHost::callback());
        AEffect* e = effect.record();
        e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 44100.0f);
        e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0.0f);
        effect.selectProgramAutomated(v.program);
        std::vector<float> outL(kFrames), outR(kFrames);
        for (int at = 0; at < kFrames; at += kBlock) {
            float* in[2] = {left.data() + at, right.data() + at};
            float* out[2] = {outL.data() + at, outR.data() + at};
            e->processReplacing(e, in, out, kBlock);
        }
        for (int k = 0; k < 12; ++k) {
            const size_t i = static_cast<size_t>(1100 + 250 * k);
            EXPECT_EQ(std::bit_cast<uint32_t>(outL[i]), v.left[k]) << "program " << v.program << " sample " << i;
            EXPECT_EQ(std::bit_cast<uint32_t>(outR[i]), v.right[k]) << "program " << v.program << " sample " << i;
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
                      Case{"half_rms_switch", 3, {{kRmsPeak, 0.5f}}},
                      // a long look-ahead in blocks of several chunks
                      Case{"rate_192000_del_long_blocks", 12, {{kDel, 1.0f}, {kRmsPeak, 1.0f}, {kAttack, 0.5f}},
                           192000.0f, false, 1000}),
    [](const ::testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
