#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

struct Outcome {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Outcome RunBatch(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(VANTRIC_BATCH_PATH), arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60'000)) {
        process.kill();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), QString::fromUtf8(process.readAllStandardError())};
}

QJsonObject Dump(const QStringList& arguments) {
    const Outcome run = RunBatch(arguments);
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
        {{"single", "-5", "--dump"}, total}, {{"single", "-", "--dump"}, total},
        {{"single", "", "--dump"}, total},   {{"single", "0", "--dump"}, total},
        {{"multi", "0", "--dump"}, count},   {{"multi", "3", "1000", "--dump"}, count},
        {{"multi", "7a", "--dump"}, count},  {{"multi", "--dump"}, none},
        {{"single", "5"}, "--dump"},         {{"single", "5", "--bogus", "--dump"}, "bogus"},
        {{"print", "5", "--dump"}, "print"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunBatch(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
}

}  // namespace
