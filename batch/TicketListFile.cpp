#include "batch/TicketListFile.h"

#include <QRegularExpression>

#include "app/model/CountRules.h"
#include "platform/ProfileText.h"

namespace batch {

namespace {

const QString kCartonsColumn = QStringLiteral("cartons");

// A CSV record: its fields, the line it starts on and its text as written.
struct CsvRecord {
    int32_t line = 0;
    QString text;
    QStringList fields;
    bool unterminated = false;  // a quoted field still open at the end of the file
};

// Reads CSV fields from `line` into `record`, carrying an open quoted field over to the next
// line. Returns true when the record is complete.
bool AddCsvLine(QStringView line, CsvRecord& record, bool& inQuotes, QString& field) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar ch = line[i];
        if (inQuotes) {
            if (ch == u'"' && i + 1 < line.size() && line[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (ch == u'"') {
                inQuotes = false;
            } else {
                field += ch;
            }
        } else if (ch == u'"') {
            inQuotes = true;
        } else if (ch == u',') {
            record.fields << field;
            field.clear();
        } else {
            field += ch;
        }
    }
    if (inQuotes) {
        field += u'\n';
        return false;
    }
    record.fields << field;
    field.clear();
    return true;
}

bool IsSkipped(QStringView line) {
    const QStringView trimmed = line.trimmed();
    return trimmed.isEmpty() || trimmed.startsWith(u'#');
}

bool IsNumberField(QStringView field) {
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+$"));
    return number.match(field.trimmed()).hasMatch();
}

// The column that holds the counts: the one named "cartons", else the only one whose fields
// are all numbers (or empty); -1 with the reason in *error when there is none or more than one.
qsizetype CountColumn(const CsvRecord& header, const std::vector<CsvRecord>& rows, QString* error) {
    for (qsizetype c = 0; c < header.fields.size(); ++c) {
        if (header.fields[c].trimmed().compare(kCartonsColumn, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    std::vector<qsizetype> numeric;
    for (qsizetype c = 0; c < header.fields.size(); ++c) {
        bool any = false;
        bool all = true;
        for (const CsvRecord& row : rows) {
            const QString field = c < row.fields.size() ? row.fields[c].trimmed() : QString();
            if (field.isEmpty()) {
                continue;
            }
            any = true;
            all = all && IsNumberField(field);
        }
        if (any && all) {
            numeric.push_back(c);
        }
    }
    if (numeric.size() == 1) {
        return numeric.front();
    }
    *error = QStringLiteral(
                 "the CSV header on line %1 names no column \"cartons\", and %2 of its "
                 "columns hold numbers: name the column of carton counts \"cartons\"")
                 .arg(header.line)
                 .arg(numeric.empty() ? QStringLiteral("none") : QString::number(numeric.size()));
    return -1;
}

void CheckLine(int32_t line, const QString& text, QStringView countText, TicketList& list) {
    QString reason;
    if (const auto count = CheckTicketCountText(countText, &reason)) {
        list.counts.push_back(*count);
    } else {
        list.refused.push_back({line, text, reason});
    }
}

void ReadCsv(const std::vector<vantric::profile::ProfileLine>& lines, qsizetype first,
             TicketList& list) {
    std::vector<CsvRecord> records;
    bool inQuotes = false;
    QString field;
    for (qsizetype i = first; i < qsizetype(lines.size()); ++i) {
        const QString& text = lines[i].text;
        if (!inQuotes) {
            if (IsSkipped(text)) {
                continue;
            }
            records.push_back({int32_t(i + 1), text, {}, false});
        } else {
            records.back().text += u'\n' + text;
        }
        inQuotes = !AddCsvLine(text, records.back(), inQuotes, field);
    }
    if (inQuotes) {
        records.back().unterminated = true;
    }
    const CsvRecord header = records.front();
    records.erase(records.begin());
    const qsizetype column = CountColumn(header, records, &list.error);
    if (column < 0) {
        return;
    }
    for (const CsvRecord& row : records) {
        if (row.unterminated) {
            list.refused.push_back({row.line, row.text, QStringLiteral("a quote is not closed")});
        } else if (column >= row.fields.size()) {
            list.refused.push_back(
                {row.line, row.text,
                 QStringLiteral("no field in column \"%1\"").arg(header.fields[column].trimmed())});
        } else {
            CheckLine(row.line, row.text, row.fields[column], list);
        }
    }
}

}  // namespace

std::optional<int32_t> CheckTicketCountText(QStringView text, QString* reason) {
    const std::optional<int32_t> count = counts::ReadWrittenCount(text.trimmed());
    if (!count && reason != nullptr) {
        *reason = QStringLiteral("not a count of 1 to 999");
    }
    return count;
}

TicketList ReadTicketList(const QByteArray& bytes) {
    TicketList list;
    const auto document = vantric::profile::ParseProfile(bytes);
    if (document.nulInside) {
        list.error = QStringLiteral("it is not a text file");
        return list;
    }
    const auto& lines = document.lines;
    qsizetype first = 0;
    while (first < qsizetype(lines.size()) && IsSkipped(lines[first].text)) {
        ++first;
    }
    if (first == qsizetype(lines.size())) {
        return list;
    }
    // A header line is one with fields, or the name of the one column there is.
    const QString& head = lines[first].text;
    if (head.contains(u',') ||
        head.trimmed().remove(u'"').compare(kCartonsColumn, Qt::CaseInsensitive) == 0) {
        ReadCsv(lines, first, list);
        return list;
    }
    for (qsizetype i = first; i < qsizetype(lines.size()); ++i) {
        if (!IsSkipped(lines[i].text)) {
            CheckLine(int32_t(i + 1), lines[i].text, lines[i].text, list);
        }
    }
    return list;
}

}  // namespace batch
