#include "platform/ProfileFile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <atomic>
#include <optional>

#include "platform/DrivePath.h"
#include "platform/FileStore.h"
#include "platform/ProfileText.h"

namespace vantric {

namespace {

std::atomic<ProfileWriteHook> g_writeHook{nullptr};

bool IsDriveLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

// "\", "X:" and "X:\" are there by definition.
bool IsRootPath(const QString& path) {
    if (path == QStringLiteral("\\")) {
        return true;
    }
    if (path.size() < 2 || path.size() > 3 || !IsDriveLetter(path[0]) ||
        path[1] != QLatin1Char(':')) {
        return false;
    }
    return path.size() == 2 || path[2] == QLatin1Char('\\');
}

std::optional<QByteArray> ReadWholeFile(const QString& path, QString* reason = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        filestore::Tell(reason, file.errorString());
        return std::nullopt;
    }
    // Read at most one byte beyond the limit to notice a file that grew past it.
    QByteArray bytes = file.read(kMaxProfileFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        filestore::Tell(reason, file.errorString());
        return std::nullopt;
    }
    if (bytes.size() > kMaxProfileFileSize) {
        filestore::Tell(reason, QStringLiteral("文件太大，不是设置文件"));
        return std::nullopt;
    }
    return bytes;
}

filestore::FolderMade CreateDirectory(const QString& windowsPath, QString* reason) {
    return filestore::MakeFolder(MapDrivePath(windowsPath), reason);
}

}  // namespace

namespace filestore {

bool StagePasses(ProfileWriteStage stage) {
    const ProfileWriteHook hook = g_writeHook.load();
    return hook == nullptr || hook(stage);
}

}  // namespace filestore

QString ReadProfileText(const QString& file, const QString& section, const QString& key,
                        const QString& def) {
    if (file.isEmpty() || section.isEmpty() || key.isEmpty()) {
        return {};
    }
    const QString local = MapDrivePath(file);
    const QFileInfo info(local);
    if (!info.isFile() || info.size() > kMaxProfileFileSize) {
        return def;
    }
    const std::optional<QByteArray> bytes = ReadWholeFile(local);
    if (!bytes) {
        return def;
    }
    return profile::FindProfileValue(profile::ParseProfile(*bytes), section, key).value_or(def);
}

bool WriteProfileText(const QString& file, const QString& section, const QString& key,
                      const QString& value) {
    return WriteProfileTexts(file, {{section, key, value}}).front();
}

std::vector<bool> WriteProfileTexts(const QString& file, const std::vector<ProfileEntry>& entries,
                                    QString* reason) {
    using filestore::Tell;
    std::vector<bool> results(entries.size(), false);
    const auto writable = [](const ProfileEntry& e) {
        return profile::IsWritableEntry(e.section, e.key, e.value);
    };
    if (file.isEmpty() || std::none_of(entries.begin(), entries.end(), writable)) {
        Tell(reason, QStringLiteral("这些文字不能写成设置"));
        return results;
    }
    QString target = MapDrivePath(file);
    if (const QFileInfo link(target); link.isSymLink()) {
        // Keep the link (and a chain of them), rewrite what it points at.
        target = link.exists() ? link.canonicalFilePath() : link.symLinkTarget();
    }
    if (!QFileInfo(QFileInfo(target).absolutePath()).isDir()) {
        Tell(reason,
             QStringLiteral("文件夹 %1 不存在").arg(PathForMessage(QFileInfo(file).path())));
        return results;
    }

    // Programs saving at once keep each other's keys.
    filestore::SaveLock lock(target);
    if (!lock.Acquire(reason)) {
        return results;
    }

    const QFileInfo info(target);
    const bool existed = info.exists();
    profile::ProfileDocument document;
    QByteArray before;
    if (existed) {
        if (!info.isFile()) {
            Tell(reason, QStringLiteral("这个路径是文件夹，不是文件"));
            return results;
        }
        if (filestore::IsReadOnly(target)) {
            Tell(reason, QStringLiteral("文件是只读的"));
            return results;
        }
        std::optional<QByteArray> bytes = ReadWholeFile(target, reason);
        if (!bytes) {
            return results;
        }
        document = profile::ParseProfile(*bytes);
        before = std::move(*bytes);
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        results[i] = profile::SetProfileValue(document, entries[i].section, entries[i].key,
                                              entries[i].value);
    }
    if (std::find(results.begin(), results.end(), false) != results.end()) {
        Tell(reason, document.nulInside ? QStringLiteral("文件里有 NUL 字节，不是文本文件")
                                        : QStringLiteral("有的文字不能写进这个文件"));
    }
    const QByteArray after = profile::SerialiseProfile(document);
    if (existed && after == before) {
        return results;
    }
    if (!filestore::SaveFile(target, after, existed, before.size(), reason)) {
        std::fill(results.begin(), results.end(), false);
    }
    return results;
}

bool FileExists(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QString trimmed = path;
    if (trimmed.size() > 1 && trimmed.endsWith(QLatin1Char('\\')) &&
        trimmed[trimmed.size() - 2] != QLatin1Char(':')) {
        trimmed.chop(1);
    }
    return QFileInfo::exists(MapDrivePath(trimmed));
}

bool EnsureFolder(const QString& path, QString* reason) {
    using filestore::FolderMade;
    if (path.isEmpty()) {
        filestore::Tell(reason, QStringLiteral("没有文件夹名"));
        return false;
    }
    QString folder = path;
    if (folder.size() > 1 && folder.endsWith(QLatin1Char('\\')) &&
        folder[folder.size() - 2] != QLatin1Char(':')) {
        folder.chop(1);
    }
    if (IsRootPath(folder)) {
        return true;
    }
    QString why;
    switch (CreateDirectory(folder, &why)) {
        case FolderMade::Created:
        case FolderMade::AlreadyThere:
            return true;
        case FolderMade::Failed:
            filestore::Tell(
                reason, QStringLiteral("无法建立文件夹 %1：%2").arg(PathForMessage(folder), why));
            return false;
        case FolderMade::ParentMissing:
            break;
    }
    qsizetype split = folder.lastIndexOf(QLatin1Char('\\'));
    if (split == folder.size() - 1) {
        split = folder.lastIndexOf(QLatin1Char('\\'), split - 1);
    }
    if (split < 0) {
        filestore::Tell(reason,
                        QStringLiteral("无法建立文件夹 %1：%2").arg(PathForMessage(folder), why));
        return false;
    }
    if (!EnsureFolder(folder.left(split), reason)) {
        return false;
    }
    const FolderMade retry = CreateDirectory(folder, &why);
    if (retry == FolderMade::Created || retry == FolderMade::AlreadyThere) {
        return true;
    }
    filestore::Tell(reason,
                    QStringLiteral("无法建立文件夹 %1：%2").arg(PathForMessage(folder), why));
    return false;
}

void SetProfileWriteHook(ProfileWriteHook hook) {
    g_writeHook.store(hook);
}

}  // namespace vantric
