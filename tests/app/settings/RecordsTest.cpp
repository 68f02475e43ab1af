#include <gtest/gtest.h>

#include "app/model/rg_class_ChaoChongBiao_BianJu.h"
#include "app/model/rg_class_DaYinYuLanBianJu.h"

namespace {

TEST(SettingsRecords, StartAtTheirInitialValuesAndResetToThem) {
    rg_class_DaYinYuLanBianJu margins;
    margins.HeaderHeight = margins.RightMargin = -3;
    margins.Reset();
    EXPECT_EQ(margins.HeaderHeight, 60);
    EXPECT_EQ(margins.FooterHeight, 60);
    EXPECT_EQ(margins.HeaderTableGap, 20);
    EXPECT_EQ(margins.TopMargin, 20);
    EXPECT_EQ(margins.BottomMargin, 20);
    EXPECT_EQ(margins.LeftMargin, 40);
    EXPECT_EQ(margins.RightMargin, 40);
    EXPECT_TRUE(margins.Equals(*rg_class_DaYinYuLanBianJu::Create()));

    rg_class_ChaoChongBiao_BianJu overweight;
    overweight.LabelWidth = overweight.RowGap = 9;
    overweight.Reset();
    EXPECT_TRUE(overweight.Equals(*rg_class_ChaoChongBiao_BianJu::Create()));
    EXPECT_EQ(
        overweight.LabelWidth + overweight.LabelHeight + overweight.ColumnGap + overweight.RowGap,
        0);
}

TEST(SettingsRecords, CloneCopyAndEqualsWorkWithinOneClassOnly) {
    rg_class_DaYinYuLanBianJu margins;
    margins.BottomMargin = 7;
    const auto clone = margins.Clone();
    EXPECT_TRUE(clone->Equals(margins));
    clone->RightMargin = 8;  // every field takes part in the comparison
    EXPECT_FALSE(clone->Equals(margins));
    EXPECT_TRUE(margins.CopyFrom(*clone));
    EXPECT_EQ(margins.RightMargin, 8);

    rg_class_ChaoChongBiao_BianJu overweight;
    overweight.LabelWidth = 5;
    EXPECT_FALSE(margins.CopyFrom(overweight));
    EXPECT_FALSE(overweight.CopyFrom(margins));
    EXPECT_EQ(margins.RightMargin, 8);
    EXPECT_EQ(overweight.LabelWidth, 5);
    EXPECT_FALSE(margins.Equals(overweight));
    EXPECT_FALSE(overweight.Equals(CVolObject()));

    const auto other = overweight.Clone();
    other->RowGap = 1;
    EXPECT_FALSE(other->Equals(overweight));
    EXPECT_TRUE(overweight.CopyFrom(*other));
    EXPECT_TRUE(other->Equals(overweight));
}

TEST(SettingsRecords, KnowTheirClassAndTheRoot) {
    const rg_class_DaYinYuLanBianJu margins;
    const rg_class_ChaoChongBiao_BianJu overweight;
    EXPECT_TRUE(margins.IsKindOf(rg_class_DaYinYuLanBianJu::StaticClass()));
    EXPECT_TRUE(margins.IsKindOf(CVolObject::StaticClass()));
    EXPECT_FALSE(margins.IsKindOf(rg_class_ChaoChongBiao_BianJu::StaticClass()));
    EXPECT_FALSE(margins.IsKindOf(CVolRefObject::StaticClass()));
    EXPECT_TRUE(overweight.IsKindOf(CVolObject::StaticClass()));
    EXPECT_FALSE(overweight.IsKindOf(rg_class_DaYinYuLanBianJu::StaticClass()));

    std::unique_ptr<CVolObject> made(rg_class_ChaoChongBiao_BianJu::StaticClass().create());
    EXPECT_TRUE(made->IsKindOf(rg_class_ChaoChongBiao_BianJu::StaticClass()));
    EXPECT_TRUE(overweight.Equals(*made));
}

}  // namespace
