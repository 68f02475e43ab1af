#include <QClipboard>
#include <QTest>

#include "TestDoubles.h"
#include "ui/WindowFramework.h"

namespace {

const QString kAppCombo = QStringLiteral("请选择表格类型\n0\n表格—1页—4个\n1\n表格—1页—6个\n2");

// A form laid out like the program's main window, with a few of its controls.
class SampleForm : public CVolWinForm {
  public:
    rg_button1 Button;
    rg_edit_box Count;
    rg_label Summary;
    rg_combo_box Kind;
    rg_check_box Scaling;
    rg_radio_box Single;
    rg_radio_box Multi;
    rg_edit_box Byte;

    QList<int> createdIds;
    bool childrenExistedAtCreated = false;

    SampleForm() {
        Connect(ControlCreatedEvent,
                [this](CVolWinControl*, int32_t id) { createdIds.append(id); });
        Connect(CreatedEvent, [this] { childrenExistedAtCreated = Byte.HasWindow(); });
    }
    int DesignClientWidth() const override { return ScaleDesignMeasure(1031); }
    int DesignClientHeight() const override { return ScaleDesignMeasure(484); }

  protected:
    void CreateChildControls() override {
        Button.SetText(QStringLiteral("设置单票数据"));
        CreateChild(Button, 101, 930, 62, 88, 32);
        Count.SetText("0");
        Count.SetAlignment(1);
        Count.SetLimitText(3);
        Count.SetInputMode(3);
        Count.SetSelection(0, 3);
        CreateChild(Count, 102, 829, 62, 72, 32);
        Summary.SetText(QStringLiteral("多票箱标总数：0"));
        Summary.SetTextColour(0x0000FF);
        CreateChild(Summary, 111, 749, 126, 269, 24);
        Kind.SetComboItems(kAppCombo);
        Kind.SetCurrentIndex(0);
        CreateChild(Kind, 117, 821, 22, 112, 24);
        Scaling.SetChecked(true);
        CreateChild(Scaling, 115, 938, 390, 72, 32);
        Single.SetText(QStringLiteral("单票模式"));
        Single.SetChecked(true);
        CreateChild(Single, 107, 741, 22, 72, 24);
        Multi.SetText(QStringLiteral("多票模式"));
        CreateChild(Multi, 108, 946, 22, 72, 24);
        Byte.SetInputMode(5);
        CreateChild(Byte, 118, 10, 10, 60, 24);
    }
};

class ControlsTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void cleanup() { SetScaleFactor(1.0); }

    void scaledGeometry_data() {
        QTest::addColumn<double>("factor");
        QTest::addColumn<QRect>("button");
        QTest::addColumn<QRect>("edit");
        QTest::addColumn<QSize>("client");
        QTest::newRow("1.0") << 1.0 << QRect(930, 62, 88, 32) << QRect(829, 62, 72, 32)
                             << QSize(1031, 484);
        // 930 * 1.25 + 0.5 = 1163, 62 * 1.25 + 0.5 = 78, 88 * 1.25 = 110, 32 * 1.25 = 40
        QTest::newRow("1.25") << 1.25 << QRect(1163, 78, 110, 40) << QRect(1036, 78, 90, 40)
                              << QSize(1289, 605);
        // 829 * 1.5 + 0.5 = 1244, 62 * 1.5 = 93, 72 * 1.5 = 108, 32 * 1.5 = 48
        QTest::newRow("1.5") << 1.5 << QRect(1395, 93, 132, 48) << QRect(1244, 93, 108, 48)
                             << QSize(1547, 726);
    }
    void scaledGeometry() {
        QFETCH(double, factor);
        QFETCH(QRect, button);
        QFETCH(QRect, edit);
        QFETCH(QSize, client);
        SetScaleFactor(factor);
        SampleForm form;
        QCOMPARE(form.CreateForm(), 1);
        QCOMPARE(form.Button.Widget()->geometry(), button);
        QCOMPARE(form.Count.Widget()->geometry(), edit);
        QCOMPARE(form.ClientWidget()->size(), client);
        QCOMPARE(form.CreateForm(), 0);  // the window exists already
    }

    void creationOrderIdsAndCaption() {
        SampleForm form;
        QCOMPARE(form.GetText(), QString());
        form.CreateForm();
        QCOMPARE(form.createdIds, (QList<int>{101, 102, 111, 117, 115, 107, 108, 118}));
        QVERIFY(form.childrenExistedAtCreated);
        QCOMPARE(form.GetText(), QStringLiteral("Vantric"));  // empty caption with system menu
        QCOMPARE(form.FindChildWindow(111), form.Summary.Widget());
        QCOMPARE(form.Count.GetText(), "0");
        QCOMPARE(form.Count.SelectedText(), "0");
        QCOMPARE(form.Kind.CurrentIndex(), 0);
        QVERIFY(form.Scaling.IsChecked());
        QCOMPARE(form.Single.CheckState(), 1);
        QCOMPARE(form.Multi.CheckState(), 0);
    }

    void editFiltersTypedCharacters() {
        CountingBeeper beeper;
        SampleForm form;
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        QWidget* edit = form.Count.Widget();
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_1);  // replaces the selected "0"
        QTest::keyClick(edit, Qt::Key_A);
        QCOMPARE(form.Count.GetText(), "1");
        QCOMPARE(beeper.count, 1);
        QCOMPARE(beeper.last, vantric::BeepKind::Exclamation);
        QTest::keyClicks(edit, "-2");
        QCOMPARE(form.Count.GetText(), "1-2");
        QTest::keyClick(edit, Qt::Key_3);  // a fourth character is refused, with the plain beep
        QCOMPARE(form.Count.GetText(), "1-2");
        QCOMPARE(beeper.count, 2);
        QCOMPARE(beeper.last, vantric::BeepKind::Default);
        QTest::keyClick(edit, Qt::Key_Backspace);  // editing keys are not filtered
        QCOMPARE(form.Count.GetText(), "1-");

        // Pasted text passes the same filter.
        form.Count.SetText(QString());
        QGuiApplication::clipboard()->setText("ab");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(form.Count.GetText(), QString());
        QCOMPARE(beeper.count, 3);
    }

    void normalisesOnFocusLoss() {
        SampleForm form;
        QString seenByHandler;
        form.Connect(form.Byte.FocusLostEvent, [&](CVolWinControl* sender) {
            seenByHandler = static_cast<rg_edit_box*>(sender)->GetText();
        });
        form.CreateForm();
        QVERIFY(QTest::qWaitForWindowActive(form.Widget()));
        form.Byte.SetFocus();
        form.Byte.SetText("300");
        form.Count.SetFocus();  // the byte edit loses focus
        QCOMPARE(form.Byte.GetText(), "255");
        QCOMPARE(seenByHandler, "255");
        form.Byte.SetFocus();
        form.Byte.SetText("0");
        form.Count.SetFocus();
        QCOMPARE(form.Byte.GetText(), QString());  // "0" reads empty in modes 5 to 10
    }

    void labelPaintsRedSummaryText() {
        SampleForm form;
        form.CreateForm();
        const auto redPixels = [](QWidget* w) {
            const QImage image = w->grab().toImage();
            int red = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    red += c.red() > 180 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
                }
            }
            return red;
        };
        QVERIFY(redPixels(form.Summary.Widget()) > 10);
        form.Summary.SetTextColour(kDefaultColour);
        QCOMPARE(redPixels(form.Summary.Widget()), 0);
        form.Summary.SetText(QString());
        form.Summary.SetTextColour(0x0000FF);
        QCOMPARE(redPixels(form.Summary.Widget()), 0);  // nothing to draw
    }

    void labelAlignmentFlags() {
        const int m = Qt::TextShowMnemonic;
        QCOMPARE(LabelTextFlags(0, 0, false),
                 int(Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine) | m);
        QCOMPARE(LabelTextFlags(1, 1, false),
                 int(Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine) | m);
        QCOMPARE(LabelTextFlags(2, 2, false),
                 int(Qt::AlignRight | Qt::AlignBottom | Qt::TextSingleLine) | m);
        QCOMPARE(LabelTextFlags(2, 1, true), int(Qt::AlignRight | Qt::AlignTop | Qt::TextWordWrap) | m);
    }

    // What a label shows: the rows and columns its dark pixels cover.
    void labelPaintsPrefixesAndWrappedTextFromTheTop() {
        QWidget parent;
        const auto ink = [&](const QString& text, bool wrap) {
            rg_label label;
            label.SetText(text);
            label.SetWordWrap(wrap);
            label.SetVerticalAlignment(1);  // middle
            CreateParams params;
            params.parent = &parent;
            params.x = 0;
            params.y = 0;
            params.width = 160;
            params.height = 90;
            label.CreateControl(params);
            const QImage image = label.Widget()->grab().toImage();
            QRect box;
            int dark = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    if (qGray(image.pixel(x, y)) < 100) {
                        box |= QRect(x, y, 1, 1);
                        ++dark;
                    }
                }
            }
            return std::pair(box, dark);
        };
        const auto [plain, plainInk] = ink("ab", false);
        const auto [marked, markedInk] = ink("&ab", false);
        const auto [doubled, doubledInk] = ink("ab&&", false);
        QVERIFY(qAbs(marked.left() - plain.left()) <= 1);  // "&" itself is not drawn...
        QVERIFY(qAbs(marked.right() - plain.right()) <= 1);
        QVERIFY(markedInk > plainInk);            // ...it underlines the "a"
        QVERIFY(doubled.right() > plain.right() + 3);  // "&&" shows one "&"
        QVERIFY(plain.top() > 30);                     // a single line is centred
        const auto [wrapped, wrappedInk] = ink("ab", true);
        QVERIFY(wrapped.top() < 10);  // wrapped text stands at the top
        QCOMPARE(wrappedInk, plainInk);
    }

    void comboItemsAndQueuedSelection() {
        SampleForm form;
        int changes = 0;
        int indexSeen = -2;
        form.Connect(form.Kind.SelectionChangedEvent, [&] {
            ++changes;
            indexSeen = form.Kind.CurrentIndex();
        });
        form.CreateForm();
        QCOMPARE(form.Kind.ItemCount(), 3);
        QCOMPARE(form.Kind.ItemText(2), QStringLiteral("表格—1页—6个"));
        QCOMPARE(form.Kind.ItemData(1), 1);
        QCOMPARE(form.Kind.GetText(), QStringLiteral("请选择表格类型"));
        auto* combo = static_cast<QComboBox*>(form.Kind.Widget());
        combo->setCurrentIndex(2);
        Q_EMIT combo->activated(2);  // the operator's choice
        QCOMPARE(changes, 0);        // reported once the combo box has settled
        QTRY_COMPARE(changes, 1);
        QCOMPARE(indexSeen, 2);
        form.Kind.SetComboItems(QString());  // an empty text only clears the list
        QCOMPARE(form.Kind.ItemCount(), 0);
    }

    void clicksReachHandlersWithTheSender() {
        SampleForm form;
        QList<CVolWinControl*> senders;
        for (rg_AnNiuJiChuLei* b :
             std::initializer_list<rg_AnNiuJiChuLei*>{&form.Button, &form.Single, &form.Multi}) {
            form.Connect(b->ClickedEvent, [&](CVolWinControl* s) { senders.append(s); });
        }
        form.CreateForm();
        QTest::mouseClick(form.Button.Widget(), Qt::LeftButton);
        QTest::mouseClick(form.Multi.Widget(), Qt::LeftButton, {}, QPoint(8, 12));
        QCOMPARE(senders, (QList<CVolWinControl*>{&form.Button, &form.Multi}));
        QVERIFY(form.Multi.IsChecked());
        QVERIFY(!form.Single.IsChecked());  // radios of one form exclude each other
        form.Button.SetEnabled(false);
        QTest::mouseClick(form.Button.Widget(), Qt::LeftButton);
        QCOMPARE(senders.size(), 2);
    }

    void propertiesWaitForTheWidget() {
        rg_edit_box edit;
        edit.SetText("abc");
        edit.SetEnabled(false);
        QCOMPARE(edit.GetText(), "abc");
        QVERIFY(!edit.IsEnabled());
        QWidget parent;
        CreateParams params;
        params.parent = &parent;
        params.x = 1;
        params.y = 2;
        params.width = 30;
        params.height = 20;
        QCOMPARE(edit.CreateControl(params), 1);
        QCOMPARE(static_cast<QLineEdit*>(edit.Widget())->text(), "abc");
        QVERIFY(!edit.Widget()->isEnabled());
        static_cast<QLineEdit*>(edit.Widget())->setText("typed");
        QCOMPARE(edit.GetText(), "typed");  // the widget's text, once it exists
        edit.SetFontDescription("Arial, 12, 1");
        QCOMPARE(edit.Widget()->font().pixelSize(), 16);
        QVERIFY(edit.Widget()->font().bold());
    }

    void controlNoticesItsWidgetGoing() {
        auto* parent = new QWidget;
        rg_label label;
        CreateParams params;
        params.parent = parent;
        label.CreateControl(params);
        QVERIFY(label.HasWindow());
        delete parent;  // takes the label's widget with it
        QVERIFY(!label.HasWindow());
        label.SetText("still stored");
        QCOMPARE(label.GetText(), "still stored");
    }
};

}  // namespace

int RunControlsTest(int argc, char** argv) {
    ControlsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ControlsTest.moc"
