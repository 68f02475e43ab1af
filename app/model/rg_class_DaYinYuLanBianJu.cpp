#include "app/model/rg_class_DaYinYuLanBianJu.h"

namespace {

const rg_class_DaYinYuLanBianJu* SameClassOrNull(const CVolObject& other) {
    if (!other.GetClass().SameClass(rg_class_DaYinYuLanBianJu::StaticClass())) {
        return nullptr;
    }
    return dynamic_cast<const rg_class_DaYinYuLanBianJu*>(&other);
}

}  // namespace

const ClassDescriptor& rg_class_DaYinYuLanBianJu::StaticClass() {
    static const ClassDescriptor d = MakeClassDescriptor(
        "rg_class_DaYinYuLanBianJu", [] { return new rg_class_DaYinYuLanBianJu; },
        {&CVolObject::StaticClass()});
    return d;
}

std::unique_ptr<rg_class_DaYinYuLanBianJu> rg_class_DaYinYuLanBianJu::Create() {
    return std::make_unique<rg_class_DaYinYuLanBianJu>();
}

std::unique_ptr<rg_class_DaYinYuLanBianJu> rg_class_DaYinYuLanBianJu::Clone() const {
    return std::make_unique<rg_class_DaYinYuLanBianJu>(*this);
}

bool rg_class_DaYinYuLanBianJu::CopyFrom(const CVolObject& other) {
    const rg_class_DaYinYuLanBianJu* source = SameClassOrNull(other);
    if (source == nullptr) {
        return false;
    }
    *this = *source;
    return true;
}

bool rg_class_DaYinYuLanBianJu::Equals(const CVolObject& other) const {
    const rg_class_DaYinYuLanBianJu* o = SameClassOrNull(other);
    return o != nullptr && HeaderHeight == o->HeaderHeight && FooterHeight == o->FooterHeight &&
           HeaderTableGap == o->HeaderTableGap && TopMargin == o->TopMargin &&
           BottomMargin == o->BottomMargin && LeftMargin == o->LeftMargin &&
           RightMargin == o->RightMargin;
}

void rg_class_DaYinYuLanBianJu::Reset() {
    *this = rg_class_DaYinYuLanBianJu();
}
