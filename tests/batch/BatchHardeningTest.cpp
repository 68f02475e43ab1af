// vantric-batch where printing or the input goes wrong in the ways a packing desk meets.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>

#include "BatchRunner.h"
#include "tests/support/CupsAttributes.h"
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

// Whatever a run left in a queue goes: its job is cancelled, a printer the failure stopped
// (error policy stop-printer) started again, a held-up job's release file removed.
class QueueAfterRun {
  public:
    explicit QueueAfterRun(QString queue) : queue_(std::move(queue)) {}
    ~QueueAfterRun() {
        if (job_ > 0) {
            Succeeds("cancel", {QStringLiteral("%1-%2").arg(queue_).arg(job_)});
            QFile::remove(QStringLiteral("/tmp/vantric-backend-release-%1").arg(job_));
        }
        if (queue_.startsWith(QLatin1String("VantricOutcomeF")) ||
            queue_.startsWith(QLatin1String("VantricOutcomeA"))) {
            Succeeds("cupsenable", {queue_});
        }
    }
    // The job the run names on stderr ("job 12 on queue ...").
    void TakeJobFrom(const QString& err) {
        const auto m = QRegularExpression(QStringLiteral("job (\\d+) on queue")).match(err);
        job_ = m.hasMatch() ? m.captured(1).toInt() : 0;
    }

  private:
    QString queue_;
    int job_ = 0;
};

// vantric-batch on the queues tools/cups-setup.sh keeps in each state: its exit status and what it
// says, the job and its queue named.
TEST(BatchHardening, JobOutcomeOnEachQueue) {
    REQUIRE_FOR_PRINTING(testsupport::HaveCupsQueue(QStringLiteral("VantricOutcomeFailing")),
                         "no CUPS queue VantricOutcomeFailing (tools/cups-setup.sh makes the "
                         "queues where prints fail)");
    // A failing printer's job, as the queue's error policy leaves it.
    const QString policy =
        testsupport::CupsAttribute(QStringLiteral("VantricOutcomeFailing"), "printer-error-policy");
    const bool stops = policy == u"stop-printer";
    const QString failedAs = policy == u"retry-job"   ? QStringLiteral("is pending-held")
                             : policy == u"abort-job" ? QStringLiteral("is aborted")
                                                      : QStringLiteral("waits (pending)");
    const QString jam = QStringLiteral(": \"Paper jam in tray 1\"");
    const struct {
        const char* queue;
        QStringList options;
        int status;
        QString says;
    } cases[] = {
        {"VantricPDF", {}, 0, QStringLiteral("job %1 on queue \"VantricPDF\" printed")},
        {"VantricOutcomeRejecting",
         {},
         1,
         QStringLiteral("printing failed: the print service refused the job: Destination "
                        "\"VantricOutcomeRejecting\" is not accepting jobs. (the queue says: "
                        "\"Vantric test queue: refuses every job\")")},
        {"VantricOutcomeStopped",
         {},
         3,
         QStringLiteral("job %1 on queue \"VantricOutcomeStopped\" waits (pending), the queue is "
                        "stopped: \"Vantric test queue: stopped\"")},
        {"VantricOutcomeStopped",
         {"--no-wait"},
         0,
         QStringLiteral("job %1 on queue \"VantricOutcomeStopped\" taken\n")},
        {"VantricOutcomeFailing",
         {},
         stops ? 3 : 1,
         QStringLiteral("job %1 on queue \"VantricOutcomeFailing\" ") + failedAs + jam},
        {"VantricOutcomeAborting",
         {},
         1,
         QStringLiteral("printing failed: job %1 on queue \"VantricOutcomeAborting\" is aborted") +
             jam},
        {"VantricOutcomeHeldUp",
         {"--wait", "2"},
         4,
         QStringLiteral("job %1 on queue \"VantricOutcomeHeldUp\" still processing after 2 s; not "
                        "waiting longer (not a failure)")},
    };
    const Drives drives;
    for (const auto& c : cases) {
        const QString queue = QString::fromLatin1(c.queue);
        SCOPED_TRACE(queue.toStdString() + " " + c.options.join(u' ').toStdString());
        const QString title = QStringLiteral("vantricoutcome%1").arg(::getpid());
        QueueAfterRun cleanup(queue);
        const Outcome run = RunBatch(
            QStringList{"single", "4", "--printer", queue, "--title", title} + c.options, drives);
        cleanup.TakeJobFrom(run.err);
        const auto job = QRegularExpression(QStringLiteral("job (\\d+) on")).match(run.err);
        EXPECT_EQ(run.exitCode, c.status) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says.contains(u"%1") ? c.says.arg(job.captured(1)) : c.says))
            << run.err.toStdString();
        if (c.status == 0 && c.options.isEmpty()) {
            // cups-pdf wrote the job out; leave nothing behind for other print tests to find.
            QFile::remove(testsupport::WaitForSpooled(title, 30'000));
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
