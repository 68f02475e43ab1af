// The overweight-label record: label size and gaps of the overweight sheet, in grid pixels.
#pragma once

#include <cstdint>
#include <memory>

#include "base/ClassDescriptor.h"

class rg_class_ChaoChongBiao_BianJu : public CVolObject {
  public:
    int32_t LabelWidth = 0;   // width of grid columns 0 and 2
    int32_t LabelHeight = 0;  // height of grid rows 0, 2 and 4
    int32_t ColumnGap = 0;    // width of grid column 1
    int32_t RowGap = 0;       // height of grid rows 1 and 3

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    static std::unique_ptr<rg_class_ChaoChongBiao_BianJu> Create();
    std::unique_ptr<rg_class_ChaoChongBiao_BianJu> Clone() const;
    // False, and nothing copied, when other is not an overweight-label record.
    bool CopyFrom(const CVolObject& other);
    bool Equals(const CVolObject& other) const;
    void Reset();
};
