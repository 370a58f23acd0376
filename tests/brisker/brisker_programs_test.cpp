#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "brisker/brisker_effect.h"
#include "tests/support/recording_host.h"

namespace {

using brisker::BriskerEffect;
using frame::ProgramBank;
using testing_support::RecordingHost;

class BriskerPrograms : public ::testing::Test {
protected:
    RecordingHost host;
    BriskerEffect effect{RecordingHost::callback()};
    AEffect* record = effect.record();

    VstIntPtr dispatch(VstInt32 op, VstInt32 index, VstIntPtr value = 0, void* ptr = nullptr) {
        return record->dispatcher(record, op, index, value, ptr, 0.0f);
    }
};

TEST_F(BriskerPrograms, FactoryBankAsBuilt) {
    EXPECT_STREQ(effect.bank().name(0), "Current");
    EXPECT_STREQ(effect.bank().name(1), "Memo A");
    EXPECT_STREQ(effect.bank().name(3), "universal");
    EXPECT_STREQ(effect.bank().name(12), "de-esser");
    EXPECT_STREQ(effect.bank().name(39), "Fc-6-60 5");
    // de-esser: scFreq and scQ 0.9166, make-up 0.299, hard slope, peak detector
    EXPECT_EQ(effect.bank().param(12, brisker::kScFreq), 0.9166f);
    EXPECT_EQ(effect.bank().param(12, brisker::kMakeUp), 0.299f);
    EXPECT_EQ(effect.bank().param(12, brisker::kSlope), 1.0f);
    EXPECT_EQ(effect.bank().param(12, brisker::kRmsPeak), 0.0f);
    // the table gives mix everywhere; stereo/mono keeps its default 0
    EXPECT_EQ(effect.bank().param(24, brisker::kMix), 0.4f);
    EXPECT_EQ(effect.bank().param(24, brisker::kStereoMono), 0.0f);
    // slot 0 is applied at construction: attack and release of "universal" quantized
    EXPECT_EQ(effect.parameterValue(brisker::kRelease), 0.0833333f);
    EXPECT_EQ(effect.parameterValue(brisker::kLimSat), 0.5f);
}

TEST_F(BriskerPrograms, StepWrapsAroundTheBank) {
    EXPECT_EQ(effect.stepProgram(0, -1), 39);
    EXPECT_STREQ(effect.bank().name(0), "Fc-6-60 5");
    EXPECT_EQ(effect.stepProgram(39, +1), 0);
    EXPECT_EQ(effect.stepProgram(4, +1), 5);
    EXPECT_STREQ(effect.bank().name(0), "mix2");
    EXPECT_EQ(effect.parameterValue(brisker::kMix), 0.75f);
}

TEST_F(BriskerPrograms, StoreChangeRecallRestoresAndAutomates) {
    effect.pickProgram(24);  // drums4
    EXPECT_EQ(effect.storeMemo(ProgramBank::kMemoA, 24), 1);
    effect.applyParameter(brisker::kCompress, 0.9f);
    effect.applyParameter(brisker::kMix, 0.1f);
    effect.applyParameter(brisker::kAttack, 0.7f);
    host.clear();
    EXPECT_EQ(effect.recallMemo(ProgramBank::kMemoA), 1);
    EXPECT_EQ(effect.parameterValue(brisker::kCompress), 0.7f);
    EXPECT_EQ(effect.parameterValue(brisker::kMix), 0.4f);
    EXPECT_EQ(effect.parameterValue(brisker::kAttack), 0.0833333f);

    // per host-visible parameter: one begin-edit, two automated edits, one end-edit
    for (VstInt32 index = 0; index < brisker::kHostParams; ++index) {
        int begins = 0, edits = 0, ends = 0;
        for (const auto& c : host.calls) {
            if (c.index != index) continue;
            begins += c.opcode == audioMasterBeginEdit;
            edits += c.opcode == audioMasterAutomate;
            ends += c.opcode == audioMasterEndEdit;
        }
        EXPECT_EQ(begins, 1) << index;
        EXPECT_EQ(edits, 2) << index;
        EXPECT_EQ(ends, 1) << index;
    }
    // the parameter the host cannot see is never reported
    for (const auto& c : host.calls) EXPECT_LT(c.index, brisker::kHostParams);
    // order: every begin-edit first, in the fixed order; the end-edits last
    ASSERT_GE(host.calls.size(), 17u * 4u);
    EXPECT_EQ(host.calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.calls.front().index, brisker::kInput);
    EXPECT_EQ(host.callsWith(audioMasterUpdateDisplay).size(), 1u);
    const auto ends = host.callsWith(audioMasterEndEdit);
    EXPECT_EQ(ends.back().index, brisker::kMix);
    // the automated edits carry the recalled values in the second pass
    const auto edits = host.callsWith(audioMasterAutomate);
    EXPECT_EQ(edits.back().index, brisker::kMix);
    EXPECT_EQ(edits.back().opt, 0.4f);
}

TEST_F(BriskerPrograms, StoreKeepsTheWorkingNameAndShowsTheEntryName) {
    effect.pickProgram(12);
    char tweak[] = "tweak";
    dispatch(effSetProgramName, 0, 0, tweak);
    EXPECT_EQ(effect.storeMemo(ProgramBank::kMemoB, 12), 2);
    EXPECT_STREQ(effect.bank().name(2), "tweak");
    EXPECT_STREQ(effect.bank().name(0), "de-esser");
    EXPECT_EQ(effect.bank().param(2, brisker::kScFreq), 0.9166f);
}

TEST_F(BriskerPrograms, HostProgramOpcodes) {
    effect.pickProgram(10);
    effect.applyParameter(brisker::kCompress, 0.55f);
    dispatch(effSetProgram, 0, 0);
    EXPECT_STREQ(effect.bank().name(0), "vocal1");
    EXPECT_EQ(effect.parameterValue(brisker::kCompress), 0.55f);
    dispatch(effSetProgram, 0, 1);  // the host sees one program
    dispatch(effSetProgram, 0, -1);
    EXPECT_EQ(effect.parameterValue(brisker::kCompress), 0.55f);
    EXPECT_EQ(dispatch(effGetProgram, 0), 0);

    EXPECT_EQ(dispatch(effCopyProgram, 5), 1);
    EXPECT_STREQ(effect.bank().name(5), "vocal1");
    EXPECT_EQ(effect.bank().param(5, brisker::kCompress), 0.55f);
    EXPECT_EQ(dispatch(effCopyProgram, 40), 0);
    EXPECT_EQ(dispatch(effCopyProgram, -1), 0);

    const std::string longName(80, 'n');
    dispatch(effSetProgramName, 0, 0, const_cast<char*>(longName.c_str()));
    EXPECT_EQ(std::strlen(effect.bank().name(0)), 31u);
    char name[40];
    std::memset(name, '#', sizeof name);
    dispatch(effGetProgramName, 0, 0, name);
    EXPECT_EQ(std::strlen(name), 23u);  // hosts hand out 24 bytes
    EXPECT_EQ(name[24], '#');
}

}  // namespace
