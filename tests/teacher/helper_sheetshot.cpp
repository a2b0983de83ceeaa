// Prints worksheets of the demo school to PDF files and saves pictures of the
// dialog and its preview, for looking at them: helper_sheetshot <folder>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPrinter>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>

#include "state/appstate.h"
#include "state/startup.h"
#include "drill/problemstat.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "teacher/ui/worksheetdialog.h"
#include "teacher/ui/worksheetdialogcontrols.h"

namespace {

// Student 3 gets many right, a few facts wrong and a few slow.
void writeStatistics(const QString &dataFolder)
{
    const QString path = ProblemStatFile::pathFor(dataFolder, 3);
    ProblemStatFile::create(path, nullptr);
    LevelStats stats{};
    for (int code = 0; code < 80; ++code)
        stats[std::size_t(code)] = {6, 0, 9.0};
    stats[56] = {1, 4, 20};
    stats[67] = {2, 3, 18};
    stats[77] = {3, 2, 15};
    stats[38] = {5, 0, 40};
    ProblemStatFile::writeLevel(path, 3, stats, nullptr);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    SchoolFolder school;
    AppState state;
    Startup::LoadStartupData(state, school.layout().programFolder);
    Startup::SetUpLevelCatalogue(state);
    writeStatistics(state.DataFolder);
    TestPlatform test;
    test.random.script({0.271828, 0.314159, 0.141421, 0.173205, 0.223606});
    test.random.fallback = 0.5;

    WorksheetDialog dialog(state, test.platform);
    QString pdf;
    dialog.setPrinterChooser([&pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    dialog.show();
    auto *levels = control<QComboBox>(&dialog, WorksheetDialogControls::LevelChooser);
    auto *grid = control<QRadioButton>(&dialog, WorksheetDialogControls::HundredSquaresOption);
    auto *list = control<QRadioButton>(&dialog, WorksheetDialogControls::NumberedOption);
    const auto printAs = [&](int level, QRadioButton *layout, const char *name) {
        levels->setCurrentIndex(level - 1);
        layout->setChecked(true);
        pdf = out.filePath(QString::fromLatin1(name));
        dialog.print();
    };
    printAs(1, grid, "grid-add.pdf");
    printAs(2, grid, "grid-sub.pdf");
    printAs(4, grid, "grid-div.pdf");
    printAs(3, list, "list-mul.pdf");

    control<QCheckBox>(&dialog, WorksheetDialogControls::WeakSheets)->setChecked(true);
    control<QSpinBox>(&dialog, WorksheetDialogControls::SheetCount)->setValue(0);
    auto *students = control<QListWidget>(&dialog, WorksheetDialogControls::StudentChooser);
    for (int row = 0; row < students->count(); ++row) {
        if (students->item(row)->data(Qt::UserRole).toInt() == 3)
            students->item(row)->setSelected(true);
    }
    printAs(3, list, "weak-mul.pdf");
    saveShot(dialog, out.filePath(QStringLiteral("dialog.png")));

    // The preview is modal: picture it once it has painted, then close it.
    QTimer::singleShot(1500, &app, [&out] {
        if (QWidget *preview = QApplication::activeModalWidget()) {
            preview->grab().save(out.filePath(QStringLiteral("preview.png")));
            preview->close();
        }
    });
    control<QSpinBox>(&dialog, WorksheetDialogControls::SheetCount)->setValue(1);
    grid->setChecked(true);
    dialog.preview();
    return 0;
}
