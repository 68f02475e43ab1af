// Platform stand-in: the program's picture resources.
//
// Pictures are PNG files embedded with the Qt resource system and found by their resource
// number; pictures named by path come from the file system (drive-letter paths included) or
// from the embedded resources (":/...").
#pragma once

#include "base/Picture.h"

namespace vantric {

// Resource number of the caution picture of the overweight sheet.
constexpr int32_t kOverweightPictureId = 501;

// The embedded PNG bytes of a picture resource; empty for an unknown number.
QByteArray PictureResourceBytes(int32_t id);

class ResourcePictureSource : public IPictureSource {
  public:
    // Null for a number the program has no picture for.
    PictureRef LoadById(int32_t id) override;
    // Null when the file cannot be read or holds no image.
    PictureRef LoadByName(const QString& name) override;

  private:
    PictureRef overweight_;  // loaded once, shared by every cell that shows it
};

}  // namespace vantric
