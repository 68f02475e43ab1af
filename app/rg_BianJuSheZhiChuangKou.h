// The margin settings window: a small modal form in which the operator edits the seven print
// margins of the main window's print-margin record.
//
// The form keeps no copy of the values. It works on the record it is given and on the main
// window's load and save operations, handed in as callables: opening reloads the record from
// the settings file, "保存设置" stores the boxes in the record and saves it (the save applies the
// margins to the grid when the file was written) and tells the operator when the file could not
// be written, "重置默认" does the same with the initial values, silently. Neither button closes
// the form; closing it drops whatever was typed since the last click.
#pragma once

#include <QString>
#include <array>
#include <functional>

#include "app/model/rg_class_DaYinYuLanBianJu.h"
#include "ui/CVolWinForm.h"
#include "ui/rg_button1.h"
#include "ui/rg_edit_box.h"
#include "ui/rg_label.h"

class QWidget;

class rg_BianJuSheZhiChuangKou : public CVolWinForm {
  public:
    // The main window's LoadPrintMargins; the result is not looked at.
    using SettingsOperation = std::function<bool()>;
    // The main window's SavePrintMargins: on false, *failure names the file and the reason.
    using SaveOperation = std::function<bool(QString* failure)>;

    rg_BianJuSheZhiChuangKou(rg_class_DaYinYuLanBianJu& margins, SettingsOperation loadPrintMargins,
                             SaveOperation savePrintMargins);
    ~rg_BianJuSheZhiChuangKou() override;

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    // What menu command 20010 does: a fresh window, run modally with the fixed message-box frame
    // over `owner` (the active window when null), destroyed when the operator closes it. Returns
    // the modal result (-1 for the close box or Escape).
    static int64_t RunMarginSettingsWindow(rg_class_DaYinYuLanBianJu& margins,
                                           SettingsOperation loadPrintMargins,
                                           SaveOperation savePrintMargins,
                                           QWidget* owner = nullptr);

    // The controls in creation order, ids 101 to 116.
    rg_label TopMarginCaption;
    rg_button1 SaveButton;
    rg_edit_box TopMarginEdit;
    rg_label BottomMarginCaption;
    rg_edit_box BottomMarginEdit;
    rg_label LeftMarginCaption;
    rg_edit_box LeftMarginEdit;
    rg_label RightMarginCaption;
    rg_edit_box RightMarginEdit;
    rg_label HeaderHeightCaption;
    rg_edit_box HeaderHeightEdit;
    rg_label FooterHeightCaption;
    rg_edit_box FooterHeightEdit;
    rg_label HeaderTableGapCaption;
    rg_edit_box HeaderTableGapEdit;
    rg_button1 ResetButton;

    int DesignClientWidth() const override;
    int DesignClientHeight() const override;

    // Reloads the record and shows it in the boxes.
    void FillMarginBoxes();
    // The initial margins into the boxes, then saved at once.
    void ResetMarginBoxes();
    // The boxes into the record (TextToInt, no range test), then SavePrintMargins; false, with
    // what to tell the operator in *failure, when the file was not written.
    bool SaveMarginBoxes(QString* failure = nullptr);

  protected:
    void CreateChildControls() override;

  private:
    void OnButtonClicked(CVolWinControl* sender);
    // Boxes 111, 113, 115, 103, 105, 107, 109: the order of the record's fields.
    std::array<rg_edit_box*, 7> BoxesInFieldOrder();

    rg_class_DaYinYuLanBianJu& margins_;
    SettingsOperation loadPrintMargins_;
    SaveOperation savePrintMargins_;
};
