// The rule every print test follows when the machine cannot print or read paper back: skipped
// and said so at a desk, failed under CI.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QByteArray>

#include "tests/support/PrintTestRule.h"

namespace {

bool reachedTheEnd = false;

void PrintTestWithoutItsQueue() {
    reachedTheEnd = false;
    REQUIRE_FOR_PRINTING(false, "no CUPS queue "
                                    << "Q"
                                    << " reachable");
    reachedTheEnd = true;
}

void PrintTestWithItsQueue() {
    reachedTheEnd = false;
    REQUIRE_FOR_PRINTING(true, "never said");
    reachedTheEnd = true;
}

TEST(PrintTestRule, SkipsAtADeskFailsUnderCi) {
    using Type = testing::TestPartResult::Type;
    const QByteArray kept = qgetenv("CI");
    const bool wasSet = qEnvironmentVariableIsSet("CI");
    const struct {
        const char* ci;  // null: not set
        Type outcome;
    } cases[] = {
        {nullptr, Type::kSkip},        {"", Type::kSkip},
        {"false", Type::kSkip},        {"true", Type::kFatalFailure},
        {"TRUE", Type::kFatalFailure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ci != nullptr ? c.ci : "(CI not set)");
        c.ci != nullptr ? qputenv("CI", c.ci) : qunsetenv("CI");
        testing::TestPartResultArray results;
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            PrintTestWithoutItsQueue();
        }
        ASSERT_EQ(results.size(), 1);
        EXPECT_EQ(results.GetTestPartResult(0).type(), c.outcome);
        EXPECT_NE(
            std::string(results.GetTestPartResult(0).message()).find("no CUPS queue Q reachable"),
            std::string::npos);
        EXPECT_FALSE(reachedTheEnd);

        testing::TestPartResultArray none;
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &none);
            PrintTestWithItsQueue();
        }
        EXPECT_EQ(none.size(), 0);
        EXPECT_TRUE(reachedTheEnd);
    }
    wasSet ? qputenv("CI", kept) : qunsetenv("CI");
}

}  // namespace
