#include "app/rg_my_main_window.h"

#include <QCursor>
#include <optional>

#include "app/MainWindowTexts.h"
#include "app/model/BuildOverweightSheet.h"
#include "app/model/CountRules.h"
#include "app/model/ReprintSheet.h"
#include "app/model/SettingsFile.h"
#include "app/model/SheetGridProperties.h"
#include "app/model/TicketCounts.h"
#include "app/rg_BianJuSheZhiChuangKou.h"
#include "app/rg_class_CaiChan.h"
#include "base/Text.h"
#include "grid/CVWnd_Grid.h"
#include "grid/GridPrintJob.h"
#include "grid/ShowPrintPreview.h"
#include "platform/ScreenDpi.h"
#include "ui/DesignScale.h"

namespace {

const QString kTicketColumns = QStringLiteral("0\n-1\n0\n125\nID\n0\n-1\n1\n130\n箱数");
const QString kSheetTypes = QStringLiteral("请选择表格类型\n0\n表格—1页—4个\n1\n表格—1页—6个\n2");
constexpr COLORREF kSummaryRed = 0x0000FF;
// What the print dialog's "selection" prints: the labels with a chosen cell. Holds no state.
const CartonSelectionSheet kLabelSelection;

// The grid a builder writes into: the sheet grid, or a detached one when the grid has no window,
// so that the counts are still read and checked while the grid itself stays untouched.
class BuildTarget {
  public:
    explicit BuildTarget(rg_BiaoGe& component) : grid_(component.Grid()) {
        if (grid_ == nullptr) {
            grid_ = &detached_.emplace();
        }
    }
    CGridCtrl& operator*() const { return *grid_; }

  private:
    std::optional<CGridCtrl> detached_;
    CGridCtrl* grid_;
};

}  // namespace

const ClassDescriptor& rg_my_main_window::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_my_main_window", [] { return new rg_my_main_window; }, {&CVolWinForm::StaticClass()});
    return d;
}

rg_my_main_window::rg_my_main_window() = default;

// The widgets go first, so that no handler runs while the controls are being destroyed.
rg_my_main_window::~rg_my_main_window() {
    DestroyWindow();
}

int rg_my_main_window::DesignClientWidth() const {
    return ScaleDesignMeasure(1031);
}

int rg_my_main_window::DesignClientHeight() const {
    return ScaleDesignMeasure(484);
}

void rg_my_main_window::ConnectEvents() {
    SheetGrid.SetSelectionSheet(&kLabelSelection);
    Connect(CommandEvent, [this](int32_t id) { return OnMenuCommand(id); });
    Connect(CreatedEvent, [this] { LoadPrintMargins(); });
    for (rg_button1* button : {&SingleSheetButton, &PrintButton, &PreviewButton, &AddTicketButton,
                               &DeleteTicketButton, &MultiSheetButton, &OverweightSheetButton}) {
        Connect(button->ClickedEvent, [this](CVolWinControl* sender) { OnButtonClicked(sender); });
    }
    Connect(TicketListView.ClickedEvent,
            [this](CVolWinControl* sender) { OnTicketSelection(sender); });
    Connect(TicketListView.RightClickedEvent,
            [this](CVolWinControl* sender) { OnTicketListContextMenu(sender); });
    for (rg_radio_box* radio : {&SingleModeRadio, &MultiModeRadio}) {
        Connect(radio->ClickedEvent,
                [this](CVolWinControl* sender) { OnModeRadioClicked(sender); });
    }
    Connect(PrintScalingCheck.ClickedEvent, [this] { OnPrintScalingClicked(); });
    // A count typed or scanned and ended with Enter builds its sheet as the button would; in
    // multi-ticket mode, where the button is off, Enter does nothing.
    Connect(CartonTotalEdit.EnterPressedEvent, [this] {
        if (SingleSheetButton.IsEnabled()) {
            OnButtonClicked(&SingleSheetButton);
        }
    });
}

void rg_my_main_window::CreateChildControls() {
    ConnectEvents();

    SingleSheetButton.SetText(QStringLiteral("设置单票数据"));
    CreateChild(SingleSheetButton, 101, 930, 62, 88, 32);

    CartonTotalEdit.SetAlignment(1);
    CartonTotalEdit.SetLimitText(counts::kCountTextLength);
    CartonTotalEdit.SetInputMode(3);
    CartonTotalEdit.SetText(QStringLiteral("0"));
    CreateChild(CartonTotalEdit, 102, 829, 62, 72, 32);
    CartonTotalEdit.SetSelection(0, counts::kCountTextLength);

    PrintButton.SetText(QStringLiteral("打印"));
    CreateChild(PrintButton, 103, 898, 446, 112, 32);

    CartonTotalCaption.SetText(QStringLiteral("输入箱标总数："));
    CreateChild(CartonTotalCaption, 104, 741, 68, 80, 24);

    PreviewButton.SetText(QStringLiteral("预览"));
    CreateChild(PreviewButton, 105, 741, 446, 112, 32);

    ListViewStyleProperties& list = TicketListView.Style();
    list.view = 3;
    list.headerDragDrop = true;
    list.fullRowSelect = true;
    list.gridLines = true;
    list.flatScrollBars = true;
    list.singleSelection = true;
    list.sort = 0;
    TicketListView.InsertColumnsFromDefinition(kTicketColumns);
    CreateChild(TicketListView, 106, 749, 158, 269, 104);

    SingleModeRadio.SetText(QStringLiteral("单票模式"));
    SingleModeRadio.SetChecked(true);
    CreateChild(SingleModeRadio, 107, 741, 22, 72, 24);

    MultiModeRadio.SetText(QStringLiteral("多票模式"));
    MultiModeRadio.SetChecked(false);
    CreateChild(MultiModeRadio, 108, 946, 22, 72, 24);

    AddTicketButton.SetText(QStringLiteral("添加"));
    CreateChild(AddTicketButton, 109, 745, 270, 64, 32);

    DeleteTicketButton.SetText(QStringLiteral("删除"));
    DeleteTicketButton.SetEnabled(false);
    CreateChild(DeleteTicketButton, 110, 823, 270, 64, 32);

    TicketSummaryLabel.SetText(mainwindow::kInitialSummary);
    TicketSummaryLabel.SetTextColour(kSummaryRed);
    CreateChild(TicketSummaryLabel, 111, 749, 126, 269, 24);

    MultiSheetButton.SetText(QStringLiteral("设置多票数据"));
    MultiSheetButton.SetEnabled(false);
    CreateChild(MultiSheetButton, 112, 922, 270, 88, 32);

    OverweightSheetButton.SetText(QStringLiteral("设置超重标数据"));
    CreateChild(OverweightSheetButton, 113, 741, 390, 112, 32);

    const SheetGridProperties sheetGrid =
        DeskSheetGridProperties(static_cast<int>(vantric::ScreenDpiY()));
    SheetGrid.SetStoredDefaults(sheetGrid.defaults);
    SheetGrid.SetGridFont(sheetGrid.font);
    CreateChild(SheetGrid, 114, 5, 6, 720, 472);

    PrintScalingCheck.SetText(QStringLiteral("打印缩放"));
    PrintScalingCheck.SetChecked(true);
    CreateChild(PrintScalingCheck, 115, 938, 390, 72, 32);

    SheetTypeCombo.SetComboItems(kSheetTypes);
    CreateChild(SheetTypeCombo, 117, 821, 22, 112, 24);
    SheetTypeCombo.SetCurrentIndex(0);
}

// --- handlers ---------------------------------------------------------------------------------

void rg_my_main_window::OnButtonClicked(CVolWinControl* sender) {
    if (sender == &DeleteTicketButton) {
        EditTicketList(1);
    }
    if (sender == &AddTicketButton) {
        EditTicketList(0);
    }
    if (sender == &OverweightSheetButton) {
        BuildOverweightSheet();
    }
    if (sender == &PreviewButton) {
        if (vantric::CVWnd_Grid* grid = SheetGrid.GridWindow()) {
            // The offset "打印" prints with, so the preview shows the pages that will print.
            SheetGrid.SetFirstPageOffset(vantric::kFirstPageOffset.x, vantric::kFirstPageOffset.y);
            vantric::ShowPrintPreview(*grid);
        }
    }
    if (sender == &PrintButton && SheetGrid.HasWindow()) {
        SheetGrid.SetFirstPageOffset(vantric::kFirstPageOffset.x, vantric::kFirstPageOffset.y);
        SheetGrid.UpdateWindow();
        SheetGrid.PrintSheet();
        SheetGrid.UpdateWindow();
    }
    if (sender == &SingleSheetButton) {
        BuildSingleTicketSheet();
    }
    if (sender == &MultiSheetButton) {
        if (TicketCounts().empty()) {
            ShowMessage(counts::kNoTickets, counts::kReminderTitle);
        } else {
            BuildMultiTicketSheet();
        }
    }
}

void rg_my_main_window::OnModeRadioClicked(CVolWinControl* sender) {
    if (sender == &MultiModeRadio) {
        SingleSheetButton.SetEnabled(false);
        MultiSheetButton.SetEnabled(true);
    } else if (sender == &SingleModeRadio) {
        SingleSheetButton.SetEnabled(true);
        MultiSheetButton.SetEnabled(false);
    }
}

void rg_my_main_window::OnPrintScalingClicked() {
    SheetGrid.SetFitColumnsToPage(PrintScalingCheck.CheckState() == 1);
}

// --- sheets -------------------------------------------------------------------------------------

void rg_my_main_window::BuildSingleTicketSheet() {
    const BuildTarget grid(SheetGrid);
    const SheetBuildResult result =
        ::BuildSingleTicketSheet(*grid, CartonTotalEdit.GetText(), SheetIntegers);
    if (result != SheetBuildResult::Built) {
        ShowMessage(SheetRefusalMessage(result), counts::kReminderTitle);
    }
}

void rg_my_main_window::BuildMultiTicketSheet() {
    const BuildTarget grid(SheetGrid);
    const SheetBuildResult result = ::BuildMultiTicketSheet(*grid, TicketCounts(), SheetIntegers);
    if (result != SheetBuildResult::Built) {
        ShowMessage(SheetRefusalMessage(result), counts::kReminderTitle);
    }
}

// --- ticket list --------------------------------------------------------------------------------

void rg_my_main_window::EditTicketList(int mode) {
    TicketCountArray& tickets = TicketCounts();
    switch (mode) {
        case 0: {
            QString text;
            if (AskInput(mainwindow::kAddTicketPrompt, mainwindow::kAddTicketTitle, QString(),
                         mainwindow::kAddTicketInputMode, text)) {
                const int32_t count = counts::ReadCartonTotal(text);
                if (!counts::IsValidCount(count)) {
                    ShowMessage(counts::kTicketCountRefused, counts::kReminderTitle);
                    return;
                }
                tickets.push_back(count);
                // The ID is the row count before the row, plus one: never renumbered, so after
                // a deletion a new row may repeat an ID still in the list.
                const int rows = TicketListView.RowCount();
                const int row = TicketListView.InsertRow(rows, vantric::IntToText(rows + 1));
                TicketListView.SetCellText(row, 1, vantric::IntToText(count));
                UpdateTicketSummary();
            }
            break;
        }
        case 1: {
            const int row = TicketListView.CurrentSelection();
            if (row != -1) {
                // The list mirrors the array row for row; a row the array does not have (which
                // only a failed insert could leave) removes nothing from it.
                if (!tickets.empty() && row >= 0 && static_cast<size_t>(row) < tickets.size()) {
                    tickets.erase(tickets.begin() + row);
                    SetDeleteEnabled(false);
                    UpdateTicketSummary();
                }
                TicketListView.DeleteRow(row);
            }
            break;
        }
        case 2:
            tickets.clear();
            tickets.shrink_to_fit();
            TicketListView.DeleteAllRows();
            SheetGrid.ClearSheet();
            SetDeleteEnabled(false);
            UpdateTicketSummary();
            break;
        default:
            return;
    }
    AddTicketButton.SetFocus();
}

void rg_my_main_window::UpdateTicketSummary() {
    TicketSummaryLabel.SetText(mainwindow::TicketSummaryText(TicketCounts()));
}

void rg_my_main_window::SetDeleteEnabled(bool on) {
    SetMenuItemEnabled(menucmd::kDelete, on);
    DeleteTicketButton.SetEnabled(on);
}

void rg_my_main_window::OnTicketSelection(CVolWinControl*) {
    SetDeleteEnabled(TicketListView.CurrentSelection() != -1);
}

void rg_my_main_window::OnTicketListContextMenu(CVolWinControl*) {
    const QPoint at = QCursor::pos();
    // A fresh menu each time, so its "删除" is enabled whatever the menu bar's says.
    auto* menu = new rg_class_CaiChan;
    TrackPopupMenu(*menu->Menu(), 0, at);
    menu->Release();
}

int rg_my_main_window::OnMenuCommand(int32_t commandId) {
    switch (commandId) {
        case menucmd::kAdd:
            EditTicketList(0);
            return 1;
        case menucmd::kDelete:
            EditTicketList(1);
            return 1;
        case menucmd::kDeleteAll:
            EditTicketList(2);
            return 1;
        case menucmd::kPrintMargins:
            // A fresh window each time; it saves its own values, nothing is read back.
            rg_BianJuSheZhiChuangKou::RunMarginSettingsWindow(
                PrintMargins, [this] { return LoadPrintMargins(); },
                [this](QString* failure) { return SavePrintMargins(failure); });
            return 1;
        case menucmd::kCheckUpdates:
            ShowMessage(mainwindow::kUpdateText, mainwindow::kHintTitle);
            return 1;
        case menucmd::kAbout:
            ShowMessage(mainwindow::AboutText(), mainwindow::kAboutTitle);
            return 1;
        default:
            return 0;
    }
}

// --- settings ---------------------------------------------------------------------------------

// Only while the grid has a window: margins that miss it are not kept for later.
void rg_my_main_window::ApplyPrintMargins() {
    if (CGridCtrl* grid = SheetGrid.Grid()) {
        vantric::settings::ApplyPrintMarginsToGrid(PrintMargins, *grid);
    }
}

bool rg_my_main_window::LoadPrintMargins() {
    return vantric::settings::LoadPrintMargins(
        PrintMargins, [this](const rg_class_DaYinYuLanBianJu&) { ApplyPrintMargins(); },
        SettingsPath);
}

bool rg_my_main_window::SavePrintMargins(QString* failure) {
    QString reason;
    const bool saved = vantric::settings::SavePrintMargins(
        PrintMargins, [this](const rg_class_DaYinYuLanBianJu&) { ApplyPrintMargins(); },
        SettingsPath, vantric::settings::kSettingsFolder, &reason);
    if (!saved && failure != nullptr) {
        *failure = vantric::settings::MarginsNotSavedMessage(SettingsPath, reason);
    }
    return saved;
}

bool rg_my_main_window::LoadOverweightSettings() {
    return vantric::settings::LoadOverweightSettings(OverweightLayout, SettingsPath);
}

bool rg_my_main_window::SaveOverweightSettings() {
    return vantric::settings::SaveOverweightSettings(OverweightLayout, SettingsPath);
}

void rg_my_main_window::BuildOverweightSheet() {
    const BuildTarget grid(SheetGrid);
    vantric::BuildOverweightSheet(*grid, OverweightLayout, SheetGrid.HasWindow(), SettingsPath);
}
