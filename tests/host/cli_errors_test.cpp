// Every bad input gets one clear line, a non-zero exit and no output file.
#include <gmock/gmock.h>

#include <fstream>

#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class CliErrors : public ScratchTest {
protected:
    void SetUp() override {
        ScratchTest::SetUp();
        writeWav(file("in.wav"), 2, 44100, 1000, testSignal);
    }
    // Runs a render that must fail with code and message and leave no file behind.
    void expectRenderFailure(const std::string& arguments, int code, const std::string& message) {
        std::vector<std::string> before = listing();
        TarnRun run = runTarn("render " + arguments);
        EXPECT_EQ(run.exitCode, code) << run.output;
        EXPECT_THAT(run.output, StartsWith("tarn: "));
        EXPECT_THAT(run.output, HasSubstr(message));
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << "one line: " << run.output;
        EXPECT_EQ(listing(), before) << "nothing half-written may remain";
    }
    std::string fake() const { return quoted(FAKE_DELAY_PATH); }
    std::string in() const { return quoted(file("in.wav")); }
    std::string out() const { return quoted(file("out.wav")); }
};

TEST_F(CliErrors, BadInputFiles) {
    expectRenderFailure(fake() + " " + quoted(file("missing.wav")) + " " + out(), 1,
                        "cannot read '" + file("missing.wav").string() + "': no such file");
    expectRenderFailure(fake() + " " + quoted(dir_) + " " + out(), 1, "it is a folder, not an audio file");
    std::ofstream(file("junk.wav")) << "RIFF but not really";
    expectRenderFailure(fake() + " " + quoted(file("junk.wav")) + " " + out(), 1, "cannot read");
    writeWav(file("six.wav"), 6, 44100, 100, testSignal);
    expectRenderFailure(fake() + " " + quoted(file("six.wav")) + " " + out(), 1,
                        "the input has 6 channels; tarn renders mono and stereo files only");
    writeWav(file("at48k.wav"), 2, 48000, 100, testSignal);
    expectRenderFailure(fake() + " " + quoted(file("at48k.wav")) + " " + out() + " --rate 44100", 1,
                        "tarn does not resample");
}

TEST_F(CliErrors, OutputsThatCannotBeWrittenFailBeforeAnyWork) {
    expectRenderFailure(fake() + " " + in() + " " + quoted(file("none/out.wav")), 1,
                        "there is no folder '" + file("none").string() + "'");
    expectRenderFailure(fake() + " " + in() + " " + quoted(dir_), 1, "it is a folder; give a file name");
}

// The input must survive any spelling of itself as OUT: the same name, a
// symbolic link to it, a hard link, a path through "..".
TEST_F(CliErrors, TheInputIsNeverTheOutput) {
    std::filesystem::create_symlink(file("in.wav"), file("link.wav"));
    std::filesystem::create_hard_link(file("in.wav"), file("hard.wav"));
    std::filesystem::create_directories(file("sub"));
    for (const std::filesystem::path& output : {file("in.wav"), file("link.wav"), file("hard.wav"),
                                                file("sub") / ".." / "in.wav"}) {
        expectRenderFailure(fake() + " " + in() + " " + quoted(output) + " --set gain=0.5", 1,
                            "is the input file itself");
    }
    Audio kept = readAudio(file("in.wav"));
    ASSERT_EQ(kept.frames(), 1000u);
    for (size_t i = 0; i < kept.frames(); ++i) ASSERT_EQ(kept.at(i, 0), testSignal(i, 0)) << i;
}

TEST_F(CliErrors, BadProgramsAndParameters) {
    expectRenderFailure(fake() + " " + in() + " " + out() + " --set volume=0.5", 1, "no parameter 'volume'");
    expectRenderFailure(fake() + " " + in() + " " + out() + " --set gain=1.01", 1, "value 1.01 for parameter 'gain' is outside 0..1");
    expectRenderFailure(fake() + " " + in() + " " + out() + " --program Loud", 1, "no program 'Loud'");
    expectRenderFailure(fake() + " " + in() + " " + out() + " --program Hidden", 1,
                        "cannot be selected through the VST 2 interface");
}

TEST_F(CliErrors, FilesThatAreNotWorkingPlugins) {
    std::ofstream(file("text.so")) << "text";
    expectRenderFailure(quoted(file("text.so")) + " " + in() + " " + out(), 1, "is not a loadable plug-in");
    expectRenderFailure(quoted(FAKE_NO_ENTRY_PATH) + " " + in() + " " + out(), 1, "is not a VST 2 plug-in");
    expectRenderFailure(quoted(FAKE_BAD_MAGIC_PATH) + " " + in() + " " + out(), 1, "is not a VST 2 plug-in");
    expectRenderFailure(quoted(FAKE_NULL_ENTRY_PATH) + " " + in() + " " + out(), 1, "its entry point returned null");
    expectRenderFailure("no_such_plugin " + in() + " " + out(), 1, "no plug-in named 'no_such_plugin'");
}

TEST_F(CliErrors, CommandLinesThatCannotBeUnderstood) {
    expectRenderFailure(fake() + " " + in() + " " + out() + " --bogus", 2, "unknown option '--bogus'");
    expectRenderFailure(fake() + " " + in() + " " + out() + " --block 0", 2, "--block takes a whole number");
    expectRenderFailure(fake(), 2, "takes PLUGIN [IN] OUT");
    expectRenderFailure(fake() + " " + in() + " " + quoted(file("out.mp3")), 1, "unknown format '.mp3'");
    TarnRun run = runTarn("transmogrify");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_THAT(run.output, HasSubstr("unknown command 'transmogrify'"));
    EXPECT_EQ(runTarn("info").exitCode, 2);
    EXPECT_EQ(runTarn("validate a b").exitCode, 2);
}

TEST_F(CliErrors, InfoAndValidateRefuseNonPlugins) {
    TarnRun info = runTarn("info " + quoted(FAKE_NULL_ENTRY_PATH));
    EXPECT_EQ(info.exitCode, 1);
    EXPECT_THAT(info.output, HasSubstr("its entry point returned null"));
    TarnRun validate = runTarn("validate " + quoted(FAKE_NO_ENTRY_PATH));
    EXPECT_EQ(validate.exitCode, 1);
    EXPECT_THAT(validate.output, StartsWith("tarn: "));
    EXPECT_THAT(validate.output, HasSubstr("exports neither VSTPluginMain nor main"));
}

TEST(CliHelp, EveryCommandHasHelp) {
    for (const char* command : {"info", "render", "demo", "validate", "snapshot"}) {
        TarnRun run = runTarn(std::string(command) + " --help");
        EXPECT_EQ(run.exitCode, 0) << command;
        EXPECT_THAT(run.output, StartsWith(std::string("usage: tarn ") + command));
    }
    EXPECT_EQ(runTarn("--help").exitCode, 0);
}

}  // namespace
}  // namespace host::test
