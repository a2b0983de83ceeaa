#include <QApplication>
#include <QTextStream>

#include "setup/setupcommand.h"
#include "setup/setupdialog.h"

// kazudori-setup: lays out a school and points the program beside it at it.
int main(int argc, char *argv[])
{
    const QStringList arguments = [argc, argv] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list.append(QString::fromLocal8Bit(argv[i]));
        return list;
    }();
    const SetupCommand::Parsed parsed = SetupCommand::parse(arguments);
    if (parsed.action == SetupCommand::Action::Dialog) {
        QApplication app(argc, argv);
        SetupDialog dialog(QApplication::applicationDirPath());
        dialog.show();
        return app.exec();
    }

    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    switch (parsed.action) {
    case SetupCommand::Action::Help:
        out << SetupCommand::usage();
        return 0;
    case SetupCommand::Action::Error:
        err << parsed.error << u'\n' << SetupCommand::usage();
        return 2;
    default:
        break;
    }
    const SchoolSetup::Report report =
        SchoolSetup::run(parsed.request, QCoreApplication::applicationDirPath(), QDate::currentDate());
    out << report.summary();
    out.flush();
    if (report.failed()) {
        err << report.error << u'\n';
        return 1;
    }
    return 0;
}
