// What a print test does when the machine lacks what it prints on or reads paper back with (a
// CUPS scheduler or queue, poppler's tools): elsewhere it skips and says why; under CI
// (CI=true) it fails, so that a green CI run means the printing was tested.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>

namespace testsupport {

inline bool UnderCi() {
    return qgetenv("CI").compare("true", Qt::CaseInsensitive) == 0;
}

}  // namespace testsupport

// Ends the test unless `available`: skipped with `why` (anything a gtest message streams), or
// failed with it under CI. Only in functions returning void, as GTEST_SKIP.
#define REQUIRE_FOR_PRINTING(available, why)                                \
    switch (0)                                                              \
    case 0:                                                                 \
    default:                                                                \
        if (available) {                                                    \
        } else if (::testsupport::UnderCi())                                \
            GTEST_FAIL() << why << " (CI=true: a print test may not skip)"; \
        else                                                                \
            GTEST_SKIP() << why << ": skipping"
