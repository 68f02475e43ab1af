#include "batch/GridDump.h"

#include <QString>
#include <string>

#include "grid/model/CGridCtrl.h"

namespace {

// Collects output and hands it to the file in large pieces: a big sheet dumps hundreds of MB.
class JsonOut {
  public:
    explicit JsonOut(std::FILE* out) : out_(out) { buffer_.reserve(kChunk + 4096); }

    JsonOut& Raw(std::string_view text) {
        buffer_.append(text);
        MaybeFlush();
        return *this;
    }
    JsonOut& Number(int64_t value) { return Raw(std::to_string(value)); }
    JsonOut& String(const QString& text) {
        buffer_.push_back('"');
        const QByteArray utf8 = text.toUtf8();
        for (const char ch : utf8) {
            const auto c = static_cast<unsigned char>(ch);
            switch (c) {
                case '"':
                    buffer_.append("\\\"");
                    break;
                case '\\':
                    buffer_.append("\\\\");
                    break;
                case '\n':
                    buffer_.append("\\n");
                    break;
                case '\r':
                    buffer_.append("\\r");
                    break;
                case '\t':
                    buffer_.append("\\t");
                    break;
                default:
                    if (c < 0x20) {
                        static const char kHex[] = "0123456789abcdef";
                        buffer_.append("\\u00");
                        buffer_.push_back(kHex[c >> 4]);
                        buffer_.push_back(kHex[c & 0xF]);
                    } else {
                        buffer_.push_back(ch);
                    }
            }
        }
        buffer_.push_back('"');
        MaybeFlush();
        return *this;
    }
    JsonOut& Key(std::string_view name) {
        buffer_.push_back('"');
        buffer_.append(name);
        buffer_.append("\":");
        return *this;
    }

    bool Finish() {
        Flush();
        return ok_ && std::fflush(out_) == 0 && !std::ferror(out_);
    }

  private:
    static constexpr size_t kChunk = 1 << 16;
    void MaybeFlush() {
        if (buffer_.size() >= kChunk) {
            Flush();
        }
    }
    void Flush() {
        if (ok_ && !buffer_.empty()) {
            ok_ = std::fwrite(buffer_.data(), 1, buffer_.size(), out_) == buffer_.size();
        }
        buffer_.clear();
    }

    std::FILE* out_;
    std::string buffer_;
    bool ok_ = true;
};

}  // namespace

bool WriteGridJson(const CGridCtrl& grid, std::FILE* out) {
    JsonOut json(out);
    const int32_t rows = grid.RowCount();
    const int32_t columns = grid.ColumnCount();
    json.Raw("{").Key("rows").Number(rows);
    json.Raw(",").Key("columns").Number(columns);
    json.Raw(",").Key("fixedRows").Number(grid.FixedRowCount());
    json.Raw(",").Key("fixedColumns").Number(grid.FixedColumnCount());
    json.Raw(",").Key("gridLineMode").Number(grid.GridLineMode());
    json.Raw(",").Key("printLineWidth").Number(grid.Print().printLineWidth);
    json.Raw(",").Key("gridLineColour").Number(grid.GridLineColour());
    json.Raw(",").Key("printLayout").Raw("[");
    for (int which = 1; which <= 7; ++which) {
        json.Raw(which > 1 ? "," : "").Number(grid.PrintLayoutValue(which));
    }
    json.Raw("]");

    json.Raw(",").Key("rowHeights").Raw("[");
    for (int32_t r = 0; r < rows; ++r) {
        json.Raw(r ? "," : "").Number(grid.RowHeight(r));
    }
    json.Raw("],").Key("columnWidths").Raw("[");
    for (int32_t c = 0; c < columns; ++c) {
        json.Raw(c ? "," : "").Number(grid.ColumnWidth(c));
    }
    json.Raw("],").Key("columnKinds").Raw("[");
    bool first = true;
    for (const ColumnKindEntry& kind : grid.ColumnKinds()) {
        json.Raw(first ? "{" : ",{").Key("column").Number(kind.column);
        json.Raw(",").Key("kind").Number(kind.kind);
        json.Raw(",").Key("param").Number(kind.param).Raw("}");
        first = false;
    }
    json.Raw("],").Key("cells").Raw("[");
    for (int32_t r = 0; r < rows; ++r) {
        json.Raw(r ? ",[" : "[");
        for (int32_t c = 0; c < columns; ++c) {
            const CGridCell* cell = grid.GetCell(r, c);
            const LogFont& font = grid.Font(cell->fontId);
            json.Raw(c ? ",{" : "{").Key("text").String(cell->text);
            json.Raw(",").Key("face").String(font.faceName);
            json.Raw(",").Key("height").Number(font.height);
            json.Raw(",").Key("format").Number(cell->format);
            json.Raw(",").Key("picture").Number(cell->picture ? cell->picture->resourceId : 0);
            json.Raw("}");
        }
        json.Raw("]");
    }
    json.Raw("]}\n");
    return json.Finish();
}
