// Cell pictures: where a picture lands in its cell for each fit mode of a picture column, and
// the decoded images, kept so that a sheet of many copies of one picture decodes it once.
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>

#include "grid/GdiText.h"
#include "grid/model/GridTypes.h"

class QPainter;

namespace vantric {

namespace fit {
constexpr int32_t kTopLeft = 201, kStretch = 202, kTile = 203, kCentre = 204, kKeepAspect = 205;
}

// Part of the picture (source) drawn into part of the cell (target), both as x, y, width,
// height. Tiling fills the target with copies of the whole picture.
struct PicturePlacement {
    bool draw = false;
    bool tiled = false;
    QRect source;
    QRect target;
};

// Placement of a picture of `picture` pixels in the (already margin-inset) cell rectangle.
// Unknown modes are drawn as 201. An empty or inverted rectangle, or an empty picture, draws
// nothing.
PicturePlacement PlacePicture(int32_t mode, const GdiRect& cell, QSize picture);

// The decoded image of a cell picture; null when it cannot be decoded.
QImage DecodedPicture(const PictureRef& picture);

// Draws the picture into the cell rectangle with the given fit mode.
void DrawCellPicture(QPainter& dc, const QImage& image, int32_t mode, const GdiRect& cell);

}  // namespace vantric
