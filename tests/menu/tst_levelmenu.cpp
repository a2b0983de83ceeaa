#include <QTest>
#include <QTimer>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "state/appstate.h"
#include "app/oledate.h"
#include "app/ui/controlnames.h"
#include "platform/cp932.h"
#include "host/mainwindow.h"
#include "drill/problemstat.h"
#include "drill/ui/factmapcontrols.h"
#include "menu/menukeys.h"
#include "menu/teacheraccess.h"
#include "menu/ui/graphpane.h"
#include "menu/ui/levelmenu.h"
#include "roster/ui/namecontrols.h"
#include "menu/ui/menucontrols.h"
#include "store/resultsfile.h"
#include "support/controls.h"
#include "teacher/ui/resultsmanager.h"
#include "teacher/ui/resultsmanagercontrols.h"
#include "teacher/ui/standardeditor.h"
#include "teacher/ui/standardeditorcontrols.h"
#include "support/resultfiles.h"
#include "support/schoolfolder.h"
#include "support/sessionfixture.h"
#include "support/testplatform.h"
#include "support/windowsystemkeys.h"

using namespace Qt::StringLiterals;

namespace {

// School year 2026; the clock stands on Wednesday 9 December 2026, 10:00.
const QStringList Roster{
    u"1,2017,1,1,\"やまだ　はなこ\",0,\"\",\"\""_s, // 小3
    u"2,2017,1,2,\"あおき　りく\",0,\"\",\"\""_s,   // 小3
    u"3,2014,1,1,\"佐藤　一\",0,\"\",\"\""_s,       // 小6
    u"9,2000,1,1,\"監督\",0,\"\",\"\""_s,
};

const QString Header = u"目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"_s;

// Level rows: target, minimum, clear points, clear count, multiplier, overuse
// count, overuse points, judge days, overuse days.
QStringList standards(const QStringList &rows)
{
    return QStringList{Header} + rows;
}

const QStringList DemoRows{u"120,180,40,5,1,5,150,14,1,,,"_s, u"150,220,40,5,1,5,150,14,1,,,"_s,
                           u"130,200,40,5,1.2,5,150,14,1,,,"_s, u"170,250,9999,5,1.5,5,150,14,1,,,"_s};

const QDate Today(2026, 12, 9);

QList<ResultRecord> sessions(qint16 student, qint16 level, int count, qint32 time, QDate date = Today)
{
    QList<ResultRecord> out;
    for (int i = 0; i < count; ++i)
        out.append(ResultFiles::record(date, student, level, time));
    return out;
}

struct Fixture : SchoolWindow
{
    explicit Fixture(const QStringList &rows = DemoRows, const QList<ResultRecord> &records = {})
    {
        school.writeText(u"school/新名簿.txt"_s, Roster);
        school.writeText(u"school/kazudori/タイム回数データ.txt"_s, standards(rows));
        ResultFiles::write(ResultsFile::pathIn(school.layout().dataFolder), ResultFiles::encode(records));
        host.startMainMenu();
        host.show();
    }
    LevelMenu *open(qint16 student, const QString &name = {})
    {
        state.StudentNumber = student;
        state.StudentName = name.isEmpty() ? state.roster.name(student) : name;
        state.StudentGrade = state.roster.gradeName(student);
        state.LoginTime = 10 * 3600 - 5 * 60 - 59; // the clock stands at 10:00
        state.loginTick = test.clock.tickCount() - (5 * 60 + 59) * 1000;
        host.openLevelMenu();
        menu = qobject_cast<LevelMenu *>(host.currentScreen());
        // The menu's keys reach it only in the active window, as on a real desktop.
        host.activateWindow();
        if (!QTest::qWaitForWindowActive(&host))
            return nullptr;
        return menu;
    }
    bool menuGone() const { return qobject_cast<LevelMenu *>(host.currentScreen()) == nullptr; }
    QList<bool> notices() const
    {
        QList<bool> shown;
        for (int k = 1; k <= 4; ++k)
            shown.append(!element<QLabel>(menu, MenuControls::OveruseNotice, k)->isHidden());
        return shown;
    }

    LevelMenu *menu = nullptr;
};

} // namespace

class TestLevelMenu : public QObject
{
    Q_OBJECT

private slots:
    void buildsFourColumns();
    void standardSummaries_data();
    void standardSummaries();
    void countLabels();
    void notices_data();
    void notices();
    void teacherButton_data();
    void teacherButton();
    void startKeys_data();
    void startKeys();
    void keys_data();
    void keys();
    void keyStartsALevelUnderNotice();
    void keyZeroReturnsOnlyWhenEnabled();
    void keysWaitWhileListsFill();
    void keysWorkAfterEveryViewChange_data();
    void keysWorkAfterEveryViewChange();
    void levelWithoutATimeLimitDoesNotStart();
    void oneStartOnly();
    void startByButtonAndName();
    void viewsFillLists();
    void listLinesFitTheirColumn();
    void logsReachTheNewestOfALargeFile();
    void unreadableResultsEndTheProgram();
    void keyFileOfALocation_data();
    void keyFileOfALocation();
    void teacherPanelHoldsTheStarts();
    void teacherPanelRefusesAPlaceWithoutTheKey();
    void teacherPanelOpensItsTools();
    void teacherPanelStoresANewKeyPlace();
    void teacherPanelWithoutItsSettingsFile();
    void ownHistoryShowsEachLevelsFacts();
    void graphShowsTheOwnHistory();
    void graphFollowsItsChoosers();
    void graphPrintsAJobForEachChosenStudent();
    void graphOfAStudentOutsideTheGradeFilterHasNoPoints();
    void graphReadsAFileBeyondRecord32767();
    void graphKeepsTimeOutsOnItsSurface();
    void graphLabelsNeverOverlap();
};

void TestLevelMenu::buildsFourColumns()
{
    Fixture f;
    QVERIFY(f.open(1));
    LevelMenu *m = f.menu;
    QVERIFY(!m->findChild<QWidget *>(Controls::arrayName(MenuControls::LevelColumn, 5)));
    // The four columns fill the screen's width, wide or narrow.
    const int columnsRoom = QApplication::primaryScreen()->availableGeometry().width() - 16;
    QVERIFY2(std::abs(4 * m->columnWidth() - columnsRoom) < 4, qPrintable(QString::number(m->columnWidth())));
    for (int k = 1; k <= 4; ++k) {
        QCOMPARE(element<QPushButton>(m, MenuControls::StartButton, k)->objectName(), u"Command4_%1"_s.arg(k));
        QCOMPARE(element<QPushButton>(m, MenuControls::StartButton, k)->text(), u"ｽﾀｰﾄ(&%1)"_s.arg(k));
        QVERIFY(element<QPushButton>(m, MenuControls::StartButton, k)->isEnabled());
        QCOMPARE(element<QLabel>(m, MenuControls::Number, k)->text(), QString::number(k));
        QCOMPARE(element<QLabel>(m, MenuControls::Name, k)->text(), f.state.LevelNames[std::size_t(k)]);
        QCOMPARE(element<QLabel>(m, MenuControls::Name, k)->toolTip(),
                 element<QLabel>(m, MenuControls::Name, k)->text());
        QVERIFY(element<QFrame>(m, MenuControls::LevelColumn, k)->isVisible());
        if (k > 1)
            QCOMPARE(element<QFrame>(m, MenuControls::LevelColumn, k)->x()
                         - element<QFrame>(m, MenuControls::LevelColumn, k - 1)->x(),
                     m->columnWidth());
    }
    QCOMPARE(element<QLabel>(m, MenuControls::Name, 3)->text(), u"かけ算"_s);
    QVERIFY(control<QScrollBar>(m, MenuControls::ColumnScroll)->isHidden());
    QVERIFY(control<QTextBrowser>(m, MenuControls::Page)->toPlainText().contains(u"目標タイム"_s));
    QVERIFY(control<QFrame>(m, MenuControls::WaitCover)->isHidden());
    QVERIFY(m->keyReady());
    QCOMPARE(control<QComboBox>(m, MenuControls::PeriodChoice)->currentText(), u"　　１ヶ月間の全成績"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::Student)->text(), u"小３ やまだ　はなこ"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::Site)->text(), f.state.SiteTitle + u":1"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::Minutes)->text(), u"起動後5分"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::Title)->text(), u"カズドリ"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::Title)->font().pointSize(), 24);
    // The default view: points, total ranking.
    QVERIFY(element<QRadioButton>(m, MenuControls::ViewButtons, 1)->isChecked()
            && element<QRadioButton>(m, MenuControls::ListButtons, 1)->isChecked());
    QCOMPARE(element<QRadioButton>(m, MenuControls::ListButtons, 1)->text(), u"累計順"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::ListTitle)->text(), u"獲得ポイント（今まで順位）"_s);
}

void TestLevelMenu::standardSummaries_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("label7");
    QTest::addColumn<QString>("days");
    QTest::newRow("points") << u"120,180,40,5,1,5,150,14,1,,,"_s << u"目標=120秒 5回/40点(×1)"_s << u"14"_s;
    QTest::newRow("fraction") << u"120,180,45,6,1.25,5,150,7,1,,,"_s << u"目標=120秒 6回/45点(×1.25)"_s << u"7"_s;
    QTest::newRow("single value") << u"120,180,40,5,1.2,5,150,14,1,,,"_s << u"目標=120秒 5回/40点(×1.2)"_s << u"14"_s;
    QTest::newRow("no points") << u"95,180,9999,5,1,5,150,14,1,,,"_s << u"目標=95秒 --------"_s << u"14"_s;
}

void TestLevelMenu::standardSummaries()
{
    QFETCH(QString, row);
    QFETCH(QString, label7);
    QFETCH(QString, days);
    QStringList rows = DemoRows;
    rows[0] = row;
    // Two sessions in the period and one long before it.
    Fixture f(rows, sessions(1, 1, 2, 60) + sessions(1, 1, 1, 60, Today.addDays(-40)));
    QVERIFY(f.open(1));
    QCOMPARE(element<QLabel>(f.menu, MenuControls::TargetSummary, 1)->text(), label7);
    const qint32 points = f.state.ResultTallies.at(1, 1).periodPoints;
    QVERIFY(points > 0);
    QCOMPARE(element<QLabel>(f.menu, MenuControls::PeriodSummary, 1)->text(),
             u"最近%1日=2回 / %2点"_s.arg(days).arg(points));
    QCOMPARE(element<QLabel>(f.menu, MenuControls::PeriodSummary, 2)->text(), u"最近14日=0回 / 0点"_s);
}

void TestLevelMenu::countLabels()
{
    // Today twice at level 1, level 2 only last month, nothing at level 3.
    Fixture f(DemoRows, sessions(1, 1, 2, 60) + sessions(1, 2, 1, 150, Today.addDays(-30)) + sessions(2, 3, 3, 60));
    QVERIFY(f.open(1));
    LevelMenu *m = f.menu;
    QCOMPARE(element<QLabel>(m, MenuControls::TodayCounts, 1)->text(), u"2回/22点"_s);
    QCOMPARE(element<QLabel>(m, MenuControls::TotalCounts, 1)->text(), u"2回/22点"_s);
    QCOMPARE(element<QLabel>(m, MenuControls::TodayCounts, 2)->text(), u"-----"_s);
    QVERIFY(element<QLabel>(m, MenuControls::TotalCounts, 2)->text().startsWith(u"1回/"_s));
    QCOMPARE(element<QLabel>(m, MenuControls::TodayCounts, 3)->text(), u"-----"_s);
    QCOMPARE(element<QLabel>(m, MenuControls::TotalCounts, 3)->text(), u"------"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::TodayTotal)->text(), u"本日総回数＝2回"_s);
    QCOMPARE(element<QLabel>(m, MenuControls::TodayCaption, 1)->text(), u"今日"_s);
    QCOMPARE(element<QLabel>(m, MenuControls::TotalCaption, 1)->text(), u"今まで"_s);
}

void TestLevelMenu::notices_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<ResultRecord>>("records");
    QTest::addColumn<qint16>("student");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<bool>>("shown");
    QTest::addColumn<bool>("goalCleared");

    // Five sessions today at 60 s: overused (limit 5) and, with the demo rows, cleared.
    const QList<ResultRecord> five = sessions(1, 1, 5, 60);
    QStringList hardToClear = DemoRows;
    hardToClear[0] = u"120,180,40,50,1,5,150,14,1,,,"_s;
    QStringList noLimits = DemoRows;
    noLimits[0] = u"120,180,40,5,1,0,0,14,1,,,"_s;
    QStringList easyGoal = DemoRows;
    easyGoal[3] = u"170,250,1,1,1.5,5,150,14,1,,,"_s;
    QStringList nextFree = hardToClear;
    nextFree[1] = u"150,220,9999,5,1,5,150,14,1,,,"_s;

    QTest::newRow("cleared and overused")
        << DemoRows << five << qint16(1) << QString() << QList<bool>{true, false, false, false} << false;
    QTest::newRow("overused, not cleared, next needs points")
        << hardToClear << five << qint16(1) << QString() << QList<bool>{false, false, false, false} << false;
    QTest::newRow("overused, not cleared, next needs none")
        << nextFree << five << qint16(1) << QString() << QList<bool>{true, false, false, false} << false;
    QTest::newRow("teacher passes on") << hardToClear << sessions(9, 1, 5, 60) << qint16(9) << u"監督"_s
                                       << QList<bool>{true, false, false, false} << false;
    QTest::newRow("both limits zero") << noLimits << sessions(1, 1, 30, 60) << qint16(1) << QString()
                                      << QList<bool>{false, false, false, false} << false;
    QTest::newRow("goal cleared") << easyGoal << five + sessions(1, 4, 1, 60) << qint16(1) << QString()
                                  << QList<bool>{false, false, false, false} << true;
    QTest::newRow("last level never") << DemoRows << sessions(9, 4, 6, 60) << qint16(9) << u"監督"_s
                                      << QList<bool>{false, false, false, false} << false;
}

void TestLevelMenu::notices()
{
    QFETCH(QStringList, rows);
    QFETCH(QList<ResultRecord>, records);
    QFETCH(qint16, student);
    QFETCH(QString, name);
    QFETCH(QList<bool>, shown);
    QFETCH(bool, goalCleared);
    Fixture f(rows, records);
    QVERIFY(f.open(student, name));
    QCOMPARE(f.notices(), shown);
    QCOMPARE(f.menu->goalCleared(), goalCleared);
    for (int k = 1; k <= 4; ++k) {
        if (shown[k - 1])
            QCOMPARE(element<QLabel>(f.menu, MenuControls::OveruseNotice, k)->text(), u"やりすぎ禁止"_s);
        QVERIFY(element<QPushButton>(f.menu, MenuControls::StartButton, k)->isEnabled());
    }
}

void TestLevelMenu::teacherButton_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("visible");
    QTest::newRow("teacher") << u"監督"_s << true;
    QTest::newRow("padded") << u" 監督   "_s << true;
    QTest::newRow("longer") << u"監督さん"_s << false;
    QTest::newRow("student") << u"やまだ　はなこ"_s << false;
}

void TestLevelMenu::teacherButton()
{
    QFETCH(QString, name);
    QFETCH(bool, visible);
    Fixture f;
    QVERIFY(f.open(9, name));
    QCOMPARE(control<QPushButton>(f.menu, MenuControls::DataButton)->isVisible(), visible);
    if (!visible)
        return;
    QTest::mouseClick(control<QPushButton>(f.menu, MenuControls::DataButton), Qt::LeftButton);
    QVERIFY(control<QFrame>(f.menu, MenuControls::TeacherPanel)->isVisible());
    QVERIFY(f.test.dialogs.shown.isEmpty());
    QVERIFY(!f.menuGone());
}

void TestLevelMenu::startKeys_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("key");
    QTest::newRow("1") << 1 << int(Qt::Key_1);
    QTest::newRow("9") << 9 << int(Qt::Key_9);
    QTest::newRow("10") << 10 << int(Qt::Key_A);
    QTest::newRow("13") << 13 << int(Qt::Key_D);
    QTest::newRow("14 has none") << 14 << int(Qt::Key_unknown);
    QTest::newRow("0 is no level") << 0 << int(Qt::Key_unknown);
}

void TestLevelMenu::startKeys()
{
    QFETCH(int, level);
    QFETCH(int, key);
    QCOMPARE(int(MenuKeys::startKey(level)), key);
    QVERIFY(MenuKeys::startKey(level) != MenuKeys::BackKey);
}

void TestLevelMenu::keys_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<int>("level"); // 0: nothing starts
    QTest::newRow("1") << u"1"_s << false << 1;
    QTest::newRow("4") << u"4"_s << false << 4;
    QTest::newRow("5 with four levels") << u"5"_s << false << 0;
    QTest::newRow("a with four levels") << u"a"_s << false << 0;
    QTest::newRow("upper case") << u"A"_s << false << 0;
    QTest::newRow("teacher panel open") << u"2"_s << true << 0;
}

void TestLevelMenu::keys()
{
    QFETCH(QString, typed);
    QFETCH(bool, panelOpen);
    QFETCH(int, level);
    Fixture f;
    QVERIFY(f.open(1));
    f.state.CurrentLevel = 0;
    control<QFrame>(f.menu, MenuControls::TeacherPanel)->setVisible(panelOpen);
    QTest::keyClicks(f.menu, typed);
    QTRY_COMPARE(f.menuGone(), level != 0);
    QCOMPARE(int(f.state.CurrentLevel), level);
}

// The notice covers the button for the mouse; the key still starts the level.
void TestLevelMenu::keyStartsALevelUnderNotice()
{
    Fixture f(DemoRows, sessions(1, 1, 5, 60));
    QVERIFY(f.open(1));
    QVERIFY(element<QLabel>(f.menu, MenuControls::OveruseNotice, 1)->isVisible());
    QCOMPARE(f.menu->childAt(element<QPushButton>(f.menu, MenuControls::StartButton, 1)->mapTo(f.menu, QPoint(20, 20))),
             element<QLabel>(f.menu, MenuControls::OveruseNotice, 1));
    QTest::keyClick(f.menu, Qt::Key_1);
    QTRY_VERIFY(f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(1));
}

void TestLevelMenu::keyZeroReturnsOnlyWhenEnabled()
{
    Fixture f;
    QVERIFY(f.open(1));
    // As while a list is being filled.
    control<QPushButton>(f.menu, MenuControls::BackButton)->setEnabled(false);
    QTest::keyClick(f.menu, Qt::Key_0);
    QVERIFY(!f.menuGone());
    control<QPushButton>(f.menu, MenuControls::BackButton)->setEnabled(true);
    QTest::keyClick(f.menu, Qt::Key_0);
    QTRY_VERIFY(f.menuGone());
    QVERIFY(f.host.currentScreen()->objectName() == QString::fromLatin1(NameControls::Screen));
}

void TestLevelMenu::keysWaitWhileListsFill()
{
    Fixture f;
    QVERIFY(f.open(1));
    f.state.CurrentLevel = 0;
    // Typed just before the fill, delivered before the menu takes keys again.
    queueWindowSystemKey(&f.host, Qt::Key_2, u"2"_s);
    element<QRadioButton>(f.menu, MenuControls::ViewButtons, 0)->click();
    QTRY_VERIFY(f.menu->keyReady());
    QCOMPARE(f.state.CurrentLevel, qint16(0));
    QVERIFY(!f.menuGone());
    // Dropped, not kept for later.
    QCoreApplication::processEvents();
    QVERIFY(!f.menuGone());
}

void TestLevelMenu::keysWorkAfterEveryViewChange_data()
{
    QTest::addColumn<QList<int>>("clicks"); // views 0..2, then lists as 10 + j
    QTest::newRow("ﾀｲﾑ表示") << QList<int>{0};
    QTest::newRow("本日のみ") << QList<int>{0, 12};
    QTest::newRow("オール表示") << QList<int>{0, 13};
    QTest::newRow("合計本日") << QList<int>{12};
    QTest::newRow("個人ﾀｲﾑ") << QList<int>{2};
}

// Clicks and keys as the window system queues them: the fill disables the
// panel that had the focus, and the keys must still reach the menu.
void TestLevelMenu::keysWorkAfterEveryViewChange()
{
    QFETCH(QList<int>, clicks);
    Fixture f;
    QVERIFY(f.open(1));
    QVERIFY(QTest::qWaitForWindowActive(&f.host));
    QWidget *clicked = nullptr;
    for (int c : clicks) {
        clicked = c < 10 ? static_cast<QWidget *>(element<QRadioButton>(f.menu, MenuControls::ViewButtons, c))
                         : element<QRadioButton>(f.menu, MenuControls::ListButtons, c - 10);
        queueWindowSystemClick(clicked);
        QTRY_VERIFY(static_cast<QRadioButton *>(clicked)->isChecked());
        QTRY_VERIFY(f.menu->keyReady() && control<QFrame>(f.menu, MenuControls::ViewPanel)->isEnabled());
    }
    QCOMPARE(QApplication::focusWidget(), clicked);
    f.state.CurrentLevel = 0;
    queueWindowSystemKey(&f.host, Qt::Key_3, u"3"_s);
    QTRY_VERIFY(f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(3));
}

// A lowest time of 0 or none would end the session after one second.
void TestLevelMenu::levelWithoutATimeLimitDoesNotStart()
{
    // A start-up refuses such a table; the editor can still save one while
    // the program runs.
    Fixture f;
    for (int level = 2; level <= 4; ++level)
        f.state.LevelStandards[std::size_t(level)].MinimumTime = 0;
    QVERIFY(f.open(1));
    f.state.CurrentLevel = 0;
    for (int key : {Qt::Key_2, Qt::Key_3}) {
        QTest::keyClick(f.menu, key);
        QVERIFY(!f.menuGone());
    }
    QTest::mouseClick(element<QLabel>(f.menu, MenuControls::Name, 2), Qt::LeftButton);
    QVERIFY(!f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(0));
    QCOMPARE(f.test.dialogs.shown.size(), 3);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(f.test.dialogs.shown[0].text.contains(u"「引き算」"_s));
    QVERIFY(f.test.dialogs.shown[1].text.contains(u"「かけ算」"_s));
    QVERIFY(f.test.dialogs.shown[1].text.contains(u"タイム回数データ.txt"_s));
    QTest::keyClick(f.menu, Qt::Key_1);
    QTRY_VERIFY(f.menuGone());
}

void TestLevelMenu::oneStartOnly()
{
    Fixture f;
    QVERIFY(f.open(1));
    // A second key arrives while the start repaints the screen.
    queueWindowSystemKey(&f.host, Qt::Key_2, u"2"_s);
    QTest::mouseClick(element<QPushButton>(f.menu, MenuControls::StartButton, 1), Qt::LeftButton);
    QTRY_VERIFY(f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(1));
}

void TestLevelMenu::startByButtonAndName()
{
    Fixture f;
    QVERIFY(f.open(1));
    QTest::mouseClick(element<QLabel>(f.menu, MenuControls::Name, 3), Qt::LeftButton);
    QTRY_VERIFY(f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(3));

    QVERIFY(f.open(1));
    QTest::mouseClick(element<QPushButton>(f.menu, MenuControls::StartButton, 2), Qt::LeftButton);
    QTRY_VERIFY(f.menuGone());
    QCOMPARE(f.state.CurrentLevel, qint16(2));
}

void TestLevelMenu::viewsFillLists()
{
    // やまだ (1) 60 s today at level 1; あおき (2) 90 s last week and a time-out today.
    Fixture f(DemoRows, sessions(1, 1, 1, 60) + sessions(2, 1, 1, 90, Today.addDays(-5)) + sessions(2, 1, 1, 99999));
    QVERIFY(f.open(1));
    LevelMenu *m = f.menu;
    QStringList level1 = lines(element<QListWidget>(m, MenuControls::Results, 1));
    QCOMPARE(level1.size(), 4);
    QCOMPARE(level1[0], u" 1●やまだ　は 11/   11"_s);
    QCOMPARE(level1[3], u" 3　監督　　　  0/    0"_s); // shares the rank of the student above

    element<QRadioButton>(m, MenuControls::ViewButtons, 0)->click(); // time view, best times
    QCOMPARE(element<QRadioButton>(m, MenuControls::ListButtons, 1)->text(), u"BEST表示"_s);
    QCOMPARE(control<QLabel>(m, MenuControls::ListTitle)->text(), u"ベスト成績"_s);
    level1 = lines(element<QListWidget>(m, MenuControls::Results, 1));
    QVERIFY(level1[0].contains(u"    60"_s));
    QVERIFY(level1.last().startsWith(u"--"_s) && level1.last().contains(u"------"_s));

    element<QRadioButton>(m, MenuControls::ListButtons, 2)->click(); // today's log
    QCOMPARE(control<QLabel>(m, MenuControls::ListTitle)->text(), u"本日の成績"_s);
    QCOMPARE(lines(element<QListWidget>(m, MenuControls::Results, 1)).size(), 2);
    QVERIFY(lines(element<QListWidget>(m, MenuControls::Results, 1)).at(1).startsWith(u"　　× "_s));

    element<QRadioButton>(m, MenuControls::ListButtons, 3)->click(); // period log, one month
    QVERIFY(control<QComboBox>(m, MenuControls::PeriodChoice)->isVisible());
    QCOMPARE(lines(element<QListWidget>(m, MenuControls::Results, 1)).size(), 3);
    control<QComboBox>(m, MenuControls::PeriodChoice)->setCurrentIndex(0); // this week: Monday 7 December on
    emit control<QComboBox>(m, MenuControls::PeriodChoice)->activated(0);
    QCOMPARE(m->period(), 1);
    QCOMPARE(lines(element<QListWidget>(m, MenuControls::Results, 1)).size(), 2);

    element<QRadioButton>(m, MenuControls::ViewButtons, 2)->click(); // own history
    QCOMPARE(control<QLabel>(m, MenuControls::ListTitle)->text(), u"個人別ﾀｲﾑ"_s);
    QCOMPARE(lines(element<QListWidget>(m, MenuControls::Results, 1)).size(), 1);
    QVERIFY(lines(element<QListWidget>(m, MenuControls::Results, 1)).at(0).startsWith(u"2026/12/09 "_s));
    QVERIFY(control<QPushButton>(m, MenuControls::BackButton)->isEnabled()
            && control<QFrame>(m, MenuControls::WaitCover)->isHidden());

    element<QRadioButton>(m, MenuControls::ViewButtons, 0)->click();
    auto *grades = control<QComboBox>(m, MenuControls::GradeFilter);
    grades->setCurrentIndex(grades->findText(u"小６"_s));
    emit grades->activated(grades->currentIndex());
    QCOMPARE(element<QListWidget>(m, MenuControls::Results, 1)->count(), 0);
    QVERIFY(control<QPushButton>(m, MenuControls::BackButton)->isEnabled()
            && control<QFrame>(m, MenuControls::WaitCover)->isHidden());
    QTRY_VERIFY(m->keyReady());
}

// Every line of every view shows whole in its column, Japanese included.
void TestLevelMenu::listLinesFitTheirColumn()
{
    Fixture f(DemoRows, sessions(1, 1, 1, 60) + sessions(2, 1, 1, 4321, Today.addDays(-2)) + sessions(3, 2, 1, 99999));
    QVERIFY(f.open(1));
    LevelMenu *m = f.menu;
    const auto check = [m] {
        for (int k = 1; k <= 4; ++k) {
            QListWidget *list = element<QListWidget>(m, MenuControls::Results, k);
            const QFontMetrics metrics(list->font());
            for (const QString &line : lines(list)) {
                if (metrics.horizontalAdvance(line) > list->viewport()->width())
                    return false;
            }
        }
        return true;
    };
    QVERIFY(check());
    element<QRadioButton>(m, MenuControls::ViewButtons, 0)->click();
    QVERIFY(check());
    element<QRadioButton>(m, MenuControls::ListButtons, 3)->click();
    QVERIFY(check());
    element<QRadioButton>(m, MenuControls::ViewButtons, 1)->click(); // period log in the points view: the widest lines
    QVERIFY(element<QListWidget>(m, MenuControls::Results, 1)->count() == 2);
    QVERIFY(check());
}

// Beyond 32767 records the logs still read the newest ones, and today's
// log only the newest 1000 even when more were written today.
void TestLevelMenu::logsReachTheNewestOfALargeFile()
{
    QList<ResultRecord> records = sessions(1, 3, 1, 70);
    records += sessions(2, 2, 33000, 80);
    records += sessions(1, 1, 1, 60);
    Fixture f(DemoRows, records);
    QVERIFY(f.open(1));
    LevelMenu *m = f.menu;
    element<QRadioButton>(m, MenuControls::ViewButtons, 0)->click();
    element<QRadioButton>(m, MenuControls::ListButtons, 2)->click();
    QCOMPARE(element<QListWidget>(m, MenuControls::Results, 1)->count(), 1);
    QCOMPARE(element<QListWidget>(m, MenuControls::Results, 2)->count(), 999);
    QCOMPARE(element<QListWidget>(m, MenuControls::Results, 3)->count(), 0);
    QVERIFY(lines(element<QListWidget>(m, MenuControls::Results, 1)).at(0).startsWith(u"  60秒 12:00●やまだ　は●"_s));
}

void TestLevelMenu::unreadableResultsEndTheProgram()
{
    Fixture f(DemoRows, sessions(1, 1, 1, 60));
    QVERIFY(f.open(1));
    const QString path = ResultsFile::pathIn(f.school.layout().dataFolder);
    QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    element<QRadioButton>(f.menu, MenuControls::ViewButtons, 0)->click();
    element<QRadioButton>(f.menu, MenuControls::ListButtons, 2)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(f.test.dialogs.shown[0].text.startsWith(u"成績ランダムファイル表示"_s));
    QVERIFY(f.test.programEnd.ended);
    QCOMPARE(f.test.programEnd.code, 1);
}

void TestLevelMenu::keyFileOfALocation_data()
{
    QTest::addColumn<QString>("location");
    QTest::addColumn<QString>("path");
    QTest::newRow("drive") << u"A:"_s << u"/mnt/A/keypass.txt"_s;
    QTest::newRow("drive folder") << u"c:\\keys\\"_s << u"/mnt/C/keys//keypass.txt"_s;
    QTest::newRow("empty: the root") << QString() << u"/keypass.txt"_s;
    QTest::newRow("folder") << u"/media/usb"_s << u"/media/usb/keypass.txt"_s;
}

void TestLevelMenu::keyFileOfALocation()
{
    QFETCH(QString, location);
    QFETCH(QString, path);
    QCOMPARE(TeacherAccess::keyFilePath(location), path);
}

namespace {

QByteArray commonDataBytes(const Fixture &f)
{
    return ResultFiles::read(f.school.layout().basePath + u"共通データ.txt"_s);
}

struct TeacherPanel
{
    LevelMenu *menu;
    QFrame *panel;
    QLineEdit *location;
};

// The teacher's menu with its panel open, the key folder stored as its location.
TeacherPanel openPanel(Fixture &f)
{
    f.school.writeText(u"school/共通データ.txt"_s,
                       {u"4"_s, u"\"00123North\""_s, u"00123"_s, u"0"_s, u"\"%1\""_s.arg(f.school.layout().keyFolder),
                        u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s});
    LevelMenu *menu = f.open(9, u"監督"_s);
    if (!menu)
        qFatal("the teacher's menu does not open");
    control<QPushButton>(menu, MenuControls::DataButton)->click();
    auto *panel = control<QFrame>(menu, MenuControls::TeacherPanel);
    return {menu, panel, control<QLineEdit>(panel, MenuControls::Location)};
}

} // namespace

// The start buttons and keys rest while the panel shows.
void TestLevelMenu::teacherPanelHoldsTheStarts()
{
    Fixture f;
    const auto [menu, panel, location] = openPanel(f);
    QCOMPARE(location->text(), f.school.layout().keyFolder);
    element<QPushButton>(menu, MenuControls::StartButton, 1)->click();
    queueWindowSystemKey(&f.host, Qt::Key_1, u"1"_s);
    QTest::qWait(50);
    QVERIFY(!f.menuGone());
}

// A place without the key file: nothing changes.
void TestLevelMenu::teacherPanelRefusesAPlaceWithoutTheKey()
{
    Fixture f;
    const auto [menu, panel, location] = openPanel(f);
    QSignalSpy editor(menu, &LevelMenu::standardEditorRequested);
    const QByteArray before = commonDataBytes(f);
    location->setText(u"A:"_s);
    control<QPushButton>(panel, MenuControls::StandardsButton)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QCOMPARE(f.test.dialogs.shown[0].title, u"注意"_s);
    QCOMPARE(f.test.dialogs.shown[0].text, u"キーフロッピーが見つかりません。"_s);
    QVERIFY(panel->isVisible());
    QCOMPARE(commonDataBytes(f), before);
    QCOMPARE(editor.count(), 0);
}

// Printing and export open over the menu, which is there when they close.
// "データ変更" puts the results list in the menu's place without writing the
// unchanged location; its "戻る" brings a fresh menu.
void TestLevelMenu::teacherPanelOpensItsTools()
{
    Fixture f;
    const auto [menu, panel, location] = openPanel(f);
    for (const char *button : {MenuControls::WorksheetsButton, MenuControls::ExportButton}) {
        QString opened;
        QTimer::singleShot(0, this, [&opened] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                modal->close();
            }
        });
        control<QPushButton>(panel, button)->click();
        QCOMPARE(opened, QString::fromLatin1(qstrcmp(button, MenuControls::ExportButton) == 0 ? "ExportDialog"
                                                                                              : "WorksheetDialog"));
        QCOMPARE(f.host.currentScreen(), menu);
    }

    QSignalSpy editor(menu, &LevelMenu::standardEditorRequested);
    const QByteArray before = commonDataBytes(f);
    location->setText(f.school.layout().keyFolder);
    control<QPushButton>(panel, MenuControls::ResultsButton)->click();
    auto *results = qobject_cast<ResultsManager *>(f.host.currentScreen());
    QVERIFY(results);
    QVERIFY(control<QListView>(results, ResultsManagerControls::List)->isVisible());
    QCOMPARE(f.test.dialogs.shown.size(), 0);
    QCOMPARE(commonDataBytes(f), before);
    QCOMPARE(editor.count(), 0);
    control<QPushButton>(results, ResultsManagerControls::BackButton)->click();
    QTRY_VERIFY(qobject_cast<LevelMenu *>(f.host.currentScreen()));
    QVERIFY(control<QFrame>(f.host.currentScreen(), MenuControls::TeacherPanel)->isHidden());
}

// A new place with an empty key file, written with Windows separators; the
// editor takes the menu's place, and its "戻る" brings a fresh menu.
void TestLevelMenu::teacherPanelStoresANewKeyPlace()
{
    Fixture f;
    const auto [menu, panel, location] = openPanel(f);
    QSignalSpy editor(menu, &LevelMenu::standardEditorRequested);
    const QString usb = f.school.layout().root + u"usb"_s;
    QVERIFY(QDir().mkpath(usb));
    QFile key(usb + u"/keypass.txt"_s);
    QVERIFY(key.open(QIODevice::WriteOnly));
    key.close();
    const QString typed = QString(usb).replace(u'/', u'\\');
    location->setText(typed);
    control<QPushButton>(panel, MenuControls::StandardsButton)->click();
    QCOMPARE(editor.count(), 1);
    const QByteArray expected =
        u"4\r\n\"00123North\"\r\n00123\r\n0\r\n\"%1\"\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"_s.arg(typed).toUtf8();
    QCOMPARE(Cp932::decode(commonDataBytes(f)).toUtf8(), expected);
    QCOMPARE(f.state.KeyPassLocation, usb);

    auto *standards = qobject_cast<StandardEditor *>(f.host.currentScreen());
    QVERIFY(standards);
    control<QPushButton>(standards, StandardEditorControls::BackButton)->click();
    QTRY_VERIFY(qobject_cast<LevelMenu *>(f.host.currentScreen()));
    QVERIFY(control<QFrame>(f.host.currentScreen(), MenuControls::TeacherPanel)->isHidden());
}

// Start-up needed the file; if it cannot be read when the panel opens, the
// panel offers the location read at start-up and stores no other.
void TestLevelMenu::teacherPanelWithoutItsSettingsFile()
{
    Fixture f;
    LevelMenu *menu = f.open(9, u"監督"_s);
    QVERIFY(menu);
    const QString common = f.school.layout().basePath + u"共通データ.txt"_s;
    QVERIFY(QFile::rename(common, common + u".away"_s));
    QSignalSpy editor(menu, &LevelMenu::standardEditorRequested);
    control<QPushButton>(menu, MenuControls::DataButton)->click();
    auto *panel = control<QFrame>(menu, MenuControls::TeacherPanel);
    auto *location = control<QLineEdit>(panel, MenuControls::Location);
    QCOMPARE(location->text(), f.school.layout().keyFolder);

    location->setText(f.school.layout().root);
    QFile key(f.school.layout().root + u"keypass.txt"_s);
    QVERIFY(key.open(QIODevice::WriteOnly));
    key.close();
    control<QPushButton>(panel, MenuControls::StandardsButton)->click();
    QCOMPARE(f.test.dialogs.shown.size(), 1);
    QVERIFY(!QFile::exists(common));
    QCOMPARE(editor.count(), 0);

    location->setText(f.school.layout().keyFolder);
    control<QPushButton>(panel, MenuControls::StandardsButton)->click();
    QCOMPARE(editor.count(), 1);
}

void TestLevelMenu::ownHistoryShowsEachLevelsFacts()
{
    Fixture f;
    // Student 2 got 7×4 (code 36 of multiplication) wrong twice in three tries.
    LevelStats stats{};
    stats[36] = ProblemStat{1.0f, 2.0f, 6.0};
    const QString path = ProblemStatFile::pathFor(f.school.layout().dataFolder, 2);
    QVERIFY(ProblemStatFile::create(path, nullptr));
    QVERIFY(ProblemStatFile::writeLevel(path, 3, stats, nullptr));
    LevelMenu *menu = f.open(2);
    QVERIFY(menu);
    const QString factsName = Controls::arrayName(MenuControls::Facts, 3);
    QVERIFY(!menu->findChild<QWidget *>(factsName) || menu->findChild<QWidget *>(factsName)->isHidden());
    element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    auto *facts = element<QWidget>(menu, MenuControls::Facts, 3);
    // A short screen has no room for ten readable rows: the list keeps it all.
    const auto *list = element<QListWidget>(menu, MenuControls::Results, 3);
    const auto *summary = element<QLabel>(menu, MenuControls::PeriodSummary, 3);
    menu->resize(menu->width(), 520);
    QVERIFY(facts->isHidden());
    QCOMPARE(list->geometry().bottom() + 3, summary->y());
    menu->resize(menu->width(), 900);
    QVERIFY(facts->isVisible());
    QVERIFY(list->geometry().bottom() < facts->y());
    QVERIFY(facts->geometry().bottom() < summary->y());
    const auto *map = control<QTableWidget>(facts, FactMapControls::Map);
    QCOMPARE(map->item(3, 6)->text(), u"×"_s);
    QVERIFY(map->item(3, 6)->toolTip().startsWith(u"7×4＝28 正解1回 まちがい2回"_s));
    QCOMPARE(map->item(0, 0)->text(), u"・"_s);
    element<QRadioButton>(menu, MenuControls::ViewButtons, 0)->click();
    QVERIFY(facts->isHidden());
}

namespace {

// The graph of student 9, opened from the own-history view, under a grade
// filter if one is given.
GraphPane *openGraph(Fixture &f, const QString &grade = {})
{
    if (!f.open(9))
        qFatal("the menu does not open");
    auto *grades = control<QComboBox>(f.menu, MenuControls::GradeFilter);
    if (!grade.isEmpty())
        grades->setCurrentIndex(grades->findText(grade));
    element<QRadioButton>(f.menu, MenuControls::ViewButtons, 2)->click();
    control<QPushButton>(f.menu, MenuControls::GraphButton)->click();
    return control<GraphPane>(f.menu, MenuControls::GraphPane);
}

// Student 9 at level 2, student 2 at levels 1 and 4.
const QList<ResultRecord> GraphRecords =
    sessions(9, 2, 1, 60, Today.addDays(-3)) + sessions(9, 2, 1, 50) + sessions(2, 1, 1, 45) + sessions(2, 4, 1, 100);

} // namespace

void TestLevelMenu::graphShowsTheOwnHistory()
{
    Fixture f(DemoRows, GraphRecords);
    LevelMenu *menu = f.open(9);
    QVERIFY(menu);
    auto *graphButton = control<QPushButton>(menu, MenuControls::GraphButton);
    QVERIFY(graphButton->isHidden());
    element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    QVERIFY(!graphButton->isHidden());
    graphButton->click();
    auto *pane = control<GraphPane>(menu, MenuControls::GraphPane);
    auto *surface = control<GraphSurface>(pane, MenuControls::GraphSurface);
    QVERIFY(pane->isVisible());
    QCOMPARE(surface->bands().size(), std::size_t(3));
    QCOMPARE(surface->bands()[1].band.ownCount, 2);
    QCOMPARE(surface->bands()[1].band.trail.size(), std::size_t(2));
    QVERIFY2(surface->accessibleDescription().contains(u"最高 50秒 / 50秒"_s),
             qPrintable(surface->accessibleDescription()));

    // Any other view closes the graph.
    element<QRadioButton>(menu, MenuControls::ViewButtons, 0)->click();
    QVERIFY(pane->isHidden());
    QVERIFY(graphButton->isHidden());
}

void TestLevelMenu::graphFollowsItsChoosers()
{
    Fixture f(DemoRows, GraphRecords);
    GraphPane *pane = openGraph(f);
    auto *surface = control<GraphSurface>(pane, MenuControls::GraphSurface);
    // A fourth level starts a surface of its own.
    auto *levels = control<QListWidget>(pane, MenuControls::LevelChooser);
    levels->item(3)->setSelected(true);
    QCOMPARE(surface->bands().size(), std::size_t(1));
    QCOMPARE(surface->bands()[0].texts.levelTitle, u"わり算 カズドリ"_s);

    // Another student from the roster chooser, by the number ending its line.
    control<QPushButton>(pane, MenuControls::OtherStudentsButton)->click();
    auto *roster = control<QListWidget>(pane, MenuControls::RosterChooser);
    QVERIFY(roster->isVisible());
    const QList<QListWidgetItem *> aoki = roster->findItems(u"/2"_s, Qt::MatchEndsWith);
    QCOMPARE(aoki.size(), 1);
    aoki[0]->setSelected(true);
    QCOMPARE(pane->shownStudent(), 2);
    QCOMPARE(surface->bands()[0].band.ownCount, 1);
}

// One printer choice for the two chosen students, then a job each, three
// bands to an A4 page: the four levels take two.
void TestLevelMenu::graphPrintsAJobForEachChosenStudent()
{
    Fixture f(DemoRows, GraphRecords);
    GraphPane *pane = openGraph(f);
    control<QListWidget>(pane, MenuControls::LevelChooser)->item(3)->setSelected(true);
    control<QPushButton>(pane, MenuControls::OtherStudentsButton)->click();
    auto *roster = control<QListWidget>(pane, MenuControls::RosterChooser);
    for (const QString &number : {u"/2"_s, u"/9"_s}) {
        const QList<QListWidgetItem *> chosen = roster->findItems(number, Qt::MatchEndsWith);
        QCOMPARE(chosen.size(), 1);
        chosen[0]->setSelected(true);
    }
    QTemporaryDir out;
    const QString pdf = out.filePath(u"graph.pdf"_s);
    int choices = 0;
    QPageSize::PageSizeId paper = QPageSize::Letter;
    pane->setPrinterChooser([&](QPrinter &printer) {
        ++choices;
        paper = printer.pageLayout().pageSize().id();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    auto *print = control<QPushButton>(pane, MenuControls::PrintButton);
    QVERIFY(!print->isHidden());
    print->click();
    QCOMPARE(choices, 1);
    QCOMPARE(paper, QPageSize::A4);
    const QStringList jobs = QDir(out.path()).entryList({u"graph_*.pdf"_s}, QDir::Files, QDir::Name);
    QCOMPARE(jobs.size(), 2);
    QVERIFY2(jobs[0].startsWith(u"graph_2_"_s) && jobs[1].startsWith(u"graph_9_"_s), qPrintable(jobs.join(u' ')));
    for (const QString &job : jobs) {
        const QByteArray bytes = ResultFiles::read(out.filePath(job));
        QCOMPARE(bytes.count(QByteArrayView("/Type /Page\n")) + bytes.count(QByteArrayView("/Type /Page ")), 2);
        // The Japanese texts travel with the file.
        QVERIFY(bytes.contains("/FontFile"));
    }
}

// A grade filter the shown student does not pass: figures, no points.
void TestLevelMenu::graphOfAStudentOutsideTheGradeFilterHasNoPoints()
{
    Fixture f(DemoRows, GraphRecords);
    GraphPane *pane = openGraph(f, u"小３"_s);
    auto *surface = control<GraphSurface>(pane, MenuControls::GraphSurface);
    QCOMPARE(pane->shownStudent(), 9);
    QCOMPARE(surface->bands()[1].band.ownCount, 2);
    QVERIFY(surface->bands()[1].band.points.empty());
    QVERIFY(surface->bands()[1].band.trail.empty());
}

void TestLevelMenu::graphReadsAFileBeyondRecord32767()
{
    const QList<ResultRecord> records =
        sessions(9, 2, 1, 70, Today.addDays(-30)) + sessions(1, 1, 33000, 90) + sessions(9, 2, 1, 50);
    Fixture f(DemoRows, records);
    LevelMenu *menu = f.open(9);
    QVERIFY(menu);
    element<QRadioButton>(menu, MenuControls::ViewButtons, 2)->click();
    control<QPushButton>(menu, MenuControls::GraphButton)->click();
    const auto *surface = control<GraphSurface>(menu, MenuControls::GraphSurface);
    QCOMPARE(surface->bands().size(), std::size_t(3));
    const ResultsGraph::Band &band = surface->bands()[1].band;
    QCOMPARE(band.ownCount, 2);
    QCOMPARE(band.trail.size(), std::size_t(2));
    QCOMPARE(surface->bands()[0].band.classCount, 33000);
}

// A time-out lies thousands of band heights above the axis; it is drawn at
// the surface's edge, not at a coordinate a printer driver chokes on.
void TestLevelMenu::graphKeepsTimeOutsOnItsSurface()
{
    const std::vector<ResultLists::LogRecord> records{{OleDate::fromDate(Today), 0.5, 9, 2, 40},
                                                      {OleDate::fromDate(Today), 0.6, 9, 2, 99999}};
    const ResultsGraph::Band band = ResultsGraph::computeBand(records, {2, 4, 9, Today, true});
    QCOMPARE(band.points.size(), std::size_t(2));
    const QRectF surface(10, 20, 800, 600);
    const QRectF edges = surface.adjusted(-1, -1, 1, 1);
    for (double top : GraphPainter::BandTops) {
        const ResultsGraph::PlotPoint &timeOut = band.points[1];
        const QPointF at = GraphPainter::placeOnSurface(surface, top, timeOut.x, timeOut.offset);
        QVERIFY(edges.contains(at));
        QCOMPARE(at.y(), surface.top() - 1);
        // A point on the scale stays where the rule puts it.
        const ResultsGraph::PlotPoint &counted = band.points[0];
        QCOMPARE(GraphPainter::placeOnSurface(surface, top, counted.x, counted.offset),
                 QPointF(10 + counted.x * 400, 20 + top * 600 + counted.offset * 200));
    }
}

// A first session just under the scale's top ("144秒" under "150秒") and a
// trail of close times on close days: every label keeps clear of the others,
// on the screen and on paper, in every band.
void TestLevelMenu::graphLabelsNeverOverlap()
{
    std::vector<ResultLists::LogRecord> records;
    const qint32 times[] = {144, 143, 141, 140, 138, 137, 135, 134, 132, 131, 129};
    for (int day = 0; day < int(std::size(times)); ++day)
        records.push_back({OleDate::fromDate(Today.addDays(day - 20)), 0.5, 9, 2, times[day]});
    const ResultsGraph::Band band = ResultsGraph::computeBand(records, {2, 4, 9, Today, true});
    QCOMPARE(band.scaleTop, 150);
    QVERIFY(band.trail.size() > 8);

    QImage screen(1000, 620, QImage::Format_RGB32);
    QImage paper(4800, 6800, QImage::Format_RGB32);
    paper.setDotsPerMeterX(23622);
    paper.setDotsPerMeterY(23622);
    for (auto [image, kind] :
         {std::pair{&screen, GraphPainter::Surface::Screen}, std::pair{&paper, GraphPainter::Surface::Paper}}) {
        QPainter painter(image);
        const QRectF surface(QPointF(0, 0), image->size());
        for (double top : GraphPainter::BandTops) {
            const std::vector<GraphPainter::Label> labels =
                GraphPainter::trailLabels(painter, surface, top, band, kind);
            QCOMPARE(labels.size(), 2 + std::size_t(band.hasLastSession) + 2
                                        + 2 * (ResultsGraph::middleTrailLabels(band.trail.size()).size() + 1));
            for (std::size_t i = 0; i < labels.size(); ++i) {
                QVERIFY(!labels[i].rect.isEmpty());
                for (std::size_t j = i + 1; j < labels.size(); ++j) {
                    QVERIFY2(!labels[i].rect.intersects(labels[j].rect),
                             qPrintable(u"%1 / %2"_s.arg(labels[i].text, labels[j].text)));
                }
            }
        }
    }
}

QTEST_MAIN(TestLevelMenu)
#include "tst_levelmenu.moc"
