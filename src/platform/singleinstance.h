#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Tells whether another copy of the program is already running on this machine.
class SingleInstance
{
public:
    virtual ~SingleInstance() = default;
    // True when this copy is now the only one; held until the object dies.
    virtual bool acquire() = 0;
};

// A lock file in the user's runtime folder. QLockFile records the owner's process
// id, so a lock left behind by a crashed copy is taken over on the next start.
class LockFileSingleInstance final : public SingleInstance
{
public:
    explicit LockFileSingleInstance(QString lockPath = defaultLockPath());
    bool acquire() override;

    static QString defaultLockPath();

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
