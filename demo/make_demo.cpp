#include <QCoreApplication>
#include <QTextStream>

#include "demo/demoschool.h"

// Usage: kazudori_make_demo <folder>. Creates what is missing of the school.
int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: kazudori_make_demo <folder>\n";
        return 2;
    }
    QString error;
    if (!DemoSchool::create(args[1], &error)) {
        err << "demo school: " << error << "\n";
        return 1;
    }
    return 0;
}
