#pragma once

#include <QString>
#include <QStringList>

#include "setup/schoolsetup.h"

// The command line of kazudori-setup.
namespace SetupCommand {

enum class Action { Dialog, Help, Run, Error };

struct Parsed
{
    Action action = Action::Dialog;
    SchoolSetup::Request request;
    QString error; // for Action::Error
};

// `arguments` without the program's own name.
Parsed parse(const QStringList &arguments);

QString usage();

} // namespace SetupCommand
