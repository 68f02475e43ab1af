#include "batch/BatchCommandLine.h"

#include "app/model/CountRules.h"

namespace {

const QString kUsage = QStringLiteral(
    "usage: vantric-batch single TEXT --dump\n"
    "       vantric-batch multi N1 [N2 ...] --dump\n");

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

}  // namespace

BatchParse ParseBatchCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Builds a carton label sheet headlessly."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption dumpOption(
        QStringLiteral("dump"), QStringLiteral("Write the sheet's grid as JSON to stdout."));
    // Every option but help; later outputs (a PDF file, a printer) join this list.
    const QList<QCommandLineOption> options{dumpOption};
    parser.addOptions(options);

    if (arguments.size() < 2) {
        return UsageError(QStringLiteral("vantric-batch: missing command"));
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
        return UsageError(QStringLiteral("vantric-batch: ") + parser.errorText());
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
    parse.request.counts = counts;
    parse.request.dump = parser.isSet(dumpOption);
    if (command == u"single") {
        parse.request.mode = BatchRequest::Mode::Single;
        if (counts.size() != 1) {
            return UsageError(counts.isEmpty()
                                  ? QStringLiteral("vantric-batch: single needs the carton total")
                                  : QStringLiteral("vantric-batch: single takes one total"));
        }
    } else if (command == u"multi") {
        parse.request.mode = BatchRequest::Mode::Multi;
    } else {
        return UsageError(QStringLiteral("vantric-batch: unknown command \"%1\"").arg(command));
    }
    if (!parse.request.dump) {
        return UsageError(QStringLiteral("vantric-batch: say what to produce (--dump)"));
    }
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
