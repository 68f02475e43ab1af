// Platform stand-in: drive-letter paths.
//
// Vantric names its settings by Windows paths on drive D ("D:/data/dypz.ini", "D://data").
// Where there are no drive letters, drive X: is the folder X under a drive root: $VANTRIC_DRIVES
// when that is set, else $XDG_DATA_HOME/vantric/drives (~/.local/share/vantric/drives). The desk
// machine always has a drive D, so with the default root PrepareDriveRoot creates its folder;
// with $VANTRIC_DRIVES nothing is created and a missing folder is a missing drive. On Windows
// every path is used as it stands.
#pragma once

#include <QString>

namespace vantric {

// The folder that holds one subfolder per drive letter (empty on Windows).
QString DriveRoot();

// Local file-system path for a Windows-style path: "X:" becomes the drive's folder, both slashes
// and backslashes separate. As on Windows, names on a drive match whatever their case: when the
// exact path is not there, each name is looked up in its folder, the exact spelling first, else
// the first in sorted order that differs only in case ("D/Data/DYPZ.INI" for "D:/data/dypz.ini");
// names not there at all stay as given. Paths without a drive letter only have their
// backslashes turned.
QString MapDrivePath(const QString& windowsPath);

// Called once at start: makes drive D exist under the default root. Does nothing when
// $VANTRIC_DRIVES is set or on Windows. False when the folder could not be made.
bool PrepareDriveRoot();

}  // namespace vantric
