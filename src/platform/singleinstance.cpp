#include "platform/singleinstance.h"

#include <QDir>
#include <QStandardPaths>

LockFileSingleInstance::LockFileSingleInstance(QString lockPath)
    : m_path(std::move(lockPath))
{
}

bool LockFileSingleInstance::acquire()
{
    if (m_lock && m_lock->isLocked())
        return true;
    m_lock = std::make_unique<QLockFile>(m_path);
    // A lock whose process is gone is stale at once; a live one never is.
    m_lock->setStaleLockTime(0);
    return m_lock->tryLock(0);
}

QString LockFileSingleInstance::defaultLockPath()
{
    // Per user: on a shared PC one pupil's copy must not block another's.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(QStringLiteral("kazudori.lock"));
}
