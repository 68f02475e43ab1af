#include "ui/rg_ChuangKouChengXuLei.h"

const ClassDescriptor& rg_ChuangKouChengXuLei::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("rg_ChuangKouChengXuLei", nullptr, {&rg_ChengXuLei::StaticClass()});
    return d;
}

int rg_ChuangKouChengXuLei::PreTranslateHook(QObject*, QEvent*) {
    return 1;
}

int rg_ChuangKouChengXuLei::IdleHook(int64_t) {
    return 0;
}
