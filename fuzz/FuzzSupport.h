// What the fuzz targets share: turning the fuzzer's bytes into text, and property checks that
// stop the run with a message (libFuzzer keeps the input that made them fail).
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

// Bytes starting with FF FE are raw UTF-16 units after the mark, so that unpaired surrogates
// and every control character can reach the parsers; anything else is read as UTF-8, which
// keeps the seed files readable.
inline QString TextFromBytes(const uint8_t* data, size_t size) {
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        const size_t units = (size - 2) / 2;
        QString text(static_cast<qsizetype>(units), Qt::Uninitialized);
        for (size_t i = 0; i < units; ++i) {
            text[static_cast<qsizetype>(i)] =
                QChar(static_cast<char16_t>(data[2 + 2 * i] | (data[3 + 2 * i] << 8)));
        }
        return text;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// What the target was doing, printed with a violated property.
inline std::string& Context() {
    static std::string context;
    return context;
}

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
    std::fprintf(stderr, "%s:%d: property violated: %s\n", file, line, what);
    if (!Context().empty()) {
        std::fprintf(stderr, "  while: %s\n", Context().c_str());
    }
    std::fflush(stderr);
    std::abort();
}

}  // namespace fuzz

#define FUZZ_CHECK(condition)                             \
    do {                                                  \
        if (!(condition)) {                               \
            ::fuzz::Fail(__FILE__, __LINE__, #condition); \
        }                                                 \
    } while (false)
