// Opening the main window the way the start routine does, and reading the sheet grid.
#pragma once

#include <QStringList>
#include <memory>

#include "app/model/TicketCounts.h"
#include "app/rg_class_CaiChan.h"
#include "app/rg_my_main_window.h"
#include "grid/GridPrintJob.h"
#include "grid/model/CGridCtrl.h"

// A main window created with the main menu as its menu bar; the ticket list starts empty.
inline std::unique_ptr<rg_my_main_window> OpenMainWindow() {
    TicketCounts().clear();
    auto window = std::make_unique<rg_my_main_window>();
    auto* menu = new rg_class_CaiChan;
    CreateParams params;
    params.menu = menu->Menu();
    window->CreateControl(params);
    menu->Release();
    return window;
}

// Texts of the number cells of page `page` in slot order (top left, top right, bottom left,
// bottom right).
inline QStringList PageNumbers(const CGridCtrl& grid, int page) {
    QStringList numbers;
    for (const auto& [row, column] : {std::pair{1, 0}, {1, 2}, {5, 0}, {5, 2}}) {
        const CGridCell* cell = grid.GetCell(page * 7 + row, column);
        numbers << (cell != nullptr ? cell->text : QStringLiteral("<none>"));
    }
    return numbers;
}

// True when no cell of the grid holds text or a picture.
inline bool SheetIsEmpty(const CGridCtrl& grid) {
    return !vantric::SheetHasContent(grid);
}
