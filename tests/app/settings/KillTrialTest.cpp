// The short version of bench/kill_trial: a program killed at random moments of a save leaves the
// whole old record or the whole new one, whichever way the save goes.
#include <gtest/gtest.h>

#include "bench/kill_trial/KillTrial.h"

using namespace vantric::killtrial;

namespace {

TEST(KillDuringSave, LeavesTheWholeOldOrTheWholeNewRecord) {
    for (const bool secondName : {false, true}) {
        SCOPED_TRACE(secondName ? "rewritten in place" : "replaced beside");
        const Counts c = vantric::killtrial::Run({50, SaveKind::Record, secondName, 13});
        EXPECT_EQ(c.trials, 50);
        EXPECT_EQ(c.mixed, 0);
        EXPECT_EQ(c.torn, 0);
        EXPECT_EQ(c.old + c.fresh, c.trials);
        EXPECT_GT(c.inSave, 0);  // the kills did land inside saves
    }
}

// The judge sees a mixed record when there is one: saving key by key leaves them.
TEST(KillDuringSave, KeyByKeySavesLeaveMixedRecords) {
    const Counts c = vantric::killtrial::Run({25, SaveKind::KeyByKey, false, 13});
    EXPECT_GT(c.mixed, 0);
    EXPECT_EQ(c.torn, 0);
}

}  // namespace
