// Vantric's profile code against the platform's profile service: windows/expected.txt holds the
// service's answers to the steps of windows/cases.txt on the files of windows/files, as
// tools/profile-oracle/run.sh recorded them, and every step must answer the same here. Files
// rewritten by the service differ in their bytes where Vantric keeps a file's own line ends and
// spacing; cases marked "exact" (new files, UTF-16 big-endian) must match byte for byte.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <vector>

#include "TempDrives.h"
#include "base/Text.h"
#include "platform/ProfileFile.h"

using namespace vantric;

namespace {

const QString kWindowsDir = QStringLiteral(VANTRIC_WINDOWS_PROFILE_DIR);

// "\\", "\t", "\n", "\r", "\0" and "\uXXXX", as the oracle writes them.
QString Unescape(const QString& field) {
    QString out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] != u'\\' || i + 1 >= field.size()) {
            out += field[i];
            continue;
        }
        const QChar c = field[++i];
        if (c == u't') {
            out += u'\t';
        } else if (c == u'n') {
            out += u'\n';
        } else if (c == u'r') {
            out += u'\r';
        } else if (c == u'0') {
            out += QChar(u'\0');
        } else if (c == u'u') {
            out += QChar(field.mid(i + 1, 4).toUShort(nullptr, 16));
            i += 4;
        } else {
            out += c;
        }
    }
    return out;
}

struct Step {
    QStringList fields;  // the step as cases.txt has it: kind, section, key[, value]
    QString answer;      // after "=", or "missing"
};

struct Case {
    QString name;
    QString file;  // "-": no file
    bool exact = false;
    std::vector<Step> steps;
    QByteArray bytes;  // as the service left the file; "none" for no file
};

std::vector<Case> LoadExpected() {
    QFile file(kWindowsDir + QStringLiteral("/expected.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    std::vector<Case> cases;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        const QStringList f = line.split(u'\t');
        if (f[0] == u"case") {
            cases.push_back({f[1], f[2], f.size() > 3 && f[3] == u"exact", {}, {}});
        } else if (f[0] == u"bytes") {
            cases.back().bytes =
                f[1] == u"empty" ? QByteArray() : QByteArray::fromHex(f[1].toLatin1());
        } else {
            // kind, section, key[, value], then "=" and the answer or "missing".
            const qsizetype at = f[0] == u"write" ? 4 : 3;
            cases.back().steps.push_back(
                {f.mid(0, at), f[at] == u"missing" ? f[at] : Unescape(f.mid(at + 1).join(u'\t'))});
        }
    }
    return cases;
}

// What Vantric answers to one step, in the oracle's terms.
QString Answer(const QString& path, const Step& step) {
    const QString section = Unescape(step.fields[1]);
    const QString key = Unescape(step.fields[2]);
    const QString missing = QStringLiteral("\x01\x02missing");
    if (step.fields[0] == u"write") {
        return WriteProfileText(path, section, key, Unescape(step.fields[3])) ? QStringLiteral("1")
                                                                              : QStringLiteral("0");
    }
    const QString value = ReadProfileText(path, section, key, missing);
    if (step.fields[0] == u"int") {
        return IntToText(TextToInt(value == missing ? QString() : value));
    }
    return value == missing ? QStringLiteral("missing") : value;
}

TEST(WindowsProfile, EveryStepAnswersAsTheProfileServiceDoes) {
    const std::vector<Case> cases = LoadExpected();
    ASSERT_GE(cases.size(), 15u);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        TempDrives drives;
        drives.MakeFolder("D/data");
        if (c.file != u"-") {
            QFile source(kWindowsDir + QStringLiteral("/files/") + c.file);
            ASSERT_TRUE(source.open(QIODevice::ReadOnly));
            drives.Put("D/data/case.ini", source.readAll());
        }
        for (const Step& step : c.steps) {
            EXPECT_EQ(Answer(QStringLiteral("D:/data/case.ini"), step).toStdString(),
                      step.answer.toStdString())
                << step.fields.join(u' ').toStdString();
        }
        if (c.exact) {
            EXPECT_EQ(drives.Bytes("D/data/case.ini").toHex(), c.bytes.toHex());
        }
    }
}

}  // namespace
