// Platform stand-in: the program's icon resources, embedded in the program itself, so that its
// windows carry the icon wherever the program runs from (the build folder too).
#pragma once

#include <QIcon>
#include <cstdint>

namespace vantric {

// Resource number of the program's icon, the one every form and dialog carries.
constexpr int32_t kProgramIconId = 100;

// The icon of that number in all the sizes the program has; a null icon for an unknown number.
QIcon IconResource(int32_t id);

}  // namespace vantric
