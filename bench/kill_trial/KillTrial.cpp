#include "KillTrial.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <random>

#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/model/SettingsFile.h"
#include "base/Text.h"
#include "platform/ProfileFile.h"
#include "platform/ProfileText.h"

namespace vantric::killtrial {

namespace {

const QString kPath = QStringLiteral("D:/data/dypz.ini");
const QString kFolder = QStringLiteral("D://data");
const std::array<QString, 7> kKeys = {settings::kHeaderHeightKey,   settings::kFooterHeightKey,
                                      settings::kHeaderTableGapKey, settings::kTopMarginKey,
                                      settings::kBottomMarginKey,   settings::kLeftMarginKey,
                                      settings::kRightMarginKey};

// The value every margin of save number n holds; odd and even saves differ in length, so that
// rewrites in place both grow and shrink the file.
int32_t ValueOf(int n) {
    return n % 2 == 0 ? 1000000 + n : n % 1000;
}

rg_class_DaYinYuLanBianJu RecordOf(int n) {
    rg_class_DaYinYuLanBianJu r;
    r.HeaderHeight = r.FooterHeight = r.HeaderTableGap = r.TopMargin = r.BottomMargin =
        r.LeftMargin = r.RightMargin = ValueOf(n);
    return r;
}

// A file as a desk has it: a note, a section of another program, the margins, the overweight
// sizes. Every byte but the margins must survive every save.
QByteArray FileOf(int n) {
    QString text =
        QStringLiteral("; 包装台\r\n[Printer]\r\nname=Label 1\r\n\r\n[打印预览边距]\r\n");
    for (const QString& key : kKeys) {
        text += key + u'=' + IntToText(ValueOf(n)) + QStringLiteral("\r\n");
    }
    text += QStringLiteral("[超重标宽度]\r\n列=331\r\n列间隔=30\r\n");
    return text.toUtf8();
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Shared {
    volatile int started = 0;          // number of the save under way (or last begun)
    volatile int finished = 0;         // number of the last save that returned
    volatile int64_t firstSaveNs = 0;  // how long the child's first save took
};

void SaveOnce(SaveKind kind, int n) {
    if (kind == SaveKind::Record) {
        settings::SavePrintMargins(RecordOf(n), {}, kPath, kFolder);
        return;
    }
    for (const QString& key : kKeys) {
        WriteProfileText(kPath, settings::kMarginSection, key, IntToText(ValueOf(n)));
    }
}

[[noreturn]] void SaveForever(SaveKind kind, Shared* shared) {
    QElapsedTimer timer;
    for (int n = 1;; ++n) {
        timer.start();
        shared->started = n;
        SaveOnce(kind, n);
        shared->finished = n;
        if (n == 1) {
            shared->firstSaveNs = timer.nsecsElapsed();
        }
    }
}

void Judge(const QByteArray& bytes, int started, Counts& counts) {
    QByteArray text = bytes;
    while (text.endsWith('\0')) {
        text.chop(1);
    }
    const bool padded = text.size() != bytes.size();
    const bool fresh = started > 0 && text == FileOf(started);
    if (fresh || text == FileOf(std::max(started - 1, 0))) {
        (fresh ? counts.fresh : counts.old) += 1;
        counts.padded += padded ? 1 : 0;
        return;
    }
    // Mixed: every other line as it was, each margin from one of the two records.
    const QList<QByteArray> got = text.split('\n');
    const QList<QByteArray> before = FileOf(started - 1).split('\n');
    const QList<QByteArray> after = FileOf(started).split('\n');
    bool linesFromEither = got.size() == before.size();
    for (qsizetype i = 0; linesFromEither && i < got.size(); ++i) {
        linesFromEither = got[i] == before[i] || got[i] == after[i];
    }
    (linesFromEither ? counts.mixed : counts.torn) += 1;
}

// Restores VANTRIC_DRIVES when the trials end.
struct DrivesGuard {
    QByteArray previous = qgetenv("VANTRIC_DRIVES");
    bool wasSet = qEnvironmentVariableIsSet("VANTRIC_DRIVES");
    ~DrivesGuard() {
        if (wasSet) {
            qputenv("VANTRIC_DRIVES", previous);
        } else {
            qunsetenv("VANTRIC_DRIVES");
        }
    }
};

}  // namespace

Counts Run(const Options& options) {
    Counts counts;
    QTemporaryDir root;
    const DrivesGuard guard;
    qputenv("VANTRIC_DRIVES", QFile::encodeName(root.path()));
    const QString local = root.path() + QStringLiteral("/D/data/dypz.ini");
    const QString otherName = root.path() + QStringLiteral("/D/data/second-name.ini");
    const auto reset = [&](int n) {
        QFile::remove(local);
        QFile::remove(otherName);
        QFile file(local);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(FileOf(n));
        }
        file.close();
        if (options.secondName) {
            ::link(QFile::encodeName(local).constData(), QFile::encodeName(otherName).constData());
        }
    };
    if (!EnsureFolder(QStringLiteral("D:\\data"))) {
        QDir().mkpath(root.path() + QStringLiteral("/D/data"));
    }

    auto* shared = static_cast<Shared*>(
        ::mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    if (shared == MAP_FAILED) {
        return counts;
    }
    std::mt19937 random(options.seed);
    std::uniform_real_distribution<double> moment(0.0, 1.0);
    int64_t savedNs = 0;
    for (int trial = 0; trial < options.trials; ++trial) {
        reset(0);
        shared->started = 0;
        shared->finished = 0;
        shared->firstSaveNs = 0;
        const pid_t child = ::fork();
        if (child == 0) {
            SaveForever(options.save, shared);
        }
        // Once the first save is done, the kill falls at a random moment of the time that save
        // took, that is somewhere in the second one.
        while (shared->firstSaveNs == 0) {
            ::usleep(20);
        }
        const int64_t firstSave = shared->firstSaveNs;
        savedNs += firstSave;
        ::usleep(static_cast<useconds_t>(moment(random) * double(firstSave) / 1000.0));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const int started = shared->started;
        counts.inSave += shared->finished != started ? 1 : 0;
        const QByteArray bytes = ReadAll(local);
        if (options.secondName && ReadAll(otherName) != bytes) {
            ++counts.torn;  // the two names no longer see one file
        } else {
            Judge(bytes, started, counts);
        }
        ++counts.trials;
    }
    ::munmap(shared, sizeof(Shared));
    counts.saveMicroseconds = counts.trials > 0 ? double(savedNs) / 1000.0 / counts.trials : 0;
    return counts;
}

}  // namespace vantric::killtrial
