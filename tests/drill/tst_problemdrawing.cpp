#include <QtTest>

#include "drill/problemdrawing.h"
#include "support/testplatform.h"

namespace {

// The draw value that picks problem k of 100.
double pickOf(int k)
{
    return (k - 1 + 0.5) / 100.0;
}

} // namespace

class TestProblemDrawing : public QObject
{
    Q_OBJECT

private slots:
    void drawsEveryProblemOncePerPass();
    void wrongProblemIsNotDrawnAgainInItsPass();
    void allWrongMeansAllOfferedAgain();
    void lastProblemIsDrawnEveryPass();
    void completeWhenAllDone();
    void stuckGeneratorDoesNotHang();
    void showsFaceAndTime();
    void historyTexts_data();
    void historyTexts();
};

void TestProblemDrawing::drawsEveryProblemOncePerPass()
{
    TestPlatform t;
    SystemRandom random;
    ProblemDrawing drawing(random, t.clock);
    QSet<int> drawn;
    for (int i = 0; i < 100; ++i)
        drawn.insert(drawing.drawNext(1).CurrentProblem);
    QCOMPARE(drawn.size(), 100);
}

void TestProblemDrawing::wrongProblemIsNotDrawnAgainInItsPass()
{
    TestPlatform t;
    ProblemDrawing drawing(t.random, t.clock);
    t.random.script({pickOf(5)});
    QCOMPARE(drawing.drawNext(3).CurrentProblem, 5);
    // Problem 5 answered wrongly stays not done; drawing 5 again is refused.
    t.random.script({pickOf(5), pickOf(5), pickOf(6)});
    QCOMPARE(drawing.drawNext(3).CurrentProblem, 6);
}

void TestProblemDrawing::allWrongMeansAllOfferedAgain()
{
    TestPlatform t;
    ProblemDrawing drawing(t.random, t.clock);
    for (int i = 1; i <= 97; ++i)
        drawing.problems()[std::size_t(i)].Done = drawing.problems()[std::size_t(i)].Used = true;
    QSet<int> firstPass;
    for (int k : {98, 99, 100}) {
        t.random.script({pickOf(k)});
        firstPass.insert(drawing.drawNext(1).CurrentProblem);
    }
    QCOMPARE(firstPass, (QSet<int>{98, 99, 100}));
    // All three were wrong: the new pass offers exactly them, each once.
    QSet<int> secondPass;
    for (int k : {100, 99, 98}) {
        t.random.script({pickOf(1), pickOf(50), pickOf(k)});
        secondPass.insert(drawing.drawNext(1).CurrentProblem);
    }
    QCOMPARE(secondPass, (QSet<int>{98, 99, 100}));
}

void TestProblemDrawing::lastProblemIsDrawnEveryPass()
{
    TestPlatform t;
    SystemRandom random;
    ProblemDrawing drawing(random, t.clock);
    // A finished pass in which 42 alone was answered wrongly.
    for (int i = 1; i <= 100; ++i) {
        drawing.problems()[std::size_t(i)].Used = true;
        drawing.problems()[std::size_t(i)].Done = i != 42;
    }
    for (int pass = 0; pass < 5; ++pass) {
        const auto next = drawing.drawNext(2);
        QVERIFY(!next.sessionComplete);
        QCOMPARE(next.CurrentProblem, 42);
    }
}

void TestProblemDrawing::completeWhenAllDone()
{
    TestPlatform t;
    ProblemDrawing drawing(t.random, t.clock);
    for (int i = 1; i <= 100; ++i)
        drawing.problems()[std::size_t(i)].Done = true;
    QVERIFY(drawing.drawNext(1).sessionComplete);
    drawing.clearDone();
    QVERIFY(!drawing.drawNext(1).sessionComplete);
}

// A scripted generator that always answers problem 1 must not freeze the drill.
void TestProblemDrawing::stuckGeneratorDoesNotHang()
{
    TestPlatform t;
    ProblemDrawing drawing(t.random, t.clock);
    t.random.fallback = 0.0;
    QCOMPARE(drawing.drawNext(1).CurrentProblem, 1);
    QCOMPARE(drawing.drawNext(1).CurrentProblem, 2);
}

void TestProblemDrawing::showsFaceAndTime()
{
    TestPlatform t;
    ProblemDrawing drawing(t.random, t.clock);
    t.clock.set(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 5)));
    t.random.script({pickOf(79)});
    const auto next = drawing.drawNext(4);
    QCOMPARE(next.face.FirstOperand, 72);
    QCOMPARE(next.face.Operator, QStringLiteral("÷"));
    QCOMPARE(next.face.SecondOperand, 8);
    QCOMPARE(drawing.expectedAnswer(), 9);
    QCOMPARE(drawing.problemShownAt(), 36005.0f);
}

void TestProblemDrawing::historyTexts_data()
{
    QTest::addColumn<float>("correct");
    QTest::addColumn<float>("wrong");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("first time") << 0.0f << 0.0f << 0.0
                                << QStringList{QStringLiteral("はじめて"), QStringLiteral("－－－"),
                                               QStringLiteral("－－－")};
    QTest::newRow("tried") << 2.0f << 3.0f << 12.5
                           << QStringList{QStringLiteral("5"), QStringLiteral("今まで間違い数=3 ●●●"),
                                          QStringLiteral("2.50秒")};
    QTest::newRow("never wrong") << 4.0f << 0.0f << 8.0
                                 << QStringList{QStringLiteral("4"), QStringLiteral("今まで間違い数=0 "),
                                                QStringLiteral("2.00秒")};
}

void TestProblemDrawing::historyTexts()
{
    QFETCH(float, correct);
    QFETCH(float, wrong);
    QFETCH(double, seconds);
    QFETCH(QStringList, texts);
    DrillProblem problem;
    problem.CorrectCount = correct;
    problem.WrongCount = wrong;
    problem.TotalTime = seconds;
    const auto history = ProblemLists::historyOf(problem);
    QCOMPARE((QStringList{history.tries, history.mistakes, history.average}), texts);
}

QTEST_MAIN(TestProblemDrawing)
#include "tst_problemdrawing.moc"
