#include <QtTest>

#include "drill/problemlists.h"

namespace {

DrillProblemTable tableWith(QList<std::tuple<int, float, float, double>> tried)
{
    DrillProblemTable table{};
    for (int i = 1; i <= MaxProblemCount; ++i)
        table[std::size_t(i)].Code = i - 1;
    for (const auto &[problem, correct, wrong, seconds] : tried) {
        table[std::size_t(problem)].CorrectCount = correct;
        table[std::size_t(problem)].WrongCount = wrong;
        table[std::size_t(problem)].TotalTime = seconds;
    }
    return table;
}

} // namespace

class TestProblemLists : public QObject
{
    Q_OBJECT

private slots:
    void exampleLines();
    void mistakeMarks_data();
    void mistakeMarks();
    void onlyWrongHeadsTheRateList();
    void equalRatesOrderByTheRest();
    void longestAverageFirst();
    void averagesAboveHundredSeconds();
    void neverTriedProblemsAreLeftOut();
};

void TestProblemLists::exampleLines()
{
    const auto lists = ProblemLists::build(3, tableWith({{24, 2, 1, 12}}), 100);
    QCOMPARE(lists.rateLines, QStringList{QStringLiteral("   4×3　→   66.67%     2     1× ")});
    QCOMPARE(lists.timeLines, QStringList{QStringLiteral("   4×3　→  4.00秒     2     1×")});
    // Heard rather than seen: the counts named, the marks left out.
    QCOMPARE(lists.rateSpoken, QStringList{QStringLiteral("4×3 66.67% 正解2回 間違い1回")});
    QCOMPARE(lists.timeSpoken, QStringList{QStringLiteral("4×3 4.00秒 正解2回 間違い1回")});
    DrillProblem problem = tableWith({{24, 2, 1, 12}})[24];
    QVERIFY(ProblemLists::rateEntry(3, problem).startsWith(QStringLiteral(" 66.67%")));
    QVERIFY(ProblemLists::timeEntry(3, problem).startsWith(QStringLiteral("  96.00 \\4×3*")));
}

void TestProblemLists::mistakeMarks_data()
{
    QTest::addColumn<double>("wrong");
    QTest::addColumn<QString>("marks");
    QTest::newRow("none") << 0.0 << QString();
    QTest::newRow("123") << 123.0 << QStringLiteral("★●●×××");
    QTest::newRow("100") << 100.0 << QStringLiteral("★");
    QTest::newRow("19") << 19.0 << QStringLiteral("●×××××××××");
    QTest::newRow("negative from a broken file") << -5.0 << QString();
}

void TestProblemLists::mistakeMarks()
{
    QFETCH(double, wrong);
    QFETCH(QString, marks);
    QCOMPARE(ProblemLists::mistakeMarks(wrong), marks);
}

void TestProblemLists::onlyWrongHeadsTheRateList()
{
    const auto lists =
        ProblemLists::build(1, tableWith({{1, 1, 0, 3}, {2, 5, 5, 20}, {3, 0, 2, 30}, {4, 9, 1, 9}}), 100);
    QCOMPARE(lists.rateLines.size(), 4);
    QCOMPARE(lists.rateLines[0], QStringLiteral("   3+1　→    0.00%     0     2×× "));
    QCOMPARE(lists.rateSpoken[0], QStringLiteral("3+1 0.00% 正解0回 間違い2回"));
    QVERIFY(lists.rateLines[1].contains(QStringLiteral("50.00%")));
    QVERIFY(lists.rateLines[3].contains(QStringLiteral("100.00%")));
    // Average of a problem tried only wrongly is over its wrong answers.
    QVERIFY(lists.timeLines.contains(QStringLiteral("   3+1　→  15.00秒     0     2××")));
}

void TestProblemLists::equalRatesOrderByTheRest()
{
    const auto lists = ProblemLists::build(3, tableWith({{12, 2, 2, 8}, {21, 1, 1, 4}}), 100);
    QVERIFY(lists.rateLines[0].startsWith(QStringLiteral("   1×3　→   50.00%     1     1")));
    QVERIFY(lists.rateLines[1].startsWith(QStringLiteral("   2×2　→   50.00%     2     2")));
}

void TestProblemLists::longestAverageFirst()
{
    const auto lists = ProblemLists::build(2, tableWith({{1, 1, 0, 2}, {2, 1, 0, 9.5}, {3, 2, 0, 7}}), 100);
    QCOMPARE(lists.timeLines.size(), 3);
    QVERIFY(lists.timeLines[0].contains(QStringLiteral("9.50秒")));
    QVERIFY(lists.timeLines[1].contains(QStringLiteral("3.50秒")));
    QVERIFY(lists.timeLines[2].contains(QStringLiteral("2.00秒")));
}

// Negative keys sort as text; every shown time is still the true average,
// even where the seven-character key column cuts the key.
void TestProblemLists::averagesAboveHundredSeconds()
{
    const auto lists =
        ProblemLists::build(1, tableWith({{1, 1, 0, 105}, {2, 1, 0, 150.5}, {3, 1, 0, 1234}, {4, 1, 0, 50}}), 100);
    // Keys "  -5.00" < "  50.00" < " -50.50" < "1134.00" (cut from -1134.00).
    QCOMPARE(lists.timeLines.size(), 4);
    QVERIFY(lists.timeLines[0].startsWith(QStringLiteral("   1+1　→  105.00秒")));
    QVERIFY(lists.timeLines[1].startsWith(QStringLiteral("   4+1　→  50.00秒")));
    QVERIFY(lists.timeLines[2].startsWith(QStringLiteral("   2+1　→  150.50秒")));
    QCOMPARE(lists.timeLines[3], QStringLiteral("   3+1　→  1234.00秒     1     0"));
}

void TestProblemLists::neverTriedProblemsAreLeftOut()
{
    const auto lists = ProblemLists::build(4, tableWith({{79, 0, 1, 3}}), 100);
    QCOMPARE(lists.rateLines.size(), 1);
    QVERIFY(lists.rateLines[0].startsWith(QStringLiteral("  72÷8")));
    QVERIFY(ProblemLists::build(4, tableWith({}), 100).timeLines.isEmpty());
}

QTEST_MAIN(TestProblemLists)
#include "tst_problemlists.moc"
