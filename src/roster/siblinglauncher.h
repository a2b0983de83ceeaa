#pragma once

#include <QString>

struct Platform;

// The school's launcher program in the folder "起動" beside the program's folder.
namespace SiblingLauncher {

inline constexpr auto Argument = "001";

// The program folder without its trailing separator & "/../起動/Revevav"
// (".exe" on Windows).
QString path(const QString &programFolder);

// Starts the launcher with "001". When it cannot start, tells the user which
// program is missing and returns false: the caller stays where it is.
bool start(Platform &platform, const QString &programFolder);

} // namespace SiblingLauncher
