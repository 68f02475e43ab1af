#include "ui/rg_CaiChanLei.h"

const ClassDescriptor& rg_CaiChanLei::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_CaiChanLei", nullptr, {&rg_KeSheJiLei::StaticClass()});
    return d;
}

rg_CaiChanLei::~rg_CaiChanLei() {
    if (menu_ != nullptr) {
        menu_->Release();
    }
}

CRefVolMenu* rg_CaiChanLei::Menu() {
    if (menu_ == nullptr) {
        menu_ = new CRefVolMenu;
        LoadMenuDefinition(*menu_, DefinitionText());
    }
    return menu_;
}
