// A test fixture holding one built plug-in, loaded through VSTPluginMain with a
// recording host, and closed through effClose (which must answer 1).
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "tests/support/plugin_module.h"
#include "tests/support/recording_host.h"

namespace testing_support {

class LoadedPluginTest : public ::testing::Test {
protected:
    explicit LoadedPluginTest(std::string name) : name_(std::move(name)) {}

    void SetUp() override {
        module = std::make_unique<PluginModule>(builtPluginPath(name_));
        ASSERT_TRUE(module->loaded()) << module->error();
        PluginMain entry = module->entry("VSTPluginMain");
        ASSERT_NE(entry, nullptr);
        effect = entry(RecordingHost::callback());
        ASSERT_NE(effect, nullptr);
        // the signal paths read pairs of doubles as 16-byte SSE2 units, also in a
        // 32-bit Windows module, whose plain new aligns to 8 bytes only
        EXPECT_EQ(reinterpret_cast<uintptr_t>(effect->object) % 16, 0u);
    }
    void TearDown() override {
        if (effect) {
            EXPECT_EQ(dispatch(effect, effClose), 1);
        }
    }

    RecordingHost host;
    std::unique_ptr<PluginModule> module;
    AEffect* effect = nullptr;

private:
    std::string name_;
};

}  // namespace testing_support
