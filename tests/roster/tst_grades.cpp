#include <QTest>

#include "roster/grades.h"

class TestGrades : public QObject
{
    Q_OBJECT

private slots:
    void studentOnDate_data();
    void studentOnDate();
    void gradeTexts_data();
    void gradeTexts();
};

void TestGrades::studentOnDate_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("startMonth");
    QTest::addColumn<int>("cohortYear");
    QTest::addColumn<int>("schoolYear");
    QTest::addColumn<int>("gradeNumber");
    QTest::addColumn<QString>("gradeName");
    QTest::addColumn<QString>("gradeLabel");

    QTest::newRow("10 March, before an April start")
        << QDate(2012, 3, 10) << 4 << 2004 << 2011 << 1 << QStringLiteral("小１") << QStringLiteral("小1");
    QTest::newRow("10 April, school year begun")
        << QDate(2012, 4, 10) << 4 << 2004 << 2012 << 2 << QStringLiteral("小２") << QStringLiteral("小2");
    QTest::newRow("1 April, first day") << QDate(2012, 4, 1) << 4 << 2004 << 2012 << 2 << QStringLiteral("小２")
                                        << QStringLiteral("小2");
    QTest::newRow("cohort 1990, grown up")
        << QDate(2012, 3, 10) << 4 << 1990 << 2011 << 15 << QString() << QStringLiteral("大+");
    QTest::newRow("January start, 1 January")
        << QDate(2012, 1, 1) << 1 << 2005 << 2012 << 1 << QStringLiteral("小１") << QStringLiteral("小1");
    QTest::newRow("December start, 30 November")
        << QDate(2012, 11, 30) << 12 << 2005 << 2011 << 0 << QStringLiteral("幼３") << QStringLiteral("幼3");
    QTest::newRow("last junior-high year")
        << QDate(2026, 12, 9) << 4 << 2011 << 2026 << 9 << QStringLiteral("中３") << QStringLiteral("中3");
    QTest::newRow("second high-school year")
        << QDate(2026, 12, 9) << 4 << 2009 << 2026 << 11 << QString() << QStringLiteral("高2");
}

void TestGrades::studentOnDate()
{
    QFETCH(QDate, today);
    QFETCH(int, startMonth);
    QFETCH(int, cohortYear);
    QFETCH(int, schoolYear);
    QFETCH(int, gradeNumber);
    QFETCH(QString, gradeName);
    QFETCH(QString, gradeLabel);

    QCOMPARE(Roster::SchoolYear(today, startMonth), schoolYear);
    const int grade = Roster::GradeNumber(schoolYear, cohortYear);
    QCOMPARE(grade, gradeNumber);
    QCOMPARE(Roster::GradeName(grade), gradeName);
    QCOMPARE(Roster::GradeLabel(grade), gradeLabel);
}

void TestGrades::gradeTexts_data()
{
    QTest::addColumn<int>("gradeNumber");
    QTest::addColumn<QString>("gradeName");
    QTest::addColumn<QString>("gradeLabel");

    auto row = [](int grade, const char *name, const char *label) {
        QTest::addRow("%d", grade) << grade << QString::fromUtf8(name) << QString::fromUtf8(label);
    };
    row(-32000, "", "幼-");
    row(-3, "", "幼-");
    row(-2, "", "幼1");
    row(-1, "", "幼2");
    row(0, "幼３", "幼3");
    row(1, "小１", "小1");
    row(3, "小３", "小3");
    row(6, "小６", "小6");
    row(7, "中１", "中1");
    row(8, "中２", "中2");
    row(9, "中３", "中3");
    row(10, "高１", "高1");
    row(11, "", "高2");
    row(12, "", "高3");
    row(13, "", "大+");
    row(32000, "", "大+");
}

void TestGrades::gradeTexts()
{
    QFETCH(int, gradeNumber);
    QFETCH(QString, gradeName);
    QFETCH(QString, gradeLabel);
    QCOMPARE(Roster::GradeName(gradeNumber), gradeName);
    QCOMPARE(Roster::GradeLabel(gradeNumber), gradeLabel);
}

QTEST_APPLESS_MAIN(TestGrades)
#include "tst_grades.moc"
