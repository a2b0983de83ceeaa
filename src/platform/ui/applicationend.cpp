#include "platform/ui/applicationend.h"

#include <QApplication>
#include <QWidget>

#include <cstdlib>

void ApplicationEnd::endProgram(int exitCode)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->close();
    // Every file of the program is closed when its operation ends, so nothing
    // is left to flush; leaving here keeps callers from running on after a
    // fatal error.
    std::exit(exitCode);
}
