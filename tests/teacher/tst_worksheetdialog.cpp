#include <QTest>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>

#include "state/appstate.h"
#include "state/startup.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"
#include "teacher/ui/worksheetdialog.h"
#include "teacher/ui/worksheetdialogcontrols.h"

using namespace Qt::StringLiterals;

namespace {

// The pages of a PDF as its page objects count them; -1 for no PDF.
int pdfPages(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = file.readAll();
    if (!bytes.startsWith("%PDF"))
        return -1;
    int pages = 0;
    auto found = QRegularExpression(u"/Type\\s*/Page(?!s)"_s).globalMatch(QString::fromLatin1(bytes));
    while (found.hasNext()) {
        found.next();
        ++pages;
    }
    return pages;
}

// The demo school and the dialog over it; the printer chooser prints to
// `pdf` and answers `chooserAnswer`.
struct Fixture
{
    Fixture()
    {
        if (!school.isValid() || Startup::LoadStartupData(state, school.layout().programFolder).failed())
            qFatal("the demo school does not load");
        Startup::SetUpLevelCatalogue(state);
        test.random.script({0.123456, 0.5, 0.75, 0.8, 0.9});
        test.random.fallback = 0.3;
        dialog = std::make_unique<WorksheetDialog>(state, test.platform);
        dialog->setPrinterChooser([this](QPrinter &printer) {
            ++choices;
            offered = printer.pageLayout();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return chooserAnswer;
        });
        dialog->show();
        print = control<QPushButton>(dialog.get(), WorksheetDialogControls::PrintButton);
        summary = control<QLabel>(dialog.get(), WorksheetDialogControls::Summary);
        count = control<QSpinBox>(dialog.get(), WorksheetDialogControls::SheetCount);
    }
    // Prints into a file of that name in `out`.
    void printTo(const QString &name)
    {
        pdf = out.filePath(name);
        QTest::mouseClick(print, Qt::LeftButton);
    }

    SchoolFolder school;
    AppState state;
    TestPlatform test;
    QTemporaryDir out;
    QString pdf;
    int choices = 0;
    bool chooserAnswer = true;
    QPageLayout offered;
    std::unique_ptr<WorksheetDialog> dialog;
    QPushButton *print = nullptr;
    QLabel *summary = nullptr;
    QSpinBox *count = nullptr;
};

} // namespace

class TestWorksheetDialog : public QObject
{
    Q_OBJECT

private slots:
    void opensOnHundredSquaresOfAnyLevel();
    void printsAHundredSquaresSheetAndItsAnswers();
    void numberedSheetsDrawNewSeeds();
    void weakFactsSheetsWaitForAStudent();
    void cancelledOrFailedPrintingWritesNothing();
};

void TestWorksheetDialog::opensOnHundredSquaresOfAnyLevel()
{
    Fixture f;
    auto *levels = control<QComboBox>(f.dialog.get(), WorksheetDialogControls::LevelChooser);
    QCOMPARE(levels->count(), 4);
    QCOMPARE(levels->itemText(3), f.state.LevelNames[4]);
    QVERIFY(control<QRadioButton>(f.dialog.get(), WorksheetDialogControls::HundredSquaresOption)->isChecked());
    QVERIFY(!control<QListWidget>(f.dialog.get(), WorksheetDialogControls::StudentChooser)->isVisible());
}

void TestWorksheetDialog::printsAHundredSquaresSheetAndItsAnswers()
{
    Fixture f;
    // A 100マス sheet and its answer sheet, with the seed drawn from Random.
    f.printTo(u"grid.pdf"_s);
    QCOMPARE(pdfPages(f.pdf), 2);
    QCOMPARE(f.offered.pageSize().id(), QPageSize::A4);
    QCOMPARE(f.offered.orientation(), QPageLayout::Portrait);
    QVERIFY2(f.summary->text().contains(u"123456"_s), qPrintable(f.summary->text()));

    // Unchanged choices print the very same sheet again, not a new draw.
    const QString firstSummary = f.summary->text();
    f.printTo(u"again.pdf"_s);
    QCOMPARE(pdfPages(f.pdf), 2);
    QCOMPARE(f.summary->text(), firstSummary);
}

void TestWorksheetDialog::numberedSheetsDrawNewSeeds()
{
    Fixture f;
    f.printTo(u"grid.pdf"_s);
    // Three numbered sheets without answers: new seeds, three pages.
    control<QRadioButton>(f.dialog.get(), WorksheetDialogControls::NumberedOption)->setChecked(true);
    control<QCheckBox>(f.dialog.get(), WorksheetDialogControls::AnswerSheets)->setChecked(false);
    f.count->setValue(3);
    f.printTo(u"list.pdf"_s);
    QCOMPARE(pdfPages(f.pdf), 3);
    QVERIFY(!f.summary->text().contains(u"123456"_s));
    QVERIFY2(f.summary->text().contains(u"500000"_s), qPrintable(f.summary->text()));
}

void TestWorksheetDialog::weakFactsSheetsWaitForAStudent()
{
    Fixture f;
    control<QRadioButton>(f.dialog.get(), WorksheetDialogControls::NumberedOption)->setChecked(true);
    // Weak-facts sheets only: no sheet at all until a student is chosen.
    QCOMPARE(f.count->minimum(), 1);
    control<QCheckBox>(f.dialog.get(), WorksheetDialogControls::WeakSheets)->setChecked(true);
    auto *students = control<QListWidget>(f.dialog.get(), WorksheetDialogControls::StudentChooser);
    QVERIFY(students->isVisible());
    QVERIFY(students->count() > 2);
    f.count->setValue(0);
    QVERIFY(!f.print->isEnabled());
    students->item(0)->setSelected(true);
    students->item(2)->setSelected(true);
    QVERIFY(f.print->isEnabled());
    control<QCheckBox>(f.dialog.get(), WorksheetDialogControls::AnswerSheets)->setChecked(true);
    f.printTo(u"weak.pdf"_s);
    QCOMPARE(pdfPages(f.pdf), 4);
    QCOMPARE(f.dialog->request().weakStudents.size(), std::size_t(2));
}

void TestWorksheetDialog::cancelledOrFailedPrintingWritesNothing()
{
    Fixture f;
    // Cancelled in the printer chooser: nothing is written.
    f.chooserAnswer = false;
    f.printTo(u"cancelled.pdf"_s);
    QVERIFY(!QFile::exists(f.pdf));

    // A PDF that cannot be written is told, not lost in silence.
    f.chooserAnswer = true;
    f.printTo(u"no-such-folder/sheet.pdf"_s);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown.front().text, u"印刷できませんでした。"_s);
    // The printer is chosen for every print, cancelled or not.
    QCOMPARE(f.choices, 2);

    QSignalSpy closed(f.dialog.get(), &QDialog::rejected);
    QTest::mouseClick(control<QPushButton>(f.dialog.get(), WorksheetDialogControls::CloseButton), Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
}

QTEST_MAIN(TestWorksheetDialog)
#include "tst_worksheetdialog.moc"
