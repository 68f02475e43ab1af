// The print-margin record: the seven print layout values the application keeps and hands to the
// grid, in tenths of a millimetre.
#pragma once

#include <cstdint>
#include <memory>

#include "base/ClassDescriptor.h"

class rg_class_DaYinYuLanBianJu : public CVolObject {
  public:
    static constexpr int32_t kInitialHeaderHeight = 60;
    static constexpr int32_t kInitialFooterHeight = 60;
    static constexpr int32_t kInitialHeaderTableGap = 20;
    static constexpr int32_t kInitialTopMargin = 20;
    static constexpr int32_t kInitialBottomMargin = 20;
    static constexpr int32_t kInitialLeftMargin = 40;
    static constexpr int32_t kInitialRightMargin = 40;

    int32_t HeaderHeight = kInitialHeaderHeight;
    int32_t FooterHeight = kInitialFooterHeight;
    int32_t HeaderTableGap = kInitialHeaderTableGap;  // between page header and table
    int32_t TopMargin = kInitialTopMargin;
    int32_t BottomMargin = kInitialBottomMargin;
    int32_t LeftMargin = kInitialLeftMargin;
    int32_t RightMargin = kInitialRightMargin;

    static const ClassDescriptor& StaticClass();
    const ClassDescriptor& GetClass() const override { return StaticClass(); }

    static std::unique_ptr<rg_class_DaYinYuLanBianJu> Create();
    std::unique_ptr<rg_class_DaYinYuLanBianJu> Clone() const;
    // False, and nothing copied, when other is not a print-margin record.
    bool CopyFrom(const CVolObject& other);
    bool Equals(const CVolObject& other) const;
    void Reset();
};
