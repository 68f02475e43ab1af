#include "app/model/SettingsFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <vector>

#include "TempDrives.h"
#include "grid/model/CGridCtrl.h"
#include "platform/Gb18030.h"

using namespace vantric::settings;

namespace {

const QString kLocal = QStringLiteral("D/data/dypz.ini");

QByteArray Utf8(const char* text) {
    return QString::fromUtf8(text).toUtf8();
}

// A file Vantric makes is written as Chinese Windows writes one: its code page, CR LF.
QByteArray NewFile(const char* text) {
    return vantric::EncodeGb18030(
               QString::fromUtf8(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")))
        .value_or(QByteArray());
}

std::vector<int32_t> Fields(const rg_class_DaYinYuLanBianJu& m) {
    return {m.HeaderHeight, m.FooterHeight, m.HeaderTableGap, m.TopMargin,
            m.BottomMargin, m.LeftMargin,   m.RightMargin};
}

class SettingsFileTest : public ::testing::Test {
  protected:
    // Records every margin set that reached the grid.
    PrintMarginApplier Recorder() {
        return [this](const rg_class_DaYinYuLanBianJu& m) { applied.push_back(Fields(m)); };
    }

    TempDrives drives;
    rg_class_DaYinYuLanBianJu margins;
    std::vector<std::vector<int32_t>> applied;
};

const std::vector<int32_t> kInitial = {60, 60, 20, 20, 20, 40, 40};

TEST_F(SettingsFileTest, FirstStartMakesTheFolderAndFileFromTheInitialMargins) {
    drives.MakeFolder("D");
    EXPECT_FALSE(LoadPrintMargins(margins, Recorder()));
    EXPECT_EQ(Fields(margins), kInitial);
    EXPECT_EQ(applied, std::vector<std::vector<int32_t>>{kInitial});  // applied by the save
    EXPECT_EQ(drives.Bytes(kLocal), NewFile("[打印预览边距]\n页眉=60\n页脚=60\n表头表格间距=20\n"
                                            "上边距=20\n下边距=20\n左边距=40\n右边距=40\n"));

    // The next start finds the file and takes its values.
    margins.Reset();
    margins.TopMargin = 99;
    EXPECT_TRUE(LoadPrintMargins(margins, Recorder()));
    EXPECT_EQ(Fields(margins), kInitial);
    EXPECT_EQ(applied.size(), 2u);
}

TEST_F(SettingsFileTest, WithoutDriveDNothingIsWrittenOrApplied) {
    margins.LeftMargin = 12;
    EXPECT_FALSE(LoadPrintMargins(margins, Recorder()));
    EXPECT_FALSE(SavePrintMargins(margins, Recorder()));
    EXPECT_EQ(margins.LeftMargin, 12);
    EXPECT_TRUE(applied.empty());
    EXPECT_TRUE(drives.Entries("").isEmpty());

    rg_class_ChaoChongBiao_BianJu overweight;
    overweight.LabelWidth = 5;
    EXPECT_FALSE(SaveOverweightSettings(overweight));
    EXPECT_FALSE(LoadOverweightSettings(overweight));
    EXPECT_EQ(overweight.LabelWidth, 5);
    EXPECT_TRUE(drives.Entries("").isEmpty());
}

TEST_F(SettingsFileTest, MissingOrOddMarginKeysLoadAsTheirLeadingNumberOrZero) {
    struct Case {
        const char* name;
        const char* file;
        std::vector<int32_t> expected;
    };
    const Case cases[] = {
        {"no margin section", "[超重标宽度]\n列=331\n", {0, 0, 0, 0, 0, 0, 0}},
        {"units, blanks and signs",
         "[打印预览边距]\n左边距= 25mm\n右边距=-10\n页眉=abc\n页脚=+7\n上边距=0\n",
         {0, 7, 0, 0, 0, 25, -10}},
        {"section and keys in another case",
         "[打印预览边距]\r\n表头表格间距 = 33 \r\n",
         {0, 0, 33, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drives.Put(kLocal, Utf8(c.file));
        applied.clear();
        margins.Reset();
        EXPECT_TRUE(LoadPrintMargins(margins, Recorder()));
        EXPECT_EQ(Fields(margins), c.expected);
        EXPECT_EQ(applied, std::vector<std::vector<int32_t>>{c.expected});
        EXPECT_EQ(drives.Bytes(kLocal), Utf8(c.file));  // a load never writes
    }
}

TEST_F(SettingsFileTest, MarginsReachTheGridInItsOwnOrderUnchanged) {
    margins.LeftMargin = 0;
    margins.RightMargin = -10;
    margins.TopMargin = 3;
    margins.BottomMargin = 4;
    margins.HeaderHeight = 5;
    margins.FooterHeight = 6;
    margins.HeaderTableGap = 7;
    CGridCtrl grid;
    ApplyPrintMarginsToGrid(margins, grid);
    const std::array<int32_t, 7> expected{0, -10, 3, 4, 5, 6, 7};
    EXPECT_EQ(PrintLayoutValues(margins), expected);
    for (int which = 1; which <= 7; ++which) {
        EXPECT_EQ(grid.PrintLayoutValue(which), expected[which - 1]) << which;
    }
}

TEST_F(SettingsFileTest, ASaveThatCannotWriteKeepsGridAndFileApart) {
    drives.Put(kLocal, Utf8("[打印预览边距]\n左边距=40\n"));
    QFile::setPermissions(drives.Local(kLocal), QFileDevice::ReadOwner);
    margins.LeftMargin = 11;
    EXPECT_FALSE(SavePrintMargins(margins, Recorder()));
    EXPECT_TRUE(applied.empty());
    EXPECT_EQ(margins.LeftMargin, 11);
    EXPECT_EQ(drives.Bytes(kLocal), Utf8("[打印预览边距]\n左边距=40\n"));

    // Loading from the read-only file still works.
    EXPECT_TRUE(LoadPrintMargins(margins, Recorder()));
    EXPECT_EQ(margins.LeftMargin, 40);
}

TEST_F(SettingsFileTest, SavingMarginsReplacesOnlyTheirKeys) {
    const QByteArray before = Utf8(
        "; desk 3\r\n[打印预览边距]\r\n页眉 = 1\r\n备注=hand-made\r\n\r\n"
        "[超重标宽度]\r\n列=400\r\n");
    drives.Put(kLocal, before);
    margins.HeaderHeight = 61;
    EXPECT_TRUE(SavePrintMargins(margins, Recorder()));
    EXPECT_EQ(drives.Bytes(kLocal),
              Utf8("; desk 3\r\n[打印预览边距]\r\n页眉 =61\r\n备注=hand-made\r\n页脚=60\r\n"
                   "表头表格间距=20\r\n上边距=20\r\n下边距=20\r\n左边距=40\r\n右边距=40\r\n\r\n"
                   "[超重标宽度]\r\n列=400\r\n"));
    EXPECT_EQ(applied.size(), 1u);
}

TEST_F(SettingsFileTest, OverweightLoadNeedsAUsableLabelWidth) {
    struct Case {
        const char* name;
        const char* file;
        bool loads;
        rg_class_ChaoChongBiao_BianJu expected;
    };
    // The record starts as {1, 2, 3, 4} in every case.
    auto values = [](int w, int h, int cg, int rg) {
        rg_class_ChaoChongBiao_BianJu r;
        r.LabelWidth = w;
        r.LabelHeight = h;
        r.ColumnGap = cg;
        r.RowGap = rg;
        return r;
    };
    const Case cases[] = {
        {"width 0", "[超重标宽度]\n列=0\n[超重标高度]\n行=500\n", false, values(0, 2, 3, 4)},
        {"width abc", "[超重标宽度]\n列=abc\n[超重标高度]\n行=500\n", false, values(0, 2, 3, 4)},
        {"no width", "[超重标高度]\n行=500\n", false, values(0, 2, 3, 4)},
        {"width -5", "[超重标宽度]\n列=-5\n", true, values(-5, 0, 0, 0)},
        {"all four", "[超重标宽度]\n列间隔=30\n列=400\n[超重标高度]\n行间隔=20\n行=0\n", true,
         values(400, 0, 30, 20)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        drives.Put(kLocal, Utf8(c.file));
        rg_class_ChaoChongBiao_BianJu record = values(1, 2, 3, 4);
        EXPECT_EQ(LoadOverweightSettings(record), c.loads);
        EXPECT_TRUE(record.Equals(c.expected));
    }
}

// The folder of a Windows desk copied as it was: the file is found whatever the case of its
// names, and saves go into it; nothing is made beside it.
TEST_F(SettingsFileTest, AFolderCopiedFromWindowsIsFoundWhateverItsCase) {
    drives.Put("D/Data/DYPZ.INI", *vantric::EncodeGb18030(u"[打印预览边距]\r\n左边距=16\r\n"));
    ASSERT_TRUE(LoadPrintMargins(margins, Recorder()));
    EXPECT_EQ(margins.LeftMargin, 16);
    margins.LeftMargin = 25;
    ASSERT_TRUE(SavePrintMargins(margins, Recorder()));
    EXPECT_EQ(drives.Entries("D"), QStringList{"Data"});
    EXPECT_EQ(drives.Entries("D/Data"), QStringList{"DYPZ.INI"});
    EXPECT_TRUE(LoadPrintMargins(margins, Recorder()));
    EXPECT_EQ(margins.LeftMargin, 25);
}

TEST_F(SettingsFileTest, OverweightSaveMakesTheFolderAndWritesAllFour) {
    drives.MakeFolder("D");
    rg_class_ChaoChongBiao_BianJu record;
    record.LabelWidth = 331;
    record.LabelHeight = 310;
    record.ColumnGap = 30;
    record.RowGap = -20;
    EXPECT_TRUE(SaveOverweightSettings(record));
    EXPECT_EQ(drives.Bytes(kLocal), NewFile("[超重标宽度]\n列=331\n列间隔=30\n"
                                            "[超重标高度]\n行=310\n行间隔=-20\n"));
    rg_class_ChaoChongBiao_BianJu loaded;
    EXPECT_TRUE(LoadOverweightSettings(loaded));
    EXPECT_TRUE(loaded.Equals(record));
}

}  // namespace
