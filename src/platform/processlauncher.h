#pragma once

#include <QString>
#include <QStringList>

// Starts another program in its own window, without a shell.
class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    // False with a readable reason in `error` when the program could not start.
    virtual bool start(const QString &program, const QStringList &arguments, QString *error) = 0;
};

class SystemProcessLauncher final : public ProcessLauncher
{
public:
    bool start(const QString &program, const QStringList &arguments, QString *error) override;
};
