#include <QTemporaryDir>
#include <QTest>

#include "app/oledate.h"
#include "roster/grades.h"
#include "roster/rostertable.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/resultslist.h"

using namespace Qt::StringLiterals;

namespace {

const QString Site = u"00123"_s;

// Cohort 2001: "幼３" in the school year 2007, "小１" in 2008.
RosterTable rosterOfYear(int schoolYear)
{
    RosterTable roster;
    roster.clear(schoolYear);
    const auto add = [&roster](qint16 number, qint16 cohort, const QString &name) {
        RosterEntry entry;
        entry.Number = number;
        entry.CohortYear = cohort;
        entry.Name = RosterTable::fixedField(name);
        roster.add(entry, 0);
    };
    add(7, 2001, u"山田太郎"_s);
    add(8, 2001, u"長谷川小百合子"_s);
    add(9, 2001, u"林"_s);
    add(10, 1990, u"大人"_s);
    return roster;
}

ResultRecord recordOf(qint16 student, const QString &site = Site)
{
    const double nineOhFive = (9 * 3600 + 5 * 60 + 7) / 86400.0;
    return ResultRecord::make(OleDate::fromDate(QDate(2008, 3, 5)), nineOhFive, student, 3, 95, site);
}

} // namespace

class TestResultsList : public QObject
{
    Q_OBJECT

private slots:
    void lineLaysOutEveryColumn();
    void namesSitesAndGradesOnTheLine();
    void listingSkipsLevelZeroAndFindsLines();
    void editInputsAreRefusedWhenTheyCannotBeStored();
};

void TestResultsList::lineLaysOutEveryColumn()
{
    const RosterTable roster = rosterOfYear(Roster::SchoolYear(QDate(2008, 3, 31), 4));
    const ResultsList::LineContext context{&roster, Site, u"本校"_s, 4};
    QCOMPARE(ResultsList::line(12, recordOf(7), context),
             u"  12 2008/03/05　  9:05:07ﾚﾍﾞﾙ3　   95秒 　   7 山田太郎　　 幼３++本校"_s);
    ResultRecord timedOut = recordOf(7);
    timedOut.timeScore = 99999;
    timedOut.level = 12;
    QVERIFY(ResultsList::line(12345, timedOut, {&roster, Site, u"本校"_s, ResultsList::numberWidth(12345)})
                .startsWith(u"12345 2008/03/05　  9:05:07ﾚﾍﾞﾙ12　99999秒 "_s));
}

void TestResultsList::namesSitesAndGradesOnTheLine()
{
    const RosterTable march = rosterOfYear(Roster::SchoolYear(QDate(2008, 3, 31), 4));
    const RosterTable april = rosterOfYear(Roster::SchoolYear(QDate(2008, 4, 1), 4));
    const ResultsList::LineContext here{&april, Site, u"本校"_s, 4};
    const auto tail = [](const QString &line) { return line.mid(line.indexOf(u"秒 　"_s) + 3); };

    QCOMPARE(tail(ResultsList::line(1, recordOf(8), here)), u"   8 長谷川小百合 小１++本校"_s);
    QCOMPARE(tail(ResultsList::line(1, recordOf(9), here)), u"   9 林　　　　　 小１++本校"_s);
    QCOMPARE(tail(ResultsList::line(1, recordOf(9), {&march, Site, u"本校"_s, 4})), u"   9 林　　　　　 幼３++本校"_s);
    // Grade 11 and beyond have no grade name; an unknown student no name.
    QCOMPARE(tail(ResultsList::line(1, recordOf(10), here)), u"  10 大人　　　　 ++本校"_s);
    QCOMPARE(tail(ResultsList::line(1, recordOf(44), here)), u"  44 　　　　　 ++本校"_s);
    QCOMPARE(tail(ResultsList::line(1, recordOf(7, u"00999"_s), here)), u"   7 山田太郎　　 小１++他塾"_s);
    // A site without a code writes five blanks, which are no site's code.
    QCOMPARE(ResultsList::siteTag(recordOf(7, QString()), QString(), u"本校"_s), u"他塾"_s);
    QCOMPARE(ResultsList::siteTag(recordOf(7, u"12"_s), u"12"_s, u"本校"_s), u"本校"_s);
    QCOMPARE(ResultsList::siteTag(recordOf(7, u"123"_s), u"12"_s, u"本校"_s), u"他塾"_s);
}

void TestResultsList::listingSkipsLevelZeroAndFindsLines()
{
    QTemporaryDir dir;
    const QString path = ResultsFile::pathIn(dir.path() + u'/');
    ResultsListing listing;
    TestPlatform test;
    QVERIFY(!listing.read(test.platform, path).failed());
    QCOMPARE(listing.lineCount(), 0);
    QCOMPARE(listing.lineAtOrAfter(1), -1);
    QVERIFY2(!QFile::exists(path), "reading must not create the file");

    QList<ResultRecord> records;
    for (int k = 1; k <= 10005; ++k)
        records.append(ResultFiles::record(QDate(2026, 5, 1), qint16(k % 50), k == 2 || k == 10005 ? 0 : 1, k));
    ResultFiles::write(path, ResultFiles::encode(records) + QByteArray(20, 'x'));
    QVERIFY(!listing.read(test.platform, path).failed());
    QCOMPARE(listing.recordCount(), 10005);
    QCOMPARE(listing.lineCount(), 10003);
    QCOMPARE(listing.recordNumber(1), 3);
    QCOMPARE(listing.record(1).timeScore, 3);
    QCOMPARE(listing.recordNumber(10002), 10004);
    QCOMPARE(listing.lineAtOrAfter(2), 1);
    QCOMPARE(listing.lineAtOrAfter(10004), 10002);
    QCOMPARE(listing.lineAtOrAfter(10005), 10002);
    QCOMPARE(ResultsList::numberWidth(listing.recordCount()), 5);
    QCOMPARE(ResultsList::numberWidth(9999), 4);
}

void TestResultsList::editInputsAreRefusedWhenTheyCannotBeStored()
{
    QCOMPARE(ResultsList::typedTime(u" 42.5秒"_s), 42);
    QCOMPARE(ResultsList::typedTime(u"99999"_s), 99999);
    QCOMPARE(ResultsList::typedTime(u"0.6"_s), 1);
    for (const QString &text : {u"abc"_s, u""_s, u"0"_s, u"0.4"_s, u"-5"_s, u"100000"_s})
        QVERIFY2(!ResultsList::typedTime(text), qPrintable(text));

    const RosterTable roster = rosterOfYear(2008);
    QCOMPARE(ResultsList::studentChoice(7, roster.trimmedName(7)), u"7 /  山田太郎"_s);
    QCOMPARE(ResultsList::chosenStudent(u"8 /  長谷川小百合子"_s, roster, 7), 8);
    QCOMPARE(ResultsList::chosenStudent(u" 9/"_s, roster, 7), 9);
    // The record's own student may have left the roster: a time-only change stays possible.
    QCOMPARE(ResultsList::chosenStudent(u"44 /  "_s, roster, 44), 44);
    for (const QString &text : {u"8 長谷川"_s, u"44 /  "_s, u"5001 / x"_s, u"/ 林"_s, u"abc / 林"_s})
        QVERIFY2(!ResultsList::chosenStudent(text, roster, 7), qPrintable(text));
}

QTEST_GUILESS_MAIN(TestResultsList)
#include "tst_resultslist.moc"
