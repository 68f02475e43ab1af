// The tickets of a multi run as an order system hands them over: a file with one carton count
// to a line, or a CSV file whose header names a column "cartons" (or has exactly one column of
// numbers). Blank lines and lines starting with "#" are skipped.
//
// Each count is read as the add-ticket dialog and the command line read one (counts::
// ReadWrittenCount): zero padding as order exports write it is fine, while "1 200" is refused
// rather than read as one label, since nobody watches a file's counts being read.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace batch {

// A line that holds no acceptable count: where, what it says, and why it was refused.
struct RefusedTicketLine {
    int32_t line = 0;  // from 1
    QString text;      // the whole line (the whole record, for a quoted CSV field over lines)
    QString reason;
};

struct TicketList {
    std::vector<int32_t> counts;  // in the file's order
    std::vector<RefusedTicketLine> refused;
    QString error;  // the file as a whole cannot be read as tickets; empty when it can
};

// Reads the file's bytes: UTF-8 (with or without byte-order mark), UTF-16 with byte-order mark
// or GB18030, with LF or CRLF line ends.
TicketList ReadTicketList(const QByteArray& bytes);

// One count's text, trimmed, as the dialog reads it; null (with why in *reason) when refused.
std::optional<int32_t> CheckTicketCountText(QStringView text, QString* reason = nullptr);

}  // namespace batch
