// tarn info: settings before the listing, the Markdown reference, and short
// names in any case.
#include <gmock/gmock.h>

#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;

class CliInfo : public ScratchTest {};

TEST_F(CliInfo, ShowsTheDisplayTextAtTheValuesSet) {
    TarnRun unity = runTarn("info " + quoted(FAKE_DELAY_PATH));
    ASSERT_EQ(unity.exitCode, 0) << unity.output;
    EXPECT_THAT(unity.output, HasSubstr("gain                     1.000000  unity"));
    TarnRun less = runTarn("info " + quoted(FAKE_DELAY_PATH) + " --set gain=0.5");
    ASSERT_EQ(less.exitCode, 0) << less.output;
    EXPECT_THAT(less.output, HasSubstr("gain                     0.500000  less"));
    EXPECT_EQ(runTarn("info " + quoted(FAKE_DELAY_PATH) + " --set gain=2").exitCode, 1);
}

// Each parameter swept from 0 to 1 after the settings, which it returns to;
// every program name with whether a host can select it.
TEST_F(CliInfo, MarkdownReferenceSweepsEachParameter) {
    TarnRun run = runTarn("info " + quoted(FAKE_DELAY_PATH) + " --set gain=0.5 --markdown");
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("# Fake Delay\n"));
    EXPECT_THAT(run.output, HasSubstr("| # | Parameter | Unit | Default | 0.0 | 0.1 |"));
    EXPECT_THAT(run.output,
                HasSubstr("| 0 | gain |  | less | less | less | less | less | less | less | less | less | less | "
                          "less | unity |\n"));
    EXPECT_THAT(run.output, HasSubstr("| 1 | Half | yes |\n| 2 | Hidden | no |\n"));
}

TEST_F(CliInfo, ShortNamesMatchInAnyCase) {
    std::filesystem::copy_file(FAKE_DELAY_PATH, file("tarn_fakey.so"));
    std::filesystem::copy_file(FAKE_DELAY_PATH, file("Peer-vst.so"));
    std::string environment = "TARN_PLUGIN_DIR=" + quoted(dir_) + " HOME=" + quoted(dir_) + " VST_PATH=";
    for (const char* name : {"fakey", "Fakey", "FAKEY", "peer", "PEER", "Peer"}) {
        TarnRun run = runTarn(std::string("info ") + name, environment);
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.output;
        EXPECT_THAT(run.output, HasSubstr("name        Fake Delay")) << name;
    }
    EXPECT_THAT(runTarn("info fakeyy", environment).output, HasSubstr("no plug-in named 'fakeyy'"));
}

}  // namespace
}  // namespace host::test
