// The warning and the information beep played as a desk plays them: through the desktop's
// event-sound library into ALSA, whose default device here writes the samples to a file.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>

#include "platform/linux/EventSounds.h"

namespace {

QByteArray Captured(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The samples the kind's sound wrote (the sound plays on after the call returns).
QByteArray PlayAndCapture(vantric::BeepKind kind, const QString& capture) {
    QFile::remove(capture);
    if (!vantric::PlayThemeSound(kind)) {
        return QByteArray();
    }
    QByteArray last;
    for (int i = 0; i < 60; ++i) {  // until the file stops growing, 3 s at most
        QThread::msleep(50);
        const QByteArray now = Captured(capture);
        if (!now.isEmpty() && now == last) {
            break;
        }
        last = now;
    }
    return last;
}

TEST(Beep, WarningAndInformationAreTwoDifferentSounds) {
    void* library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr ||
        !QFileInfo::exists("/usr/share/sounds/freedesktop/stereo/dialog-warning.oga") ||
        !QFileInfo::exists("/usr/share/alsa/alsa.conf")) {
        GTEST_SKIP() << "no event-sound library, sound theme or ALSA (./dev test installs them)";
    }
    QTemporaryDir dir;
    const QString capture = dir.filePath("out.raw");
    QFile config(dir.filePath("alsa.conf"));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    QFile system("/usr/share/alsa/alsa.conf");
    ASSERT_TRUE(system.open(QIODevice::ReadOnly));
    config.write(system.readAll());
    config.write(QStringLiteral("\npcm.!default { type file slave.pcm \"vantricnull\" file \"%1\" "
                                "format \"raw\" }\npcm.vantricnull { type null }\n")
                     .arg(capture)
                     .toUtf8());
    config.close();
    setenv("ALSA_CONFIG_PATH", qPrintable(config.fileName()), 1);
    setenv("CANBERRA_DRIVER", "alsa", 1);

    const QByteArray warning = PlayAndCapture(vantric::BeepKind::Exclamation, capture);
    const QByteArray information = PlayAndCapture(vantric::BeepKind::Asterisk, capture);
    const QByteArray warningAgain = PlayAndCapture(vantric::BeepKind::Exclamation, capture);
    ASSERT_GT(warning.size(), 1000) << "the warning played no samples";
    ASSERT_GT(information.size(), 1000);
    EXPECT_NE(warning, information);
    EXPECT_EQ(warning, warningAgain);  // the same kind, the same sound
}

}  // namespace
