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

using namespace Qt::StringLiterals;

class TestExportDialog : public QObject
{
    Q_OBJECT

private slots:
    void writesOnlyTheChosenFile();
};

void TestExportDialog::writesOnlyTheChosenFile()
{
    QTemporaryDir school;
    QTemporaryDir out;
    // A home without a documents folder, as some desktops leave it.
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(u"config"_s)));
    TestPlatform test;
    AppState state;
    state.DataFolder = school.path() + u'/';
    state.RosterFolder = state.DataFolder;
    state.SchoolYearStartMonth = 4;
    Startup::SetUpLevelCatalogue(state);
    QVERIFY(
        DemoSchool::writeTextFile(state.RosterFolder + u"新名簿.txt"_s,
                                  {u"7,2017,1,1,\"山田,はな\",0,\"\",\"\""_s,
                                   u"8,2016,1,1,\"佐藤　一郎\",0,\"\",\"\""_s, u"900,1990,1,1,\"監督\",0,\"\",\"\""_s},
                                  nullptr));
    const QDate day(2026, 12, 1);
    ResultFiles::write(ResultsFile::pathIn(state.DataFolder),
                       ResultFiles::encode({ResultFiles::record(day, 7, 1, 80), ResultFiles::record(day, 8, 2, 90)}));
    LevelStats stats{};
    stats[5] = {3, 1, 9};
    QVERIFY(ProblemStatFile::writeLevel(ProblemStatFile::pathFor(state.DataFolder, 7), 2, stats, nullptr));
    const QStringList schoolFiles = QDir(school.path()).entryList(QDir::Files);

    ExportDialog dialog(state, test.platform);
    QStringList suggested;
    QString answer;
    dialog.setFileChooser([&](const QString &offered) {
        suggested.append(offered);
        return answer;
    });
    dialog.show();
    auto *exportButton = control<QPushButton>(&dialog, "exportButton");
    auto *students = control<QListWidget>(&dialog, "studentList");
    const auto outFiles = [&out] {
        QStringList names = QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    };
    const auto lastText = [&test] { return test.dialogs.shown.isEmpty() ? QString() : test.dialogs.shown.last().text; };

    // The roster's students, not the teacher's entry; chosen only for the facts.
    QCOMPARE(students->count(), 2);
    QVERIFY(students->item(0)->text().startsWith(u"7 /  山田,はな"_s));

    // The workbook by default, offered in the home folder while there is no
    // documents folder, then in the documents folder. A cancelled chooser
    // writes nothing and says nothing.
    QVERIFY(students->isEnabled());
    QVERIFY(!control<QRadioButton>(&dialog, "factsChoice")->isEnabled());
    exportButton->click();
    QCOMPARE(suggested.last(), QDir(home.path()).filePath(u"成績データ_20261209.xlsx"_s));
    QVERIFY(QDir(home.path()).mkdir(u"Documents"_s));
    exportButton->click();
    QCOMPARE(suggested.last(), home.filePath(u"Documents/成績データ_20261209.xlsx"_s));
    QVERIFY(test.dialogs.shown.isEmpty());

    // Into exactly the chosen file, the facts of the chosen student included.
    QTest::mouseClick(students->viewport(), Qt::LeftButton, {}, students->visualItemRect(students->item(0)).center());
    answer = out.filePath(u"成績.xlsx"_s);
    exportButton->click();
    QCOMPARE(outFiles(), QStringList{u"成績.xlsx"_s});
    QVERIFY(ResultFiles::read(answer).startsWith("PK"));
    QCOMPARE(lastText(),
             u"「%1」に書き出しました（成績2件、集計2件、問題別100件）。"_s.arg(QDir::toNativeSeparators(answer)));

    // A CSV of the records, UTF-8 by default, offered where the last file went.
    control<QRadioButton>(&dialog, "csvChoice")->click();
    QVERIFY(!students->isEnabled());
    answer = out.filePath(u"成績.csv"_s);
    exportButton->click();
    QCOMPARE(suggested.last(), out.filePath(u"成績データ_20261209.csv"_s));
    const QByteArray records = ResultFiles::read(answer);
    QVERIFY(records.startsWith("\xEF\xBB\xBF"));
    QVERIFY(records.contains(u"2026-12-01,"_s.toUtf8()));
    QVERIFY(records.contains(u"7,\"山田,はな\",小３,足し算,80,,"_s.toUtf8()));
    QCOMPARE(lastText(), u"「%1」に2件を書き出しました。"_s.arg(QDir::toNativeSeparators(answer)));

    // The facts want a student before a file is asked for.
    const qsizetype asked = suggested.size();
    control<QRadioButton>(&dialog, "factsChoice")->click();
    QVERIFY(students->isEnabled());
    students->clearSelection();
    exportButton->click();
    QCOMPARE(lastText(), u"問題別の成績を書き出す生徒を選んでください。"_s);
    QCOMPARE(suggested.size(), asked);

    QTest::mouseClick(students->viewport(), Qt::LeftButton, {}, students->visualItemRect(students->item(0)).center());
    control<QRadioButton>(&dialog, "cp932Choice")->click();
    answer = out.filePath(u"問題.csv"_s);
    exportButton->click();
    QCOMPARE(lastText(), u"「%1」に100件を書き出しました。"_s.arg(QDir::toNativeSeparators(answer)));
    const QString facts = Cp932::decode(ResultFiles::read(answer));
    QVERIFY(facts.startsWith(u"番号,名前,学年,レベル,問題,"_s));
    QVERIFY(facts.contains(u"7,\"山田,はな\",小３,引き算,16－1＝15,3,1,75.00,2.25,よくまちがえる\r\n"_s));

    // A file that cannot be made: the teacher hears why, nothing is left.
    answer = out.filePath(u"無いフォルダ/成績.csv"_s);
    exportButton->click();
    QCOMPARE(test.dialogs.shown.last().icon, DialogIcon::Warning);
    QVERIFY(lastText().startsWith(u"「%1」に書き出せませんでした（"_s.arg(QDir::toNativeSeparators(answer))));
    QStringList written{u"成績.csv"_s, u"問題.csv"_s, u"成績.xlsx"_s};
    written.sort();
    QCOMPARE(outFiles(), written);

    QCOMPARE(QDir(school.path()).entryList(QDir::Files), schoolFiles);
    control<QPushButton>(&dialog, "closeButton")->click();
    QVERIFY(!dialog.isVisible());
}

QTEST_MAIN(TestExportDialog)
#include "tst_exportdialog.moc"
