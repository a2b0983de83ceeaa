// Saves a picture of the level standard editor on the demo school, for
// looking at the layout on a real display: helper_editorshot <output.png>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include "state/appstate.h"
#include "demo/demoschool.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "teacher/ui/standardeditor.h"
#include "teacher/ui/standardeditorcontrols.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::current().filePath(QStringLiteral("editor.png"));
    SchoolFolder school;
    TestPlatform test;
    AppState state;
    state.DataFolder = school.layout().dataFolder;
    StandardEditor editor(state, test.platform);
    editor.resize(1366, 768);
    editor.show();
    editor.activate();
    auto *cell = control<QLineEdit>(&editor, StandardEditorControls::CellEditor);
    QTest::keyClick(cell, Qt::Key_Down);
    QTest::keyClick(cell, Qt::Key_Right);
    QTest::keyClick(cell, Qt::Key_Right);
    QTest::keyClick(cell, Qt::Key_Right);
    QTest::keyClick(cell, Qt::Key_Right);
    QTest::keyClick(cell, Qt::Key_2);
    return saveShot(editor, out) ? 0 : 1;
}
