// The whole program started as the application starts it: the program object, the main window
// with its title and menu, and the print margins read from the settings file at start.
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>

#include "Dialogs.h"
#include "app/rg_startup_class.h"
#include "grid/model/CGridCtrl.h"
#include "platform/Gb18030.h"
#include "ui/CVolMFCApp.h"

namespace {

// Runs the program; `inspect` sees the running program once the event loop has started, then
// the main window is closed, which ends the run.
int RunProgram(const std::function<void(rg_startup_class&)>& inspect) {
    QTimer::singleShot(0, [inspect] {
        rg_startup_class* program = rg_startup_class::Program();
        if (program == nullptr) {
            QCoreApplication::exit(99);
            return;
        }
        inspect(*program);
        program->MainWindow.Close();
    });
    return CVolMFCApp::Instance()->Run(rg_startup_class::StaticClass());
}

std::array<int32_t, 7> LayoutValues(const CGridCtrl& grid) {
    std::array<int32_t, 7> values{};
    for (int which = 1; which <= 7; ++which) {
        values[which - 1] = grid.PrintLayoutValue(which);
    }
    return values;
}

}  // namespace

class StartUpTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // A drive root of its own for each test, without a drive D until the test makes one.
    void init() {
        previousDrives_ = qgetenv("VANTRIC_DRIVES");
        drives_ = std::make_unique<QTemporaryDir>();
        QVERIFY(drives_->isValid());
        qputenv("VANTRIC_DRIVES", drives_->path().toUtf8());
    }
    void cleanup() {
        qputenv("VANTRIC_DRIVES", previousDrives_);
        drives_.reset();
    }

    void theProgramObjectIsAWindowProgram() {
        rg_startup_class program;
        for (const ClassDescriptor* cls :
             {&rg_startup_class::StaticClass(), &rg_ChuangKouChengXuLei::StaticClass(),
              &rg_ChengXuLei::StaticClass(), &CVolUserApp::StaticClass(),
              &CVolObject::StaticClass()}) {
            QVERIFY2(program.IsKindOf(*cls), cls->name.c_str());
        }
        QVERIFY(!program.IsKindOf(CVolWinForm::StaticClass()));
        QVERIFY(program.MainWindow.IsKindOf(CVolWinForm::StaticClass()));
        // The title before the window exists: twelve blanks after the version, two before the
        // site.
        QCOMPARE(program.MainWindow.GetText(),
                 QStringLiteral("Vantric1.0.1            By:Vantric  https://vantric.example.com"));
    }

    void startUpAppliesTheMarginsOfTheSettingsFile() {
        QVERIFY(QDir().mkpath(drives_->filePath("D/data")));
        QFile file(drives_->filePath("D/data/dypz.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[打印预览边距]\r\n页眉=55\r\n页脚=66\r\n表头表格间距=7\r\n上边距=11\r\n"
            "下边距=12\r\n左边距=0\r\n右边距=-10\r\n");
        file.close();

        std::array<int32_t, 7> applied{};
        QString title;
        QStringList menus;
        bool visible = false;
        const int exitCode = RunProgram([&](rg_startup_class& program) {
            rg_my_main_window& w = program.MainWindow;
            visible = w.Widget()->isVisible();
            title = w.Widget()->windowTitle();
            for (QAction* a : w.MenuBar()->actions()) {
                menus << a->text();
            }
            if (const CGridCtrl* grid = w.SheetGrid.Grid()) {
                applied = LayoutValues(*grid);
            }
        });
        QCOMPARE(exitCode, 0);
        QVERIFY(visible);
        QCOMPARE(title,
                 QStringLiteral("Vantric1.0.1            By:Vantric  https://vantric.example.com"));
        QCOMPARE(menus, (QStringList{"操作", "帮助"}));
        // Left, right, top, bottom, header, footer, gap: values handed over as they are.
        QCOMPARE(applied, (std::array<int32_t, 7>{0, -10, 11, 12, 55, 66, 7}));
    }

    void aFirstStartWritesTheInitialMargins() {
        QVERIFY(QDir().mkpath(drives_->filePath("D")));
        std::array<int32_t, 7> applied{};
        RunProgram([&](rg_startup_class& program) {
            if (const CGridCtrl* grid = program.MainWindow.SheetGrid.Grid()) {
                applied = LayoutValues(*grid);
            }
        });
        QCOMPARE(applied, (std::array<int32_t, 7>{40, 40, 20, 20, 60, 60, 20}));
        QFile file(drives_->filePath("D/data/dypz.ini"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        // A new file is written in the Windows code page.
        const QString text = vantric::DecodeGb18030(file.readAll());
        for (const char* line : {"页眉=60", "页脚=60", "表头表格间距=20", "上边距=20", "下边距=20",
                                 "左边距=40", "右边距=40"}) {
            QVERIFY2(text.contains(QString::fromUtf8(line)), line);
        }
    }

  private:
    std::unique_ptr<QTemporaryDir> drives_;
    QByteArray previousDrives_;
};

int RunStartUpTest(int argc, char** argv) {
    StartUpTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "StartUpTest.moc"
