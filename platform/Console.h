// The console of a program started from a shell: its arguments, its standard streams and whether
// windows can be shown at all.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

namespace vantric {

// The arguments as the system hands them over, before any application object exists (on Windows
// the wide command line, so that names outside the code page come through).
QStringList ProgramArguments(int argc, char* argv[]);

// Makes the standard streams carry bytes as they are (no CR added before LF on Windows), so that
// a dump or a message reads the same from a pipe on either system, and sends Qt's own warnings to
// standard error with the program's (on Windows Qt hands them to a debugger when the program has
// no console of its own, e.g. with standard error in a pipe).
void PrepareStandardStreams();

// Whether `stream` is a console or terminal someone watches, rather than a file, a pipe or the
// null device.
bool IsConsole(std::FILE* stream);

// Writes `text` and a line end (unless it ends in one): on a console as the console shows text
// (Unicode on Windows, whatever its code page), elsewhere as UTF-8.
void WriteLine(std::FILE* stream, const QString& text);

// Shows `text` in place of what the console's current line holds (a progress line), without
// ending the line.
void RewriteConsoleLine(std::FILE* stream, const QString& text);

// Whether the system can show windows here (an X11 or Wayland display on Linux; always on
// Windows).
bool HasDisplay();

}  // namespace vantric
