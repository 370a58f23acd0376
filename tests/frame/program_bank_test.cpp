#include "frame/program_bank.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

namespace {

constexpr VstInt32 kFields[] = {3, 0, 7};
constexpr float kDefaults[] = {0.25f, 0.5f, 1.0f};

frame::ProgramBank makeBank() {
    frame::ProgramBank bank;
    bank.build(frame::ProgramLayout{5, kFields, kDefaults, "init"});
    return bank;
}

TEST(ProgramBank, FreshSlotsHoldDefaultsByParameterIndex) {
    auto bank = makeBank();
    EXPECT_EQ(bank.size(), 5);
    EXPECT_EQ(bank.recordBytes(), 32u + 12u);
    EXPECT_STREQ(bank.name(4), "init");
    EXPECT_EQ(bank.param(4, 3), 0.25f);
    EXPECT_EQ(bank.param(4, 0), 0.5f);
    EXPECT_EQ(bank.param(4, 7), 1.0f);
    EXPECT_EQ(bank.param(4, 5), 0.0f);  // not stored
    bank.setParam(2, 5, 0.9f);          // ignored
    EXPECT_EQ(bank.param(2, 5), 0.0f);
}

TEST(ProgramBank, CopyTakesNameAndValues) {
    auto bank = makeBank();
    bank.setName(0, "mine");
    bank.setParam(0, 7, 0.125f);
    bank.copySlot(0, 3);
    EXPECT_STREQ(bank.name(3), "mine");
    EXPECT_EQ(bank.param(3, 7), 0.125f);
    bank.copySlot(0, 5);  // out of range: nothing happens
    bank.copySlot(-1, 2);
    EXPECT_STREQ(bank.name(2), "init");
}

TEST(ProgramBank, NamesAreCutToTheSlot) {
    auto bank = makeBank();
    const std::string longName(100, 'x');
    bank.setName(1, longName.c_str());
    EXPECT_EQ(std::strlen(bank.name(1)), frame::kProgramNameSize - 1);
}

TEST(ProgramBank, EverywhereWritesEverySlot) {
    auto bank = makeBank();
    bank.setParamEverywhere(0, 0.75f);
    for (int s = 0; s < bank.size(); ++s) EXPECT_EQ(bank.param(s, 0), 0.75f);
}

// Automation writes "Current" while the editor's program commands copy and read it:
// under the thread sanitizer an unsynchronised access fails this.
TEST(ProgramBankThreads, ValuesWrittenWhileCopiedAndRead) {
    auto bank = makeBank();
    constexpr int kSteps = 20000;
    std::thread automation([&bank] {
        for (int i = 0; i <= kSteps; ++i) bank.setParam(0, 7, static_cast<float>(i) / kSteps);
    });
    float most = 0.0f;
    for (int i = 0; i < kSteps; ++i) {
        bank.copySlot(0, 1);
        most = std::max(most, bank.param(1, 7));
    }
    automation.join();
    bank.copySlot(0, 1);
    EXPECT_EQ(bank.param(1, 7), 1.0f);
    EXPECT_LE(most, 1.0f);
}

}  // namespace
