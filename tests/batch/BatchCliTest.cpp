// vantric-batch run as a program: arguments in, JSON or a refusal out, and the settings file it
// shares with the program.
#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "BatchRunner.h"

namespace {

using batchtest::Drives;
using batchtest::Outcome;

Outcome RunBatch(const QStringList& arguments) {
    const Drives drives;
    return batchtest::RunBatch(arguments, drives);
}

QJsonObject Dump(const QStringList& arguments, const Drives& drives = Drives()) {
    const Outcome run = batchtest::RunBatch(arguments, drives);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
}

QString CellText(const QJsonObject& dump, int row, int column) {
    return dump["cells"][row][column]["text"].toString();
}

TEST(BatchCli, SingleDumpsTheWholeGrid) {
    const QJsonObject dump = Dump({"single", "5", "--dump"});
    EXPECT_EQ(dump["rows"].toInt(), 14);
    EXPECT_EQ(dump["columns"].toInt(), 3);
    EXPECT_EQ(dump["fixedRows"].toInt(), 0);
    EXPECT_EQ(dump["gridLineMode"].toInt(), 3);
    EXPECT_EQ(dump["printLineWidth"].toInt(), 2);
    EXPECT_EQ(dump["gridLineColour"].toInt(), 0);
    EXPECT_EQ(dump["rowHeights"].toArray().size(), 14);
    EXPECT_EQ(dump["rowHeights"][8].toInt(), 304);
    EXPECT_EQ(dump["columnWidths"].toArray(), QJsonArray({336, 23, 336}));
    EXPECT_EQ(dump["columnKinds"][1].toObject(),
              QJsonObject({{"column", 2}, {"kind", 101}, {"param", 0}}));
    ASSERT_EQ(dump["cells"].toArray().size(), 14);
    EXPECT_EQ(CellText(dump, 0, 0), " Carton No. :");
    EXPECT_EQ(CellText(dump, 8, 0), "5/5");
    EXPECT_EQ(CellText(dump, 12, 2), "3/3");
    const QJsonObject number = dump["cells"][8][0].toObject();
    EXPECT_EQ(number["face"].toString(), "Arial");
    EXPECT_EQ(number["height"].toInt(), 180);
    EXPECT_EQ(number["format"].toInt(), 0x825);
    EXPECT_EQ(number["picture"].toInt(), 0);
    // An untouched cell shows the window font.
    EXPECT_EQ(dump["cells"][3][1]["face"].toString(), QStringLiteral(".萍方-简"));
}

TEST(BatchCli, MultiNumbersTicketsInOrder) {
    const QJsonObject dump = Dump({"multi", "3", "2", "--dump"});
    EXPECT_EQ(dump["rows"].toInt(), 14);
    EXPECT_EQ(CellText(dump, 5, 2), "1/2");
    EXPECT_EQ(CellText(dump, 8, 0), "2/2");
    EXPECT_EQ(CellText(dump, 12, 2), "3/3");
}

TEST(BatchCli, RefusalsGoToStandardErrorWithStatusTwo) {
    const QString total = QStringLiteral("请输入   1-999  数量的箱标号");
    const QString count = QStringLiteral("请输入合法的   1-999  数量的箱标号");
    const QString none = QStringLiteral("请添加多票  1-999  数量的箱标号");
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"single", "-5", "--dump"}, total},
        {{"single", "-", "--dump"}, total},
        {{"single", "", "--dump"}, total},
        {{"single", "0", "--dump"}, total},
        {{"multi", "0", "--dump"}, count},
        {{"multi", "3", "1000", "--dump"}, count},
        {{"multi", "7a", "--dump"}, count},
        {{"multi", "--dump"}, none},
        {{"single", "5"}, "--dump"},
        {{"single", "5", "--bogus", "--dump"}, "bogus"},
        {{"print", "5", "--dump"}, "print"},
        {{"overweight", "5", "--dump"}, "no counts"},
        {{"single", "5", "--dump", "--pdf", "x.pdf"}, "one of"},
        {{"single", "5", "--dump", "--no-fit"}, "for printing"},
        {{"single", "5", "--pdf", "x.pdf", "--paper", "A99"}, "A99"},
        {{"single", "5", "--pdf"}, "--pdf"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunBatch(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
}

// The print layout a run uses comes from the settings file by the program's start-up rules.
TEST(BatchCli, PrintLayoutFollowsTheSettingsFile) {
    const QJsonArray initial{40, 40, 20, 20,
                             60, 60, 20};  // left right top bottom header footer gap
    {
        SCOPED_TRACE("no file: made from the initial values");
        const Drives drives;
        EXPECT_EQ(Dump({"single", "5", "--dump"}, drives)["printLayout"].toArray(), initial);
        const QString file = drives.Settings();
        for (const char* line : {"页眉=60", "页脚=60", "表头表格间距=20", "上边距=20", "下边距=20",
                                 "左边距=40", "右边距=40"}) {
            EXPECT_TRUE(file.contains(QString::fromUtf8(line))) << line;
        }
    }
    {
        SCOPED_TRACE("values taken as written; missing keys are 0");
        const Drives drives;
        drives.WriteSettings("[打印预览边距]\n左边距=0\n右边距=-10\n上边距= 25mm\n页眉=abc\n");
        EXPECT_EQ(Dump({"single", "5", "--dump"}, drives)["printLayout"].toArray(),
                  QJsonArray({0, -10, 25, 0, 0, 0, 0}));
    }
    {
        SCOPED_TRACE("no drive D: nothing written, the grid keeps its own");
        const Drives drives(false);
        EXPECT_EQ(Dump({"multi", "3", "--dump"}, drives)["printLayout"].toArray(), initial);
        EXPECT_FALSE(QFile::exists(drives.SettingsFile()));
        EXPECT_FALSE(QDir(drives.Root() + QStringLiteral("/D")).exists());
    }
}

TEST(BatchCli, OverweightSheetOnAFirstRun) {
    const Drives drives;
    const QJsonObject dump = Dump({"overweight", "--dump"}, drives);
    EXPECT_EQ(dump["rows"].toInt(), 5);
    EXPECT_EQ(dump["columns"].toInt(), 3);
    EXPECT_EQ(dump["columnWidths"].toArray(), QJsonArray({331, 30, 331}));
    EXPECT_EQ(dump["rowHeights"].toArray(), QJsonArray({310, 20, 310, 20, 310}));
    EXPECT_EQ(dump["gridLineMode"].toInt(), 0);
    EXPECT_EQ(dump["columnKinds"].toArray(),
              QJsonArray({QJsonObject{{"column", 0}, {"kind", 106}, {"param", 205}},
                          QJsonObject{{"column", 2}, {"kind", 106}, {"param", 205}}}));
    int pictures = 0;
    for (int row = 0; row < 5; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int picture = dump["cells"][row][column]["picture"].toInt();
            const bool labelCell = row % 2 == 0 && column != 1;
            EXPECT_EQ(picture, labelCell ? 501 : 0) << row << "," << column;
            pictures += picture != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(pictures, 3 * 2);
    const QString file = drives.Settings();
    for (const char* line :
         {"列=331", "列间隔=30", "行=310", "行间隔=20", "表格线是否显示=假", "左边距=40"}) {
        EXPECT_TRUE(file.contains(QString::fromUtf8(line))) << line;
    }
}

}  // namespace
