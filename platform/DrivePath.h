// Drive-letter paths.
//
// Vantric names its settings by Windows paths on drive D ("D:/data/dypz.ini", "D://data"). On
// Windows every path is used as it stands. Where there are no drive letters, drive X: is the
// folder X under a drive root: $XDG_DATA_HOME/vantric/drives (~/.local/share/vantric/drives); the
// desk machine always has a drive D, so PrepareDriveRoot creates its folder there.
// $VANTRIC_DRIVES, on either system, names a drive root instead (the tests give each case drives
// of its own that way): nothing is created in it, and a missing folder is a missing drive.
#pragma once

#include <QString>

namespace vantric {

// The folder that holds one subfolder per drive letter; empty where the system's own drives are
// used.
QString DriveRoot();

// Local file-system path for a Windows-style path: "X:" becomes the drive's folder, both slashes
// and backslashes separate. As on Windows, names on a drive match whatever their case: when the
// exact path is not there, each name is looked up in its folder, the exact spelling first, else
// the first in sorted order that differs only in case ("D/Data/DYPZ.INI" for "D:/data/dypz.ini");
// names not there at all stay as given. Paths without a drive letter only have their
// backslashes turned.
QString MapDrivePath(const QString& windowsPath);

// A path as a message to the operator names it, in the system's own way. On Windows: its
// separators backslashes, each single ("D:\data\dypz.ini" for "D:/data/dypz.ini", "D:\data" for
// "D://data"). Elsewhere a drive-letter path is the file under the drive root it stands for
// (MapDrivePath, each separator single), and a local path is shown as it is.
QString PathForMessage(const QString& path);

// Called once at start: makes drive D exist under the default root. Does nothing when
// $VANTRIC_DRIVES is set or where the system's own drives are used. False when the folder could
// not be made.
bool PrepareDriveRoot();

}  // namespace vantric
