#include "batch/BatchCommandLine.h"

#include "app/model/CountRules.h"
#include "platform/PrintJobs.h"

#include <algorithm>

#ifndef VANTRIC_VERSION
#error "VANTRIC_VERSION names the version the programs report"
#endif

namespace {

const QString kProgram = QStringLiteral("vantric-batch");

const QString kUsage = QStringLiteral(
    "usage: vantric-batch single TEXT OUTPUT\n"
    "       vantric-batch multi N1 [N2 ...] OUTPUT\n"
    "       vantric-batch multi --from FILE OUTPUT\n"
    "       vantric-batch overweight OUTPUT\n"
    "       vantric-batch --help | --version\n"
    "OUTPUT: --dump | --pdf FILE | --printer NAME\n"
    "        printing also takes [--paper NAME] [--no-fit] [--title TEXT] [--pages LIST]\n"
    "        [--copies N]; --printer also [--wait SECONDS | --no-wait]\n"
    "single and multi also take [--labels LIST] [--start-slot N]\n");

constexpr int32_t kMaxCopies = 999;
constexpr int64_t kMaxWaitSeconds = 86400;  // a day: past any printer's warm-up
constexpr int32_t kSlotsPerPage = 4;

bool LooksLikeOption(const QString& arg) {
    if (arg.startsWith(u"--")) {
        return arg.size() > 2;
    }
    // "-5" and "-" are counts; "-h" is an option.
    return arg.size() > 1 && arg.startsWith(u'-') && arg.at(1).isLetter();
}

BatchParse UsageError(const QString& what) {
    BatchParse parse;
    parse.outcome = BatchParse::Outcome::UsageError;
    parse.message = what + u'\n' + kUsage;
    return parse;
}

QString Error(const QString& what) {
    return kProgram + QStringLiteral(": ") + what;
}

// The options block of the help, one option to a line, descriptions in one column.
QString OptionsHelp(const QList<QCommandLineOption>& options) {
    QStringList heads;
    qsizetype width = 0;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names()) {
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        }
        QString head = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty()) {
            head += u' ' + option.valueName();
        }
        width = std::max(width, head.size());
        heads << head;
    }
    QString text = QStringLiteral("Options:\n");
    for (qsizetype i = 0; i < options.size(); ++i) {
        text += QStringLiteral("  ") + heads.at(i).leftJustified(width + 2) +
                options.at(i).description() + u'\n';
    }
    return text;
}

// A whole number of plain decimal digits, at most `digits` of them; -1 otherwise.
int64_t PlainNumber(QStringView text, qsizetype digits) {
    if (text.isEmpty() || text.size() > digits) {
        return -1;
    }
    int64_t value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') {
            return -1;
        }
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

}  // namespace

BatchParse ParseBatchCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const QCommandLineOption dumpOption(
        QStringLiteral("dump"), QStringLiteral("Write the sheet's grid as JSON to stdout."));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("Print the sheet into a PDF file."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption printerOption(
        QStringLiteral("printer"),
        QStringLiteral("Print the sheet on the %1 NAME; \"default\" for the system's default.")
            .arg(vantric::QueueWord()),
        QStringLiteral("NAME"));
    const QCommandLineOption paperOption(
        QStringLiteral("paper"),
        QStringLiteral("Paper size (A4 unless given; the %1's own paper for --printer).")
            .arg(vantric::QueueWord()),
        QStringLiteral("NAME"));
    const QCommandLineOption noFitOption(
        QStringLiteral("no-fit"),
        QStringLiteral("Let the paper width, not the columns, decide the page scale."));
    const QCommandLineOption titleOption(QStringLiteral("title"),
                                         QStringLiteral("Document name of the print job."),
                                         QStringLiteral("TEXT"));
    const QCommandLineOption fromOption(
        QStringLiteral("from"),
        QStringLiteral("multi: the tickets from FILE (\"-\": standard input), one count to "
                       "a line or CSV."),
        QStringLiteral("FILE"));
    const QCommandLineOption pagesOption(
        QStringLiteral("pages"),
        QStringLiteral("Print only these pages of the run, e.g. 3,7-9 or 7-."),
        QStringLiteral("LIST"));
    const QCommandLineOption copiesOption(
        QStringLiteral("copies"), QStringLiteral("Print the run N times, collated (1 to 999)."),
        QStringLiteral("N"));
    const QCommandLineOption waitOption(
        QStringLiteral("wait"),
        QStringLiteral("--printer: follow the job for at most SECONDS (60) until it printed."),
        QStringLiteral("SECONDS"));
    const QCommandLineOption noWaitOption(
        QStringLiteral("no-wait"),
        QStringLiteral("--printer: end as soon as the %1 took the job, without following it.")
            .arg(vantric::QueueWord()));
    const QCommandLineOption labelsOption(
        QStringLiteral("labels"),
        QStringLiteral("Print only these labels, packed from the first place: single 37,40-42; "
                       "multi TICKET:CARTON as 2:5,1:28-30,3:."),
        QStringLiteral("LIST"));
    const QCommandLineOption startSlotOption(
        QStringLiteral("start-slot"),
        QStringLiteral("Start page 1 at place N (1 to 4, left to right, top to bottom) of a "
                       "partly used sheet."),
        QStringLiteral("N"));
    const QCommandLineOption versionOption(QStringLiteral("version"),
                                           QStringLiteral("Show the program's version."));
    const QCommandLineOption helpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Show this help."));
    const QList<QCommandLineOption> options{
        dumpOption,  pdfOption,    printerOption,   paperOption, noFitOption,
        titleOption, pagesOption,  copiesOption,    labelsOption, startSlotOption,
        fromOption,  waitOption,   noWaitOption,    versionOption, helpOption};
    parser.addOptions(options);

    if (arguments.size() < 2) {
        return UsageError(Error(QStringLiteral("missing command")));
    }
    const QString program = arguments.at(0);
    const QString command = arguments.at(1);

    // Split the rest into option words (handed to the parser) and counts. A word after "--" is
    // always a count; an option that takes a value takes the next word with it.
    QStringList optionWords{program};
    QStringList counts;
    int i = 2;
    if (command == u"single" && i < arguments.size()) {
        counts << arguments.at(i++);  // TEXT, whatever it looks like
    }
    bool onlyCounts = false;
    for (; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (!onlyCounts && arg == u"--") {
            onlyCounts = true;
        } else if (!onlyCounts && LooksLikeOption(arg)) {
            optionWords << arg;
            const QString name = arg.mid(arg.startsWith(u"--") ? 2 : 1).section(u'=', 0, 0);
            for (const QCommandLineOption& option : options) {
                const bool takesValue = !option.valueName().isEmpty();
                if (takesValue && option.names().contains(name) && !arg.contains(u'=') &&
                    i + 1 < arguments.size()) {
                    optionWords << arguments.at(++i);
                }
            }
        } else {
            counts << arg;
        }
    }
    if (!parser.parse(optionWords)) {
        return UsageError(Error(parser.errorText()));
    }
    if (parser.isSet(helpOption) || command == u"help" || command == u"--help" ||
        command == u"-h") {
        BatchParse parse;
        parse.outcome = BatchParse::Outcome::Help;
        parse.message = kUsage +
                        QStringLiteral(
                            "\nBuilds carton label sheets without a window and dumps "
                            "or prints them,\nwith the program's settings file. See "
                            "vantric-batch(1).\n\n") +
                        OptionsHelp(options);
        return parse;
    }
    if (parser.isSet(versionOption) || command == u"--version") {
        BatchParse parse;
        parse.outcome = BatchParse::Outcome::Version;
        parse.message = kProgram + QStringLiteral(" " VANTRIC_VERSION);
        return parse;
    }

    BatchParse parse;
    parse.outcome = BatchParse::Outcome::Run;
    BatchRequest& request = parse.request;
    request.counts = counts;
    if (command == u"single") {
        request.mode = BatchRequest::Mode::Single;
        if (counts.size() != 1) {
            return UsageError(counts.isEmpty()
                                  ? Error(QStringLiteral("single needs the carton total"))
                                  : Error(QStringLiteral("single takes one total")));
        }
    } else if (command == u"multi") {
        request.mode = BatchRequest::Mode::Multi;
        if (parser.isSet(fromOption)) {
            request.fromFile = parser.value(fromOption);
            if (request.fromFile.isEmpty()) {
                return UsageError(
                    Error(QStringLiteral("--from needs a file name (\"-\" for "
                                         "standard input)")));
            }
            if (!counts.isEmpty()) {
                return UsageError(Error(
                    QStringLiteral("give the tickets either with --from or as counts, not both")));
            }
        }
    } else if (command == u"overweight") {
        request.mode = BatchRequest::Mode::Overweight;
        if (!counts.isEmpty()) {
            return UsageError(Error(QStringLiteral("overweight takes no counts")));
        }
    } else {
        return UsageError(Error(QStringLiteral("unknown command \"%1\"").arg(command)));
    }
    if (parser.isSet(fromOption) && request.mode != BatchRequest::Mode::Multi) {
        return UsageError(Error(QStringLiteral("--from is for multi")));
    }
    if (request.mode == BatchRequest::Mode::Overweight &&
        (parser.isSet(labelsOption) || parser.isSet(startSlotOption))) {
        return UsageError(Error(QStringLiteral(
            "--labels and --start-slot are for carton labels (single and multi): the overweight "
            "sheet has no label numbers or places of four")));
    }
    if (parser.isSet(labelsOption)) {
        request.labels = parser.value(labelsOption);
    }
    if (parser.isSet(startSlotOption)) {
        const int64_t slot = PlainNumber(parser.value(startSlotOption), 1);
        if (slot < 1 || slot > kSlotsPerPage) {
            return UsageError(Error(QStringLiteral("bad start slot \"%1\": give 1 to %2, the "
                                                   "places of a page left to right, top to "
                                                   "bottom")
                                        .arg(parser.value(startSlotOption))
                                        .arg(kSlotsPerPage)));
        }
        request.startSlot = int32_t(slot);
    }

    const int outputs = int(parser.isSet(dumpOption)) + int(parser.isSet(pdfOption)) +
                        int(parser.isSet(printerOption));
    if (outputs != 1) {
        return UsageError(
            outputs == 0 ? Error(QStringLiteral("say what to produce (--dump, --pdf or --printer)"))
                         : Error(QStringLiteral("give one of --dump, --pdf and --printer")));
    }
    if (parser.isSet(pdfOption)) {
        request.output = BatchRequest::Output::Pdf;
        request.target = parser.value(pdfOption);
    } else if (parser.isSet(printerOption)) {
        request.output = BatchRequest::Output::Printer;
        request.target = parser.value(printerOption);
    }
    if (request.output != BatchRequest::Output::Dump && request.target.isEmpty()) {
        return UsageError(Error(QStringLiteral("--pdf and --printer need a name")));
    }
    const bool printOnly = parser.isSet(paperOption) || parser.isSet(noFitOption) ||
                           parser.isSet(titleOption) || parser.isSet(pagesOption) ||
                           parser.isSet(copiesOption);
    if (request.output == BatchRequest::Output::Dump && printOnly) {
        return UsageError(Error(
            QStringLiteral("--paper, --no-fit, --title, --pages and --copies are for printing")));
    }
    if ((parser.isSet(waitOption) || parser.isSet(noWaitOption)) &&
        request.output != BatchRequest::Output::Printer) {
        return UsageError(Error(QStringLiteral("--wait and --no-wait are for --printer")));
    }
    if (parser.isSet(waitOption) && parser.isSet(noWaitOption)) {
        return UsageError(Error(QStringLiteral("give one of --wait and --no-wait")));
    }
    if (parser.isSet(waitOption)) {
        const int64_t seconds = PlainNumber(parser.value(waitOption), 5);
        if (seconds < 1 || seconds > kMaxWaitSeconds) {
            return UsageError(Error(QStringLiteral("bad wait \"%1\": give 1 to %2 seconds")
                                        .arg(parser.value(waitOption))
                                        .arg(kMaxWaitSeconds)));
        }
        request.waitBound = std::chrono::seconds(seconds);
    }
    request.followJob = !parser.isSet(noWaitOption);
    if (parser.isSet(pagesOption)) {
        const auto pages = ParsePageList(parser.value(pagesOption));
        if (!pages) {
            return UsageError(Error(QStringLiteral("bad page list \"%1\": give pages from 1 as "
                                                   "N, N-M or N-, joined by commas (3,7-9)")
                                        .arg(parser.value(pagesOption))));
        }
        request.pages = *pages;
    }
    if (parser.isSet(copiesOption)) {
        const int64_t copies = PlainNumber(parser.value(copiesOption), 3);
        if (copies < 1 || copies > kMaxCopies) {
            return UsageError(Error(QStringLiteral("bad copy count \"%1\": give 1 to %2")
                                        .arg(parser.value(copiesOption))
                                        .arg(kMaxCopies)));
        }
        request.copies = int32_t(copies);
    }
    if (parser.isSet(paperOption)) {
        request.paper = PaperByName(parser.value(paperOption));
        if (!request.paper) {
            return UsageError(
                Error(QStringLiteral("unknown paper \"%1\"").arg(parser.value(paperOption))));
        }
    }
    request.fitColumnsToPage = !parser.isSet(noFitOption);
    request.title = parser.value(titleOption);
    return parse;
}

int32_t ReadBatchTicketCount(const QString& text) {
    const int64_t value = PlainNumber(text, 6);
    return counts::IsValidCount(value) ? int32_t(value) : -1;
}

std::optional<std::vector<vantric::PageRange>> ParsePageList(const QString& text) {
    constexpr qsizetype kDigits = 9;  // past any run, within 32 bits
    std::vector<vantric::PageRange> ranges;
    for (const QString& item : text.split(u',')) {
        const QString trimmed = item.trimmed();
        const qsizetype dash = trimmed.indexOf(u'-');
        vantric::PageRange range;
        const int64_t first = PlainNumber(QStringView(trimmed).left(dash), kDigits);
        if (first < 1) {
            return std::nullopt;
        }
        range.first = int32_t(first);
        range.last = range.first;
        if (dash >= 0) {
            const QStringView rest = QStringView(trimmed).mid(dash + 1);
            const int64_t last = rest.isEmpty() ? 0 : PlainNumber(rest, kDigits);
            if (!rest.isEmpty() && last < first) {
                return std::nullopt;
            }
            range.last = int32_t(last);
        }
        ranges.push_back(range);
    }
    return ranges;
}

std::optional<QPageSize> PaperByName(const QString& name) {
    if (name.trimmed().isEmpty()) {
        return std::nullopt;
    }
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto size = static_cast<QPageSize::PageSizeId>(id);
        if (size == QPageSize::Custom) {
            continue;
        }
        if (QPageSize::key(size).compare(name.trimmed(), Qt::CaseInsensitive) == 0 ||
            QPageSize::name(size).compare(name.trimmed(), Qt::CaseInsensitive) == 0) {
            return QPageSize(size);
        }
    }
    return std::nullopt;
}
