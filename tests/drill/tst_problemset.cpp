#include <QtTest>

#include "drill/drillproblem.h"

class TestProblemSet : public QObject
{
    Q_OBJECT

private slots:
    void firstAndLastProblems_data();
    void firstAndLastProblems();
    void divisionExamples();
    void everyDivisionIsExact();
    void eachLevelHasHundredDistinctProblems();
    void unknownLevelsAndCodes();
};

void TestProblemSet::firstAndLastProblems_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("problem");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("listText");
    QTest::newRow("add 1") << 1 << 1 << QStringLiteral("1＋1") << 2 << QStringLiteral("1+1");
    QTest::newRow("add 100") << 1 << 100 << QStringLiteral("10＋10") << 20 << QStringLiteral("10+10");
    QTest::newRow("sub 1") << 2 << 1 << QStringLiteral("11－1") << 10 << QStringLiteral("11-1");
    QTest::newRow("sub 100") << 2 << 100 << QStringLiteral("20－10") << 10 << QStringLiteral("20-10");
    QTest::newRow("mul 1") << 3 << 1 << QStringLiteral("1×1") << 1 << QStringLiteral("1×1");
    QTest::newRow("mul 100") << 3 << 100 << QStringLiteral("10×10") << 100 << QStringLiteral("10×10");
    QTest::newRow("mul 24") << 3 << 24 << QStringLiteral("4×3") << 12 << QStringLiteral("4×3");
    QTest::newRow("div 1") << 4 << 1 << QStringLiteral("1÷1") << 1 << QStringLiteral("1÷1");
    QTest::newRow("div 100") << 4 << 100 << QStringLiteral("100÷10") << 10 << QStringLiteral("100÷10");
    QTest::newRow("sub 2") << 2 << 2 << QStringLiteral("12－1") << 11 << QStringLiteral("12-1");
}

void TestProblemSet::firstAndLastProblems()
{
    QFETCH(int, level);
    QFETCH(int, problem);
    QFETCH(QString, shown);
    QFETCH(int, answer);
    QFETCH(QString, listText);
    const auto face = ProblemSet::faceOf(level, problem - 1);
    QVERIFY(face);
    QCOMPARE(QString::number(face->FirstOperand) + face->Operator + QString::number(face->SecondOperand), shown);
    QCOMPARE(face->ExpectedAnswer, answer);
    QCOMPARE(ProblemSet::listText(level, problem - 1), listText);
}

void TestProblemSet::divisionExamples()
{
    QCOMPARE(ProblemSet::listText(4, 79 - 1), QStringLiteral("72÷8"));
    QCOMPARE(ProblemSet::faceOf(4, 79 - 1)->ExpectedAnswer, 9);
    QCOMPARE(ProblemSet::listText(4, 88 - 1), QStringLiteral("72÷9"));
    QCOMPARE(ProblemSet::faceOf(4, 88 - 1)->ExpectedAnswer, 8);
}

void TestProblemSet::everyDivisionIsExact()
{
    for (int code = 0; code < MaxProblemCount; ++code) {
        const auto face = ProblemSet::faceOf(4, code);
        QVERIFY(face);
        QCOMPARE(face->FirstOperand % face->SecondOperand, 0);
        QCOMPARE(face->FirstOperand / face->SecondOperand, face->ExpectedAnswer);
    }
}

// Each program asks every combination once, with answers in its range.
void TestProblemSet::eachLevelHasHundredDistinctProblems()
{
    const int lowest[] = {0, 2, 1, 1, 1};
    const int highest[] = {0, 20, 19, 100, 10};
    for (int level = 1; level <= 4; ++level) {
        QSet<QString> seen;
        for (int code = 0; code < MaxProblemCount; ++code) {
            const auto face = ProblemSet::faceOf(level, code);
            seen.insert(ProblemSet::listText(level, code));
            QVERIFY(face->ExpectedAnswer >= lowest[level] && face->ExpectedAnswer <= highest[level]);
        }
        QCOMPARE(seen.size(), MaxProblemCount);
    }
}

void TestProblemSet::unknownLevelsAndCodes()
{
    QVERIFY(!ProblemSet::faceOf(0, 0));
    QVERIFY(!ProblemSet::faceOf(5, 0));
    QVERIFY(!ProblemSet::faceOf(1, -1));
    QVERIFY(!ProblemSet::faceOf(1, 100));
    QCOMPARE(ProblemSet::listText(5, 3), QString());
}

QTEST_MAIN(TestProblemSet)
#include "tst_problemset.moc"
