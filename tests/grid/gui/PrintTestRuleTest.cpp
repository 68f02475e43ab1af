// The rule every print test follows when the machine cannot print or read paper back: skipped
// and said so at a desk, failed under CI; a test that has what it needs runs on.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "tests/support/PrintTestRule.h"

namespace {

bool ranOn = false;

void PrintTest(bool queueThere) {
    ranOn = false;
    REQUIRE_FOR_PRINTING(queueThere, "no CUPS queue "
                                         << "Q"
                                         << " reachable");
    ranOn = true;
}

TEST(PrintTestRule, SkipsAtADeskFailsUnderCi) {
    using Type = testing::TestPartResult::Type;
    const QByteArray kept = qgetenv("CI");
    const bool wasSet = qEnvironmentVariableIsSet("CI");
    const struct {
        const char* ci;  // null: not set
        bool queueThere;
        int reports;
        Type outcome;
    } cases[] = {
        {nullptr, false, 1, Type::kSkip},        {"", false, 1, Type::kSkip},
        {"false", false, 1, Type::kSkip},        {"true", false, 1, Type::kFatalFailure},
        {"TRUE", false, 1, Type::kFatalFailure}, {"true", true, 0, Type::kSuccess},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.ci != nullptr ? c.ci : "(not set)") +
                     (c.queueThere ? " Q" : ""));
        c.ci != nullptr ? qputenv("CI", c.ci) : qunsetenv("CI");
        testing::TestPartResultArray results;
        {
            testing::ScopedFakeTestPartResultReporter reporter(
                testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
            PrintTest(c.queueThere);
        }
        EXPECT_EQ(ranOn, c.queueThere);
        ASSERT_EQ(results.size(), c.reports);
        if (c.reports == 1) {
            EXPECT_EQ(results.GetTestPartResult(0).type(), c.outcome);
            EXPECT_TRUE(QByteArray(results.GetTestPartResult(0).message())
                            .contains("no CUPS queue Q reachable"));
        }
    }
    wasSet ? qputenv("CI", kept) : qunsetenv("CI");
}

}  // namespace
