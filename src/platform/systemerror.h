#pragma once

#include <QFileDevice>

// The operating system's error code of the last failed file call, as an errno
// value on every platform, so that one classification serves all of them.
namespace SystemError {

void clear();
int last();

// The errno value for a Windows error code (GetLastError); 0 for codes that
// have no closer meaning than "failed".
int errnoFromWindowsError(unsigned long code);

// Flushes the file's data to the disk; false when the system refused.
bool syncToDisk(QFileDevice &file);

} // namespace SystemError
