// A form's help file, opened with F1.
#pragma once

#include <QString>
#include <cstdint>

// The local path of a help file name: a name with a drive letter ("D:\help\x.chm") or a leading
// slash or backslash stands as it is (drive letters mapped to their folders); any other name is
// taken relative to the program's folder.
QString ResolveHelpFile(const QString& name);

// Opens the named help file at `context` (0: its contents) when the file exists; false, and
// nothing opened, otherwise.
bool OpenFormHelp(const QString& name, int32_t context);
