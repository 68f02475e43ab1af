#include "platform/DrivePath.h"

namespace vantric {

QString DriveRoot() {
    return qEnvironmentVariable("VANTRIC_DRIVES");
}

bool PrepareDriveRoot() {
    return true;  // the desk's drives are its own
}

}  // namespace vantric
