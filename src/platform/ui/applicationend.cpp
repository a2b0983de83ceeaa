#include "platform/ui/applicationend.h"

#include <QApplication>
#include <QWidget>

void ApplicationEnd::endProgram(int exitCode)
{
    // The first reason to end is the one reported.
    if (!m_exitCode)
        m_exitCode = exitCode;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it)
        (*it)->close();
    // Every file of the program is closed when its operation ends, so
    // nothing is left to flush. Nested loops (a cue playing, a message box)
    // end as well, and the callers return at once.
    QCoreApplication::exit(*m_exitCode);
}
