#pragma once

#include <QFileDevice>
#include <QString>

// The operating system's error code of the last failed file call, as an errno
// value on every platform, so that one classification serves all of them.
namespace SystemError {

void clear();
int last();

// The errno value for a Windows error code (GetLastError); 0 for codes that
// have no closer meaning than "failed".
int errnoFromWindowsError(unsigned long code);

// A short Japanese description of an errno value for the messages a teacher
// reads; a value without one of its own keeps its number.
QString describe(int errnoValue);
// The same for a Windows error code that maps to no errno value.
QString describeWindowsError(unsigned long code);

// As describe(), but a missing folder on the way to `path` is named, since
// the teacher has to find which one it is.
QString describeFor(const QString &path, int errnoValue);

// The errno value behind a failed call on `file`: `captured` (read right
// after the call, cleared before it) when the system gave one; otherwise
// what the file on the disk and Qt's error kind say.
int causeOf(const QFileDevice &file, int captured);

// The cause of a write that returned `written` bytes, not all it was given.
// A write to a disk file falls short only when the disk (or the user's share
// of it) is full, and Qt then gives no errno, so a short write without one
// counts as a full disk. Asking the disk for its free space afterwards would not do:
// a share does not show the user's quota, and others free space meanwhile.
int writeCause(const QFileDevice &file, qint64 written, int captured);

// describeFor() of the file and the cause of its failed call.
QString describeFailure(const QFileDevice &file, int captured);
// The same for a write that returned `written` bytes, not all it was given.
QString describeWriteFailure(const QFileDevice &file, qint64 written, int captured);

// Flushes the file's data to the disk; false when the system refused.
bool syncToDisk(QFileDevice &file);

} // namespace SystemError
