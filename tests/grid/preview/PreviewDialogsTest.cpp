// The preview window, its page view and its two dialogs, offscreen.
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "grid/CGridPrinter.h"
#include "grid/CPreviewDialog.h"
#include "grid/CPreviewGotoDialog.h"
#include "grid/CPreviewParentDialog.h"
#include "grid/CSetMarginDialog.h"
#include "grid/GridPrintJob.h"
#include "grid/PageRenderer.h"
#include "grid/PreviewWidgets.h"
#include "tests/support/DeskSheet.h"

using namespace vantric;
using Window = CPreviewParentDialog;

namespace {

// Four labels to a page: 4 cartons fill one page, 12 fill three.
std::unique_ptr<CGridCtrl> Sheet(int cartons) {
    auto grid = std::make_unique<CGridCtrl>();
    fixtures::BuildDeskSheet(*grid, {cartons});
    return grid;
}

// A shown preview on A4, whatever printers the machine has.
std::unique_ptr<Window> OpenPreview(CGridCtrl& grid, std::function<int()> print = {}) {
    auto window = std::make_unique<Window>(grid, std::move(print), preview::A4Sheet());
    window->show();
    QCoreApplication::processEvents();
    return window;
}

QString Indicator(const Window& w) {
    return w.PageIndicator()->text();
}

void Type(ClampedNumberEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

class FakeChooser : public IPrinterChooser {
  public:
    explicit FakeChooser(bool accept) : accept_(accept) {}
    bool Choose(QPrinter& printer) override {
        ++calls;
        // A refusing operator has changed the paper before cancelling.
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageLayout(QPageLayout(QPageSize(accept_ ? QPageSize::A5 : QPageSize::A3),
                                          QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                          QPageLayout::Millimeter));
        return accept_;
    }
    int calls = 0;

  private:
    bool accept_;
};

}  // namespace

class PreviewDialogsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void init() { ForgetRememberedPrinter(); }

    void onePageSheetOpensWithPagingDisabled() {
        auto grid = Sheet(4);
        auto window = OpenPreview(*grid);
        QCOMPARE(window->windowTitle(), QStringLiteral("打印预览"));
        QVERIFY(window->windowState() & Qt::WindowMaximized);
        QCOMPARE(Indicator(*window), QStringLiteral("1 / 1"));
        QVERIFY(!window->Button(Window::kPrevious)->isEnabled());
        QVERIFY(!window->Button(Window::kNext)->isEnabled());
        QVERIFY(window->Button(Window::kPrint)->isVisible());
        QCOMPARE(grid->LastPageCount(), 1);
        // The page view starts below the button row.
        const int buttonBottom = window->Button(Window::kClose)->geometry().bottom();
        QVERIFY(window->PageView()->geometry().top() > buttonBottom);
        const QStringList texts{"打印", "页边距", "打印设置", "上页", "下页", "指定页",
                                "放大", "缩小",   "等宽",     "等高", "关闭"};
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(window->Button(Window::kPrint + i)->text(), texts[i]);
        }
    }

    void pagingWalksAndJumpsAreClamped() {
        auto grid = Sheet(12);
        auto window = OpenPreview(*grid);
        QCOMPARE(Indicator(*window), QStringLiteral("1 / 3"));
        QVERIFY(window->Button(Window::kNext)->isEnabled());

        QTest::mouseClick(window->Button(Window::kNext), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("2 / 3"));
        QCOMPARE(window->PageView()->Page(), 2);
        QTest::mouseClick(window->Button(Window::kNext), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("3 / 3"));
        QVERIFY(!window->Button(Window::kNext)->isEnabled());

        std::optional<int32_t> answer;
        int asked = 0;
        int32_t askedTotal = 0;
        window->SetGotoPrompt([&](int32_t total, int32_t) -> std::optional<int32_t> {
            ++asked;
            askedTotal = total;
            return answer;
        });
        answer = 0;
        QTest::mouseClick(window->Button(Window::kGoto), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("1 / 3"));
        QVERIFY(!window->Button(Window::kPrevious)->isEnabled());
        QVERIFY(window->Button(Window::kNext)->isEnabled());
        answer = 99;
        QTest::mouseClick(window->Button(Window::kGoto), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("3 / 3"));
        answer = std::nullopt;  // cancelled: nothing moves
        QTest::mouseClick(window->Button(Window::kGoto), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("3 / 3"));
        QCOMPARE(asked, 3);
        QCOMPARE(askedTotal, 3);
    }

    void gotoDialogClampsWhatIsTyped() {
        CPreviewGotoDialog dialog(12, 5);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("跳转到指定页面"));
        ClampedNumberEdit* edit = dialog.PageEdit();
        QCOMPARE(edit->value(), 5);
        QCOMPARE(edit->minimum(), 1);
        QCOMPARE(edit->maximum(), 12);
        Type(edit, QStringLiteral("40"));
        QCOMPARE(edit->text(), QStringLiteral("12"));
        Type(edit, QStringLiteral("0"));
        QCOMPARE(edit->text(), QStringLiteral("1"));
        Type(edit, QStringLiteral("x7"));  // not a number: refused key by key
        QCOMPARE(edit->text(), QStringLiteral("7"));
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Page(), 7);

        // OK on the page already shown is a cancel.
        CPreviewGotoDialog same(12, 5);
        same.accept();
        QCOMPARE(same.result(), int(QDialog::Rejected));
    }

    void zoomButtonsStepAndFitsMeasureTheView() {
        auto grid = Sheet(4);
        auto window = OpenPreview(*grid);
        CPreviewDialog* view = window->PageView();
        view->resize(800, 600);
        QCoreApplication::processEvents();
        QVERIFY(!view->ZoomSetByButton());
        const preview::PreviewScale scale = view->Scale();
        const QSize client = scale.TrueSizeOf(view->viewport()->size());
        // Until a zoom is chosen, the sheet keeps fitting the height.
        QCOMPARE(view->Zoom(), std::max(300, client.height() * 1000 / (2970 + 100)));

        QTest::mouseClick(window->Button(Window::kFitWidth), Qt::LeftButton);
        QCOMPARE(view->Zoom(), std::max(300, client.width() * 1000 / (2100 + 100)));
        QVERIFY(view->ZoomSetByButton());
        for (int i = 0; i < 12; ++i) {
            QTest::mouseClick(window->Button(Window::kZoomIn), Qt::LeftButton);
        }
        QCOMPARE(view->Zoom(), 3000);
        // Scroll bars span the sheet plus the slack, a page being the view.
        const QScrollBar* bar = view->verticalScrollBar();
        const int page = view->Scale().ToTenthsY(view->viewport()->height());
        QCOMPARE(bar->pageStep(), page);
        QCOMPARE(bar->maximum(), 2970 + 100 - page + 1);
        QCOMPARE(bar->value(), 0);
        // A resize keeps a chosen zoom.
        view->resize(700, 500);
        QCoreApplication::processEvents();
        QCOMPARE(view->Zoom(), 3000);
        for (int i = 0; i < 12; ++i) {
            QTest::mouseClick(window->Button(Window::kZoomOut), Qt::LeftButton);
        }
        QCOMPARE(view->Zoom(), 300);
    }

    void wheelStepsAreAccumulatedIntoLines() {
        auto grid = Sheet(4);
        auto window = OpenPreview(*grid);
        CPreviewDialog* view = window->PageView();
        QTest::mouseClick(window->Button(Window::kZoomIn), Qt::LeftButton);
        QTest::mouseClick(window->Button(Window::kZoomIn), Qt::LeftButton);
        QScrollBar* bar = view->verticalScrollBar();
        QVERIFY(bar->maximum() > 100);
        auto wheel = [&](int dy) {
            const QPointF at(10, 10);
            QWheelEvent event(at, view->mapToGlobal(at), QPoint(), QPoint(0, dy), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(view->viewport(), &event);
        };
        wheel(-120);  // backward: one line down
        QCOMPARE(bar->value(), 15);
        wheel(-60);
        QCOMPARE(bar->value(), 15);
        wheel(-60);
        QCOMPARE(bar->value(), 30);
        wheel(-240);
        QCOMPARE(bar->value(), 60);
        // Forward: a line up, then the sheet's top edge is in view and there is no page before.
        wheel(+240);
        QCOMPARE(bar->value(), 45);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(bar->value(), std::min(bar->pageStep(), bar->maximum()));
    }

    void marginDialogClampsRestoresAndWritesOnOkOnly() {
        auto grid = Sheet(4);
        for (int which = 1; which <= 7; ++which) {
            grid->SetPrintLayoutValue(which, 100 + which);
        }
        {
            CSetMarginDialog dialog(*grid);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("页边距设置(单位: 0.1毫米)"));
            // Top is the grid's third value, left its first.
            QCOMPARE(dialog.Edit(29550)->value(), 103);
            QCOMPARE(dialog.Edit(29554)->value(), 101);
            QCOMPARE(dialog.Edit(29562)->value(), 107);
            Type(dialog.Edit(29550), QStringLiteral("1200"));
            QCOMPARE(dialog.Edit(29550)->text(), QStringLiteral("999"));
            Type(dialog.Edit(29551), QStringLiteral("-5"));
            QCOMPARE(dialog.Edit(29551)->text(), QStringLiteral("0"));
            Type(dialog.Edit(29558), QStringLiteral("75"));
            QTest::mouseClick(dialog.Button(CSetMarginDialog::kCancel), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        for (int which = 1; which <= 7; ++which) {
            QCOMPARE(grid->PrintLayoutValue(which), 100 + which);
        }
        {
            CSetMarginDialog dialog(*grid);
            Type(dialog.Edit(29550), QStringLiteral("1200"));
            Type(dialog.Edit(29558), QStringLiteral("75"));
            QTest::mouseClick(dialog.Button(CSetMarginDialog::kOk), Qt::LeftButton);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QCOMPARE(grid->PrintLayoutValue(3), 999);  // top
        QCOMPARE(grid->PrintLayoutValue(5), 75);   // header
        QCOMPARE(grid->PrintLayoutValue(1), 101);  // left, untouched
        {
            CSetMarginDialog dialog(*grid);
            QTest::mouseClick(dialog.Button(CSetMarginDialog::kRestoreDefaults), Qt::LeftButton);
            QCOMPARE(dialog.Edit(29550)->text(), QStringLiteral("20"));
            QCOMPARE(dialog.Edit(29556)->text(), QStringLiteral("40"));
            QCOMPARE(dialog.Edit(29560)->text(), QStringLiteral("60"));
            // Restoring alone writes nothing.
            QCOMPARE(grid->PrintLayoutValue(3), 999);
            // The arrows wrap.
            dialog.Edit(29550)->setValue(999);
            dialog.Edit(29550)->stepUp();
            QCOMPARE(dialog.Edit(29550)->value(), 0);
            dialog.Edit(29550)->setValue(20);
            dialog.accept();
        }
        const std::array<int32_t, 7> defaults{40, 40, 20, 20, 60, 60, 20};
        QCOMPARE(grid->Print().layout, defaults);
    }

    void marginsChangedInThePreviewRedrawItsPages() {
        auto grid = Sheet(12);
        auto window = OpenPreview(*grid);
        window->SetMarginPrompt([](CGridCtrl& g) {
            g.SetPrintLayoutValue(3, 0);  // a page still holds a whole sheet page
            return true;
        });
        QTest::mouseClick(window->Button(Window::kNext), Qt::LeftButton);
        QTest::mouseClick(window->Button(Window::kNext), Qt::LeftButton);
        QTest::mouseClick(window->Button(Window::kMargins), Qt::LeftButton);
        QCOMPARE(Indicator(*window), QStringLiteral("3 / 3"));
        QVERIFY(window->Button(Window::kPrevious)->isEnabled());
        // A header that leaves room for the upper labels only: no pages, the page kept inside
        // what exists.
        window->SetMarginPrompt([](CGridCtrl& g) {
            g.SetPrintLayoutValue(5, 300);
            return true;
        });
        QTest::mouseClick(window->Button(Window::kMargins), Qt::LeftButton);
        QCOMPARE(window->PagingState().total, 0);
        QCOMPARE(Indicator(*window), QString());
        QVERIFY(!window->Button(Window::kNext)->isEnabled());
        QVERIFY(!window->Button(Window::kGoto)->isEnabled());
        // The sheet is not left blank: it carries the words that say why.
        CPreviewDialog* view = window->PageView();
        const QSize client = view->viewport()->size();
        QImage shown(client, QImage::Format_RGB32);
        {
            QPainter dc(&shown);
            view->PaintView(dc, client, view->Scale());
        }
        const QRect sheet = preview::PlaceSheet(view->Paper(), view->Scale(),
                                                view->Scale().ToTenthsX(client.width()), QPoint())
                                .paper.adjusted(2, 2, -2, -2);
        int ink = 0;
        for (int y = sheet.top(); y <= sheet.bottom(); ++y) {
            for (int x = sheet.left(); x <= sheet.right(); ++x) {
                ink += qGray(shown.pixel(x, y)) < 128 ? 1 : 0;
            }
        }
        QVERIFY2(ink > 100, qPrintable(QStringLiteral("%1 dark pixels").arg(ink)));
    }

    // Values beyond the dialog's range open clamped, not turned around by the wrapping arrows,
    // and OK writes what the dialog shows.
    void marginDialogOpensOutOfRangeValuesClamped() {
        auto grid = Sheet(4);
        grid->SetPrintLayoutValue(5, -15);   // header
        grid->SetPrintLayoutValue(6, 1500);  // footer
        CSetMarginDialog dialog(*grid);
        QCOMPARE(dialog.Edit(29558)->text(), QStringLiteral("0"));
        QCOMPARE(dialog.Edit(29560)->text(), QStringLiteral("999"));
        QTest::mouseClick(dialog.Button(CSetMarginDialog::kOk), Qt::LeftButton);
        QCOMPARE(grid->PrintLayoutValue(5), 0);
        QCOMPARE(grid->PrintLayoutValue(6), 999);
    }

    void printButtonFollowsTheGridProperty() {
        auto grid = Sheet(4);
        int printed = 0;
        auto window = OpenPreview(*grid, [&] { return ++printed; });
        QTest::mouseClick(window->Button(Window::kPrint), Qt::LeftButton);
        QCOMPARE(printed, 1);
        QVERIFY(window->PageView()->Paper() == preview::A4Paper());

        // A print whose dialog chose other paper: the preview shows that sheet from then on.
        auto chosePaper = OpenPreview(*grid, [] {
            FakeChooser accept(true);
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            accept.Choose(*printer);
            RememberPrinter(std::move(printer));
            return 0;
        });
        QTest::mouseClick(chosePaper->Button(Window::kPrint), Qt::LeftButton);
        QVERIFY(chosePaper->PageView()->Paper() ==
                PaperGeometryOf(MeasuresOf(*RememberedPrinter())));
        QVERIFY(std::abs(chosePaper->PageView()->Paper().paperWidth - 1480) <= 3);
        grid->Print().previewPrintButton = false;
        auto hidden = OpenPreview(*grid);
        QVERIFY(hidden->Button(Window::kPrint)->isHidden());
    }

    void printSetupRemembersThePrinterAndTakesItsPaper() {
        auto grid = Sheet(12);
        auto window = OpenPreview(*grid);
        const PaperGeometry before = window->PageView()->Paper();
        FakeChooser refuse(false);
        window->SetPrinterChooser(&refuse);
        QTest::mouseClick(window->Button(Window::kPrintSetup), Qt::LeftButton);
        QCOMPARE(refuse.calls, 1);
        QVERIFY(RememberedPrinter() == nullptr);
        QVERIFY(window->PageView()->Paper() == before);

        FakeChooser accept(true);
        window->SetPrinterChooser(&accept);
        QTest::mouseClick(window->Button(Window::kPrintSetup), Qt::LeftButton);
        QVERIFY(RememberedPrinter() != nullptr);
        const PaperGeometry a5 = window->PageView()->Paper();
        QVERIFY(a5 == PaperGeometryOf(MeasuresOf(*RememberedPrinter())));
        QVERIFY(std::abs(a5.paperWidth - 1480) <= 3);
        QVERIFY(std::abs(a5.paperHeight - 2100) <= 3);
        // Fitted to the new sheet's height.
        const QSize client =
            window->PageView()->Scale().TrueSizeOf(window->PageView()->viewport()->size());
        QCOMPARE(window->PageView()->Zoom(),
                 std::max(300, client.height() * 1000 / (a5.paperHeight + 100)));

        // A cancelled dialog changes neither the remembered printer nor the sheet.
        const QPrinter* chosen = RememberedPrinter();
        window->SetPrinterChooser(&refuse);
        QTest::mouseClick(window->Button(Window::kPrintSetup), Qt::LeftButton);
        QCOMPARE(refuse.calls, 2);
        QCOMPARE(RememberedPrinter(), chosen);
        QCOMPARE(chosen->pageLayout().pageSize().id(), QPageSize::A5);
        QVERIFY(window->PageView()->Paper() == a5);
    }

    // The page the preview shows is the page that prints, page 1 with its first-page offset: on
    // a 254-dpi printer and screen at true size one tenth of a millimetre is one pixel on both,
    // so the printable area must match pixel for pixel.
    void previewPageMatchesThePrintedPage() {
        auto grid = Sheet(8);
        grid->Print().firstPageOffset = {20, 20};
        grid->SetPixelSize(254.0 / 254);  // the grid painted on the same 254-dpi screen
        auto window =
            std::make_unique<Window>(*grid, std::function<int()>{},
                                     preview::PreviewSheet{A4Measures(254), preview::A4Paper()});

        const preview::PreviewScale scale{254, 254, 1000};
        const QSize client(2200, 3100);  // the sheet at 50, 50
        QImage shown(client, QImage::Format_RGB32);
        {
            QPainter dc(&shown);
            window->PageView()->PaintView(dc, client, scale);
        }
        QImage printed(2100, 2970, QImage::Format_RGB32);
        printed.fill(Qt::white);
        {
            QPainter dc(&printed);
            CGridPrinter pages(*grid);
            PrintJobInfo info;
            pages.BeginPrintLayout(dc, PrinterSurface(254, 254, 2100, 2970), info);
            QCOMPARE(info.maxPage, 2);
            info.currentPage = 1;
            pages.PrintOnePage(dc, info);
            pages.EndPrintLayout(dc, info);
        }
        // The sheet's outline is the preview's own; inside it every pixel must agree.
        const QRect inside(1, 1, 2100 - 2, 2970 - 2);
        const QImage a = shown.copy(inside.translated(50, 50));
        const QImage b = printed.copy(inside);
        QCOMPARE(a, b);
        // And the page is not blank: the grid lines of its labels are there.
        int dark = 0;
        for (int x = 0; x < b.width(); ++x) {
            dark += qGray(b.pixel(x, 500)) < 100 ? 1 : 0;
        }
        QVERIFY(dark >= 4);
        // The shadow lies right of and below the sheet.
        QCOMPARE(shown.pixel(50 + 2100 + 10, 50 + 1000), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(50 + 1000, 50 + 2970 + 10), qRgb(0, 0, 0));
        QVERIFY(shown.pixel(50 + 2100 + 10, 50 + 5) != qRgb(0, 0, 0));
    }

    void rendererKeepsItsLayoutWhilePagingAndZooming() {
        auto grid = Sheet(40);  // ten pages
        PageRenderer renderer(*grid);
        const PageSurface surface = PrinterSurface(preview::A4Sheet().device);
        QImage image(900, 1200, QImage::Format_RGB32);
        QPainter dc(&image);
        QCOMPARE(renderer.Render(dc, surface, QRect(0, 0, 794, 1123), 1), 10);
        for (int page = 2; page <= 10; ++page) {
            renderer.Render(dc, surface, QRect(0, 0, 794, 1123), page);
        }
        // A zoom only scales the drawing.
        renderer.Render(dc, surface, QRect(0, 0, 397, 561), 1);
        QCOMPARE(renderer.LayoutsMade(), 1);
        // A header that leaves room for two of a page's four labels: laid out again, no pages.
        grid->SetPrintLayoutValue(5, 300);
        QCOMPARE(renderer.Render(dc, surface, QRect(0, 0, 794, 1123), 1), 0);
        QCOMPARE(renderer.LayoutsMade(), 2);
        QCOMPARE(renderer.Labels(), (LabelRoom{2, 4}));
        QCOMPARE(grid->LastPageCount(), 0);
    }
};

QTEST_MAIN(PreviewDialogsTest)
#include "PreviewDialogsTest.moc"
