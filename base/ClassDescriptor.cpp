#include "base/ClassDescriptor.h"

#include <cstring>

uint32_t ClassNameHash(const std::string& name) {
    uint32_t h = 0;
    for (unsigned char c : name) {
        h = h * 5u + c;
    }
    return (h | 1u) & 0x7FFFFFFFu;
}

ClassDescriptor MakeClassDescriptor(std::string name, std::function<CVolObject*()> create,
                                    std::initializer_list<const ClassDescriptor*> bases) {
    ClassDescriptor d;
    d.create = std::move(create);
    d.nameLength = static_cast<uint32_t>(name.size());
    d.nameHash = ClassNameHash(name);
    d.name = std::move(name);
    d.bases.assign(bases.begin(), bases.end());
    return d;
}

bool ClassDescriptor::SameClass(const ClassDescriptor& other) const {
    if (this == &other) {
        return true;
    }
    return nameHash == other.nameHash && nameLength == other.nameLength &&
           std::memcmp(name.data(), other.name.data(), nameLength) == 0;
}

bool ClassDescriptor::DerivesFrom(const ClassDescriptor& other) const {
    if (SameClass(other)) {
        return true;
    }
    for (const ClassDescriptor* base : bases) {
        if (base != nullptr && base->DerivesFrom(other)) {
            return true;
        }
    }
    return false;
}

const ClassDescriptor& CVolObject::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolObject", [] { return new CVolObject; }, {});
    return d;
}

const ClassDescriptor& CVolRefObject::StaticClass() {
    static const ClassDescriptor d =
        MakeClassDescriptor("CVolRefObject", nullptr, {&CVolObject::StaticClass()});
    return d;
}
