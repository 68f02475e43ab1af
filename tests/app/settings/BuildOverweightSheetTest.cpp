#include "app/model/BuildOverweightSheet.h"

#include <gtest/gtest.h>

#include <vector>

#include "TempDrives.h"
#include "app/model/LabelSheetBuilders.h"
#include "grid/model/CGridCtrl.h"
#include "platform/ProfileFile.h"
#include "platform/ResourcePictureSource.h"

using namespace vantric;

namespace {

const QString kLocal = QStringLiteral("D/data/dypz.ini");

QByteArray Utf8(const char* text) {
    return QString::fromUtf8(text).toUtf8();
}

int g_updates = 0;
bool CountUpdate(ProfileWriteStage stage) {
    g_updates += stage == ProfileWriteStage::BeforeRename ? 1 : 0;
    return true;
}

class OverweightSheetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetUpSheetGrid(grid);
        grid.SetPictureSource(&pictures);
    }

    void Build(bool hasWindow = true) { BuildOverweightSheet(grid, record, hasWindow); }

    std::vector<int32_t> Widths() const {
        std::vector<int32_t> w;
        for (int c = 0; c < grid.ColumnCount(); ++c) {
            w.push_back(grid.ColumnWidth(c));
        }
        return w;
    }
    std::vector<int32_t> Heights() const {
        std::vector<int32_t> h;
        for (int r = 0; r < grid.RowCount(); ++r) {
            h.push_back(grid.RowHeight(r));
        }
        return h;
    }
    // "P" for a cell holding picture 501, "." for an empty one, row by row.
    QString Pictures() const {
        QString out;
        for (int r = 0; r < grid.RowCount(); ++r) {
            for (int c = 0; c < grid.ColumnCount(); ++c) {
                const CGridCell* cell = grid.GetCell(r, c);
                const bool shows = cell->picture && cell->picture->resourceId == 501;
                out += shows ? u'P' : u'.';
                EXPECT_TRUE(cell->text.isEmpty());
            }
            out += u'|';
        }
        return out;
    }

    TempDrives drives;
    ResourcePictureSource pictures;
    CGridCtrl grid;
    rg_class_ChaoChongBiao_BianJu record;
};

TEST_F(OverweightSheetTest, FirstBuildUsesAndSavesTheFallbacksWithoutLines) {
    drives.Put(kLocal, Utf8("[打印预览边距]\n页眉=60\n"));
    // The four sizes and the switch in one update of the file.
    g_updates = 0;
    SetProfileWriteHook(&CountUpdate);
    Build();
    SetProfileWriteHook(nullptr);
    EXPECT_EQ(g_updates, 1);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_EQ(grid.ColumnCount(), 3);
    EXPECT_EQ(Widths(), (std::vector<int32_t>{331, 30, 331}));
    EXPECT_EQ(Heights(), (std::vector<int32_t>{310, 20, 310, 20, 310}));
    EXPECT_EQ(Pictures(), QStringLiteral("P.P|...|P.P|...|P.P|"));
    EXPECT_EQ(grid.GridLineMode(), 0);
    for (int column : {0, 2}) {
        const ColumnKindEntry* kind = grid.ColumnKindOf(column);
        ASSERT_NE(kind, nullptr);
        EXPECT_EQ(kind->kind, colkind::kPicture);
        EXPECT_EQ(kind->param, 205);  // fit keeping the aspect ratio, centred
    }
    EXPECT_EQ(grid.ColumnKindOf(1), nullptr);
    EXPECT_EQ(drives.Bytes(kLocal),
              Utf8("[打印预览边距]\n页眉=60\n[超重标宽度]\n列=331\n列间隔=30\n"
                   "[超重标高度]\n行=310\n行间隔=20\n[超重标表格]\n表格线是否显示=假\n"));

    // A second build gives the same sheet and leaves the file as it is.
    const QByteArray file = drives.Bytes(kLocal);
    const QString pictureMap = Pictures();
    Build();
    EXPECT_EQ(Widths(), (std::vector<int32_t>{331, 30, 331}));
    EXPECT_EQ(Pictures(), pictureMap);
    EXPECT_EQ(drives.Bytes(kLocal), file);
}

TEST_F(OverweightSheetTest, OnlyTheExactTrueTextShowsTableLines) {
    struct Case {
        const char* value;  // null: key missing
        int lineMode;
        const char* stored;
    };
    for (const Case& c : {Case{"真", 3, "真"}, Case{"真真", 0, "假"}, Case{"true", 0, "假"},
                          Case{" 真 ", 3, " 真 "}, Case{nullptr, 0, "假"}}) {
        SCOPED_TRACE(c.value ? c.value : "missing");
        QByteArray file = Utf8("[超重标宽度]\n列=100\n[超重标表格]\n");
        if (c.value != nullptr) {
            file += Utf8("表格线是否显示=") + Utf8(c.value) + '\n';
        }
        drives.Put(kLocal, file);
        Build();
        EXPECT_EQ(grid.GridLineMode(), c.lineMode);
        const QByteArray expected =
            c.lineMode == 3 ? file
                            : Utf8("[超重标宽度]\n列=100\n[超重标表格]\n表格线是否显示=假\n");
        EXPECT_EQ(drives.Bytes(kLocal), expected);
        EXPECT_EQ(record.LabelWidth, 100);
    }
}

TEST_F(OverweightSheetTest, FileSizesAreUsedAsTheyAreAndNegativeOnesLeaveTheGridAlone) {
    drives.Put(kLocal, Utf8("[超重标宽度]\n列=400\n列间隔=5\n[超重标高度]\n行=0\n行间隔=-1\n"));
    Build();
    EXPECT_EQ(Widths(), (std::vector<int32_t>{400, 5, 400}));
    // The gap rows keep the height the new rows were made with.
    const int32_t newRow = grid.DefaultRowHeight();
    EXPECT_EQ(Heights(), (std::vector<int32_t>{0, newRow, 0, newRow, 0}));

    drives.Put(kLocal, Utf8("[超重标宽度]\n列=-1\n列间隔=5\n[超重标高度]\n行=7\n行间隔=8\n"));
    Build();
    EXPECT_EQ(record.LabelWidth, -1);
    const int32_t newColumn = grid.DefaultColumnWidth();
    EXPECT_EQ(Widths(), (std::vector<int32_t>{newColumn, 5, newColumn}));
    EXPECT_EQ(Heights(), (std::vector<int32_t>{7, 8, 7, 8, 7}));
}

TEST_F(OverweightSheetTest, UnusableWidthBringsBackAllFourFallbacks) {
    for (const char* width : {"0", "abc"}) {
        SCOPED_TRACE(width);
        drives.Put(kLocal, Utf8("[超重标宽度]\n列=") + width +
                               Utf8("\n[超重标高度]\n行=500\n[超重标表格]\n表格线是否显示=真\n"));
        Build();
        EXPECT_EQ(drives.Bytes(kLocal),
                  Utf8("[超重标宽度]\n列=331\n列间隔=30\n[超重标高度]\n行=310\n行间隔=20\n"
                       "[超重标表格]\n表格线是否显示=真\n"));
        EXPECT_EQ(Heights(), (std::vector<int32_t>{310, 20, 310, 20, 310}));
    }
}

TEST_F(OverweightSheetTest, WithoutDriveDTheFallbacksAreUsedAndNothingIsWritten) {
    Build();
    EXPECT_EQ(Widths(), (std::vector<int32_t>{331, 30, 331}));
    EXPECT_EQ(Pictures(), QStringLiteral("P.P|...|P.P|...|P.P|"));
    EXPECT_EQ(grid.GridLineMode(), 0);
    EXPECT_TRUE(drives.Entries("").isEmpty());
}

TEST_F(OverweightSheetTest, WithoutAWindowTheGridGetsNoKindsSizesOrPictures) {
    drives.MakeFolder("D");
    grid.SetColumnPixelWidth(0, 11);
    Build(false);
    EXPECT_EQ(grid.RowCount(), 5);
    EXPECT_TRUE(grid.ColumnKinds().empty());
    EXPECT_EQ(Widths()[1], grid.DefaultColumnWidth());
    EXPECT_EQ(Pictures(), QStringLiteral("...|...|...|...|...|"));
    // The settings are still loaded and saved.
    EXPECT_EQ(record.LabelWidth, 331);
    EXPECT_TRUE(FileExists("D:/data/dypz.ini"));
}

}  // namespace
