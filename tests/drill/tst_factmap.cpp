#include <QTest>

#include "drill/factmap.h"

using namespace Qt::StringLiterals;
using FactMap::Standing;

Q_DECLARE_METATYPE(FactMap::Standing)

class TestFactMap : public QObject
{
    Q_OBJECT

private slots:
    void standing_data();
    void standing();
    void mapFollowsTheHundredSquareSheet();
    void cellSaysFactCountsAndTime();
};

void TestFactMap::standing_data()
{
    QTest::addColumn<float>("correct");
    QTest::addColumn<float>("wrong");
    QTest::addColumn<double>("totalTime");
    QTest::addColumn<int>("target");
    QTest::addColumn<Standing>("expected");
    // Target 120 s for 100 facts: 1.2 s a fact, slow above 1.8 s.
    QTest::newRow("never tried") << 0.f << 0.f << 0.0 << 120 << Standing::NeverTried;
    QTest::newRow("one wrong in five") << 4.f << 1.f << 5.0 << 120 << Standing::OftenWrong;
    QTest::newRow("one wrong in ten, fast") << 9.f << 1.f << 10.0 << 120 << Standing::RightAndFast;
    QTest::newRow("only wrong") << 0.f << 2.f << 2.0 << 120 << Standing::OftenWrong;
    QTest::newRow("slow") << 5.f << 0.f << 10.0 << 120 << Standing::RightButSlow;
    QTest::newRow("just at the pace limit") << 5.f << 0.f << 9.0 << 120 << Standing::RightAndFast;
    QTest::newRow("no target: any time is slow") << 5.f << 0.f << 1.0 << 0 << Standing::RightButSlow;
}

void TestFactMap::standing()
{
    QFETCH(float, correct);
    QFETCH(float, wrong);
    QFETCH(double, totalTime);
    QFETCH(int, target);
    QFETCH(Standing, expected);
    DrillProblem problem;
    problem.CorrectCount = correct;
    problem.WrongCount = wrong;
    problem.TotalTime = totalTime;
    QCOMPARE(FactMap::standingOf(problem, target), expected);
    QVERIFY(!FactMap::markOf(expected).isEmpty());
}

// Every cell holds the fact of its row and column operands, and the
// operands run 1..10 (11..20 for the minuends) as on a sheet.
void TestFactMap::mapFollowsTheHundredSquareSheet()
{
    for (int level = ProblemSet::FirstLevel; level <= ProblemSet::LastLevel; ++level) {
        const int firstColumn = level == 2 ? 11 : 1;
        for (int row = 0; row < FactMap::Side; ++row) {
            QCOMPARE(FactMap::rowOperand(level, row), row + 1);
            for (int column = 0; column < FactMap::Side; ++column) {
                QCOMPARE(FactMap::columnOperand(level, column), firstColumn + column);
                const auto face = ProblemSet::faceOf(level, FactMap::codeAt(row, column));
                QVERIFY(face);
                QCOMPARE(face->SecondOperand, row + 1);
                QCOMPARE(level == 4 ? face->ExpectedAnswer : face->FirstOperand, firstColumn + column);
            }
        }
    }
    QCOMPARE(ProblemSet::withAnswer(4, FactMap::codeAt(6, 7)), u"56÷7＝8"_s);
}

void TestFactMap::cellSaysFactCountsAndTime()
{
    DrillProblem problem;
    problem.Code = FactMap::codeAt(2, 4);
    problem.CorrectCount = 3;
    problem.WrongCount = 1;
    problem.TotalTime = 10;
    QCOMPARE(FactMap::describe(3, problem, 120), u"5×3＝15 正解3回 まちがい1回 平均2.50秒 よくまちがえる"_s);
    problem.CorrectCount = 0;
    problem.WrongCount = 0;
    QCOMPARE(FactMap::describe(3, problem, 120), u"5×3＝15 まだやっていない"_s);
}

QTEST_GUILESS_MAIN(TestFactMap)
#include "tst_factmap.moc"
