// Tests that print: the application object, a folder of their own for the files they write, and
// no printer remembered before or after them.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "platform/Printer.h"
#include "tests/grid/gui/GuiApp.h"

namespace vantric::fixtures {

class PrinterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        EnsureGuiApp();
        ASSERT_TRUE(dir_.isValid());
        ForgetRememberedPrinter();
    }
    void TearDown() override { ForgetRememberedPrinter(); }
    QString Path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir_;
};

}  // namespace vantric::fixtures
