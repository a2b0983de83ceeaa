// Saves a picture of the export dialog on the demo school, the workbook with
// two students' facts chosen, for looking at the layout: helper_exportshot <output.png>
#include <QApplication>
#include <QDir>
#include <QListWidget>

#include "state/appstate.h"
#include "state/startup.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "teacher/ui/exportdialog.h"
#include "teacher/ui/exportdialogcontrols.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::current().filePath(QStringLiteral("export.png"));
    SchoolFolder school;
    TestPlatform test;
    AppState state;
    state.DataFolder = school.layout().dataFolder;
    state.RosterFolder = school.layout().basePath;
    state.SchoolYearStartMonth = 4;
    Startup::SetUpLevelCatalogue(state);
    ExportDialog dialog(state, test.platform);
    dialog.show();
    auto *students = control<QListWidget>(&dialog, ExportDialogControls::StudentList);
    for (int row : {1, 3})
        if (row < students->count())
            students->item(row)->setSelected(true);
    return saveShot(dialog, out) ? 0 : 1;
}
