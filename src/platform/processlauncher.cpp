#include "platform/processlauncher.h"

#include <QFileInfo>
#include <QProcess>

bool SystemProcessLauncher::start(const QString &program, const QStringList &arguments, QString *error)
{
    const QFileInfo info(program);
    if (!info.exists() || !info.isExecutable()) {
        if (error)
            *error = QStringLiteral("実行できるファイルが見つかりません: %1").arg(program);
        return false;
    }
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(info.absolutePath());
    if (!process.startDetached()) {
        // Qt's text is English and says no more than this.
        if (error)
            *error = QStringLiteral("プログラムを起動できませんでした。");
        return false;
    }
    return true;
}
