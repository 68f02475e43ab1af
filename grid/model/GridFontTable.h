// The fonts of a grid's cells, each distinct font stored once. Cells refer to their font by id,
// so half a million cells in three fonts cost three records, not half a million.
#pragma once

#include <cstdint>
#include <deque>
#include <unordered_map>

#include "grid/model/GridTypes.h"

class GridFontTable {
  public:
    // Face names longer than this are cut, as the font record holds no more.
    static constexpr qsizetype kMaxFaceLength = 31;

    explicit GridFontTable(const LogFont& gridFont = {});

    // Drops every font and starts again with the grid font as id 0.
    void Reset(const LogFont& gridFont);
    // The id of an equal font, adding it when new.
    uint32_t Intern(const LogFont& font);
    // An unknown id reads as the grid font (id 0).
    const LogFont& At(uint32_t id) const;
    const LogFont& GridFont() const { return fonts_.front(); }
    size_t Size() const { return fonts_.size(); }

  private:
    struct Hash {
        size_t operator()(const LogFont& f) const;
    };
    std::deque<LogFont> fonts_;  // a deque: references stay valid while fonts are added
    std::unordered_map<LogFont, uint32_t, Hash> ids_;
    uint32_t lastId_ = 0;  // most calls ask for the font they asked for last
};
