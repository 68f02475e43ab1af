// vantric-batch's command line: one argument per line of the input, after the program name.
#include <QStringList>

#include "app/model/CountRules.h"
#include "batch/BatchCommandLine.h"
#include "fuzz/FuzzSupport.h"

namespace {

bool AllAsciiDigits(const QString& text) {
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QStringList arguments{QStringLiteral("vantric-batch")};
    if (size > 0) {
        arguments << fuzz::TextFromBytes(data, size).split(u'\n');
    }
    const BatchParse parse = ParseBatchCommandLine(arguments);
    FUZZ_CHECK(!parse.message.isEmpty() || parse.outcome == BatchParse::Outcome::Run);

    if (parse.outcome == BatchParse::Outcome::Run) {
        const BatchRequest& r = parse.request;
        const QString& command = arguments.at(1);
        switch (r.mode) {
            case BatchRequest::Mode::Single:
                FUZZ_CHECK(command == u"single" && r.counts.size() == 1);
                FUZZ_CHECK(r.counts.front() == arguments.at(2));  // the total, whatever it is
                break;
            case BatchRequest::Mode::Multi:
                FUZZ_CHECK(command == u"multi");
                break;
            case BatchRequest::Mode::Overweight:
                FUZZ_CHECK(command == u"overweight" && r.counts.isEmpty());
                break;
        }
        // The counts are words of the command line, in their order.
        qsizetype from = 2;
        for (const QString& count : r.counts) {
            while (from < arguments.size() && arguments.at(from) != count) {
                ++from;
            }
            FUZZ_CHECK(from < arguments.size());
            ++from;
        }
        if (r.output == BatchRequest::Output::Dump) {
            FUZZ_CHECK(r.target.isEmpty() && !r.paper && r.title.isEmpty() && r.fitColumnsToPage);
        } else {
            FUZZ_CHECK(!r.target.isEmpty());
        }
    }

    // Each multi count is refused or is a plain count.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments.at(i);
        const int32_t count = ReadBatchTicketCount(word);
        const bool plain = !word.isEmpty() && word.size() <= 6 && AllAsciiDigits(word) &&
                           counts::IsValidCount(word.toInt());
        FUZZ_CHECK(count == (plain ? word.toInt() : -1));
    }
    return 0;
}
