#pragma once

#include <QString>

#include <array>

#include "state/startup.h"

// The teacher's way into the data tools: a key file that only the teacher
// carries, and the location of that file in the common settings.
namespace TeacherAccess {

inline constexpr auto KeyFileName = "keypass.txt";
// Where a drive name of a settings file made on Windows ("A:") is looked
// for on this system: A: is the folder /mnt/A.
inline constexpr auto DriveFolders = "/mnt/";

// The key file of a location: the location followed by "\keypass.txt", "\"
// and "/" both separators, a leading drive name put under `driveFolders`.
QString keyFilePath(const QString &location, const QString &driveFolders = QString::fromUtf8(DriveFolders));

// Whether the key file opens; its content is never read.
bool keyFileOpens(const QString &location);

// The common settings as written back: ten lines, a plain decimal number as
// it stood and every other value in double quotes, cp932 with CR LF.
// Empty when a value cannot be written so that it reads back the same.
QByteArray commonDataText(const std::array<QString, Startup::SettingsValueCount> &values);

// Reads the common settings again, sets value 5 to `location` and replaces
// the file in one step, so other PCs reading it at start-up see the old or
// the new file, never half of one. False when it cannot be read or written.
bool storeKeyLocation(const QString &commonDataPath, const QString &location);

} // namespace TeacherAccess
