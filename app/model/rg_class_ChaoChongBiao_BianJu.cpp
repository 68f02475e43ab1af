#include "app/model/rg_class_ChaoChongBiao_BianJu.h"

namespace {

const rg_class_ChaoChongBiao_BianJu* SameClassOrNull(const CVolObject& other) {
    if (!other.GetClass().SameClass(rg_class_ChaoChongBiao_BianJu::StaticClass())) {
        return nullptr;
    }
    return dynamic_cast<const rg_class_ChaoChongBiao_BianJu*>(&other);
}

}  // namespace

const ClassDescriptor& rg_class_ChaoChongBiao_BianJu::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_class_ChaoChongBiao_BianJu", [] { return new rg_class_ChaoChongBiao_BianJu; },
        {&CVolObject::StaticClass()});
    return d;
}

std::unique_ptr<rg_class_ChaoChongBiao_BianJu> rg_class_ChaoChongBiao_BianJu::Create() {
    return std::make_unique<rg_class_ChaoChongBiao_BianJu>();
}

std::unique_ptr<rg_class_ChaoChongBiao_BianJu> rg_class_ChaoChongBiao_BianJu::Clone() const {
    return std::make_unique<rg_class_ChaoChongBiao_BianJu>(*this);
}

bool rg_class_ChaoChongBiao_BianJu::CopyFrom(const CVolObject& other) {
    const rg_class_ChaoChongBiao_BianJu* source = SameClassOrNull(other);
    if (source == nullptr) {
        return false;
    }
    *this = *source;
    return true;
}

bool rg_class_ChaoChongBiao_BianJu::Equals(const CVolObject& other) const {
    const rg_class_ChaoChongBiao_BianJu* o = SameClassOrNull(other);
    return o != nullptr && LabelWidth == o->LabelWidth && LabelHeight == o->LabelHeight &&
           ColumnGap == o->ColumnGap && RowGap == o->RowGap;
}

void rg_class_ChaoChongBiao_BianJu::Reset() {
    *this = rg_class_ChaoChongBiao_BianJu();
}
