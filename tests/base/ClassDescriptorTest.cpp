#include "base/ClassDescriptor.h"

#include <gtest/gtest.h>

namespace {

TEST(ClassNameHash, IsFiveTimesPlusByteOddAndThirtyOneBits) {
    EXPECT_EQ(ClassNameHash(""), 1u);                   // (0 | 1) & 0x7FFFFFFF
    EXPECT_EQ(ClassNameHash("A"), 65u);                 // 65 is already odd
    EXPECT_EQ(ClassNameHash("AB"), (65u * 5 + 66) | 1); // 391
    // Long names overflow 32 bits; the top bit is always cleared.
    const uint32_t h = ClassNameHash(std::string(64, 'z'));
    EXPECT_EQ(h & 0x80000000u, 0u);
    EXPECT_EQ(h & 1u, 1u);
}

TEST(ClassDescriptor, KindOfCoversOwnClassAndAncestorsOnly) {
    const ClassDescriptor& root = CVolObject::StaticClass();
    const ClassDescriptor& ref = CVolRefObject::StaticClass();
    EXPECT_TRUE(ref.DerivesFrom(root));
    EXPECT_TRUE(ref.DerivesFrom(ref));
    EXPECT_FALSE(root.DerivesFrom(ref));
}

TEST(ClassDescriptor, SameNameInAnotherRecordIsTheSameClass) {
    const ClassDescriptor copy = MakeClassDescriptor("CVolObject", nullptr, {});
    EXPECT_TRUE(CVolRefObject::StaticClass().DerivesFrom(copy));
    const ClassDescriptor other = MakeClassDescriptor("CVolObjecT", nullptr, {});
    EXPECT_FALSE(CVolRefObject::StaticClass().DerivesFrom(other));
}

}  // namespace
