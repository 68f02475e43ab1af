// What prints when the print dialog's "selection" is chosen: the grid alone cannot know what its
// cells form, so whoever filled it (the application) says what a choice of cells prints.
#pragma once

class CGridCtrl;
struct CellRange;

class ISelectionSheet {
  public:
    virtual ~ISelectionSheet() = default;
    // Whether `chosen` cells of `grid` hold something of their own to print; the print dialog
    // offers its selection choice only then.
    virtual bool CanPrint(const CGridCtrl& grid, const CellRange& chosen) const = 0;
    // Lays what prints for `chosen` into `sheet`, a grid of its own: the cells, and the setup and
    // print settings of `grid` they print with.
    virtual void MakeSheet(const CGridCtrl& grid, const CellRange& chosen,
                           CGridCtrl& sheet) const = 0;
};
