// Runtime base: class descriptors and the object root.
//
// Every runtime class has one static ClassDescriptor, made on first use. IsKindOf walks an
// object's own class and its ancestors; two descriptors name the same class when they are the
// same record or carry the same hash, length and name bytes (a class may be described twice
// across library boundaries).
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

class CVolObject;

struct ClassDescriptor {
    std::function<CVolObject*()> create;  // allocates and constructs an instance
    std::string name;                     // qualified class name, narrow
    uint32_t nameLength = 0;              // bytes of name
    uint32_t nameHash = 0;                // ClassNameHash(name)
    std::vector<const ClassDescriptor*> bases;  // nearest first

    bool SameClass(const ClassDescriptor& other) const;
    // True for this class and any of its ancestors.
    bool DerivesFrom(const ClassDescriptor& other) const;
};

// h = h * 5 + byte over the name (unsigned 32-bit), stored as (h | 1) & 0x7FFFFFFF.
uint32_t ClassNameHash(const std::string& name);

ClassDescriptor MakeClassDescriptor(std::string name, std::function<CVolObject*()> create,
                                    std::initializer_list<const ClassDescriptor*> bases);

// The root of all runtime objects.
class CVolObject {
public:
    virtual ~CVolObject() = default;
    static const ClassDescriptor& StaticClass();
    virtual const ClassDescriptor& GetClass() const { return StaticClass(); }
    bool IsKindOf(const ClassDescriptor& cls) const { return GetClass().DerivesFrom(cls); }
};

// Reference-counted runtime object: released, not deleted.
class CVolRefObject : public CVolObject {
public:
    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }
    void AddRef() { ++refs_; }
    void Release() {
        if (--refs_ == 0) {
            delete this;
        }
    }
    int RefCount() const { return refs_; }

protected:
    ~CVolRefObject() override = default;

private:
    int refs_ = 1;
};
