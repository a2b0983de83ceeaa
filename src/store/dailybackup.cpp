#include "store/dailybackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>

#include "platform/systemerror.h"
#include "store/resultsfile.h"

namespace {

constexpr qint64 CopyBlock = qint64(1) << 20;

QString copyName(QDate day)
{
    return QStringLiteral("成績累積データ_%1.dat").arg(day.toString(QStringLiteral("yyyyMMdd")));
}

QString describe(const QString &path, const QString &why)
{
    return QStringLiteral("%1\n%2").arg(QDir::toNativeSeparators(path), why);
}

// QSaveFile writes under a temporary name and renames only once the copy is
// whole, so a copy that failed halfway never stands in for a good one.
bool copyWhole(const QString &from, const QString &to, QString *error)
{
    SystemError::clear();
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *error = describe(from, SystemError::describeFailure(source, SystemError::last()));
        return false;
    }
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) {
        *error = describe(to, SystemError::describeFailure(target, SystemError::last()));
        return false;
    }
    for (qint64 left = source.size(); left > 0;) {
        const QByteArray block = source.read(std::min(left, CopyBlock));
        if (block.isEmpty()) {
            *error = describe(from, SystemError::describeFailure(source, SystemError::last()));
            return false;
        }
        const qint64 written = target.write(block);
        if (written != block.size()) {
            *error = describe(to, SystemError::describeWriteFailure(target, written, SystemError::last()));
            return false;
        }
        left -= block.size();
    }
    if (!target.commit()) {
        *error = describe(to, SystemError::describeFailure(target, SystemError::last()));
        return false;
    }
    return true;
}

// Only the program's own copies are ever removed, oldest first.
void dropOldCopies(const QString &folder)
{
    static const QRegularExpression ownCopy(QStringLiteral("^成績累積データ_\\d{8}\\.dat$"));
    QDir dir(folder);
    QStringList copies = dir.entryList(QDir::Files, QDir::Name).filter(ownCopy);
    while (copies.size() > DailyBackup::KeptCopies)
        dir.remove(copies.takeFirst());
}

} // namespace

namespace DailyBackup {

QString folderIn(const QString &dataFolder)
{
    return dataFolder + QString::fromUtf8(FolderName) + u'/';
}

QString copyPath(const QString &dataFolder, QDate day)
{
    return folderIn(dataFolder) + copyName(day);
}

bool makeIfDue(const QString &dataFolder, QDate day, QString *error)
{
    const QString target = copyPath(dataFolder, day);
    const QString results = ResultsFile::pathIn(dataFolder);
    // Anything but a regular file in the results file's place is the append's
    // own error to report.
    if (QFileInfo(target).isFile() || !QFileInfo(results).isFile())
        return true;
    const QString folder = folderIn(dataFolder);
    SystemError::clear();
    if (!QDir().mkpath(folder)) {
        *error = describe(folder, SystemError::describe(SystemError::last()));
        return false;
    }
    if (!copyWhole(results, target, error))
        return false;
    dropOldCopies(folder);
    return true;
}

} // namespace DailyBackup
