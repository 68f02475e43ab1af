// The texts that define a list view's content: its columns in report view, five line-feed-
// separated fields per column (image on right, image index, alignment, width, title), and its
// initial rows, seven fields per cell. Fields are not trimmed.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

struct ColumnDefinition {
    bool imageOnRight = false;
    int32_t imageIndex = -1;  // -1: no header image
    int32_t alignment = 0;    // 0 left, 1 centre, 2 right (other values were read as left)
    int32_t width = 0;        // pixels, as written: never scaled
    QString title;

    bool operator==(const ColumnDefinition&) const = default;
};

// One entry per complete group of five fields; a trailing incomplete group is ignored.
std::vector<ColumnDefinition> ParseColumnDefinition(QStringView text);

// One cell of the initial rows. Fields, in order:
//   1 further cell: nonzero makes the entry the next cell of the current row, else it starts a
//     new row (the first entry always does);
//   2 image index into the list's images; shown only when below the image count;
//   3 state image: with check boxes, 1 an empty box and 2 a ticked one (0 none);
//   4 text colour as a decimal COLORREF (255 is red); empty keeps the list's text colour;
//   5 item data: an integer kept with the row (a row's first cell gives it);
//   6 text;
//   7 info tip: shown when the mouse rests on the cell; empty shows the cell's whole text when
//     the column is too narrow for it.
struct ListRowCell {
    bool furtherCell = false;
    int32_t imageIndex = -1;
    int32_t stateImage = 0;
    std::optional<uint32_t> textColour;
    int32_t data = 0;
    QString text;
    QString infoTip;

    bool operator==(const ListRowCell&) const = default;
};

// One entry per complete group of seven fields; a trailing incomplete group is ignored.
std::vector<ListRowCell> ParseRowDefinition(QStringView text);
