// The help viewer, behind a replaceable interface so that tests see which help file a form
// opened.
//
// The system viewer hands the file to the system's opener (the shell on Windows, xdg-open on
// Linux), which shows it in the program the desk has for its kind. A help context cannot be
// passed that way: the file opens at its start.
#pragma once

#include <QString>
#include <cstdint>

namespace vantric {

class IHelpViewer {
  public:
    virtual ~IHelpViewer() = default;
    // `path` is an existing local file; `context` 0 asks for the contents, else a topic number.
    virtual bool Open(const QString& path, int32_t context) = 0;
};

// Opens `path` through the current viewer.
bool OpenHelpFile(const QString& path, int32_t context);

// Replaces the process-wide viewer; null restores the system one. Returns the previous one
// (null when it was the system one). The caller keeps ownership.
IHelpViewer* SetHelpViewer(IHelpViewer* viewer);

// The system's own viewer.
IHelpViewer& SystemHelpViewer();

}  // namespace vantric
