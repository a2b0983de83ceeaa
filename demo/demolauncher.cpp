#include "demo/demolauncher.h"

#include <QFile>
#include <QFileInfo>

#include "demo/demoschool.h"

namespace DemoLauncher {

bool create(const QString &launcherFolder, QString *error)
{
#ifdef Q_OS_WIN
    Q_UNUSED(launcherFolder);
    Q_UNUSED(error);
    return true;
#else
    const QString path = launcherFolder + QStringLiteral("Revevav");
    if (QFileInfo::exists(path))
        return true;
    // The copy that started us ends right after; the pause lets it give up
    // its single-copy lock before the new copy checks for it.
    const QByteArray script = "#!/bin/sh\n"
                              "# Stand-in for the school's launcher: starts the drill program again.\n"
                              "sleep 1\n"
                              "cd \"$(dirname \"$0\")/../kazudori\" && exec ./kazudori\n";
    if (!DemoSchool::writeBinaryFile(path, script, error))
        return false;
    QFile file(path);
    if (file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther))
        return true;
    if (error)
        *error = path + QStringLiteral(": ") + file.errorString();
    return false;
#endif
}

} // namespace DemoLauncher
