#include <QTest>

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include "state/appstate.h"
#include "state/startup.h"
#include "demo/demoschool.h"
#include "drill/problemstat.h"
#include "platform/cp932.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/ui/exportdialog.h"
#include "teacher/ui/exportdialogcontrols.h"

using namespace Qt::StringLiterals;

namespace {

// Two students and their teacher, two sessions and one student's facts, and
// the dialog over them. The home has no documents folder, as some desktops
// leave it; the chooser offers `suggested` and answers `answer`.
struct Fixture
{
    Fixture()
    {
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));
        state.DataFolder = school.path() + u'/';
        state.RosterFolder = state.DataFolder;
        state.SchoolYearStartMonth = 4;
        Startup::SetUpLevelCatalogue(state);
        const QDate day(2026, 12, 1);
        ResultFiles::write(
            ResultsFile::pathIn(state.DataFolder),
            ResultFiles::encode({ResultFiles::record(day, 7, 1, 80), ResultFiles::record(day, 8, 2, 90)}));
        LevelStats stats{};
        stats[5] = {3, 1, 9};
        if (!DemoSchool::writeTextFile(state.RosterFolder + u"新名簿.txt"_s,
                                       {u"7,2017,1,1,\"山田,はな\",0,\"\",\"\""_s,
                                        u"8,2016,1,1,\"佐藤　一郎\",0,\"\",\"\""_s,
                                        u"900,1990,1,1,\"監督\",0,\"\",\"\""_s},
                                       nullptr)
            || !ProblemStatFile::writeLevel(ProblemStatFile::pathFor(state.DataFolder, 7), 2, stats, nullptr))
            qFatal("cannot write the school");
        schoolFiles = QDir(school.path()).entryList(QDir::Files);
        dialog = std::make_unique<ExportDialog>(state, test.platform);
        dialog->setFileChooser([this](const QString &offered) {
            suggested.append(offered);
            return answer;
        });
        dialog->show();
        exportButton = control<QPushButton>(dialog.get(), ExportDialogControls::ExportButton);
        students = control<QListWidget>(dialog.get(), ExportDialogControls::StudentList);
    }
    QStringList outFiles() const
    {
        QStringList names = QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
    QString lastText() const { return test.dialogs.shown.isEmpty() ? QString() : test.dialogs.shown.last().text; }
    void chooseFirstStudent() const
    {
        QTest::mouseClick(students->viewport(), Qt::LeftButton, {},
                          students->visualItemRect(students->item(0)).center());
    }

    QTemporaryDir school;
    QTemporaryDir out;
    QTemporaryDir home;
    TestPlatform test;
    AppState state;
    QStringList schoolFiles;
    std::unique_ptr<ExportDialog> dialog;
    QPushButton *exportButton = nullptr;
    QListWidget *students = nullptr;
    QStringList suggested;
    QString answer;
};

} // namespace

class TestExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void offersTheWorkbookInTheDocumentsFolder();
    void writesExactlyTheChosenFiles();
    void factsWantAStudent();
    void fileThatCannotBeMadeIsToldAndLeftOut();
};

void TestExportDialog::offersTheWorkbookInTheDocumentsFolder()
{
    Fixture f;
    // The roster's students, not the teacher's entry; chosen only for the facts.
    QCOMPARE(f.students->count(), 2);
    QVERIFY(f.students->item(0)->text().startsWith(u"7 /  山田,はな"_s));

    // The workbook by default, offered in the home folder while there is no
    // documents folder, then in the documents folder. A cancelled chooser
    // writes nothing and says nothing.
    QVERIFY(f.students->isEnabled());
    QVERIFY(!control<QRadioButton>(f.dialog.get(), ExportDialogControls::FactsChoice)->isEnabled());
    f.exportButton->click();
    QCOMPARE(f.suggested.last(), QDir(f.home.path()).filePath(u"成績データ_20261209.xlsx"_s));
    QVERIFY(QDir(f.home.path()).mkdir(u"Documents"_s));
    f.exportButton->click();
    QCOMPARE(f.suggested.last(), f.home.filePath(u"Documents/成績データ_20261209.xlsx"_s));
    QVERIFY(f.test.dialogs.shown.isEmpty());
}

void TestExportDialog::writesExactlyTheChosenFiles()
{
    Fixture f;
    // Into exactly the chosen file, the facts of the chosen student included.
    f.chooseFirstStudent();
    f.answer = f.out.filePath(u"成績.xlsx"_s);
    f.exportButton->click();
    QCOMPARE(f.outFiles(), QStringList{u"成績.xlsx"_s});
    QVERIFY(ResultFiles::read(f.answer).startsWith("PK"));
    QCOMPARE(f.lastText(),
             u"「%1」に書き出しました（成績2件、集計2件、問題別100件）。"_s.arg(QDir::toNativeSeparators(f.answer)));

    // A CSV of the records, UTF-8 by default, offered where the last file went.
    control<QRadioButton>(f.dialog.get(), ExportDialogControls::CsvChoice)->click();
    QVERIFY(!f.students->isEnabled());
    f.answer = f.out.filePath(u"成績.csv"_s);
    f.exportButton->click();
    QCOMPARE(f.suggested.last(), f.out.filePath(u"成績データ_20261209.csv"_s));
    const QByteArray records = ResultFiles::read(f.answer);
    QVERIFY(records.startsWith("\xEF\xBB\xBF"));
    QVERIFY(records.contains(u"2026-12-01,"_s.toUtf8()));
    QVERIFY(records.contains(u"7,\"山田,はな\",小３,足し算,80,,"_s.toUtf8()));
    QCOMPARE(f.lastText(), u"「%1」に2件を書き出しました。"_s.arg(QDir::toNativeSeparators(f.answer)));
    QCOMPARE(QDir(f.school.path()).entryList(QDir::Files), f.schoolFiles);
}

void TestExportDialog::factsWantAStudent()
{
    Fixture f;
    // The facts, a CSV choice, want a student before a file is asked for.
    const qsizetype asked = f.suggested.size();
    control<QRadioButton>(f.dialog.get(), ExportDialogControls::CsvChoice)->click();
    control<QRadioButton>(f.dialog.get(), ExportDialogControls::FactsChoice)->click();
    QVERIFY(f.students->isEnabled());
    f.students->clearSelection();
    f.exportButton->click();
    QCOMPARE(f.lastText(), u"問題別の成績を書き出す生徒を選んでください。"_s);
    QCOMPARE(f.suggested.size(), asked);

    f.chooseFirstStudent();
    control<QRadioButton>(f.dialog.get(), ExportDialogControls::Cp932Choice)->click();
    f.answer = f.out.filePath(u"問題.csv"_s);
    f.exportButton->click();
    QCOMPARE(f.lastText(), u"「%1」に100件を書き出しました。"_s.arg(QDir::toNativeSeparators(f.answer)));
    const QString facts = Cp932::decode(ResultFiles::read(f.answer));
    QVERIFY(facts.startsWith(u"番号,名前,学年,レベル,問題,"_s));
    QVERIFY(facts.contains(u"7,\"山田,はな\",小３,引き算,16－1＝15,3,1,75.00,2.25,よくまちがえる\r\n"_s));
}

void TestExportDialog::fileThatCannotBeMadeIsToldAndLeftOut()
{
    Fixture f;
    // A file that cannot be made: the teacher hears why, nothing is left.
    control<QRadioButton>(f.dialog.get(), ExportDialogControls::CsvChoice)->click();
    f.answer = f.out.filePath(u"無いフォルダ/成績.csv"_s);
    f.exportButton->click();
    QCOMPARE(f.test.dialogs.shown.last().icon, DialogIcon::Warning);
    QVERIFY(f.lastText().startsWith(u"「%1」に書き出せませんでした（"_s.arg(QDir::toNativeSeparators(f.answer))));
    QCOMPARE(f.outFiles(), QStringList());
    QCOMPARE(QDir(f.school.path()).entryList(QDir::Files), f.schoolFiles);
    control<QPushButton>(f.dialog.get(), ExportDialogControls::CloseButton)->click();
    QVERIFY(!f.dialog->isVisible());
}

QTEST_MAIN(TestExportDialog)
#include "tst_exportdialog.moc"
