// vantric-batch: builds a label sheet without a screen.
//
//   vantric-batch single TEXT --dump        TEXT read as the count edit reads it
//   vantric-batch multi N1 N2 ... --dump    one ticket per count, 1..999 each
//
// The words after the command are the counts, even when they look like options ("-5", "-"):
// options are the known long names (and -h), so later outputs slot in as further options.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

struct BatchRequest {
    enum class Mode { Single, Multi };
    Mode mode = Mode::Single;
    QStringList counts;  // the single TEXT, or the multi counts as given
    bool dump = false;
};

struct BatchParse {
    enum class Outcome { Run, Help, UsageError };
    Outcome outcome = Outcome::UsageError;
    BatchRequest request;
    QString message;  // help text, or what was wrong
};

// `arguments` as QCoreApplication::arguments() gives them, program name first.
BatchParse ParseBatchCommandLine(const QStringList& arguments);

// A multi count as given on the command line: plain decimal digits, 1..999; -1 otherwise.
int32_t ReadBatchTicketCount(const QString& text);
