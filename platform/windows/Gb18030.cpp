#include "platform/Gb18030.h"

#include <QChar>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vantric {

namespace {

#include "gb18030_two_byte.inc"

constexpr int kTrailsPerLead = 190;       // 0x40..0x7E and 0x80..0xFE
constexpr uint32_t kFourByteBmp = 39420;  // four-byte codes 0x81308130 to 0x8431A439
constexpr char16_t kReplacement = 0xFFFD;

bool IsTrail(uint8_t b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFE);
}
bool IsLead(uint8_t b) {
    return b >= 0x81 && b <= 0xFE;
}
bool IsDigit(uint8_t b) {
    return b >= 0x30 && b <= 0x39;
}

// Both directions of the code, made once: every BMP character has one code, and the four-byte
// codes of the BMP go, in order, to the characters the one- and two-byte codes leave, in order
// (with the one change of 2005, U+E7C7 where U+1E3F was).
struct Tables {
    std::vector<char16_t> fourByteBmp;     // linear four-byte index -> character
    std::array<uint32_t, 0x10000> code{};  // character -> two-byte code, or 0x80000000 | linear

    Tables() {
        std::vector<bool> twoByte(0x10000, false);
        for (int i = 0; i < int(std::size(kGb18030TwoByte)); ++i) {
            const int lead = 0x81 + i / kTrailsPerLead;
            const int t = i % kTrailsPerLead;
            const int trail = t < 0x3F ? 0x40 + t : 0x80 + (t - 0x3F);
            twoByte[kGb18030TwoByte[i]] = true;
            code[kGb18030TwoByte[i]] = uint32_t(lead << 8 | trail);
        }
        fourByteBmp.reserve(kFourByteBmp);
        for (uint32_t c = 0x80; c <= 0xFFFF; ++c) {
            if ((c >= 0xD800 && c <= 0xDFFF) || (twoByte[c] && c != 0x1E3F) || c == 0xE7C7) {
                continue;
            }
            const char16_t mapped = c == 0x1E3F ? char16_t(0xE7C7) : char16_t(c);
            code[mapped] = 0x80000000u | uint32_t(fourByteBmp.size());
            fourByteBmp.push_back(mapped);
        }
    }
};

const Tables& Gb() {
    static const auto tables = std::make_unique<Tables>();
    return *tables;
}

void AppendFourByte(QByteArray& out, uint32_t linear, uint8_t firstLead) {
    const uint8_t b4 = 0x30 + linear % 10;
    linear /= 10;
    const uint8_t b3 = 0x81 + linear % 126;
    linear /= 126;
    const uint8_t b2 = 0x30 + linear % 10;
    const uint8_t b1 = firstLead + linear / 10;
    out.append(char(b1)).append(char(b2)).append(char(b3)).append(char(b4));
}

}  // namespace

QString DecodeGb18030(QByteArrayView bytes) {
    const Tables& gb = Gb();
    const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype i = 0;
    while (i < n) {
        const uint8_t lead = b[i];
        if (lead < 0x80) {
            out.append(QChar(lead));
            ++i;
            continue;
        }
        if (!IsLead(lead)) {
            out.append(QChar(kReplacement));
            ++i;
            continue;
        }
        if (i + 1 >= n) {
            break;  // cut short by the end
        }
        const uint8_t second = b[i + 1];
        if (IsTrail(second)) {
            out.append(QChar(kGb18030TwoByte[(lead - 0x81) * kTrailsPerLead +
                                             (second < 0x80 ? second - 0x40 : second - 0x41)]));
            i += 2;
            continue;
        }
        if (!IsDigit(second)) {
            // 0xFF cannot begin anything either: it goes with the lead byte.
            out.append(QChar(kReplacement));
            i += second == 0xFF ? 2 : 1;
            continue;
        }
        if (i + 2 >= n || (IsLead(b[i + 2]) && i + 3 >= n)) {
            break;
        }
        if (!IsLead(b[i + 2]) || !IsDigit(b[i + 3])) {
            out.append(QChar(kReplacement));
            ++i;
            continue;
        }
        const uint32_t linear =
            ((uint32_t(lead - 0x81) * 10 + (second - 0x30)) * 126 + (b[i + 2] - 0x81)) * 10 +
            (b[i + 3] - 0x30);
        constexpr uint32_t kSupplementaryStart = ((0x90 - 0x81) * 10) * 126 * 10;
        if (linear < kFourByteBmp) {
            out.append(QChar(gb.fourByteBmp[linear]));
        } else if (linear >= kSupplementaryStart && linear - kSupplementaryStart < 0x100000) {
            const char32_t c = 0x10000 + (linear - kSupplementaryStart);
            out.append(QChar(QChar::highSurrogate(c))).append(QChar(QChar::lowSurrogate(c)));
        } else {
            out.append(QChar(kReplacement));
        }
        i += 4;
    }
    return out;
}

std::optional<QByteArray> EncodeGb18030(QStringView text) {
    const Tables& gb = Gb();
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            out.append(char(c));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   QChar::isLowSurrogate(text[i + 1].unicode())) {
            AppendFourByte(out, QChar::surrogateToUcs4(c, text[i + 1].unicode()) - 0x10000, 0x90);
            ++i;
        } else if (QChar::isSurrogate(c)) {
            return std::nullopt;
        } else if (const uint32_t code = gb.code[c]; code & 0x80000000u) {
            AppendFourByte(out, code & ~0x80000000u, 0x81);
        } else {
            out.append(char(code >> 8)).append(char(code & 0xFF));
        }
    }
    return out;
}

}  // namespace vantric
