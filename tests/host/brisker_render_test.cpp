// The compressor through tarn, sample for sample against BriskerEffect driven
// in-process with the same calls; and the demo with only the compressor built.
#include <gmock/gmock.h>

#include <cstring>

#include "brisker/brisker_effect.h"
#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;

constexpr int kBlock = 256;
constexpr float kRate = 48000.0f;
constexpr size_t kFrames = 72000;
const std::vector<std::pair<std::string, float>> kSettings = {
    {"compress", 0.6f}, {"attack", 0.3f}, {"release", 0.4f}, {"make-up", 0.3f}, {"hold", 0.2f}, {"LIM/SAT", 1.0f}};

// What tarn answers, for the few questions the compressor asks.
bool secondInputConnected = true;

VstIntPtr VSTCALLBACK testHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void* ptr, float) {
    switch (opcode) {
    case audioMasterVersion: return kVstVersion;
    case audioMasterGetBlockSize: return kBlock;
    case audioMasterGetSampleRate: return static_cast<VstIntPtr>(kRate);
    case audioMasterCanDo: return std::strcmp(static_cast<const char*>(ptr), "reportConnectionChanges") == 0;
    case audioMasterPinConnected: return index == 1 && !secondInputConnected ? 1 : 0;
    default: return 0;
    }
}

int parameterIndex(AEffect* effect, const std::string& name) {
    for (int i = 0; i < effect->numParams; ++i) {
        char text[64] = {};
        effect->dispatcher(effect, effGetParamName, i, 0, text, 0);
        if (name == text) return i;
    }
    ADD_FAILURE() << "no parameter " << name;
    return 0;
}

// The input followed by the latency in silence, in blocks of kBlock, with
// the first latency frames of the output dropped: what tarn promises.
std::vector<float> renderInProcess(const Audio& input) {
    secondInputConnected = input.channels == 2;
    auto brisker = std::make_unique<brisker::BriskerEffect>(testHost);
    AEffect* e = brisker->record();
    e->dispatcher(e, effOpen, 0, 0, nullptr, 0);
    for (const auto& [name, value] : kSettings) e->setParameter(e, parameterIndex(e, name), value);
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, kRate);
    e->dispatcher(e, effSetBlockSize, 0, kBlock, nullptr, 0);
    e->dispatcher(e, effMainsChanged, 0, 1, nullptr, 0);
    e->dispatcher(e, effStartProcess, 0, 0, nullptr, 0);
    const size_t latency = static_cast<size_t>(e->initialDelay);
    const size_t total = input.frames() + latency;
    std::vector<float> in[2], out[2], result;
    for (int c = 0; c < 2; ++c) in[c].assign(total, 0.0f), out[c].assign(total, 0.0f);
    for (size_t i = 0; i < input.frames(); ++i) {
        for (int c = 0; c < input.channels; ++c) in[c][i] = input.at(i, c);
    }
    for (size_t start = 0; start < total; start += kBlock) {
        float* ins[2] = {in[0].data() + start, in[1].data() + start};
        float* outs[2] = {out[0].data() + start, out[1].data() + start};
        e->processReplacing(e, ins, outs, static_cast<VstInt32>(std::min<size_t>(kBlock, total - start)));
    }
    for (size_t i = latency; i < total; ++i) result.insert(result.end(), {out[0][i], out[1][i]});
    return result;
}

class BriskerThroughTarn : public ScratchTest, public ::testing::WithParamInterface<int> {};

TEST_P(BriskerThroughTarn, RenderMatchesTheEffectDrivenDirectly) {
    const int channels = GetParam();
    writeWav(file("in.wav"), channels, static_cast<int>(kRate), kFrames, testSignal);
    std::string sets;
    for (const auto& [name, value] : kSettings) sets += " --set " + name + "=" + std::to_string(value);
    TarnRun run = runTarn("render brisker " + quoted(file("in.wav")) + " " + quoted(file("out.wav")) +
                      " --block " + std::to_string(kBlock) + sets);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    Audio out = readAudio(file("out.wav"));
    ASSERT_EQ(out.channels, 2);
    ASSERT_EQ(out.sampleRate, static_cast<int>(kRate));
    std::vector<float> expected = renderInProcess(readAudio(file("in.wav")));
    ASSERT_EQ(out.samples.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(out.samples[i], expected[i]) << "sample " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(MonoAndStereo, BriskerThroughTarn, ::testing::Values(1, 2));

TEST(BriskerCli, InfoAndValidate) {
    TarnRun info = runTarn("info brisker");
    ASSERT_EQ(info.exitCode, 0) << info.output;
    EXPECT_THAT(info.output, HasSubstr("'Wq4a'"));
    EXPECT_THAT(info.output, HasSubstr("latency     1023 samples"));
    EXPECT_THAT(info.output, HasSubstr("parameters  17"));
    EXPECT_THAT(info.output, HasSubstr("de-esser"));
    TarnRun validate = runTarn("validate brisker");
    EXPECT_EQ(validate.exitCode, 0) << validate.output;
    EXPECT_THAT(validate.output, HasSubstr(" passed, 0 failed"));
    // refused before anything is written
    std::filesystem::path out = std::filesystem::temp_directory_path() / "tarn-program-refused.wav";
    TarnRun program = runTarn("render brisker " + quoted(out) + " --program de-esser");
    EXPECT_EQ(program.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_THAT(program.output, HasSubstr("'de-esser' (index 12) cannot be selected through the VST 2 interface"));
}

class DemoWithBriskerOnly : public ScratchTest {};

TEST_F(DemoWithBriskerOnly, RendersItsProgramsAndSkipsTheRest) {
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    ASSERT_NE(buildDir, nullptr);
    std::filesystem::create_directories(file("plugins"));
    std::filesystem::copy_file(std::filesystem::path(buildDir) / "tarn_brisker.so", file("plugins/tarn_brisker.so"));
    std::string environment = "TARN_PLUGIN_DIR=" + quoted(file("plugins")) + " HOME=" + quoted(dir_) + " VST_PATH=";
    TarnRun run = runTarn("demo " + quoted(file("demo")), environment);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("Tarn Brisker"));
    EXPECT_THAT(run.output, HasSubstr("de-esser *"));
    EXPECT_THAT(run.output, HasSubstr("Tarn Glister  not built, skipped"));
    EXPECT_THAT(run.output, ::testing::Not(HasSubstr("warning")));
    Audio dry = readAudio(file("demo/demo-input.wav"));
    Audio universal = readAudio(file("demo/brisker-universal.wav"));
    Audio deEsser = readAudio(file("demo/brisker-de-esser.wav"));
    EXPECT_EQ(dry.frames(), 8u * 44100u);
    EXPECT_EQ(universal.frames(), dry.frames());
    EXPECT_EQ(deEsser.frames(), dry.frames());
    EXPECT_NE(universal.samples, deEsser.samples) << "each program's settings must reach the plug-in";
}

}  // namespace
}  // namespace host::test
