// tarn bench: one table row per plug-in named, the first as the reference,
// and a clear error before any timing when a plug-in cannot be used.
#include <gmock/gmock.h>

#include <sstream>

#include "host_support.h"

namespace host::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr const char* kZamCompX2 = "/usr/lib/vst/ZamCompX2-vst.so";
constexpr const char* kNoLeakCheck = "ASAN_OPTIONS=detect_leaks=0";

struct Row {
    std::string label;
    double nsPerFrame = 0, realTime = 0, silenceOverNoise = 0, relative = 0;
};

// The rows of the table after its heading line: a label (which may hold
// blanks), then four numbers, the second and the last followed by 'x'.
std::vector<Row> tableRows(const std::string& output) {
    std::vector<Row> rows;
    std::istringstream lines(output.substr(output.find("ns/frame")));
    std::string line;
    std::getline(lines, line);
    while (std::getline(lines, line)) {
        std::vector<std::string> words;
        std::istringstream split(line);
        for (std::string word; split >> word;) words.push_back(word);
        Row row;
        const size_t n = words.size();
        bool ok = n >= 5 && words[n - 3].back() == 'x' && words[n - 1].back() == 'x';
        if (ok) {
            for (size_t i = 0; i + 4 < n; ++i) row.label += (i ? " " : "") + words[i];
            row.nsPerFrame = std::stod(words[n - 4]);
            row.realTime = std::stod(words[n - 3]);
            row.silenceOverNoise = std::stod(words[n - 2]);
            row.relative = std::stod(words[n - 1]);
        }
        if (!ok) ADD_FAILURE() << "not a table row: '" << line << "'";
        rows.push_back(row);
    }
    return rows;
}

TEST(CliBench, OneRowPerPluginRelativeToTheFirst) {
    TarnRun run = runTarn("bench " + quoted(FAKE_DELAY_PATH) + " " + kZamCompX2 + " " + quoted(FAKE_DELAY_PATH) +
                              " --seconds 0.2 --block 300 --rate 48000",
                          kNoLeakCheck);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, StartsWith("48000 Hz, blocks of 300 frames, 0.2 s of stereo white noise"));
    std::vector<Row> rows = tableRows(run.output);
    ASSERT_EQ(rows.size(), 3u) << run.output;
    // two plug-ins of one name are told apart by what was typed
    EXPECT_EQ(rows[0].label, FAKE_DELAY_PATH);
    EXPECT_EQ(rows[1].label, "ZamCompX2");
    EXPECT_EQ(rows[2].label, FAKE_DELAY_PATH);
    EXPECT_EQ(rows[0].relative, 1.0);
    for (const Row& row : rows) {
        EXPECT_GT(row.nsPerFrame, 0.0) << row.label;
        EXPECT_GT(row.silenceOverNoise, 0.0) << row.label;
        // the two columns agree, to the rounding of ns/frame to a tenth
        EXPECT_NEAR(row.realTime, 1e9 / (row.nsPerFrame * 48000), row.realTime * (0.06 / row.nsPerFrame) + 0.1)
            << row.label;
    }
}

TEST(CliBench, SettingsGoToThePluginsThatHaveThem) {
    TarnRun run = runTarn("bench " + quoted(FAKE_DELAY_PATH) + " " + kZamCompX2 + " --set Threshold=0.3 --seconds 0.1",
                          kNoLeakCheck);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_THAT(run.output, HasSubstr("tarn: note: " + std::string(FAKE_DELAY_PATH)));
    EXPECT_THAT(run.output, HasSubstr("it runs on its own settings"));
    EXPECT_EQ(tableRows(run.output).size(), 2u);

    TarnRun none = runTarn("bench " + quoted(FAKE_DELAY_PATH) + " " + kZamCompX2 + " --set Nothing=0.3", kNoLeakCheck);
    EXPECT_EQ(none.exitCode, 1) << none.output;
    EXPECT_THAT(none.output, HasSubstr("nor does any other plug-in named"));
}

TEST(CliBench, APluginThatCannotBeUsedIsAClearError) {
    for (const std::string& broken : {std::string("/nonexistent/x.so"), std::string(FAKE_NULL_ENTRY_PATH)}) {
        TarnRun run = runTarn("bench " + quoted(FAKE_DELAY_PATH) + " " + quoted(std::filesystem::path(broken)) + " --seconds 0.1");
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_THAT(run.output, StartsWith("tarn: "));
        EXPECT_THAT(run.output, HasSubstr(broken));
        EXPECT_THAT(run.output, ::testing::Not(HasSubstr("ns/frame"))) << "nothing is timed";
    }
    EXPECT_EQ(runTarn("bench").exitCode, 2);
    EXPECT_EQ(runTarn("bench " + quoted(FAKE_DELAY_PATH) + " --seconds 0").exitCode, 2);
}

}  // namespace
}  // namespace host::test
