// Window framework: the layer every Vantric window is built with.
//
// - Application: CVolMFCApp (the QApplication) creates the program object of the start-up
//   class (an rg_ChuangKouChengXuLei) and runs its start routine, which creates the main form.
//   ScaleFactor() is fixed at start-up from the screen's logical DPI.
// - Forms and controls: CVolWinForm holds controls as members and creates them in
//   CreateChildControls with CreateChild(control, id, x, y, w, h) in design units; each
//   control (rg_label, rg_edit_box, rg_button1, rg_check_box, rg_radio_box, rg_combo_box,
//   rg_ChaoJiLieBiaoKuang) owns one Qt widget. Events reach the form through EventBindings
//   bound with Connect; a form's handlers never overlap.
// - Definition texts: ColumnDefinition, ComboItemsDefinition and MenuDefinition are parsed by
//   widget-free functions; CRefVolMenu turns a menu definition into a menu bar with shortcuts.
// - Dialogs: CVolWinForm::ShowMessage and AskInput go through IMessageService and
//   IInputService (MessageService.h), the beep through vantric::IBeeper, so tests answer them.
//
// Including this header gives the whole framework.
#pragma once

#include "ui/CRefVolMenu.h"
#include "ui/CVDlg_Input.h"
#include "ui/CVWnd_ListView.h"
#include "ui/CVolMFCApp.h"
#include "ui/CVolUserApp.h"
#include "ui/CVolWinForm.h"
#include "ui/ColumnDefinition.h"
#include "ui/ComboItemsDefinition.h"
#include "ui/DesignScale.h"
#include "ui/FormHelp.h"
#include "ui/FormPositionLimits.h"
#include "ui/FontDescription.h"
#include "ui/InputMode.h"
#include "ui/MenuDefinition.h"
#include "ui/MessageService.h"
#include "ui/rg_CaiChanLei.h"
#include "ui/rg_ChaoJiLieBiaoKuang.h"
#include "ui/rg_ChuangKouChengXuLei.h"
#include "ui/rg_button1.h"
#include "ui/rg_check_box.h"
#include "ui/rg_combo_box.h"
#include "ui/rg_edit_box.h"
#include "ui/rg_label.h"
#include "ui/rg_radio_box.h"
