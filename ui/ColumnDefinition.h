// The text that defines the columns of a list view in report view: five line-feed-separated
// fields per column (image on right, image index, alignment, width, title), not trimmed.
#pragma once

#include <QString>
#include <cstdint>
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
