// vantric-batch where printing or the input goes wrong in the ways a packing desk meets.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "BatchRunner.h"
#include "tests/support/PrintedPdf.h"

namespace {

using batchtest::Drives;
using batchtest::Outcome;
using batchtest::RunBatch;

bool Succeeds(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    return p.waitForFinished(30'000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// A print queue of the test's own, so that stopping it disturbs no other test. Jobs left in it
// are cancelled and the queue is removed at the end.
class PrivateQueue {
  public:
    PrivateQueue() : name_(QStringLiteral("VantricHardening%1").arg(::getpid())) {
        for (const char* ppd : {"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd",
                                "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"}) {
            if (QFile::exists(ppd)) {
                made_ = Succeeds("lpadmin", {"-p", name_, "-E", "-v", "cups-pdf:/", "-P", ppd});
                break;
            }
        }
    }
    ~PrivateQueue() {
        if (made_) {
            Succeeds("cancel", {"-a", name_});
            Succeeds("lpadmin", {"-x", name_});
        }
    }
    bool Made() const { return made_; }
    const QString& Name() const { return name_; }
    int WaitingJobs() const {
        return testsupport::RunTool("lpstat", {"-o", name_}).count(name_ + u'-');
    }

  private:
    QString name_;
    bool made_ = false;
};

TEST(BatchHardening, StoppedOrRefusingQueueIsReported) {
    PrivateQueue queue;
    REQUIRE_FOR_PRINTING(queue.Made(),
                         "cannot make a CUPS queue here (needs a running CUPS, "
                         "cups-pdf and the rights to run lpadmin)");
    const Drives drives;
    {
        SCOPED_TRACE("refusing jobs: printing fails with the service's reason");
        ASSERT_TRUE(Succeeds("cupsreject", {queue.Name()}));
        const Outcome run = RunBatch({"single", "4", "--printer", queue.Name()}, drives);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains("not accepting")) << run.err.toStdString();
        EXPECT_EQ(queue.WaitingJobs(), 0);
    }
    {
        SCOPED_TRACE("stopped: the job is queued and the operator is told it waits");
        ASSERT_TRUE(Succeeds("cupsaccept", {queue.Name()}));
        ASSERT_TRUE(Succeeds("cupsdisable", {queue.Name()}));
        const Outcome run = RunBatch({"single", "4", "--printer", queue.Name()}, drives);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains("is stopped")) << run.err.toStdString();
        EXPECT_EQ(queue.WaitingJobs(), 1);
    }
    {
        SCOPED_TRACE("started again: no warning");
        ASSERT_TRUE(Succeeds("cancel", {"-a", queue.Name()}));
        ASSERT_TRUE(Succeeds("cupsenable", {queue.Name()}));
        const QString title = QStringLiteral("vantrichardening%1").arg(::getpid());
        const Outcome run =
            RunBatch({"single", "4", "--printer", queue.Name(), "--title", title}, drives);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("stopped")) << run.err.toStdString();
        // cups-pdf writes the job out; leave nothing behind for other print tests to find.
        const QString spooled = testsupport::WaitForSpooled(title, 30'000);
        if (!spooled.isEmpty()) {
            QFile::remove(spooled);
        }
    }
}

// Ten thousand tickets on the command line: a sheet of all of them, or, past the label cap, the
// refusal the window shows.
TEST(BatchHardening, TenThousandTickets) {
    const Drives drives;
    QStringList arguments{"multi"};
    for (int i = 0; i < 10'000; ++i) {
        arguments << QString::number(i % 3 + 1);  // 1, 2, 3, ...: 19,999 labels
    }
    const Outcome built = RunBatch(arguments + QStringList{"--dump"}, drives);
    ASSERT_EQ(built.exitCode, 0) << built.err.toStdString();
    const QJsonObject dump = QJsonDocument::fromJson(built.out).object();
    EXPECT_EQ(dump["rows"].toInt(), 5000 * 7);  // 19,999 labels and one filler
    EXPECT_EQ(dump["cells"][5000 * 7 - 2][0]["text"].toString(), "1/1");  // label 19,999
    EXPECT_EQ(dump["cells"][5000 * 7 - 2][2]["text"].toString(), "1/1");  // the filler

    QStringList tooMany{"multi"};
    for (int i = 0; i < 10'000; ++i) {
        tooMany << QStringLiteral("999");
    }
    const Outcome refused = RunBatch(tooMany + QStringList{"--dump"}, drives);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(refused.err.contains(QStringLiteral("箱标总数超过上限")))
        << refused.err.toStdString();
}

}  // namespace
