#include "platform/ResourcePictureSource.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <mutex>

#include "platform/DrivePath.h"

// Resources of a static library are registered by hand; the name is that of pictures.qrc.
static void RegisterPictureResources() {
    static std::once_flag once;
    std::call_once(once, [] { Q_INIT_RESOURCE(pictures); });
}

namespace vantric {

namespace {

// Larger files are no pictures the grid could sensibly show.
constexpr qint64 kMaxPictureFileSize = 64 * 1024 * 1024;

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPictureFileSize) {
        return {};
    }
    return file.readAll();
}

bool HoldsImage(const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        return false;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).canRead();
}

}  // namespace

QByteArray PictureResourceBytes(int32_t id) {
    if (id != kOverweightPictureId) {
        return {};
    }
    RegisterPictureResources();
    return ReadFile(QStringLiteral(":/pictures/501.png"));
}

PictureRef ResourcePictureSource::LoadById(int32_t id) {
    if (id != kOverweightPictureId) {
        return nullptr;
    }
    if (!overweight_) {
        QByteArray bytes = PictureResourceBytes(id);
        if (bytes.isEmpty()) {
            return nullptr;
        }
        overweight_ = std::make_shared<const CellPicture>(CellPicture{id, {}, std::move(bytes)});
    }
    return overweight_;
}

PictureRef ResourcePictureSource::LoadByName(const QString& name) {
    if (name.isEmpty()) {
        return nullptr;
    }
    RegisterPictureResources();
    const QString path = name.startsWith(QLatin1Char(':')) ? name : MapDrivePath(name);
    QByteArray bytes = ReadFile(path);
    if (!HoldsImage(bytes)) {
        return nullptr;
    }
    return std::make_shared<const CellPicture>(CellPicture{0, name, std::move(bytes)});
}

}  // namespace vantric
