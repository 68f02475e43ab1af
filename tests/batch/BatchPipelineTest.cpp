// vantric-batch in a desk's pipelines: tickets from files and pipes, pages of a run printed
// again, collated copies, progress on a terminal, and the programs naming themselves.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QStringEncoder>

#include "BatchRunner.h"
#include "tests/support/PrintedPdf.h"

namespace {

using batchtest::Drives;
using batchtest::Outcome;
using batchtest::RunBatch;
using testsupport::PdfNumbers;
using testsupport::PdfPages;

QString WriteFile(const Drives& drives, const QString& name, const QByteArray& bytes) {
    const QString path = drives.Path(name);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    return path;
}

QByteArray Encoded(const char* encoding, const QString& text) {
    QStringEncoder encoder(encoding);
    return encoder.encode(text);
}

// The dump of a multi run of these counts given on the command line.
QByteArray MultiDump(const QStringList& counts, const Drives& drives) {
    const Outcome run = RunBatch(QStringList{"multi"} + counts + QStringList{"--dump"}, drives);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return run.out;
}

TEST(BatchPipeline, FromFileGivesTheSheetOfTheSameCounts) {
    const struct {
        const char* name;
        QByteArray file;
        QStringList counts;  // the same tickets on the command line
    } cases[] = {
        {"lines", "3\n2\n", {"3", "2"}},
        {"comments_blanks_crlf", "# order 17\r\n\r\n3\r\n   \r\n  # late\r\n2\r\n", {"3", "2"}},
        {"last_line_without_end", "3\n2", {"3", "2"}},
        {"utf8_bom",
         "\xEF\xBB\xBF"
         "3\n2\n",
         {"3", "2"}},
        {"utf16_windows", Encoded("UTF-16LE", QStringLiteral("\uFEFF3\r\n2\r\n")), {"3", "2"}},
        // Read as the dialog and the command line read a count: blanks around it and zero
        // padding as order exports write it.
        {"padded_counts", " 7\n007 \n0012\n000000000012\n", {"7", "7", "12", "12"}},
        {"csv_cartons_column",
         "order,customer,cartons\nA-1,\"Lin, Wei\",3\nA-2,Chen,2\n",
         {"3", "2"}},
        {"csv_header_case_and_quotes",
         "\"Order\",\" Cartons \"\nA-1,12\n# held back\nA-2,999\n",
         {"12", "999"}},
        {"csv_only_numeric_column", "order,customer,qty\nA-1,Lin,3\nA-2,Chen,2\n", {"3", "2"}},
        {"csv_quoted_field_over_lines",
         "order,address,cartons\nA-1,\"Road 1\nTown\",3\nA-2,x,2\n",
         {"3", "2"}},
        {"csv_one_column", "cartons\n3\n2\n", {"3", "2"}},
        {"csv_gb18030",
         Encoded("GB18030", QStringLiteral("单号,客户,cartons\nA-1,林伟,3\nA-2,陈,2\n")),
         {"3", "2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        const QString file = WriteFile(drives, QStringLiteral("tickets"), c.file);
        const Outcome run = RunBatch({"multi", "--from", file, "--dump"}, drives);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, MultiDump(c.counts, drives));
    }
    {
        SCOPED_TRACE("standard input");
        const Drives drives;
        const Outcome run = RunBatch({"multi", "--from", "-", "--dump"}, drives, "3\n2\n");
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, MultiDump({"3", "2"}, drives));
    }
}

// Any refused line stops the run: every one is named with its line number and text, and
// nothing is printed.
TEST(BatchPipeline, RefusedLinesAreAllReportedAndNothingPrints) {
    const QString dialogMessage = QStringLiteral("请输入合法的   1-999  数量的箱标号");
    const struct {
        const char* name;
        QByteArray file;
        QStringList reported;  // what standard error names
    } cases[] = {
        {"bad_counts",
         "3\n0\n-5\nabc\n\n2\n1234\n1 200\n7a\n+5\n",
         {dialogMessage, ":2: \"0\"", ":3: \"-5\"", ":4: \"abc\"",
          ":7: \"1234\": not a count of 1 to 999", ":8: \"1 200\"", ":9: \"7a\"", ":10: \"+5\"",
          "7 of 9 tickets refused"}},
        {"csv_rows",
         "order,cartons\nA-1,3\nA-2,\nA-3\nA-4,1000\n",
         {":3: \"A-2,\"", ":4: \"A-3\": no field in column \"cartons\"", ":5: \"A-4,1000\"",
          "3 of 4 tickets refused"}},
        {"csv_unclosed_quote", "order,cartons\nA-1,3\n\"A-2,4\n", {":3: \"\"A-2,4\": a quote"}},
        {"csv_no_count_column",
         "order,weight,boxes\nA-1,12,3\n",
         {"names no column \"cartons\"", "2 of its columns hold numbers"}},
        {"csv_no_numbers", "order,customer\nA-1,Lin\n", {"none of its columns hold numbers"}},
        {"no_tickets", "# nothing today\n\n", {QStringLiteral("请添加多票  1-999  数量的箱标号")}},
        {"not_text", QByteArray("3\n\0\n2\n", 6), {"not a text file"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drives drives;
        const QString file = WriteFile(drives, QStringLiteral("tickets.csv"), c.file);
        const QString pdf = drives.Path(QStringLiteral("out.pdf"));
        const Outcome run = RunBatch({"multi", "--from", file, "--pdf", pdf}, drives);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_FALSE(QFile::exists(pdf));
        for (const QString& part : c.reported) {
            EXPECT_TRUE(run.err.contains(part)) << part.toStdString() << " not in\n"
                                                << run.err.toStdString();
        }
    }
}

TEST(BatchPipeline, FromFileUsageIsChecked) {
    const Drives drives;
    const QString file = WriteFile(drives, QStringLiteral("tickets"), "3\n");
    const struct {
        QStringList arguments;
        QString message;
    } cases[] = {
        {{"multi", "2", "--from", file, "--dump"}, "not both"},
        {{"multi", "--from", file, "5", "--dump"}, "not both"},
        {{"single", "5", "--from", file, "--dump"}, "--from is for multi"},
        {{"multi", "--from", drives.Path("missing.txt"), "--dump"},
         "cannot read the tickets from " + drives.Path("missing.txt") +
             ": No such file or directory"},
        {{"multi", "--from", drives.Root(), "--dump"}, "is a directory"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunBatch(c.arguments, drives);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
    }
}

// Page `page` of a PDF as a small grey image, for comparing pages as they print.
QByteArray PageImage(const QString& pdf, int page, const QString& scratch) {
    const QString root = scratch + QStringLiteral("/page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
            {"-r", "100", "-gray", "-singlefile", "-f", QString::number(page), "-l",
             QString::number(page), pdf, root});
    p.waitForFinished(60'000);
    QFile image(root + QStringLiteral(".pgm"));
    const QByteArray bytes = image.open(QIODevice::ReadOnly) ? image.readAll() : QByteArray();
    image.remove();
    return bytes;
}

// A chosen page prints exactly as it does in the whole run: page 1 with its first-page offset,
// the others without, every copy the same. Multi 13 5: 18 labels and 2 fillers, five pages.
TEST(BatchPipeline, ChosenPagesAndCopiesPrintAsTheWholeRun) {
    REQUIRE_POPPLER();
    REQUIRE_TOOL("pdftoppm");
    const Drives drives;
    const QStringList run{"multi", "13", "5"};
    const QString whole = drives.Path(QStringLiteral("whole.pdf"));
    ASSERT_EQ(RunBatch(run + QStringList{"--pdf", whole}, drives).exitCode, 0);
    ASSERT_EQ(PdfPages(whole), 5);
    std::vector<QByteArray> pages{{}};
    for (int p = 1; p <= 5; ++p) {
        pages.push_back(PageImage(whole, p, drives.Root()));
        ASSERT_FALSE(pages.back().isEmpty());
    }
    ASSERT_NE(pages[1], pages[2]);

    const struct {
        const char* name;
        QStringList options;
        std::vector<int> printed;  // pages of the whole run, in the order they come out
    } cases[] = {
        {"jam_on_3_and_4_to_5", {"--pages", "3,4-5"}, {3, 4, 5}},
        {"first_page_keeps_its_offset", {"--pages", "1"}, {1}},
        {"run_order_each_once", {"--pages", "4, 2,1-2"}, {1, 2, 4}},
        {"open_end", {"--pages", "4-"}, {4, 5}},
        {"copies_collated", {"--copies", "2"}, {1, 2, 3, 4, 5, 1, 2, 3, 4, 5}},
        {"copies_of_chosen_pages", {"--pages", "1,5", "--copies", "3"}, {1, 5, 1, 5, 1, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString pdf = drives.Path(QString::fromLatin1(c.name) + QStringLiteral(".pdf"));
        const Outcome out = RunBatch(run + QStringList{"--pdf", pdf} + c.options, drives);
        ASSERT_EQ(out.exitCode, 0) << out.err.toStdString();
        ASSERT_EQ(PdfPages(pdf), int(c.printed.size()));
        for (size_t i = 0; i < c.printed.size(); ++i) {
            EXPECT_EQ(PageImage(pdf, int(i) + 1, drives.Root()), pages[c.printed[i]])
                << "page " << i + 1 << " is not page " << c.printed[i] << " of the run";
        }
    }
    // What pdftotext reads of a copy: the run's labels, once per copy.
    const QString twice = drives.Path(QStringLiteral("copies_collated.pdf"));
    const QStringList once = PdfNumbers(whole);
    EXPECT_EQ(PdfNumbers(twice), once + once);
}

TEST(BatchPipeline, PageListsAndCopyCountsAreChecked) {
    const Drives drives;
    const QString pdf = drives.Path(QStringLiteral("x.pdf"));
    const struct {
        QStringList options;
        QString message;
    } cases[] = {
        {{"--pages", "0"}, "bad page list"},
        {{"--pages", "3-1"}, "bad page list"},
        {{"--pages", "1,,2"}, "bad page list"},
        {{"--pages", "-2"}, "bad page list"},
        {{"--pages", "two"}, "bad page list"},
        {{"--pages", ""}, "bad page list"},
        {{"--copies", "0"}, "bad copy count \"0\": give 1 to 999"},
        {{"--copies", "1000"}, "bad copy count"},
        {{"--copies", "-1"}, "bad copy count"},
        {{"--copies", "2x"}, "bad copy count"},
        // Pages are counted on the paper the job prints on: 5 cartons make two pages.
        {{"--pages", "2-3"}, "page 3 is not in the run, which has 2 pages; nothing printed"},
        {{"--pages", "9-"}, "page 9 is not in the run, which has 2 pages"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunBatch(QStringList{"single", "5", "--pdf", pdf} + c.options, drives);
        EXPECT_EQ(run.exitCode, 2) << c.options.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains(c.message)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(pdf));
    }
    const Outcome dump = RunBatch({"single", "5", "--dump", "--pages", "1"}, drives);
    EXPECT_EQ(dump.exitCode, 2);
    EXPECT_TRUE(dump.err.contains("are for printing")) << dump.err.toStdString();
}

// Standard error as a terminal: the child gets a pseudo-terminal for it, the test reads what a
// person would see there.
struct TerminalRun {
    int exitCode = -1;
    QByteArray terminal;
};

TerminalRun RunWithTerminalStderr(const QStringList& arguments, const Drives& drives) {
    std::vector<QByteArray> args{QByteArray(VANTRIC_BATCH_PATH)};
    for (const QString& a : arguments) {
        args.push_back(a.toLocal8Bit());
    }
    std::vector<char*> argv;
    for (QByteArray& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    const QByteArray drivesRoot = drives.Root().toLocal8Bit();
    int master = -1;
    const pid_t child = forkpty(&master, nullptr, nullptr, nullptr);
    if (child == 0) {
        // Only standard error stays on the terminal.
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, STDIN_FILENO);
        ::dup2(null, STDOUT_FILENO);
        ::setenv("VANTRIC_DRIVES", drivesRoot.constData(), 1);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    TerminalRun run;
    if (child < 0) {
        return run;
    }
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n <= 0) {
            break;  // EIO once the child has closed the terminal
        }
        run.terminal.append(buffer, n);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(master);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(BatchPipeline, ProgressOnlyOnATerminal) {
    const Drives drives;
    const QString pdf = drives.Path(QStringLiteral("p.pdf"));
    const QStringList arguments{"single", "20", "--pdf", pdf, "--copies", "2"};  // 5 pages twice
    const TerminalRun watched = RunWithTerminalStderr(arguments, drives);
    ASSERT_EQ(watched.exitCode, 0) << watched.terminal.toStdString();
    EXPECT_TRUE(watched.terminal.contains("\rvantric-batch: page 10 of 10"))
        << watched.terminal.toStdString();
    EXPECT_TRUE(watched.terminal.endsWith("\n"));

    const Outcome piped = RunBatch(arguments, drives);
    ASSERT_EQ(piped.exitCode, 0) << piped.err.toStdString();
    EXPECT_FALSE(piped.err.contains("page")) << piped.err.toStdString();
}

// Each program names itself: the version, and a help that starts with its own usage.
TEST(BatchPipeline, ProgramsNameThemselves) {
    const Drives drives;
    const Outcome version = RunBatch({"--version"}, drives);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "vantric-batch " VANTRIC_VERSION "\n");
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"multi", "3", "-h"}}) {
        const Outcome help = RunBatch(arguments, drives);
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith("usage: vantric-batch single")) << help.out.toStdString();
        EXPECT_FALSE(help.out.contains("executable_name"));
        for (const char* option : {"--from FILE", "--pages LIST", "--copies N", "--version"}) {
            EXPECT_TRUE(help.out.contains(option)) << option;
        }
    }
}

// The errors name the thing and why.
TEST(BatchPipeline, FailuresSayWhatAndWhy) {
    const Drives drives;
    const Outcome pdf = RunBatch({"single", "4", "--pdf", "/no/such/dir/x.pdf"}, drives);
    EXPECT_EQ(pdf.exitCode, 1);
    EXPECT_TRUE(pdf.err.contains("cannot write /no/such/dir/x.pdf: No such file or directory"))
        << pdf.err.toStdString();

    const Outcome queue = RunBatch({"single", "4", "--printer", "NoSuchQueue-Vantric14"}, drives);
    EXPECT_EQ(queue.exitCode, 1);
    EXPECT_TRUE(queue.err.contains("no queue named \"NoSuchQueue-Vantric14\""))
        << queue.err.toStdString();
    if (testsupport::HaveCupsQueue(QStringLiteral("VantricPDF"))) {
        EXPECT_TRUE(queue.err.contains(QRegularExpression("the queues are: .*VantricPDF")))
            << queue.err.toStdString();
    } else {
        EXPECT_TRUE(queue.err.contains("knows no queues") || queue.err.contains("the queues are"))
            << queue.err.toStdString();
    }
}

}  // namespace
