#include "host/plugin_settings.h"

#include <gmock/gmock.h>

#include <cstdlib>
#include <fstream>

#include "host/host_error.h"
#include "host/plugin_locator.h"
#include "host_support.h"

namespace host::test {
namespace {

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const HostError& error) {
        return error.what();
    }
    return "(no error)";
}

auto Mentions(const std::string& text) { return ::testing::HasSubstr(text); }

TEST(HostProgramList, NamesPastNumProgramsAreListedButNotSelectable) {
    std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
    std::vector<ProgramEntry> programs = listPrograms(*plugin);
    ASSERT_EQ(programs.size(), 3u);
    EXPECT_EQ(programs[1].name, "Half");
    EXPECT_TRUE(programs[1].selectable);
    EXPECT_EQ(programs[2].name, "Hidden");
    EXPECT_FALSE(programs[2].selectable);
}

TEST(HostProgramList, SelectsByNameOrIndexThroughSetProgram) {
    for (const char* wanted : {"Half", "half", "1"}) {
        std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
        selectProgram(*plugin, wanted);
        EXPECT_EQ(plugin->param(0), 0.5f) << wanted;
    }
    std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
    EXPECT_THAT(errorOf([&] { selectProgram(*plugin, "Hidden"); }),
                Mentions("'Hidden' (index 2) cannot be selected through the VST 2 interface"));
    EXPECT_THAT(errorOf([&] { selectProgram(*plugin, "Loud"); }), Mentions("no program 'Loud'"));
    EXPECT_THAT(errorOf([&] { selectProgram(*plugin, "7"); }), Mentions("no program '7'"));
}

TEST(HostSettings, SetByNameOrIndexWithinZeroToOne) {
    std::unique_ptr<Plugin> plugin = Plugin::load(FAKE_DELAY_PATH);
    applySetting(*plugin, "gain=0.25");
    EXPECT_EQ(plugin->param(0), 0.25f);
    applySetting(*plugin, " GAIN =0.75");
    EXPECT_EQ(plugin->param(0), 0.75f);
    applySetting(*plugin, "0=1");
    EXPECT_EQ(plugin->param(0), 1.0f);
    EXPECT_THAT(errorOf([&] { applySetting(*plugin, "volume=0.5"); }), Mentions("no parameter 'volume'"));
    EXPECT_THAT(errorOf([&] { applySetting(*plugin, "gain=1.5"); }), Mentions("outside 0..1"));
    EXPECT_THAT(errorOf([&] { applySetting(*plugin, "gain=-0.1"); }), Mentions("outside 0..1"));
    EXPECT_THAT(errorOf([&] { applySetting(*plugin, "gain=loud"); }), Mentions("is not a number"));
    EXPECT_THAT(errorOf([&] { applySetting(*plugin, "gain"); }), Mentions("NAME=VALUE"));
    EXPECT_EQ(plugin->param(0), 1.0f) << "a rejected setting changes nothing";
}

class HostLoad : public ScratchTest {};

TEST_F(HostLoad, BrokenModulesGiveOneLineReasons) {
    std::ofstream(file("text.so")) << "not a library\n";
    EXPECT_THAT(errorOf([] { Plugin::load(FAKE_NULL_ENTRY_PATH); }), Mentions("its entry point returned null"));
    EXPECT_THAT(errorOf([] { Plugin::load(FAKE_NO_ENTRY_PATH); }), Mentions("exports neither VSTPluginMain nor main"));
    EXPECT_THAT(errorOf([] { Plugin::load(FAKE_BAD_MAGIC_PATH); }), Mentions("lacks the VstP magic"));
    EXPECT_THAT(errorOf([&] { Plugin::load(file("text.so").string()); }), Mentions("is not a loadable plug-in"));
    EXPECT_THAT(errorOf([&] { Plugin::load(file("none.so").string()); }), Mentions("no such file"));
}

TEST_F(HostLoad, ShortNamesSearchTheBuildTreeFirstThenVstPath) {
    std::filesystem::path fakes = std::filesystem::path(FAKE_DELAY_PATH).parent_path();
    std::filesystem::copy_file(FAKE_DELAY_PATH, file("fake_delay.so"));
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    std::string savedBuildDir = buildDir != nullptr ? buildDir : "";
    setenv("TARN_PLUGIN_DIR", dir_.c_str(), 1);
    setenv("VST_PATH", ("/nonexistent:" + fakes.string()).c_str(), 1);
    EXPECT_EQ(locatePlugin("fake_delay"), file("fake_delay.so").string());
    EXPECT_EQ(locatePlugin("fake_crashing"), (fakes / "fake_crashing.so").string());
    EXPECT_EQ(locatePlugin("./relative.so"), "./relative.so") << "paths are taken as they are";
    EXPECT_THAT(errorOf([] { locatePlugin("nothing_here"); }), Mentions("no plug-in named 'nothing_here' in"));
    unsetenv("VST_PATH");
    setenv("TARN_PLUGIN_DIR", savedBuildDir.c_str(), 1);
}

// A VST_PATH that is set, even empty, is the whole list after the build tree,
// as hosts read it: plug-ins installed in ~/.vst or /usr/local/lib/vst then
// stay out of the way.
TEST_F(HostLoad, ASetVstPathReplacesTheUsualFolders) {
    std::filesystem::create_directories(file(".vst"));
    std::filesystem::copy_file(FAKE_DELAY_PATH, file(".vst/homely.so"));
    const char* home = std::getenv("HOME");
    const char* buildDir = std::getenv("TARN_PLUGIN_DIR");
    std::string savedHome = home != nullptr ? home : "", savedBuildDir = buildDir != nullptr ? buildDir : "";
    setenv("HOME", dir_.c_str(), 1);
    setenv("TARN_PLUGIN_DIR", "/nonexistent", 1);
    unsetenv("VST_PATH");
    EXPECT_EQ(locatePlugin("HOMELY"), file(".vst/homely.so").string());
    setenv("VST_PATH", "", 1);
    EXPECT_EQ(errorOf([] { locatePlugin("homely"); }), "no plug-in named 'homely' in /nonexistent");
    unsetenv("VST_PATH");
    setenv("HOME", savedHome.c_str(), 1);
    setenv("TARN_PLUGIN_DIR", savedBuildDir.c_str(), 1);
}

}  // namespace
}  // namespace host::test
