// Vantric's windows and the program object.
//
// rg_startup_class is the program object: it holds the main window and its start routine
// creates it with the main menu (rg_class_CaiChan) as its menu bar. rg_my_main_window is the one
// window of the program: the single-ticket input, the ticket list of multi-ticket mode with its
// summary, the buttons that build, preview and print, and the grid component rg_BiaoGe that
// shows the sheet built last. The sheet builders, count rules, ticket list and settings live in
// app/model; the window reads its controls, calls them and reports refusals with the framework's
// message box. The print preview (grid/) and the margin settings window are modal and live only
// while they are shown.
#pragma once

#include <QString>
#include <cstdint>

#include "app/model/LabelSheetBuilders.h"
#include "app/model/rg_class_ChaoChongBiao_BianJu.h"
#include "app/model/rg_class_DaYinYuLanBianJu.h"
#include "app/rg_BiaoGe.h"
#include "ui/CVolWinForm.h"
#include "ui/rg_ChaoJiLieBiaoKuang.h"
#include "ui/rg_button1.h"
#include "ui/rg_check_box.h"
#include "ui/rg_combo_box.h"
#include "ui/rg_edit_box.h"
#include "ui/rg_label.h"
#include "ui/rg_radio_box.h"

class rg_my_main_window : public CVolWinForm {
  public:
    rg_my_main_window();
    ~rg_my_main_window() override;
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    rg_class_DaYinYuLanBianJu PrintMargins;
    rg_class_ChaoChongBiao_BianJu OverweightLayout;

    rg_button1 SingleSheetButton;
    rg_edit_box CartonTotalEdit;
    rg_button1 PrintButton;
    rg_label CartonTotalCaption;
    rg_button1 PreviewButton;
    rg_ChaoJiLieBiaoKuang TicketListView;
    rg_radio_box SingleModeRadio;
    rg_radio_box MultiModeRadio;
    rg_button1 AddTicketButton;
    rg_button1 DeleteTicketButton;
    rg_label TicketSummaryLabel;
    rg_button1 MultiSheetButton;
    rg_button1 OverweightSheetButton;
    rg_BiaoGe SheetGrid;
    rg_check_box PrintScalingCheck;
    rg_combo_box SheetTypeCombo;

    // CartonTotal, FullPageCount, FillerCount and the three font heights: what the last build
    // used, kept between builds.
    SheetWorkingIntegers SheetIntegers;

    QString SettingsPath = QStringLiteral("D:/data/dypz.ini");

    int DesignClientWidth() const override;
    int DesignClientHeight() const override;

    // --- handlers -------------------------------------------------------------------------
    int OnMenuCommand(int32_t commandId);  // non-zero for a command of the menu
    void OnButtonClicked(CVolWinControl* sender);
    void OnModeRadioClicked(CVolWinControl* sender);
    void OnPrintScalingClicked();
    void OnTicketSelection(CVolWinControl* sender);
    void OnTicketListContextMenu(CVolWinControl* sender);

    // --- sheets -----------------------------------------------------------------------------
    void BuildSingleTicketSheet();
    void BuildMultiTicketSheet();
    void BuildOverweightSheet();

    // --- ticket list ------------------------------------------------------------------------
    // 0 adds a ticket, 1 deletes the selected one, 2 deletes all of them and clears the grid.
    void EditTicketList(int mode);
    void UpdateTicketSummary();
    // The delete button and menu bar item 20003 together.
    void SetDeleteEnabled(bool on);

    // --- settings -----------------------------------------------------------------------------
    // Copies the print-margin record into the grid's print layout (only while it has a window).
    void ApplyPrintMargins();
    bool LoadPrintMargins();
    // On false, *failure (when given) is what the operator is told: the file and the reason.
    bool SavePrintMargins(QString* failure = nullptr);
    bool LoadOverweightSettings();
    bool SaveOverweightSettings();

  protected:
    void CreateChildControls() override;
    void ConnectEvents();
};
