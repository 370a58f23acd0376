#include "host/command_line.h"

#include <gtest/gtest.h>

#include "host/host_error.h"

namespace host {
namespace {

const std::vector<OptionDef> kOptions = {{"set", true}, {"block", true}, {"keep-latency", false}};

TEST(HostCommandLine, TakesValuesBothWaysAndKeepsRepeats) {
    CommandLine line("render", {"a", "--set", "x=1", "b", "--set=y=0.5", "--keep-latency", "--block=64"}, kOptions);
    EXPECT_EQ(line.positional(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(line.values("set"), (std::vector<std::string>{"x=1", "y=0.5"}));
    EXPECT_TRUE(line.has("keep-latency"));
    EXPECT_EQ(line.intValue("block", 512, 1, 65536), 64);
    EXPECT_EQ(line.intValue("missing", 7, 1, 10), 7);
    EXPECT_FALSE(line.helpRequested());
}

TEST(HostCommandLine, RejectsWhatItCannotUnderstandAsUsageErrors) {
    auto usageError = [](std::vector<std::string> args) {
        try {
            CommandLine line("render", args, kOptions);
            line.intValue("block", 512, 1, 65536);
        } catch (const HostError& error) {
            return error.exitCode() == kExitUsage;
        }
        return false;
    };
    EXPECT_TRUE(usageError({"--bogus"}));
    EXPECT_TRUE(usageError({"--set"}));
    EXPECT_TRUE(usageError({"--keep-latency=1"}));
    EXPECT_TRUE(usageError({"--block", "0"}));
    EXPECT_TRUE(usageError({"--block", "12x"}));
    EXPECT_TRUE(usageError({"--block", "65537"}));
}

TEST(HostCommandLine, HelpLoneDashesAndTheEndOfOptions) {
    CommandLine line("info", {"-h", "-", "--", "--weird.wav", "-x"}, {});
    EXPECT_TRUE(line.helpRequested());
    EXPECT_EQ(line.positional(), (std::vector<std::string>{"-", "--weird.wav", "-x"}));
}

}  // namespace
}  // namespace host
