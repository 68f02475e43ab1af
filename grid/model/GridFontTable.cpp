#include "grid/model/GridFontTable.h"

#include <QHash>

namespace {
LogFont Normalised(const LogFont& font) {
    LogFont f = font;
    if (f.faceName.size() > GridFontTable::kMaxFaceLength) {
        f.faceName.truncate(GridFontTable::kMaxFaceLength);
    }
    return f;
}
}  // namespace

size_t GridFontTable::Hash::operator()(const LogFont& f) const {
    size_t seed = qHash(f.faceName);
    seed = qHashMulti(seed, f.height, f.width, f.escapement, f.orientation, f.weight, f.italic,
                      f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision,
                      f.quality, f.pitchAndFamily);
    return seed;
}

GridFontTable::GridFontTable(const LogFont& gridFont) {
    Reset(gridFont);
}

void GridFontTable::Reset(const LogFont& gridFont) {
    fonts_.clear();
    ids_.clear();
    fonts_.push_back(Normalised(gridFont));
    ids_.emplace(fonts_.front(), 0);
    lastId_ = 0;
}

uint32_t GridFontTable::Intern(const LogFont& font) {
    if (font.faceName.size() > kMaxFaceLength) {
        return Intern(Normalised(font));
    }
    if (fonts_[lastId_] == font) {
        return lastId_;
    }
    auto it = ids_.find(font);
    if (it == ids_.end()) {
        const auto id = static_cast<uint32_t>(fonts_.size());
        fonts_.push_back(font);
        it = ids_.emplace(font, id).first;
    }
    lastId_ = it->second;
    return lastId_;
}

const LogFont& GridFontTable::At(uint32_t id) const {
    return id < fonts_.size() ? fonts_[id] : fonts_.front();
}
