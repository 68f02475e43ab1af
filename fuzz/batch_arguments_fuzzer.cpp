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
            FUZZ_CHECK(r.pages.empty() && r.copies == 1);
        } else {
            FUZZ_CHECK(!r.target.isEmpty());
        }
        FUZZ_CHECK(r.copies >= 1 && r.copies <= 999);
        for (const vantric::PageRange& range : r.pages) {
            FUZZ_CHECK(range.first >= 1 && (range.last == 0 || range.last >= range.first));
        }
        // Tickets come from a file or from the command line, never both.
        FUZZ_CHECK(r.fromFile.isEmpty() ||
                   (r.mode == BatchRequest::Mode::Multi && r.counts.isEmpty()));
    }

    // A page list that parses names pages from 1, each range in order, one range per item.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const auto ranges = ParsePageList(arguments.at(i));
        if (ranges) {
            FUZZ_CHECK(qsizetype(ranges->size()) == arguments.at(i).count(u',') + 1);
            for (const vantric::PageRange& range : *ranges) {
                FUZZ_CHECK(range.first >= 1 && (range.last == 0 || range.last >= range.first));
            }
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
