// Pictures as the program passes them around: encoded image bytes with where they came from, and
// the interface of whatever can find a picture by resource number or by name. The platform layer
// implements the finder; the grid's cells hold the pictures.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>

// Shared and immutable; the drawing code decodes it.
struct CellPicture {
    int32_t resourceId = 0;  // picture resource number, or 0 when loaded by name
    QString name;            // name it was loaded by, or empty
    QByteArray encoded;
};
using PictureRef = std::shared_ptr<const CellPicture>;

// Returns null when the picture cannot be loaded.
class IPictureSource {
  public:
    virtual ~IPictureSource() = default;
    virtual PictureRef LoadById(int32_t id) = 0;
    virtual PictureRef LoadByName(const QString& name) = 0;
};
