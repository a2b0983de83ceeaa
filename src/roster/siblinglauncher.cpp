#include "roster/siblinglauncher.h"

#include <QDir>

#include "platform/dialogs.h"
#include "platform/platform.h"
#include "platform/processlauncher.h"

namespace SiblingLauncher {

QString path(const QString &programFolder)
{
    QString folder = programFolder;
    while (folder.endsWith(u'/') || folder.endsWith(u'\\'))
        folder.chop(1);
#ifdef Q_OS_WIN
    return folder + QStringLiteral("/../起動/Revevav.exe");
#else
    return folder + QStringLiteral("/../起動/Revevav");
#endif
}

bool start(Platform &platform, const QString &programFolder)
{
    const QString program = path(programFolder);
    QString error;
    if (platform.launcher.start(program, {QString::fromUtf8(Argument)}, &error))
        return true;
    platform.dialogs.tell(QStringLiteral("注意"),
                          QStringLiteral("起動プログラムを開けませんでした。\n%1\n%2")
                              .arg(QDir::toNativeSeparators(QDir::cleanPath(program)), error),
                          DialogIcon::Warning);
    return false;
}

} // namespace SiblingLauncher
