// The main window keeps working whatever the settings file holds and however long the ticket
// list grows, and never makes the file worse.
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "Dialogs.h"
#include "MainWindowSupport.h"
#include "app/model/CountRules.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/CVWnd_Grid.h"
#include "ui/CVolMFCApp.h"

namespace {

// A drive root of the test's own with drive D, and the settings file on it.
class Drives {
  public:
    Drives() : previous_(qgetenv("VANTRIC_DRIVES")) {
        QDir().mkpath(root_.filePath("D/data"));
        qputenv("VANTRIC_DRIVES", root_.path().toUtf8());
    }
    ~Drives() { qputenv("VANTRIC_DRIVES", previous_); }
    QString Settings() const { return root_.filePath("D/data/dypz.ini"); }
    void Write(const QByteArray& bytes) const {
        QFile f(Settings());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray Fingerprint() const {
        QFile f(Settings());
        if (!f.open(QIODevice::ReadOnly)) {
            return QFileInfo(Settings()).isDir() ? "folder" : "missing";
        }
        QCryptographicHash hash(QCryptographicHash::Sha256);
        hash.addData(&f);
        return hash.result();
    }

  private:
    QTemporaryDir root_;
    QByteArray previous_;
};

// Opens the preview of the current sheet and answers its page indicator and page count.
std::pair<QString, int32_t> Preview(rg_my_main_window& w) {
    QString indicator = QStringLiteral("<no preview>");
    QTimer::singleShot(0, [&] {
        auto* dialog =
            qobject_cast<vantric::CPreviewParentDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr) {
            indicator = dialog->PageIndicator()->text();
            dialog->grab();  // draws the page
            dialog->reject();
        }
    });
    w.PreviewButton.Click();
    return {indicator, w.SheetGrid.Grid()->LastPageCount()};
}

QByteArray Margins(const QList<int64_t>& values) {
    const char* keys[] = {"页眉", "页脚", "表头表格间距", "上边距", "下边距", "左边距", "右边距"};
    QByteArray text = "[打印预览边距]\n";
    for (int i = 0; i < 7; ++i) {
        text += QByteArray(keys[i]) + '=' + QByteArray::number(values[i]) + '\n';
    }
    return text;
}

}  // namespace

class WindowHardeningTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Start, build, preview and build the overweight sheet with a settings file that cannot be
    // used: the window works with margins of 0 and the fallback label sizes, and the file is
    // left exactly as it was.
    void unusableSettingsFilesAreLeftAlone_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("huge") << "huge";
        QTest::newRow("binary") << "binary";
        QTest::newRow("folder") << "folder";
    }
    void unusableSettingsFilesAreLeftAlone() {
        QFETCH(QString, kind);
        Drives drives;
        if (kind == u"huge") {
            drives.Write(Margins({60, 60, 20, 20, 20, 40, 40}));
            QFile f(drives.Settings());
            QVERIFY(f.resize(100 * 1024 * 1024));  // sparse: costs no disk
        } else if (kind == u"binary") {
            drives.Write(QByteArray("\x7F"
                                    "ELF\x02\x01\x01\0\0\0",
                                    10) +
                         Margins({1, 2, 3, 4, 5, 6, 7}));
        } else {
            QVERIFY(QDir().mkpath(drives.Settings()));
        }
        const QByteArray before = drives.Fingerprint();
        RecordedMessages messages;
        auto w = OpenMainWindow();
        QCOMPARE(w->SheetGrid.Grid()->PrintLayoutValue(1), 0);  // unreadable: every margin 0
        w->CartonTotalEdit.SetText(QStringLiteral("12"));
        w->SingleSheetButton.Click();
        // Without margins the fitted page is as wide as the table, and the body, the whole page,
        // a little shorter than a label page: the preview shows why there are no pages instead.
        QCOMPARE(Preview(*w).second, 0);
        w->OverweightSheetButton.Click();
        QCOMPARE(w->SheetGrid.Grid()->ColumnWidth(0), 331);  // the fallback size
        QVERIFY(messages.texts.isEmpty());
        QCOMPARE(drives.Fingerprint(), before);
    }

    // Margins and overweight sizes at the ends of the 32-bit range: the sheets build, the
    // preview shows no page where the margins leave no room, and the file stays as written.
    void extremeMarginsAndSizes_data() {
        QTest::addColumn<QList<int64_t>>("margins");
        QTest::addColumn<QList<int64_t>>("sizes");  // 列, 列间隔, 行, 行间隔
        QTest::addColumn<int>("pages");
        const int64_t max = 2147483647, min = -2147483648LL;
        QTest::newRow("giant") << QList<int64_t>{max, max, max, max, max, max, max}
                               << QList<int64_t>{max, max, max, max} << 0;
        QTest::newRow("most negative") << QList<int64_t>{min, min, min, min, min, min, min}
                                       << QList<int64_t>{min, min, min, min} << 0;
        QTest::newRow("no body left") << QList<int64_t>{60, 60, 20, 20, 20000, 40, 40}
                                      << QList<int64_t>{331, 30, 310, 20} << 0;
        QTest::newRow("a million") << QList<int64_t>{60, 60, 20, 20, 20, 40, 40}
                                   << QList<int64_t>{1000000, 1000000, 1000000, 1000000} << 2;
        QTest::newRow("beyond 32 bits") << QList<int64_t>{99999999999LL, 60, 20, 20, 20, 40, 40}
                                        << QList<int64_t>{331, 30, 310, 20} << 0;
    }
    void extremeMarginsAndSizes() {
        QFETCH(QList<int64_t>, margins);
        QFETCH(QList<int64_t>, sizes);
        QFETCH(int, pages);
        Drives drives;
        const QByteArray file =
            Margins(margins) + "[超重标宽度]\n列=" + QByteArray::number(sizes[0]) +
            "\n列间隔=" + QByteArray::number(sizes[1]) +
            "\n[超重标高度]\n行=" + QByteArray::number(sizes[2]) +
            "\n行间隔=" + QByteArray::number(sizes[3]) + "\n[超重标表格]\n表格线是否显示=真\n";
        drives.Write(file);
        RecordedMessages messages;
        auto w = OpenMainWindow();
        w->CartonTotalEdit.SetText(QStringLiteral("12"));
        w->SingleSheetButton.Click();
        w->SheetGrid.GridWindow()->grab();
        if (pages == 0) {
            QCOMPARE(Preview(*w).second, 0);
        }
        w->OverweightSheetButton.Click();
        w->SheetGrid.GridWindow()->grab();
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QVERIFY(grid.ColumnWidth(0) >= 0 && grid.ColumnWidth(0) <= kMaxCellExtent);
        QVERIFY(grid.RowHeight(0) >= 0 && grid.RowHeight(0) <= kMaxCellExtent);
        QCOMPARE(Preview(*w).second, pages);
        QVERIFY(messages.texts.isEmpty());
        QFile f(drives.Settings());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), file);
    }

    // Ten thousand tickets go into the list one by one; the sheet of all of them builds, and one
    // over the label cap is refused with the message, keeping the sheet.
    void tenThousandTickets() {
        Drives drives;
        RecordedMessages messages;
        ScriptedInput input;
        auto w = OpenMainWindow();
        w->MultiModeRadio.Click();
        for (int i = 0; i < 10'000; ++i) {
            input.answers.append(QString::number(i % 7 + 1));
            w->AddTicketButton.Click();
        }
        QCOMPARE(TicketCounts().size(), size_t{10'000});
        QCOMPARE(w->TicketListView.RowCount(), 10'000);
        int64_t labels = 0;
        for (int32_t count : TicketCounts()) {
            labels += count;
        }
        QCOMPARE(labels, int64_t{39'994});  // 1428 rounds of 1..7 (28 each), then 1, 2, 3, 4
        QCOMPARE(w->TicketSummaryLabel.GetText(),
                 QStringLiteral("[10000]票箱标总数：39994 需补数：2"));

        w->MultiSheetButton.Click();
        const CGridCtrl& grid = *w->SheetGrid.Grid();
        QCOMPARE(grid.RowCount(), 9'999 * 7);  // 39,996 labels with the fillers
        QCOMPARE(PageNumbers(grid, 9'998), (QStringList{"3/4", "4/4", "1/2", "2/2"}));
        QVERIFY(messages.texts.isEmpty());
        w->SheetGrid.GridWindow()->grab();

        // Every ticket at 999 is 9,990,000 labels: over the cap.
        TicketCounts().assign(10'000, counts::kMaxCount);
        w->MultiSheetButton.Click();
        QCOMPARE(messages.texts, QStringList{counts::kTooManyLabels});
        QCOMPARE(grid.RowCount(), 9'999 * 7);

        w->DeliverCommand(20005);  // delete all
        QCOMPARE(w->TicketListView.RowCount(), 0);
        QVERIFY(TicketCounts().empty());
    }
};

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    WindowHardeningTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "WindowHardeningTest.moc"
