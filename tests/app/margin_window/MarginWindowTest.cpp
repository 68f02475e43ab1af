// The margin settings window against a real settings file in a drive root of its own: what it
// shows when it opens, what its two buttons write and hand to the grid, and that closing it
// keeps nothing.
#include <QAbstractButton>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <array>
#include <functional>

#include "Dialogs.h"
#include "app/model/SettingsFile.h"
#include "app/rg_BianJuSheZhiChuangKou.h"
#include "grid/model/CGridCtrl.h"
#include "platform/ProfileFile.h"
#include "ui/CVolMFCApp.h"
#include "ui/DesignScale.h"
#include "ui/rg_label.h"

namespace {

namespace settings = vantric::settings;

// Box ids in the record's field order: header, footer, gap, top, bottom, left, right.
constexpr std::array<int, 7> kBoxIds{111, 113, 115, 103, 105, 107, 109};
const std::array<QString, 7> kKeys{settings::kHeaderHeightKey,   settings::kFooterHeightKey,
                                   settings::kHeaderTableGapKey, settings::kTopMarginKey,
                                   settings::kBottomMarginKey,   settings::kLeftMarginKey,
                                   settings::kRightMarginKey};
using Seven = std::array<QString, 7>;

const Seven kInitial{"60", "60", "20", "20", "20", "40", "40"};

// The main window's side of the window: its print-margin record, its grid and the load and save
// operations, on a drive root of their own.
class Desk {
  public:
    Desk()
        : previous_(qgetenv("VANTRIC_DRIVES")),
          hadPrevious_(qEnvironmentVariableIsSet("VANTRIC_DRIVES")) {
        qputenv("VANTRIC_DRIVES", root_.path().toLocal8Bit());
    }
    ~Desk() {
        if (hadPrevious_) {
            qputenv("VANTRIC_DRIVES", previous_);
        } else {
            qunsetenv("VANTRIC_DRIVES");
        }
    }

    void MakeDriveD() const { QDir().mkpath(root_.path() + QStringLiteral("/D")); }
    QString FilePath() const { return root_.path() + QStringLiteral("/D/data/dypz.ini"); }
    QByteArray FileBytes() const {
        QFile f(FilePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void WriteFile(const QByteArray& bytes) const {
        QDir().mkpath(root_.path() + QStringLiteral("/D/data"));
        QFile f(FilePath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // The seven margins as the file holds them, in field order ("" for a missing key).
    Seven FileValues() const {
        Seven values;
        for (size_t i = 0; i < kKeys.size(); ++i) {
            values[i] = vantric::ReadProfileText(settings::kSettingsPath, settings::kMarginSection,
                                                 kKeys[i], QString());
        }
        return values;
    }
    // The grid's print layout values in the record's field order.
    Seven GridValues() const {
        // Layout values 1..7 are left, right, top, bottom, header, footer, gap.
        constexpr std::array<int, 7> which{5, 6, 7, 3, 4, 1, 2};
        Seven values;
        for (size_t i = 0; i < which.size(); ++i) {
            values[i] = QString::number(grid.PrintLayoutValue(which[i]));
        }
        return values;
    }
    Seven RecordValues() const {
        return {QString::number(margins.HeaderHeight),   QString::number(margins.FooterHeight),
                QString::number(margins.HeaderTableGap), QString::number(margins.TopMargin),
                QString::number(margins.BottomMargin),   QString::number(margins.LeftMargin),
                QString::number(margins.RightMargin)};
    }

    // Runs the window as menu command 20010 does; `during` acts on its dialog while it is open,
    // after which the close box closes it.
    void OpenWindow(const std::function<void(QDialog&)>& during) {
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* host = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (host == nullptr) {
                return;
            }
            during(*host);
            ran = true;
            host->close();
        });
        ++opened;
        rg_BianJuSheZhiChuangKou::RunMarginSettingsWindow(
            margins,
            [this] {
                ++loads;
                return settings::LoadPrintMargins(margins, Apply());
            },
            [this](QString*) {
                ++saves;
                return settings::SavePrintMargins(margins, Apply());
            });
        QVERIFY2(ran, "the margin window never ran modally");
    }

    CGridCtrl grid;
    rg_class_DaYinYuLanBianJu margins;
    int opened = 0, loads = 0, saves = 0;

  private:
    settings::PrintMarginApplier Apply() {
        return [this](const rg_class_DaYinYuLanBianJu& m) {
            settings::ApplyPrintMarginsToGrid(m, grid);
        };
    }

    QTemporaryDir root_;
    QByteArray previous_;
    bool hadPrevious_;
};

QWidget* ById(QDialog& host, int id) {
    for (QWidget* w : host.findChildren<QWidget*>()) {
        if (w->property(kControlIdProperty).toInt() == id) {
            return w;
        }
    }
    qFatal("no control %d in the margin window", id);
}

QLineEdit* Box(QDialog& host, int id) {
    return qobject_cast<QLineEdit*>(ById(host, id));
}

Seven BoxTexts(QDialog& host) {
    Seven texts;
    for (size_t i = 0; i < kBoxIds.size(); ++i) {
        texts[i] = Box(host, kBoxIds[i])->text();
    }
    return texts;
}

// Types `text` over the box's contents as the operator would.
void Retype(QDialog& host, int id, const QString& text) {
    QLineEdit* box = Box(host, id);
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void Click(QDialog& host, int id) {
    auto* button = qobject_cast<QAbstractButton*>(ById(host, id));
    QTest::mouseClick(button, Qt::LeftButton);
}

QByteArray MarginFile(const Seven& values) {
    QByteArray text = "[打印预览边距]\r\n";
    for (size_t i = 0; i < kKeys.size(); ++i) {
        text += kKeys[i].toUtf8() + '=' + values[i].toUtf8() + "\r\n";
    }
    return text;
}

}  // namespace

class MarginWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { SetScaleFactor(1.0); }

    void formAndControlsAtTheirScaledPlaces_data() {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("id");
        QTest::addColumn<QRect>("expected");
        QTest::addColumn<QString>("text");
        QTest::newRow("1.0 top caption") << 1.0 << 101 << QRect(15, 20, 48, 24) << "边距上";
        QTest::newRow("1.0 save") << 1.0 << 102 << QRect(164, 214, 96, 32) << "保存设置";
        QTest::newRow("1.0 top box") << 1.0 << 103 << QRect(64, 18, 64, 28) << "";
        QTest::newRow("1.0 right caption") << 1.0 << 108 << QRect(159, 73, 48, 24) << "边距右";
        QTest::newRow("1.0 gap caption")
            << 1.0 << 114 << QRect(63, 172, 96, 24) << "表格与表格间距";
        QTest::newRow("1.0 reset") << 1.0 << 116 << QRect(28, 214, 96, 32) << "重置默认";
        // int(1.25 * v + 0.5) for each measure: 170 * 1.25 = 212.5 rounds up to 213.
        QTest::newRow("1.25 gap box") << 1.25 << 115 << QRect(200, 213, 80, 35) << "";
        QTest::newRow("1.25 footer caption") << 1.25 << 112 << QRect(199, 151, 60, 30) << "页脚";
    }
    void formAndControlsAtTheirScaledPlaces() {
        QFETCH(double, scale);
        QFETCH(int, id);
        QFETCH(QRect, expected);
        QFETCH(QString, text);
        SetScaleFactor(scale);
        Desk desk;
        desk.MakeDriveD();
        desk.OpenWindow([&](QDialog& host) {
            QCOMPARE(host.windowTitle(), QStringLiteral("打印预览边距设置"));
            // Fixed message-box frame: no resizing, no maximise or minimise box.
            QCOMPARE(host.minimumSize(), host.maximumSize());
            QVERIFY(!(host.windowFlags() & Qt::WindowMaximizeButtonHint));
            QVERIFY(!(host.windowFlags() & Qt::WindowMinimizeButtonHint));
            QCOMPARE(ById(host, id)->geometry(), expected);
            if (auto* label = dynamic_cast<CVWnd_Label*>(ById(host, id))) {
                QCOMPARE(label->LabelText(), text);
            } else if (auto* button = qobject_cast<QAbstractButton*>(ById(host, id))) {
                QCOMPARE(button->text(), text);
            }
        });
    }

    // With no file the record's values are shown, whatever they are, and become the file.
    void openingWithoutAFileShowsAndWritesTheRecord() {
        Desk desk;
        desk.MakeDriveD();
        desk.margins.HeaderHeight = 75;
        desk.margins.RightMargin = -10;
        const Seven expected{"75", "60", "20", "20", "20", "40", "-10"};
        desk.OpenWindow([&](QDialog& host) { QCOMPARE(BoxTexts(host), expected); });
        QCOMPARE(desk.FileValues(), expected);
        QCOMPARE(desk.GridValues(), expected);
    }

    // The save reads each box by the text-to-number rule, without a range test.
    void saveStoresEachBoxByTheNumberRule() {
        Desk desk;
        desk.WriteFile(MarginFile(kInitial));
        desk.OpenWindow([&](QDialog& host) {
            Retype(host, 103, QStringLiteral("abc"));  // top
            Retype(host, 105, QStringLiteral("12abc"));
            Retype(host, 107, QStringLiteral("-5"));
            Retype(host, 111, QString());  // header: empty
            Click(host, 102);
            // Saving does not close the window or rewrite the boxes.
            QVERIFY(host.isVisible());
            QCOMPARE(Box(host, 103)->text(), QStringLiteral("abc"));
        });
        const Seven expected{"0", "60", "20", "0", "12", "-5", "40"};
        QCOMPARE(desk.RecordValues(), expected);
        QCOMPARE(desk.FileValues(), expected);
        QCOMPARE(desk.GridValues(), expected);
        QCOMPARE(desk.saves, 1);
    }

    void resetShowsAndSavesTheInitialMarginsAtOnce() {
        Desk desk;
        desk.WriteFile(MarginFile({"1", "2", "3", "4", "5", "6", "7"}));
        desk.OpenWindow([&](QDialog& host) {
            QCOMPARE(BoxTexts(host), (Seven{"1", "2", "3", "4", "5", "6", "7"}));
            Retype(host, 109, QStringLiteral("99"));
            Click(host, 116);
            QCOMPARE(BoxTexts(host), kInitial);
            QCOMPARE(desk.FileValues(), kInitial);
            QCOMPARE(desk.GridValues(), kInitial);
        });
        QCOMPARE(desk.RecordValues(), kInitial);
    }

    void closingKeepsNothingTypedSinceTheLastClick() {
        Desk desk;
        desk.WriteFile(MarginFile({"61", "62", "23", "24", "25", "46", "47"}));
        const QByteArray before = desk.FileBytes();
        desk.OpenWindow([&](QDialog& host) {
            Retype(host, 103, QStringLiteral("300"));
            Click(host, 102);  // saved: stays
            Retype(host, 105, QStringLiteral("400"));
        });
        const Seven saved{"61", "62", "23", "300", "25", "46", "47"};
        QCOMPARE(desk.FileValues(), saved);
        QCOMPARE(desk.GridValues(), saved);
        QCOMPARE(desk.RecordValues(), saved);
        QVERIFY(desk.FileBytes() != before);

        desk.OpenWindow([&](QDialog& host) { Retype(host, 107, QStringLiteral("1")); });
        QCOMPARE(desk.FileValues(), saved);
        QCOMPARE(desk.GridValues(), saved);
        QCOMPARE(desk.saves, 1);
    }

    // Each opening is a fresh window that reloads the file.
    void aFileEditedByHandShowsNextTime() {
        Desk desk;
        desk.WriteFile(MarginFile(kInitial));
        desk.OpenWindow([&](QDialog& host) { QCOMPARE(BoxTexts(host), kInitial); });
        desk.WriteFile(
            "; edited by hand\n[打印预览边距]\n页眉=80\n左边距= 25mm\n右边距=-10\n上边距=abc\n");
        const Seven edited{"80", "0", "0", "0", "0", "25", "-10"};
        desk.OpenWindow([&](QDialog& host) { QCOMPARE(BoxTexts(host), edited); });
        QCOMPARE(desk.GridValues(), edited);
        QCOMPARE(desk.loads, 2);
    }

    // Without drive D the record takes the edit, but the file is not made and the grid keeps
    // what it had (the operator is told); reopening shows the record.
    void withoutDriveDSavesOnlyTheRecord() {
        RecordedMessages messages;
        Desk desk;
        const Seven gridBefore = desk.GridValues();
        desk.OpenWindow([&](QDialog& host) {
            QCOMPARE(BoxTexts(host), kInitial);
            Retype(host, 111, QStringLiteral("90"));
            Click(host, 102);
        });
        QCOMPARE(desk.margins.HeaderHeight, 90);
        QVERIFY(!QFile::exists(desk.FilePath()));
        QCOMPARE(desk.GridValues(), gridBefore);
        QCOMPARE(messages.captions, QStringList{QStringLiteral("温馨提示")});
        desk.OpenWindow([&](QDialog& host) { QCOMPARE(Box(host, 111)->text(), "90"); });
    }
};

int main(int argc, char** argv) {
    CVolMFCApp app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    MarginWindowTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MarginWindowTest.moc"
