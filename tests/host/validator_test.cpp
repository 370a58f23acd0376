#include "host/validator.h"

#include <gtest/gtest.h>

#include <csignal>
#include <thread>

#include "host/allocation_counter.h"
#include "host/host_error.h"

namespace host {
namespace {

CheckResult run(std::function<CheckResult(const CheckProgress&)> body, int timeoutSeconds = 30) {
    Check check{"test", [body](const std::string&, const CheckProgress& progress) { return body(progress); }};
    return runIsolated(check, "unused", std::chrono::seconds(timeoutSeconds));
}

TEST(HostValidator, PassesOnVerdictsFromTheChild) {
    CheckResult passed = run([](const CheckProgress&) { return CheckResult{Verdict::kPassed, "fine"}; });
    EXPECT_EQ(passed.verdict, Verdict::kPassed);
    EXPECT_EQ(passed.detail, "fine");
    CheckResult failed = run([](const CheckProgress&) { return CheckResult{Verdict::kFailed, "two\nlines"}; });
    EXPECT_EQ(failed.verdict, Verdict::kFailed);
    EXPECT_EQ(failed.detail, "two lines");
    CheckResult skipped = run([](const CheckProgress&) { return CheckResult{Verdict::kSkipped, ""}; });
    EXPECT_EQ(skipped.verdict, Verdict::kSkipped);
}

TEST(HostValidator, ACrashFailsTheCheckAndNamesTheStep) {
    CheckResult result = run([](const CheckProgress& progress) {
        progress.step("the bad block");
        std::raise(SIGSEGV);
        return CheckResult{};
    });
    EXPECT_EQ(result.verdict, Verdict::kFailed);
    EXPECT_EQ(result.detail, "crashed (SIGSEGV) during the bad block");
}

TEST(HostValidator, AnExceptionOrAnExitWithoutVerdictFails) {
    CheckResult thrown = run([](const CheckProgress&) -> CheckResult { throw HostError("no such plug-in"); });
    EXPECT_EQ(thrown.verdict, Verdict::kFailed);
    EXPECT_EQ(thrown.detail, "no such plug-in");
    CheckResult exited = run([](const CheckProgress&) -> CheckResult { _exit(3); });
    EXPECT_EQ(exited.verdict, Verdict::kFailed);
    EXPECT_EQ(exited.detail, "the plug-in ended the process (exit 3)");
}

TEST(HostValidator, AHangIsStoppedAtTheTimeout) {
    CheckResult result = run(
        [](const CheckProgress& progress) {
            progress.step("waiting");
            std::this_thread::sleep_for(std::chrono::seconds(60));
            return CheckResult{};
        },
        1);
    EXPECT_EQ(result.verdict, Verdict::kFailed);
    EXPECT_EQ(result.detail, "no answer within 1 s during waiting");
}

TEST(HostAllocationCounter, CountsOnlyBetweenStartAndStop) {
#ifdef TARN_SANITIZED_BUILD
    EXPECT_FALSE(allocationCountingAvailable());
    GTEST_SKIP() << "the sanitizers own malloc in this build";
#endif
    ASSERT_TRUE(allocationCountingAvailable());
    startCountingAllocations();
    EXPECT_EQ(stopCountingAllocations(), 0u);
    startCountingAllocations();
    auto* vector = new std::vector<int>(100);
    size_t counted = stopCountingAllocations();
    delete vector;
    EXPECT_GE(counted, 1u);
    std::vector<int> outside(100);
    startCountingAllocations();
    EXPECT_EQ(stopCountingAllocations(), 0u);
}

}  // namespace
}  // namespace host
