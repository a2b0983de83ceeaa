#include <QTest>

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "state/appstate.h"
#include "host/mainwindow.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillscreen.h"
#include "menu/ui/levelmenu.h"
#include "menu/ui/menucontrols.h"
#include "result/ui/resultcontrols.h"
#include "result/ui/resultscreen.h"
#include "roster/siblinglauncher.h"
#include "roster/ui/namecontrols.h"
#include "roster/ui/namescreen.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/sessionfixture.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

namespace {

// The line of the current student ("●") in a list, or an empty text.
QString ownLine(const QListWidget *list)
{
    for (const QString &line : lines(list)) {
        if (line.contains(u'●'))
            return line;
    }
    return {};
}

// The label shows `literal` character for character: as plain text, and
// as wide as those characters (as markup it would shrink to what it marks up).
void showsLiterally(const QLabel *label, const QString &literal)
{
    QVERIFY2(label->text().contains(literal), qPrintable(label->text()));
    QCOMPARE(label->textFormat(), Qt::PlainText);
    QVERIFY(label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(literal));
}

// The program's own start: the splash, then the name screen; null if it never comes.
NameScreen *nameScreenAfterSplash(MainWindow &host)
{
    host.showSplash();
    if (!QTest::qWaitForWindowActive(&host))
        return nullptr;
    return awaitScreen<NameScreen>(host);
}

} // namespace

// The whole road of one session through the real screens, by keys.
class TestRoad : public QObject
{
    Q_OBJECT

private slots:
    void splashToLauncher();
    void namesAndTitlesFromFilesStayText();
};

void TestRoad::splashToLauncher()
{
    SchoolFolder school;
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    auto *names = nameScreenAfterSplash(host);
    QVERIFY(names);

    // The first student of the list, confirmed with "1".
    control<QListWidget>(names, NameControls::NameList)->setFocus();
    QTest::keyClick(control<QListWidget>(names, NameControls::NameList), Qt::Key_Down);
    QTest::keyClick(control<QListWidget>(names, NameControls::NameList), Qt::Key_1);
    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    QPointer<LevelMenu> menu = qobject_cast<LevelMenu *>(host.currentScreen());
    const qint16 student = state.StudentNumber;
    QVERIFY(student > 0);
    const int todayBefore = int(state.ResultTallies.at(1, student).todayCount);
    QVERIFY(menu->keyReady());

    QTest::keyClick(menu, Qt::Key_1);
    QTRY_VERIFY(qobject_cast<DrillScreen *>(host.currentScreen()));
    QCOMPARE(state.CurrentLevel, qint16(1));
    QPointer<DrillScreen> drill = qobject_cast<DrillScreen *>(host.currentScreen());
    QVERIFY(drill);
    QTRY_VERIFY(!menu);

    QTest::mouseClick(control<QPushButton>(drill, DrillControls::StartButton), Qt::LeftButton);
    for (int answered = 0; answered < 100; ++answered) {
        QVERIFY(drill);
        test.clock.advanceMs(900);
        drill->updateClock();
        QTest::keyClicks(drill, QString::number(answerOnScreen(*drill)));
        QTest::keyClick(drill, Qt::Key_Space);
    }
    auto *result = qobject_cast<ResultScreen *>(host.currentScreen());
    QVERIFY(result);
    QCOMPARE(result->outcome().resultTime, 90);
    QTRY_VERIFY(!control<QPushButton>(result, ResultControls::MenuButton)->isHidden());
    QTest::mouseClick(control<QPushButton>(result, ResultControls::MenuButton), Qt::LeftButton);

    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    menu = qobject_cast<LevelMenu *>(host.currentScreen());
    QVERIFY(menu);
    const int todayAfter = int(state.ResultTallies.at(1, student).todayCount);
    QCOMPARE(todayAfter, todayBefore + 1);
    QVERIFY(
        element<QLabel>(menu, MenuControls::TodayCounts, 1)->text().startsWith(QString::number(todayAfter) + u"回/"_s));
    // The ranking of level 1 lists the student's points and today's log the session.
    QVERIFY(!ownLine(element<QListWidget>(menu, MenuControls::Results, 1)).isEmpty());
    element<QRadioButton>(menu, MenuControls::ViewButtons, 0)->click();
    element<QRadioButton>(menu, MenuControls::ListButtons, 2)->click();
    QVERIFY(ownLine(element<QListWidget>(menu, MenuControls::Results, 1)).startsWith(u"  90秒 "_s));

    QTRY_VERIFY(menu->keyReady());
    QTest::keyClick(menu, Qt::Key_0);
    QTRY_VERIFY(qobject_cast<NameScreen *>(host.currentScreen()));
    names = qobject_cast<NameScreen *>(host.currentScreen());
    QTest::keyClick(control<QListWidget>(names, NameControls::NameList), Qt::Key_0);
    QCOMPARE(test.launcher.calls, 1);
    QCOMPARE(test.launcher.program, SiblingLauncher::path(school.layout().programFolder));
    QVERIFY(test.programEnd.ended);
    QCOMPARE(test.programEnd.code, 0);
}

// A "<" in the roster or the site title is a character, not markup.
void TestRoad::namesAndTitlesFromFilesStayText()
{
    const QString name = u"<s>ABC</s>"_s;
    const QString site = u"<b>北</b>"_s;
    SchoolFolder school;
    school.writeText(u"school/新名簿.txt"_s, {u"1,2017,0,0,\"%1\",0,\"\",\"\""_s.arg(name)});
    school.writeText(u"school/共通データ.txt"_s, {u"4"_s, u"\"00123%1\""_s.arg(site), u"0"_s, u"0"_s,
                                                  school.layout().keyFolder, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s});
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    auto *names = nameScreenAfterSplash(host);
    QVERIFY(names);
    auto *list = control<QListWidget>(names, NameControls::NameList);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_1);
    QTRY_VERIFY(qobject_cast<LevelMenu *>(host.currentScreen()));
    auto *menu = qobject_cast<LevelMenu *>(host.currentScreen());
    showsLiterally(control<QLabel>(menu, MenuControls::Student), name);
    showsLiterally(control<QLabel>(menu, MenuControls::Site), site);

    QTest::keyClick(menu, Qt::Key_1);
    QTRY_VERIFY(qobject_cast<DrillScreen *>(host.currentScreen()));
    QPointer<DrillScreen> drill = qobject_cast<DrillScreen *>(host.currentScreen());
    QVERIFY(drill);
    showsLiterally(control<QLabel>(drill, DrillControls::Student), name);
    showsLiterally(control<QLabel>(drill, DrillControls::Site), site);
    // Out of time, straight to the result.
    QTest::mouseClick(control<QPushButton>(drill, DrillControls::StartButton), Qt::LeftButton);
    test.clock.advanceSeconds(drill->session().timeLimit() + 1);
    drill->updateClock();
    auto *result = qobject_cast<ResultScreen *>(host.currentScreen());
    QVERIFY(result);
    showsLiterally(control<QLabel>(result, ResultControls::StudentName), name);
    QVERIFY(test.dialogs.shown.isEmpty());
}

QTEST_MAIN(TestRoad)
#include "tst_road.moc"
