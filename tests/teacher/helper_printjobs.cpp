// Prints through the program's own printing code to the default printer,
// answering each print dialog as a teacher who just presses "印刷": the
// graphs of two students chosen together, then one 100マス sheet with its
// answer sheet. Used by tools/check-printing.sh, which checks what the
// printer made; prints the chosen students' names, one a line.
#include <QApplication>
#include <QListWidget>
#include <QPrintDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include <cstdio>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "menu/resultsgraph.h"
#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "teacher/ui/worksheetdialog.h"
#include "teacher/ui/worksheetdialogcontrols.h"

namespace {

int printDialogsAnswered = 0;

// Presses the print dialog's own "印刷" whenever one is open.
void answerPrintDialogs()
{
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, qApp, [] {
        if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
            ++printDialogsAnswered;
            dialog->accept();
        }
    });
    timer->start(50);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    SchoolFolder school;
    TestPlatform test;
    test.clock.set(QDateTime::currentDateTime());
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.startMainMenu();
    qint16 teacher = 0;
    for (const RosterEntry &entry : state.roster.entries()) {
        if (state.roster.name(entry.Number).contains(QStringLiteral("監督")))
            teacher = qint16(entry.Number);
    }
    if (teacher == 0) {
        std::fprintf(stderr, "no teacher in the demo roster\n");
        return 1;
    }
    state.StudentNumber = teacher;
    state.StudentName = state.roster.name(teacher);
    state.StudentGrade = state.roster.gradeName(teacher);
    host.show();
    host.openLevelMenu();
    auto *menu = qobject_cast<LevelMenu *>(host.currentScreen());
    if (!menu)
        return 1;
    answerPrintDialogs();

    element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    control<QPushButton>(menu, MenuControls::GraphButton)->click();
    control<QPushButton>(menu, MenuControls::OtherStudentsButton)->click();
    auto *roster = control<QListWidget>(menu, MenuControls::RosterChooser);
    if (roster->count() < 2)
        return 1;
    for (int row = 0; row < 2; ++row) {
        roster->item(row)->setSelected(true);
        const qint32 student = ResultsGraph::studentOfChooserLine(roster->item(row)->text());
        std::printf("%s\n", qPrintable(state.roster.trimmedName(student)));
    }
    control<QPushButton>(menu, MenuControls::PrintButton)->click();

    WorksheetDialog sheets(state, test.platform);
    control<QRadioButton>(&sheets, WorksheetDialogControls::HundredSquaresOption)->setChecked(true);
    control<QSpinBox>(&sheets, WorksheetDialogControls::SheetCount)->setValue(1);
    sheets.print();
    if (printDialogsAnswered != 2 || !test.dialogs.shown.isEmpty()) {
        std::fprintf(stderr, "print dialogs answered: %d, messages: %d\n", printDialogsAnswered,
                     int(test.dialogs.shown.size()));
        return 1;
    }
    return 0;
}
