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

} // namespace

class TestWorksheetDialog : public QObject
{
    Q_OBJECT

private slots:
    void printsTheChosenSheetsToPdf();
};

void TestWorksheetDialog::printsTheChosenSheetsToPdf()
{
    SchoolFolder school;
    QVERIFY(school.isValid());
    AppState state;
    QVERIFY(!Startup::LoadStartupData(state, school.layout().programFolder).failed());
    Startup::SetUpLevelCatalogue(state);
    TestPlatform test;
    test.random.script({0.123456, 0.5, 0.75, 0.8, 0.9});
    test.random.fallback = 0.3;

    QTemporaryDir out;
    QString pdf;
    int choices = 0;
    bool chooserAnswer = true;
    QPageLayout offered;
    WorksheetDialog dialog(state, test.platform);
    dialog.setPrinterChooser([&](QPrinter &printer) {
        ++choices;
        offered = printer.pageLayout();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return chooserAnswer;
    });
    dialog.show();

    auto *levels = control<QComboBox>(&dialog, "levelChooser");
    QCOMPARE(levels->count(), 4);
    QCOMPARE(levels->itemText(3), state.LevelNames[4]);
    auto *print = control<QPushButton>(&dialog, "printButton");
    auto *summary = control<QLabel>(&dialog, "summary");
    auto *count = control<QSpinBox>(&dialog, "sheetCount");
    QVERIFY(control<QRadioButton>(&dialog, "hundredSquaresOption")->isChecked());
    QVERIFY(!control<QListWidget>(&dialog, "studentChooser")->isVisible());

    // A 100マス sheet and its answer sheet, with the seed drawn from Random.
    pdf = out.filePath(u"grid.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(pdfPages(pdf), 2);
    QCOMPARE(offered.pageSize().id(), QPageSize::A4);
    QCOMPARE(offered.orientation(), QPageLayout::Portrait);
    QVERIFY2(summary->text().contains(u"123456"_s), qPrintable(summary->text()));

    // Unchanged choices print the very same sheet again, not a new draw.
    const QString firstSummary = summary->text();
    pdf = out.filePath(u"again.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(pdfPages(pdf), 2);
    QCOMPARE(summary->text(), firstSummary);

    // Three numbered sheets without answers: new seeds, three pages.
    control<QRadioButton>(&dialog, "numberedOption")->setChecked(true);
    control<QCheckBox>(&dialog, "answerSheets")->setChecked(false);
    count->setValue(3);
    pdf = out.filePath(u"list.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(pdfPages(pdf), 3);
    QVERIFY(!summary->text().contains(u"123456"_s));
    QVERIFY2(summary->text().contains(u"500000"_s), qPrintable(summary->text()));

    // Weak-facts sheets only: no sheet at all until a student is chosen.
    QCOMPARE(count->minimum(), 1);
    control<QCheckBox>(&dialog, "weakSheets")->setChecked(true);
    auto *students = control<QListWidget>(&dialog, "studentChooser");
    QVERIFY(students->isVisible());
    QVERIFY(students->count() > 2);
    count->setValue(0);
    QVERIFY(!print->isEnabled());
    students->item(0)->setSelected(true);
    students->item(2)->setSelected(true);
    QVERIFY(print->isEnabled());
    control<QCheckBox>(&dialog, "answerSheets")->setChecked(true);
    pdf = out.filePath(u"weak.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(pdfPages(pdf), 4);
    QCOMPARE(dialog.request().weakStudents.size(), std::size_t(2));

    // Cancelled in the printer chooser: nothing is written.
    chooserAnswer = false;
    pdf = out.filePath(u"cancelled.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QVERIFY(!QFile::exists(pdf));

    // A PDF that cannot be written is told, not lost in silence.
    chooserAnswer = true;
    pdf = out.filePath(u"no-such-folder/sheet.pdf"_s);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown.front().text, u"印刷できませんでした。"_s);
    QCOMPARE(choices, 6);

    QSignalSpy closed(&dialog, &QDialog::rejected);
    QTest::mouseClick(control<QPushButton>(&dialog, "closeButton"), Qt::LeftButton);
    QCOMPARE(closed.size(), 1);
}

QTEST_MAIN(TestWorksheetDialog)
#include "tst_worksheetdialog.moc"
