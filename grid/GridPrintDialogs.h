// The windowed side of a print job: the printer dialog and the progress dialog with its cancel
// button.
#pragma once

#include <QPointer>
#include <QString>
#include <memory>

#include "grid/GridPrintJob.h"

class QProgressDialog;
class QWidget;

namespace vantric {

// The title of every box the print command shows.
inline const QString kPrintReminderTitle = QStringLiteral("温馨提示");
// What the operator is told when a printer dialog is asked for and no printer is installed.
inline const QString kNoPrinterText = QStringLiteral("未安装打印机，请先添加打印机后再打印");
// What "打印" says instead of printing a sheet without any text or picture.
inline const QString kNothingToPrintText = QStringLiteral("表格中还没有内容，请先设置数据后再打印");
// What "打印" says when the pages chosen are not all in the run; %1 is the run's page count.
inline const QString kPagesOutsideRunText =
    QStringLiteral("所选的页码超出了范围：这次打印共 %1 页。请重新选择要打印的页。");
// What the operator is told, and the preview shows instead of a page, when the print margins
// leave no room on the paper for the table.
inline const QString kNoRoomForTableText = QStringLiteral(
    "页边距太大，纸上没有放表格的地方。\n请在“操作 → "
    "打印预览边距”或预览窗口的“页边距”中把边距改小。");

// QPrintDialog without a print-to-file choice, its "selection" greyed unless offered; its page
// range runs from the printer's from page to its to page when those are set. Where no printer
// is installed it shows no dialog (an empty printer list would print nothing) but tells the
// operator so in a message box owned by the window of `parent`.
class DialogPrinterChooser : public IPrinterChooser {
  public:
    explicit DialogPrinterChooser(QWidget* parent = nullptr) : parent_(parent) {}
    bool Choose(QPrinter& printer) override;
    void OfferSelection(bool offered) override { selection_ = offered; }

  private:
    QPointer<QWidget> parent_;
    bool selection_ = false;
};

// Tells the operator, in a box owned by the window of `asker`, why the print command printed
// nothing when the sheet, its margins or the pages chosen were the cause; says nothing otherwise.
void TellWhyNothingPrinted(QWidget* asker, const PrintOutcome& outcome);

// Shown for jobs that take longer than half a second; its cancel button ends the job.
class PrintProgressDialog : public IPrintProgress {
  public:
    explicit PrintProgressDialog(QWidget* parent = nullptr);
    ~PrintProgressDialog() override;
    void Started(int32_t totalPages) override;
    bool PageDone(int32_t page) override;
    void Finished() override;

  private:
    QPointer<QWidget> parent_;
    std::unique_ptr<QProgressDialog> dialog_;
    int32_t total_ = 0;
};

}  // namespace vantric
