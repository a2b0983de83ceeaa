#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <set>

#include "state/appstate.h"
#include "app/oledate.h"
#include "demo/demoresults.h"
#include "demo/demoschool.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

class TestDemoResults : public QObject
{
    Q_OBJECT

private slots:
    void seededSessionsArePlausible();
    void sameDayGivesSameFile();
    void existingResultsAreKept();
    void demoSchoolHasResults();
};

void TestDemoResults::seededSessionsArePlausible()
{
    QTemporaryDir dir;
    const QDate today(2026, 12, 9);
    QString error;
    QVERIFY2(DemoResults::seed(dir.path() + u'/', QStringLiteral("00123"), today, &error), qPrintable(error));

    AppState state;
    state.DataFolder = dir.path() + u'/';
    TestPlatform tp;
    tp.clock.set(QDateTime(today, QTime(18, 0)));
    QVERIFY(LoadResults(state, tp.platform));
    const LoadedResults &table = state.ResultTable;
    QVERIFY2(table.count > 300, qPrintable(QString::number(table.count)));

    std::set<int> levels;
    std::set<int> students;
    int timeOuts = 0;
    double previous = -1;
    for (int i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[std::size_t(i)];
        levels.insert(e.level);
        students.insert(e.studentNumber);
        timeOuts += e.timeScore == TimeScore::NoTime;
        QVERIFY(e.timeScore == TimeScore::NoTime || (e.timeScore >= 40 && e.timeScore < 400));
        QVERIFY(e.date >= previous); // append order is date order
        previous = e.date;
    }
    QCOMPARE(levels, (std::set<int>{1, 2, 3, 4}));
    QCOMPARE(*students.begin(), 1);
    QCOMPARE(*students.rbegin(), 30);
    QVERIFY(timeOuts > 0 && timeOuts < table.count / 10);
    QCOMPARE(previous, OleDate::fromDate(today));
    QVERIFY(table.entries[0].date >= OleDate::fromDate(today.addDays(-27)));

    // Every record is whole as the program itself writes it.
    const QByteArray bytes = ResultFiles::read(ResultsFile::pathIn(state.DataFolder));
    QCOMPARE(bytes.size() % ResultRecordLength, 0);
    const ResultRecord last = ResultRecord::decode(reinterpret_cast<const unsigned char *>(bytes.constData())
                                                   + bytes.size() - ResultRecordLength);
    QCOMPARE(QByteArray(last.pointsText.data(), 5), QByteArray("0    "));
    QVERIFY(last.timeOfDay > 0 && last.timeOfDay < 1);
}

void TestDemoResults::sameDayGivesSameFile()
{
    QTemporaryDir a;
    QTemporaryDir b;
    const QDate today(2026, 3, 2);
    QVERIFY(DemoResults::seed(a.path() + u'/', QStringLiteral("00123"), today, nullptr));
    QVERIFY(DemoResults::seed(b.path() + u'/', QStringLiteral("00123"), today, nullptr));
    const QByteArray first = ResultFiles::read(ResultsFile::pathIn(a.path() + u'/'));
    QVERIFY(!first.isEmpty());
    QCOMPARE(ResultFiles::read(ResultsFile::pathIn(b.path() + u'/')), first);
}

void TestDemoResults::existingResultsAreKept()
{
    QTemporaryDir dir;
    const QString path = ResultsFile::pathIn(dir.path() + u'/');
    const QByteArray own = ResultFiles::encode({ResultFiles::record(QDate(2026, 1, 5), 3, 1, 99)});
    ResultFiles::write(path, own);
    QVERIFY(DemoResults::seed(dir.path() + u'/', QStringLiteral("00123"), QDate(2026, 12, 9), nullptr));
    QCOMPARE(ResultFiles::read(path), own);
}

void TestDemoResults::demoSchoolHasResults()
{
    QTemporaryDir dir;
    QString error;
    QVERIFY2(DemoSchool::create(dir.path(), &error), qPrintable(error));
    const DemoSchool::Layout layout = DemoSchool::layoutOf(dir.path());
    QVERIFY(QFile(ResultsFile::pathIn(layout.dataFolder)).size() > 300 * ResultRecordLength);
}

QTEST_GUILESS_MAIN(TestDemoResults)
#include "tst_demoresults.moc"
