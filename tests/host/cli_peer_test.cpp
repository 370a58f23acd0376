// Third-party plug-ins (Debian's zam-plugins) prove that tarn follows the
// VST 2 interface rather than the habits of our own plug-ins; the broken fakes
// prove that validate isolates and reports what goes wrong.
#include <gmock/gmock.h>

#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;

constexpr const char* kZamComp = "/usr/lib/vst/ZamComp-vst.so";
// Third-party modules loaded under AddressSanitizer may report leaks of their own.
constexpr const char* kNoLeakCheck = "ASAN_OPTIONS=detect_leaks=0";

class ZamComp : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        ASSERT_TRUE(std::filesystem::exists(kZamComp)) << "tools/setup.sh installs zam-plugins";
    }
};

TEST_F(ZamComp, InfoRenderAndValidate) {
    TarnRun info = runTarn(std::string("info ") + kZamComp, kNoLeakCheck);
    ASSERT_EQ(info.exitCode, 0) << info.output;
    EXPECT_THAT(info.output, HasSubstr("name        ZamComp"));
    EXPECT_THAT(info.output, HasSubstr("'ZCMP'"));
    EXPECT_THAT(info.output, HasSubstr("Threshold"));

    writeWav(file("in.wav"), 2, 44100, 20000, testSignal);
    TarnRun render = runTarn("render ZamComp " + quoted(file("in.wav")) + " " + quoted(file("out.wav")) +
                             " --set Threshold=0.3 --set Ratio=0.8",
                         kNoLeakCheck);
    ASSERT_EQ(render.exitCode, 0) << render.output;
    Audio out = readAudio(file("out.wav"));
    EXPECT_EQ(out.channels, 1) << "ZamComp has one output";
    EXPECT_EQ(out.frames(), 20000u);

    // without a display: whether its GL editor leaks is the X server's and driver's business too
    TarnRun validate = runTarn(std::string("validate ") + kZamComp, std::string(kNoLeakCheck) + " DISPLAY=");
    EXPECT_EQ(validate.exitCode, 0) << validate.output;
    EXPECT_THAT(validate.output, HasSubstr("pass  dispatcher opcodes 0 to 80"));
    EXPECT_THAT(validate.output, HasSubstr(" passed, 0 failed"));
}

TEST(ValidateFakes, ACrashFailsOneCheckAndTheRunGoesOn) {
    TarnRun run = runTarn("validate " + quoted(FAKE_CRASHING_PATH));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.output, HasSubstr("FAIL  block sizes 1 to 8192, changing between calls  crashed (SIGSEGV)"));
    EXPECT_THAT(run.output, HasSubstr("pass  parameter sweeps while processing"));
    EXPECT_THAT(run.output, HasSubstr(" passed, 1 failed"));
}

TEST(ValidateFakes, AllocationsWhileProcessingAreCounted) {
#ifdef TARN_SANITIZED_BUILD
    GTEST_SKIP() << "the sanitizers own malloc in this build";
#endif
    TarnRun clean = runTarn("validate " + quoted(FAKE_DELAY_PATH));
    EXPECT_EQ(clean.exitCode, 0) << clean.output;
    EXPECT_THAT(clean.output, HasSubstr("pass  no allocations while processing"));
    TarnRun run = runTarn("validate " + quoted(FAKE_ALLOCATING_PATH));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_THAT(run.output, HasSubstr("FAIL  no allocations while processing"));
    EXPECT_THAT(run.output, HasSubstr("200 allocations in 200 processing calls"));
}

TEST(ValidateFakes, TheStricterChecksCatchTheirFaults) {
    struct Case {
        const char* path;
        const char* failure;
    };
    const Case cases[] = {
        {FAKE_SHARED_STATE_PATH, "FAIL  two instances do not affect each other         the output beside a second instance differs by"},
        {FAKE_SLOW_SILENCE_PATH, "FAIL  silence after a signal costs at most 1.2x"},
        {FAKE_DRIFTING_PARAMETER_PATH, "FAIL  parameters read back as set, value and text    parameter 0 'gain': 0.900000"},
    };
    for (const Case& c : cases) {
        TarnRun run = runTarn("validate " + quoted(c.path));
        EXPECT_EQ(run.exitCode, 1) << c.path;
        EXPECT_THAT(run.output, HasSubstr(c.failure)) << run.output;
        EXPECT_THAT(run.output, HasSubstr(" passed, 1 failed")) << run.output;
    }
}

}  // namespace
}  // namespace host::test
