// The print command's "selection": offered when the application says the chosen cells can be
// printed alone, and then the sheet it makes of them printed in place of the grid.
#include <gtest/gtest.h>

#include <QPrinter>

#include "grid/GridPrintJob.h"
#include "tests/grid/gui/PrinterTest.h"
#include "tests/support/PrintedPdf.h"

using namespace vantric;

namespace {

// A sheet of two rows that names where it came from in each cell.
void FillSheet(CGridCtrl& grid, const QString& what) {
    grid.SetRowTotal(2);
    grid.SetColumnTotal(2);
    for (int32_t r = 0; r < 2; ++r) {
        for (int32_t c = 0; c < 2; ++c) {
            grid.SetRowPixelHeight(r, 40);
            grid.SetColumnPixelWidth(c, 200);
            grid.PutCellValue(r, c, 1, u'S', QStringLiteral("%1%2x%3").arg(what).arg(r).arg(c));
        }
    }
}

// Prints cells of the first row alone; makes of them a sheet that says which cells they were.
class FirstRowAlone : public ISelectionSheet {
  public:
    bool CanPrint(const CGridCtrl&, const CellRange& chosen) const override {
        return chosen.top == 0;
    }
    void MakeSheet(const CGridCtrl& grid, const CellRange& chosen,
                   CGridCtrl& sheet) const override {
        FillSheet(sheet, QStringLiteral("chosen%1to%2at").arg(chosen.left).arg(chosen.right));
        sheet.Print() = grid.Print();
    }
};

// The operator's answer in the dialog: a PDF file, perhaps the selection, and copies.
class Answer : public IPrinterChooser {
  public:
    Answer(QString pdf, bool selection, int copies)
        : pdf_(std::move(pdf)), selection_(selection), copies_(copies) {}
    void OfferSelection(bool on) override { offered = on; }
    bool Choose(QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf_);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPrintRange(selection_ ? QPrinter::Selection : QPrinter::AllPages);
        printer.setCopyCount(copies_);
        return true;
    }
    bool offered = false;

  private:
    QString pdf_;
    bool selection_;
    int copies_;
};

class SelectionPrintTest : public fixtures::PrinterTest {};

TEST_F(SelectionPrintTest, ChosenCellsPrintAloneOnlyWhereOffered) {
    REQUIRE_POPPLER();
    const FirstRowAlone firstRow;
    const struct {
        const char* name;
        const ISelectionSheet* selection;
        std::optional<CellRange> chosen;  // the focus cell when one cell, else a selection
        bool pickSelection;
        int copies;
        bool offered;
        QString printed;  // the text of each printed page
    } cases[] = {
        {"selection_chosen", &firstRow, CellRange{0, 0, 0, 1}, true, 1, true, "chosen0to1at0x0"},
        {"focus_cell_counts", &firstRow, CellRange{0, 1, 0, 1}, true, 1, true, "chosen1to1at0x0"},
        {"copies_of_the_selection", &firstRow, CellRange{0, 0, 0, 0}, true, 2, true, "chosen0to0"},
        {"offered_but_all_pages", &firstRow, CellRange{0, 0, 0, 0}, false, 1, true, "whole0x0"},
        {"cells_it_cannot_print", &firstRow, CellRange{1, 0, 1, 0}, true, 1, false, "whole0x0"},
        {"nothing_chosen", &firstRow, std::nullopt, true, 1, false, "whole0x0"},
        {"no_selection_sheet", nullptr, CellRange{0, 0, 0, 0}, true, 1, false, "whole0x0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CGridCtrl grid;
        FillSheet(grid, QStringLiteral("whole"));
        if (c.chosen && c.chosen->left == c.chosen->right) {
            grid.SetFocusCell(c.chosen->top, c.chosen->left);
        } else if (c.chosen) {
            grid.SetSelection(c.chosen->top, c.chosen->left, c.chosen->bottom, c.chosen->right);
        }
        const QString pdf = Path("selection.pdf");
        Answer dialog(pdf, c.pickSelection, c.copies);
        PrintOutcome outcome;
        ASSERT_NE(PrintSheet(grid, QStringLiteral("labels"), &dialog, nullptr, 96, 96, &outcome,
                             c.selection),
                  0)
            << outcome.error.toStdString();
        EXPECT_EQ(dialog.offered, c.offered);
        const QStringList pages = testsupport::PdfPageTexts(pdf);
        ASSERT_EQ(pages.size(), c.copies);
        for (const QString& page : pages) {
            EXPECT_TRUE(page.contains(c.printed)) << page.toStdString();
        }
        QFile::remove(pdf);
    }
}

}  // namespace
