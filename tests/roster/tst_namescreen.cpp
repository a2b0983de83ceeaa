#include <QTest>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBrowser>
#include <QTimer>

#include "state/appstate.h"
#include "app/ui/versiondialog.h"
#include "app/ui/versiondialogcontrols.h"
#include "host/mainwindow.h"
#include "platform/cp932.h"
#include "roster/siblinglauncher.h"
#include "roster/singlecopy.h"
#include "roster/ui/namecontrols.h"
#include "roster/ui/namescreen.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "support/resultfiles.h"
#include "support/schoolfolder.h"
#include "support/sessionfixture.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

namespace {

const QString Prompt = u"あなたの名前を選んでネ"_s;

// School year 2026 (the clock stands on 9 December 2026, years start in April).
const QStringList Roster{
    u"1,2017,1,1,\"やまだ　はなこ\",0,\"\",\"\""_s, // 小3
    u"2,2017,1,2,\"あおき　りく\",0,\"\",\"\""_s,   // 小3
    u"3,2014,1,1,\"佐藤　一\",0,\"\",\"\""_s,       // 小6
    u"4,2019,1,1,\"木村　陸\",0,\"\",\"\""_s,       // 小1
    u"5,2021,1,1,\"森　七海\",0,\"\",\"\""_s,       // 幼2
    u"6,2011,1,1,\"池田　健太\",0,\"\",\"\""_s,     // 中3
    u"7,2008,1,1,\"石井　亮\",0,\"\",\"\""_s,       // 高3
    u"8,2017,1,3,\"隠れた　子\",1,\"\",\"\""_s,     // not offered
};

// Sessions of あおき (number 2) only. Level 1 has target 120, level 2 target
// 150, both multiplier 1: today 60 s earns 11 points, a time-out 0 and no
// count; 150 s at level 2 last month earns 5.
QByteArray results()
{
    const QDate today(2026, 12, 9);
    return ResultFiles::encode({ResultFiles::record(today, 2, 1, 60), ResultFiles::record(today, 2, 1, 99999),
                                ResultFiles::record(QDate(2026, 11, 1), 2, 2, 150)});
}

// A school with the roster and results above and the name screen opened on it.
struct Fixture : SchoolWindow
{
    Fixture()
    {
        school.writeText(u"school/新名簿.txt"_s, Roster);
        ResultFiles::write(ResultsFile::pathIn(school.layout().dataFolder), results());
        open();
    }
    void open()
    {
        host.startMainMenu();
        host.show();
        // Shortcut keys reach only the active window, as on a real desktop.
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        screen = qobject_cast<NameScreen *>(host.currentScreen());
    }
    QStringList rows() const { return lines(control<QListWidget>(screen, NameControls::NameList)); }
    void clickRow(int row) const
    {
        QListWidget *list = control<QListWidget>(screen, NameControls::NameList);
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    NameScreen *screen = nullptr;
};

int rowOf(const QStringList &rows, const QString &name)
{
    for (int i = 0; i < rows.size(); ++i) {
        if (rows[i].contains(name))
            return i;
    }
    return -1;
}

} // namespace

class TestNameSel : public QObject
{
    Q_OBJECT

private slots:
    void opensWithPromptAndAllGrades();
    void gradeFilterFromCombo();
    void clickThenKeyOneConfirms();
    void keyboardAlone();
    void doubleClickConfirms();
    void keyOneWithPromptStays();
    void displayModes();
    void launcherKeyZero();
    void missingLauncherStays();
    void versionDialogThenChoicesOnce();
    void secondCopyEnds();
    void missingRosterIsReported();
    void pageWithoutCharsetIsCp932();
};

void TestNameSel::opensWithPromptAndAllGrades()
{
    Fixture f;
    QVERIFY(f.screen);
    QCOMPARE(f.host.windowTitle(), u"Growna"_s);
    QCOMPARE(control<QLabel>(f.screen, NameControls::Title)->text(), u"カズドリ"_s);
    QCOMPARE(control<QLabel>(f.screen, NameControls::Title)->font().pointSize(), 48);
    QCOMPARE(control<QComboBox>(f.screen, NameControls::GradeFilter)->currentText(), u"全学年"_s);
    QVERIFY(element<QRadioButton>(f.screen, NameControls::ModeOptions, 1)->isChecked());
    QCOMPARE(control<QLabel>(f.screen, NameControls::ChosenName)->text(), Prompt);
    QCOMPARE(f.screen->chosenStudent(), qint16(0));
    QVERIFY(control<QLabel>(f.screen, NameControls::WaitCover)->isHidden());
    QVERIFY(control<QTextBrowser>(f.screen, NameControls::Page)->toPlainText().contains(u"きょうもがんばろう"_s));

    const QStringList rows = f.rows();
    QCOMPARE(rows.size(), 8); // the first line and seven offered students
    QCOMPARE(rows[0], u"－－－－－－"_s);
    QVERIFY(!rows.join(u'\n').contains(u"隠れた"_s));
    // Oldest cohort first, then by name within a year.
    QVERIFY(rows[1].startsWith(u"高3 石井　亮"_s));
    QVERIFY(rows[2].startsWith(u"中3 池田　健太"_s));
    QVERIFY(rowOf(rows, u"あおき"_s) + 1 == rowOf(rows, u"やまだ"_s));
    QVERIFY(rows.last().startsWith(u"幼2 森　七海　　　　  　/       "_s));
    QVERIFY(f.test.dialogs.shown.isEmpty());
}

void TestNameSel::gradeFilterFromCombo()
{
    Fixture f;
    QComboBox *combo = control<QComboBox>(f.screen, NameControls::GradeFilter);
    const auto choose = [&](const QString &text) {
        combo->setCurrentIndex(combo->findText(text));
        emit combo->activated(combo->currentIndex());
        return f.rows().mid(1);
    };
    QStringList rows = choose(u"小３"_s);
    QCOMPARE(rows.size(), 2);
    QVERIFY(rows[0].startsWith(u"小3 あおき　りく  11/"_s) && rows[1].startsWith(u"小3 やまだ　はなこ  　/"_s));
    rows = choose(u"中学生全体"_s);
    QCOMPARE(rows.size(), 1);
    QVERIFY(rows[0].startsWith(u"中3 池田"_s));
    QCOMPARE(choose(u"小学生全体"_s).size(), 4);
    QCOMPARE(choose(u"全学年"_s).size(), 7);
    QCOMPARE(control<QLabel>(f.screen, NameControls::ChosenName)->text(), Prompt);
    // The level menu starts with the filter the name was chosen under.
    choose(u"小３"_s);
    f.clickRow(1);
    QTest::keyClick(combo, Qt::Key_1);
    QTRY_COMPARE(f.state.initialGradeFilter, u"小３"_s);
}

void TestNameSel::clickThenKeyOneConfirms()
{
    Fixture f;
    const int row = rowOf(f.rows(), u"やまだ"_s);
    f.clickRow(row);
    // The first ten characters: label, space and name fill them exactly.
    QCOMPARE(control<QLabel>(f.screen, NameControls::ChosenName)->text(), u"小3 やまだ　はなこ"_s);
    QCOMPARE(f.screen->chosenStudent(), qint16(1));

    // "1" works wherever the focus is.
    QTest::keyClick(control<QComboBox>(f.screen, NameControls::GradeFilter), Qt::Key_1);
    QVERIFY(control<QPushButton>(f.screen, NameControls::ConfirmButton)->isHidden());
    QVERIFY(!control<QLabel>(f.screen, NameControls::WaitCover)->isHidden());
    QTRY_VERIFY(f.host.currentScreen() != f.screen);
    QCOMPARE(f.state.StudentNumber, qint16(1));
    QCOMPARE(f.state.StudentName, u"やまだ　はなこ"_s.leftJustified(20, u' '));
    QCOMPARE(f.state.StudentGrade, u"小３"_s);
    QCOMPARE(f.state.LoginTime, 10 * 3600);
    QCOMPARE(f.state.loginTick, f.test.clock.tickCount());
    QCOMPARE(f.state.LevelCount, qint16(4));
    QCOMPARE(f.state.initialGradeFilter, u"全学年"_s);
}

void TestNameSel::keyboardAlone()
{
    Fixture f;
    control<QListWidget>(f.screen, NameControls::NameList)->setFocus();
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_Down);
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_Down);
    QVERIFY(control<QLabel>(f.screen, NameControls::ChosenName)->text().startsWith(u"中3 池田"_s));
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_Up);
    QVERIFY(control<QLabel>(f.screen, NameControls::ChosenName)->text().startsWith(u"高3 石井"_s));
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_Return);
    QTRY_COMPARE(f.state.StudentNumber, qint16(7));
    QCOMPARE(f.state.StudentGrade, QString()); // high school has no grade name
}

void TestNameSel::doubleClickConfirms()
{
    Fixture f;
    QListWidget *list = control<QListWidget>(f.screen, NameControls::NameList);
    const int row = rowOf(f.rows(), u"佐藤"_s);
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    // Everything before the "/": the padded name and the first figure's blank text.
    QCOMPARE(control<QLabel>(f.screen, NameControls::ChosenName)->text(), u"小6 佐藤　一　　  　"_s);
    QTRY_COMPARE(f.state.StudentNumber, qint16(3));
    QCOMPARE(f.state.StudentGrade, u"小６"_s);
}

void TestNameSel::keyOneWithPromptStays()
{
    Fixture f;
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_1);
    QCOMPARE(f.test.sound.played, QStringList{f.state.SoundFolder + u"boo.wav"_s});
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_Space);
    f.clickRow(0);
    QTest::mouseClick(control<QPushButton>(f.screen, NameControls::ConfirmButton), Qt::LeftButton);
    QCOMPARE(f.test.sound.played.size(), 3);
    QCOMPARE(f.state.StudentNumber, qint16(0));
    QVERIFY(f.state.StudentName.isEmpty());
    QCOMPARE(f.host.currentScreen(), f.screen);
    QVERIFY(!control<QPushButton>(f.screen, NameControls::ConfirmButton)->isHidden());
    QVERIFY(control<QLabel>(f.screen, NameControls::WaitCover)->isHidden());
}

void TestNameSel::displayModes()
{
    Fixture f;
    const QStringList figures{u"  1回/    2回"_s, u"  11/     16"_s, u"  11/  1回"_s, u"     16/    2回"_s};
    const QStringList zeroFigures{u"     /     　"_s, u"  　/       "_s, u"  　/     "_s, u"       /     　"_s};
    for (int mode : {0, 2, 3, 1}) {
        QRadioButton *option = element<QRadioButton>(f.screen, NameControls::ModeOptions, mode);
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
        QCOMPARE(f.screen->displayMode(), mode);
        const QStringList rows = f.rows();
        QCOMPARE(rows[rowOf(rows, u"あおき"_s)], u"小3 あおき　りく"_s + figures[mode]);
        QCOMPARE(rows[rowOf(rows, u"佐藤"_s)], u"小6 佐藤　一　　"_s + zeroFigures[mode]);
    }
}

void TestNameSel::launcherKeyZero()
{
    Fixture f;
    QTest::keyClick(control<QListWidget>(f.screen, NameControls::NameList), Qt::Key_0);
    QCOMPARE(f.test.launcher.calls, 1);
    QCOMPARE(f.test.launcher.program, SiblingLauncher::path(f.school.layout().programFolder));
    QCOMPARE(f.test.launcher.arguments, QStringList{u"001"_s});
    QVERIFY(f.test.programEnd.ended);
    QCOMPARE(f.test.programEnd.code, 0);
}

void TestNameSel::missingLauncherStays()
{
    Fixture f;
    f.test.launcher.succeed = false;
    QTest::mouseClick(control<QPushButton>(f.screen, NameControls::SiblingButton), Qt::LeftButton);
    QCOMPARE(f.test.launcher.calls, 1);
    QVERIFY(!f.test.programEnd.ended);
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(f.test.dialogs.shown[0].text.contains(u"起動"_s + QDir::separator() + u"Revevav"_s));
    QCOMPARE(f.host.currentScreen(), f.screen);
}

void TestNameSel::versionDialogThenChoicesOnce()
{
    Fixture f;
    QComboBox *combo = control<QComboBox>(f.screen, NameControls::GradeFilter);
    combo->setCurrentIndex(combo->findText(u"小３"_s));
    emit combo->activated(combo->currentIndex());

    QString title;
    QString version;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<VersionDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        title = control<QLabel>(dialog, VersionDialogControls::Title)->text();
        version = control<QLabel>(dialog, VersionDialogControls::Version)->text();
        QTest::mouseClick(control<QPushButton>(dialog, VersionDialogControls::OkButton), Qt::LeftButton);
    });
    QTest::mouseClick(control<QLabel>(f.screen, NameControls::Title), Qt::LeftButton);
    QCOMPARE(title, u"カズドリ"_s);
    QCOMPARE(version, VersionDialog::versionText());

    QCOMPARE(combo->count(), 12);
    QStringList choices;
    for (int i = 0; i < combo->count(); ++i)
        choices.append(combo->itemText(i));
    QCOMPARE(choices, (QStringList{u"全学年"_s, u"中学生全体"_s, u"小学生全体"_s, u"中３"_s, u"中２"_s, u"中１"_s,
                                   u"小６"_s, u"小５"_s, u"小４"_s, u"小３"_s, u"小２"_s, u"小１"_s}));
    // Back to all grades, and the list agrees with the box.
    QCOMPARE(combo->currentText(), u"全学年"_s);
    QCOMPARE(f.rows().size(), 8);
    QCOMPARE(control<QLabel>(f.screen, NameControls::ChosenName)->text(), Prompt);
}

void TestNameSel::secondCopyEnds()
{
    SchoolFolder school;
    TestPlatform test;
    test.singleInstance.available = false;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.startMainMenu();
    QVERIFY(test.programEnd.ended);
    QCOMPARE(test.programEnd.code, SingleCopy::ExitCode);
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown[0].icon, DialogIcon::Critical);
    QCOMPARE(test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(!qobject_cast<NameScreen *>(host.currentScreen()));
}

void TestNameSel::missingRosterIsReported()
{
    SchoolFolder school;
    school.remove(u"school/新名簿.txt"_s);
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.startMainMenu();
    auto *screen = qobject_cast<NameScreen *>(host.currentScreen());
    QVERIFY(screen);
    QCOMPARE(control<QListWidget>(screen, NameControls::NameList)->count(), 1);
    QCOMPARE(test.dialogs.shown.size(), 1);
    QVERIFY(test.dialogs.shown[0].text.contains(u"新名簿.txt"_s));
    QVERIFY(!test.programEnd.ended);
    QTest::keyClick(control<QListWidget>(screen, NameControls::NameList), Qt::Key_1);
    QCOMPARE(state.StudentNumber, qint16(0));
}

void TestNameSel::pageWithoutCharsetIsCp932()
{
    SchoolFolder school;
    school.writeBytes(u"school/kazudori/PageName.htm"_s,
                      "<html><body><p>" + Cp932::encode(u"①髙橋さん、がんばろう～"_s) + "</p></body></html>");
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.startMainMenu();
    auto *screen = qobject_cast<NameScreen *>(host.currentScreen());
    QVERIFY(screen);
    QVERIFY(control<QTextBrowser>(screen, NameControls::Page)->toPlainText().contains(u"①髙橋さん、がんばろう～"_s));

    school.remove(u"school/kazudori/PageName.htm"_s);
    host.openNameScreen();
    screen = qobject_cast<NameScreen *>(host.currentScreen());
    QVERIFY(control<QTextBrowser>(screen, NameControls::Page)->toPlainText().isEmpty());
}

QTEST_MAIN(TestNameSel)
#include "tst_namescreen.moc"
