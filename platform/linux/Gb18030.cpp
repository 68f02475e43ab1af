#include "platform/Gb18030.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace vantric {

namespace {
constexpr const char* kName = "GB18030";
}

QString DecodeGb18030(QByteArrayView bytes) {
    QStringDecoder decoder(kName, QStringConverter::Flag::Stateless);
    // Without a converter the names still match on their ASCII parts.
    if (!decoder.isValid()) {
        return QString::fromLatin1(bytes);
    }
    return decoder.decode(bytes);
}

std::optional<QByteArray> EncodeGb18030(QStringView text) {
    QStringEncoder encoder(kName, QStringConverter::Flag::Stateless);
    if (!encoder.isValid()) {
        return std::nullopt;
    }
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace vantric
