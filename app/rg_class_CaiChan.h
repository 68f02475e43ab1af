// The main menu: "操作" (add, delete, delete all, print-preview margins) and "帮助" (check for
// updates, about). The menu bar of the main window and, its first drop-down, the context menu of
// the ticket list.
#pragma once

#include <QString>
#include <cstdint>

#include "ui/rg_CaiChanLei.h"

// Command ids of the menu.
namespace menucmd {
constexpr int32_t kOperate = 20000;
constexpr int32_t kAdd = 20001;
constexpr int32_t kDelete = 20003;
constexpr int32_t kDeleteAll = 20005;
constexpr int32_t kHelp = 20006;
constexpr int32_t kAbout = 20007;
constexpr int32_t kCheckUpdates = 20008;
constexpr int32_t kPrintMargins = 20010;
}  // namespace menucmd

class rg_class_CaiChan : public rg_CaiChanLei {
  public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    QString DefinitionText() const override;

  protected:
    ~rg_class_CaiChan() override = default;
};
