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
// The same for label stock, saying how many labels fit whole (%1) of those a printed page must
// hold (%2).
inline const QString kNoRoomForLabelsText = QStringLiteral(
    "页边距太大，纸上没有放表格的地方：一页至少要完整地印出 %2 张标签，这样的边距下只能印出 %1 "
    "张。\n请在“操作 → 打印预览边距”或预览窗口的“页边距”中把边距改小。");
// The no-room text for a layout that had room for `labelsFit` of the `labelsNeeded` labels a
// page must hold whole (0 needed: a grid without labels).
QString NoRoomForTableText(int32_t labelsFit, int32_t labelsNeeded);

// What the operator is told when a print does not reach paper. The system's own words (%1 where
// it gives any) stand as it gives them.
// The print service refused the job; %1 its words, %2 what the queue says of itself (may be
// empty).
inline const QString kPrintRefusedText =
    QStringLiteral("打印服务拒绝了这次打印，标签没有打印出来：\n%1%2");
// How the queue's own words follow the refusal; %1 the printer, %2 its words.
inline const QString kQueueSaysText = QStringLiteral("\n打印机“%1”的说明：%2");
// The printer cannot take a job now, so nothing was sent; %1 the printer, %2 its state.
inline const QString kPrinterNotReadyText =
    QStringLiteral("打印机“%1”%2，现在不能打印，标签没有打印出来。\n请检查打印机后再打印。");
// The printer's states in the way the printer list shows them.
inline const QString kPrinterPausedWord = QStringLiteral("已暂停");
inline const QString kPrinterOfflineWord = QStringLiteral("脱机");
inline const QString kPrinterInErrorWord = QStringLiteral("出错");
// The printer could not start the document; %1 the system's words.
inline const QString kDocumentNotStartedText =
    QStringLiteral("打印机无法开始打印，标签没有打印出来：\n%1");
// The printer took a page or the document's end badly; %1 the system's words.
inline const QString kDocumentNotEndedText =
    QStringLiteral("打印机无法完成这次打印，标签可能没有全部打印出来：\n%1");
// The job ended without being printed; %1 the printer, %2 the job's number, %3 the service's
// word for how it ended, %4 what the printer says.
inline const QString kJobFailedText =
    QStringLiteral("打印机“%1”上的打印任务 %2 没有打印完成（%3）：\n%4\n请检查打印机后重新打印。");
// The job waits in a stopped or paused queue; %1 the printer, %2 the job's number, %3 what the
// printer says.
inline const QString kJobWaitingText = QStringLiteral(
    "打印任务 %2 正在打印机“%1”的队列中等待：打印机已停止或暂停（%3）。\n"
    "打印机恢复后才会打印这些标签。");

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

// What the operator is told of a print command's outcome before its job is followed: why nothing
// (or not everything) was printed; empty when the job went to the printer or the dialog was
// cancelled.
QString PrintOutcomeText(const PrintOutcome& outcome);
// What the operator is told of a followed job: empty when it printed or is still printing.
QString JobReportText(const PrintJobId& job, const JobReport& report);

// Tells the operator, in a box owned by the window of `asker`, why the print command did not
// print (PrintOutcomeText); says nothing when there is nothing to say.
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
