#pragma once

#include <QString>

// A stand-in for the school's launcher "起動/Revevav": it starts カズドリ
// again, so leaving the name screen through the launcher button comes back
// to the name screen as it would in a classroom.
namespace DemoLauncher {

// Writes launcherFolder & "Revevav" (a shell script) unless it exists.
// Windows needs a real .exe there; nothing is written on Windows.
bool create(const QString &launcherFolder, QString *error);

} // namespace DemoLauncher
