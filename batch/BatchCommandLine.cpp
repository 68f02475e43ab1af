#include "batch/BatchCommandLine.h"

#include "app/model/CountRules.h"

namespace {

const QString kUsage = QStringLiteral(
    "usage: vantric-batch single TEXT OUTPUT\n"
    "       vantric-batch multi N1 [N2 ...] OUTPUT\n"
    "       vantric-batch overweight OUTPUT\n"
    "OUTPUT: --dump | --pdf FILE | --printer NAME   [--paper NAME] [--no-fit] [--title TEXT]\n");

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
    return QStringLiteral("vantric-batch: ") + what;
}

}  // namespace

BatchParse ParseBatchCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Builds a carton label sheet headlessly and dumps or prints it."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption dumpOption(
        QStringLiteral("dump"), QStringLiteral("Write the sheet's grid as JSON to stdout."));
    const QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                       QStringLiteral("Print the sheet into a PDF file."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption printerOption(
        QStringLiteral("printer"),
        QStringLiteral("Print the sheet on a print queue; \"default\" for the system's default."),
        QStringLiteral("NAME"));
    const QCommandLineOption paperOption(
        QStringLiteral("paper"),
        QStringLiteral("Paper size (A4 unless given; a queue's own paper for --printer)."),
        QStringLiteral("NAME"));
    const QCommandLineOption noFitOption(
        QStringLiteral("no-fit"),
        QStringLiteral("Let the paper width, not the columns, decide the page scale."));
    const QCommandLineOption titleOption(QStringLiteral("title"),
                                         QStringLiteral("Document name of the print job."),
                                         QStringLiteral("TEXT"));
    const QList<QCommandLineOption> options{dumpOption,  pdfOption,   printerOption,
                                            paperOption, noFitOption, titleOption};
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
        parse.message = kUsage + u'\n' + parser.helpText();
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
    } else if (command == u"overweight") {
        request.mode = BatchRequest::Mode::Overweight;
        if (!counts.isEmpty()) {
            return UsageError(Error(QStringLiteral("overweight takes no counts")));
        }
    } else {
        return UsageError(Error(QStringLiteral("unknown command \"%1\"").arg(command)));
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
    const bool printOnly =
        parser.isSet(paperOption) || parser.isSet(noFitOption) || parser.isSet(titleOption);
    if (request.output == BatchRequest::Output::Dump && printOnly) {
        return UsageError(Error(QStringLiteral("--paper, --no-fit and --title are for printing")));
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
    if (text.isEmpty() || text.size() > 6) {
        return -1;
    }
    int32_t value = 0;
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') {
            return -1;
        }
        value = value * 10 + (ch.unicode() - u'0');
    }
    return counts::IsValidCount(value) ? value : -1;
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
