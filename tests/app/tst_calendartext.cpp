#include <QTest>

#include "app/calendartext.h"

using namespace Qt::StringLiterals;

class TestCalendarText : public QObject
{
    Q_OBJECT

private slots:
    void eraDate_data();
    void eraDate();
    void seasonColours_data();
    void seasonColours();
};

void TestCalendarText::eraDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");
    QTest::newRow("today") << QDate(2026, 12, 9) << u"令和8年 12月 09日（水）"_s;
    QTest::newRow("day 05, month without zero") << QDate(2027, 1, 5) << u"令和9年 1月 05日（火）"_s;
    QTest::newRow("last day of Heisei") << QDate(2019, 4, 30) << u"平成31年 4月 30日（火）"_s;
    QTest::newRow("first day of Reiwa is year 1") << QDate(2019, 5, 1) << u"令和1年 5月 01日（水）"_s;
    QTest::newRow("first year of Heisei") << QDate(1989, 1, 8) << u"平成1年 1月 08日（日）"_s;
    QTest::newRow("last day of Showa") << QDate(1989, 1, 7) << u"昭和64年 1月 07日（土）"_s;
}

void TestCalendarText::eraDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(CalendarText::eraDate(date), text);
}

void TestCalendarText::seasonColours_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    const int colours[13][3] = {{0, 0, 0},       {255, 128, 0},   {255, 128, 0},   // winter
                                {192, 255, 192}, {192, 255, 192}, {192, 255, 192}, // spring
                                {0, 192, 192},   {0, 192, 192},   {0, 192, 192},   // summer
                                {192, 64, 0},    {192, 64, 0},    {192, 64, 0},    // autumn
                                {192, 255, 192}};                                  // December
    for (int month = 1; month <= 12; ++month) {
        QTest::addRow("month %d", month) << month << colours[month][0] << colours[month][1] << colours[month][2];
    }
}

void TestCalendarText::seasonColours()
{
    QFETCH(int, month);
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QCOMPARE(CalendarText::seasonColour(month), (RgbColour{red, green, blue}));
}

QTEST_APPLESS_MAIN(TestCalendarText)
#include "tst_calendartext.moc"
