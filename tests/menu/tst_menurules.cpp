#include <QTest>

#include "menu/menurules.h"
#include "roster/login.h"
#include "state/appstate.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

namespace {

constexpr qint16 Student = 1;

// Four levels, the last the goal: clearing takes 5 sessions and 40 points,
// 5 sessions count as overuse.
AppState fourLevels()
{
    AppState state;
    state.LevelCount = 4;
    state.GoalLevel = 4;
    state.StudentNumber = Student;
    for (int level = 1; level <= 4; ++level) {
        LevelStandard &row = state.LevelStandards[std::size_t(level)];
        row.ClearCount = 5;
        row.ClearPoints = 40;
        row.OveruseCount = u"5"_s;
    }
    return state;
}

void setSessions(AppState &state, int level, qint16 count, qint32 points)
{
    TallyCell &cell = state.ResultTallies.write(level, Student);
    cell.periodCount = cell.overuseCount = count;
    cell.periodPoints = points;
}

QList<std::optional<bool>> noticesOf(const AppState &state)
{
    const std::vector<std::optional<bool>> shown = MenuRules::overuseNotices(state, 4).shown;
    return {shown.begin(), shown.end()};
}

} // namespace

class TestMenuRules : public QObject
{
    Q_OBJECT

private slots:
    void overuseNoticeShowsWhereTheStudentMayPassOn();
    void loginTakesTheRosterEntryAndTheClock();
};

void TestMenuRules::overuseNoticeShowsWhereTheStudentMayPassOn()
{
    using Notices = QList<std::optional<bool>>;
    AppState state = fourLevels();
    setSessions(state, 1, 5, 60);
    // Cleared and overused: the notice shows and the next level's goes.
    QVERIFY(MenuRules::maySkipPast(state, 1));
    QCOMPARE(noticesOf(state), (Notices{true, false, std::nullopt, std::nullopt}));

    // Overused but not cleared: nothing to pass on to.
    state.LevelStandards[1].ClearPoints = 500;
    QVERIFY(!MenuRules::maySkipPast(state, 1));
    QCOMPARE(noticesOf(state), (Notices{std::nullopt, std::nullopt, std::nullopt, std::nullopt}));
    // The next level asks for no points, or the student is the teacher.
    state.LevelStandards[2].ClearPoints = 9999;
    QVERIFY(MenuRules::maySkipPast(state, 1));
    state.LevelStandards[2].ClearPoints = 40;
    state.StudentName = u"監督"_s.leftJustified(20, u' ');
    QVERIFY(MenuRules::isTeacher(state));
    QCOMPARE(noticesOf(state), (Notices{true, false, false, false}));

    // With the goal cleared no notice shows.
    setSessions(state, 4, 5, 60);
    const MenuRules::OveruseNotices notices = MenuRules::overuseNotices(state, 4);
    QVERIFY(notices.goalCleared);
    QCOMPARE(notices.shown[0], false);
}

void TestMenuRules::loginTakesTheRosterEntryAndTheClock()
{
    AppState state;
    state.roster.clear(2026);
    RosterEntry entry;
    entry.Number = 12;
    entry.CohortYear = 2017;
    entry.Name = u"やまだ　はなこ"_s.leftJustified(20, u' ');
    state.roster.add(entry, 0);
    FakeClock clock(QDateTime(QDate(2026, 12, 9), QTime(23, 59, 58, 600)));

    logInStudent(state, clock, 12);
    QCOMPARE(state.StudentNumber, qint16(12));
    QCOMPARE(state.StudentName, entry.Name);
    QCOMPARE(state.StudentGrade, u"小３"_s);
    // Rounded to the second as the results file keeps it.
    QCOMPARE(state.LoginTime, 86399);
    QCOMPARE(state.loginTick, clock.tickCount());
    QVERIFY(!MenuRules::isTeacher(state));
}

QTEST_APPLESS_MAIN(TestMenuRules)
#include "tst_menurules.moc"
