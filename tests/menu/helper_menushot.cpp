// Saves pictures of the level menu on the demo school in its three main
// views, for looking at the layout and the focus on a real display:
// helper_menushot <output folder>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <cstdio>

#include "state/appstate.h"
#include "app/calendartext.h"
#include "host/mainwindow.h"
#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "support/windowsystemkeys.h"

namespace {

// The student with the most sessions in the demo results.
qint16 busiestStudent(const QString &dataFolder)
{
    QHash<qint16, int> counts;
    for (const ResultRecord &record : ResultFiles::decode(ResultFiles::read(ResultsFile::pathIn(dataFolder))))
        ++counts[record.studentNumber];
    qint16 best = 1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.key() > 0 && it.value() > counts.value(best))
            best = it.key();
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    SchoolFolder school;
    TestPlatform test;
    test.clock.set(QDateTime::currentDateTime());
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.startMainMenu();
    state.SeasonColour = CalendarText::seasonColour(test.clock.today().month());
    host.setGeometry(QApplication::primaryScreen()->availableGeometry());
    host.show();
    const qint16 student = busiestStudent(school.layout().dataFolder);
    state.StudentNumber = student;
    state.StudentName = state.roster.name(student);
    state.StudentGrade = state.roster.gradeName(student);
    state.LoginTime = int(test.clock.secondsSinceMidnight()) - 12 * 60;
    state.loginTick = test.clock.tickCount() - 12 * 60 * 1000;
    host.openLevelMenu();
    auto *menu = qobject_cast<LevelMenu *>(host.currentScreen());
    if (!menu)
        return 1;
    saveShot(host, out + QStringLiteral("/menu-points.png"));
    // Clicked as a pupil clicks, so the pictures show where the focus went.
    host.activateWindow();
    queueWindowSystemClick(element<QRadioButton>(menu, MenuControls::ViewButtons, 0));
    saveShot(host, out + QStringLiteral("/menu-time.png"));
    queueWindowSystemClick(element<QRadioButton>(menu, MenuControls::ListButtons, 3));
    saveShot(host, out + QStringLiteral("/menu-period.png"));
    // The view panel enlarged, after a Tab, where keyboard focus is drawn.
    queueWindowSystemKey(&host, Qt::Key_Tab, QString());
    saveShot(host, out + QStringLiteral("/menu-period.png"));
    QFrame *panel = control<QFrame>(menu, MenuControls::ViewPanel);
    panel->grab().scaled(panel->size() * 2).save(out + QStringLiteral("/menu-focus.png"));
    if (QWidget *focus = QApplication::focusWidget())
        std::printf("focus: %s\n", qPrintable(focus->objectName()));
    // The own history and its graph of the first three levels.
    queueWindowSystemClick(element<QRadioButton>(menu, MenuControls::ViewButtons, 2));
    saveShot(host, out + QStringLiteral("/menu-history.png"));
    queueWindowSystemClick(control<QPushButton>(menu, MenuControls::GraphButton));
    saveShot(host, out + QStringLiteral("/menu-graph.png"));
    return 0;
}
