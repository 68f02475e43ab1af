// GB18030, the code page of Chinese Windows that settings files without a byte-order mark are
// written in. On Linux Qt converts it (through ICU); Qt for Windows has no converter for it, and
// the system's code page for it is not on every Windows-like system, so the Windows build
// converts it itself. Both read and write the same bytes.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace vantric {

// The text of `bytes`. A byte that starts no character, or a sequence broken off by a byte
// that cannot continue it, reads as U+FFFD (the bytes after the broken-off lead byte are read
// again); a sequence cut short by the end of the bytes is dropped.
QString DecodeGb18030(QByteArrayView bytes);

// The bytes of `text`; nothing when it holds a lone surrogate, which no encoding can carry.
std::optional<QByteArray> EncodeGb18030(QStringView text);

}  // namespace vantric
