#include <QTest>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "state/appstate.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/timedistribution.h"

using namespace Qt::StringLiterals;

namespace {

const QDate Day(2026, 11, 2);

struct Result
{
    qint16 student;
    qint16 level;
    qint32 time;
};

TimeDistribution distributionOf(const QList<Result> &results)
{
    QList<ResultRecord> records;
    for (const Result &r : results)
        records.append(ResultFiles::record(Day, r.student, r.level, r.time));
    const QByteArray bytes = ResultFiles::encode(records);
    return TimeDistribution::fromRecords(reinterpret_cast<const unsigned char *>(bytes.constData()), records.size());
}

QString stars(int n)
{
    return QString(n, u'★');
}

} // namespace

Q_DECLARE_METATYPE(QList<Result>)

class TestTimeDistribution : public QObject
{
    Q_OBJECT

private slots:
    void listLines_data();
    void listLines();
    void levelZeroIsIgnored();
    void valuesOutsideTheTablesAreLeftOut_data();
    void valuesOutsideTheTablesAreLeftOut();
    void studentsAreNeverMerged();
    void correctionInPlaceIsSeenAtOnce();
    void missingFileIsNotCreated();
};

void TestTimeDistribution::listLines_data()
{
    QTest::addColumn<QList<Result>>("results");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("bestTimes");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    QList<Result> crowded;
    for (int i = 0; i < 25; ++i)
        crowded.append({qint16(i + 1), 2, 45});
    crowded.append({1, 2, 12});
    QTest::newRow("25 in one bucket: header") << crowded << 2 << false << 0 << u"2レベル 今まで26回  （★=2）"_s;
    QTest::newRow("25 in one bucket: 13 stars") << crowded << 2 << false << 5 << u"  40～"_s + stars(13);
    QTest::newRow("1 beside 25: half a star rounds up") << crowded << 2 << false << 2 << u"  10～★"_s;
    QTest::newRow("bucket 0 label") << crowded << 2 << false << 1 << u"  0～"_s;

    const QList<Result> three{{9, 4, 95}, {9, 4, 120}, {9, 4, 88}};
    QTest::newRow("level 4: three results") << three << 4 << false << 0 << u"4レベル 今まで3回  （★=1）"_s;
    QTest::newRow("level 4: 120 in its bucket") << three << 4 << false << 13 << u" 120～★"_s;
    QTest::newRow("level 4: best header") << three << 4 << true << 0 << u"4レベル （★=1）"_s;
    QTest::newRow("level 4: best is 88") << three << 4 << true << 9 << u"  80～★"_s;
    QTest::newRow("level 4: 95 is no best") << three << 4 << true << 10 << u"  90～"_s;

    const QList<Result> timeOut{{3, 1, 99999}};
    QTest::newRow("time-out: bucket 100") << timeOut << 1 << false << 101 << u"1000～★"_s;
    QTest::newRow("time-out: best bucket 30") << timeOut << 1 << true << 31 << u" 300～★"_s;
    QTest::newRow("time-out: best bucket 100 empty") << timeOut << 1 << true << 101 << u"1000～"_s;

    QTest::newRow("no results: scale 1") << timeOut << 7 << false << 0 << u"7レベル 今まで0回  （★=1）"_s;
    QTest::newRow("no results: empty bar") << timeOut << 7 << false << 101 << u"1000～"_s;
}

void TestTimeDistribution::listLines()
{
    QFETCH(QList<Result>, results);
    QFETCH(int, level);
    QFETCH(bool, bestTimes);
    QFETCH(int, line);
    QFETCH(QString, text);
    const TimeDistribution d = distributionOf(results);
    const QStringList lines = bestTimes ? d.bestTimeLines(level) : d.allResultLines(level);
    QCOMPARE(lines.size(), 102);
    QCOMPARE(lines[line], text);
}

void TestTimeDistribution::levelZeroIsIgnored()
{
    const TimeDistribution with = distributionOf({{5, 0, 30}, {5, 0, 20}, {5, 1, 50}});
    QCOMPARE(with.resultCount(0), 0);
    QCOMPARE(with.allResults(0, 3), 0);
    QCOMPARE(with.bestTimes(0, 2), 0);
    QCOMPARE(with.allResultLines(1), distributionOf({{5, 1, 50}}).allResultLines(1));
}

void TestTimeDistribution::valuesOutsideTheTablesAreLeftOut_data()
{
    QTest::addColumn<QList<Result>>("results");
    QTest::newRow("level 51") << QList<Result>{{1, 51, 40}};
    QTest::newRow("level 32767") << QList<Result>{{1, 32767, 40}};
    QTest::newRow("level -1") << QList<Result>{{1, -1, 40}};
    QTest::newRow("level -32768") << QList<Result>{{1, -32768, 40}};
    QTest::newRow("time -5") << QList<Result>{{1, 3, -5}};
    QTest::newRow("time INT32_MIN") << QList<Result>{{1, 3, INT32_MIN}};
}

void TestTimeDistribution::valuesOutsideTheTablesAreLeftOut()
{
    QFETCH(QList<Result>, results);
    results.append({2, 3, 60});
    const TimeDistribution d = distributionOf(results);
    QCOMPARE(d.resultCount(3), 1);
    QCOMPARE(d.allResults(3, 6), 1);
    QCOMPARE(d.bestTimes(3, 6), 1);
    // Asking beyond the tables gives nothing rather than another level's row.
    for (int level : {-1, 0, 51, 100, 32767}) {
        QCOMPARE(d.resultCount(level), 0);
        const QStringList lines = d.allResultLines(level);
        QCOMPARE(lines.size(), 102);
        QVERIFY(!lines.mid(1).join(QString()).contains(u'★'));
    }
    QCOMPARE(d.allResults(3, 101), 0);
    QCOMPARE(d.allResults(3, -1), 0);
}

void TestTimeDistribution::studentsAreNeverMerged()
{
    // Numbers that agree in their last four digits, and ones outside the roster.
    const TimeDistribution d =
        distributionOf({{2345, 3, 50}, {12345, 3, 70}, {-1, 3, 150}, {0, 3, 250}, {32767, 3, 250}, {32767, 3, 2000}});
    QCOMPARE(d.bestTimes(3, 5), 1);
    QCOMPARE(d.bestTimes(3, 7), 1);
    QCOMPARE(d.bestTimes(3, 15), 1);
    QCOMPARE(d.bestTimes(3, 25), 2);
    QCOMPARE(d.bestTimes(3, 30), 0);
    QCOMPARE(d.allResults(3, 100), 1);
}

// A correction in place keeps the size, and within the file system's time
// resolution the time of change too: only reading the file again shows it.
void TestTimeDistribution::correctionInPlaceIsSeenAtOnce()
{
    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
    state.DataFolder = dir.path() + u'/';
    const QString path = ResultsFile::pathIn(state.DataFolder);
    ResultFiles::write(path,
                       ResultFiles::encode({ResultFiles::record(Day, 1, 2, 40), ResultFiles::record(Day, 2, 2, 80)}));
    DistributionSource source(state, test.platform);
    QCOMPARE(source.refresh(), DistributionSource::Status::Read);
    QCOMPARE(source.distribution().resultCount(2), 2);

    const QDateTime before = QFileInfo(path).lastModified();
    ResultFiles::write(path,
                       ResultFiles::encode({ResultFiles::record(Day, 1, 5, 40), ResultFiles::record(Day, 2, 2, 80)}));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(before, QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(QFileInfo(path).lastModified(), before);
    QCOMPARE(source.refresh(), DistributionSource::Status::Read);
    QCOMPARE(source.distribution().resultCount(2), 1);
    QCOMPARE(source.distribution().resultCount(5), 1);
}

void TestTimeDistribution::missingFileIsNotCreated()
{
    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
    state.DataFolder = dir.path() + u'/';
    DistributionSource source(state, test.platform);
    QCOMPARE(source.refresh(), DistributionSource::Status::Missing);
    QVERIFY(!QFileInfo::exists(source.path()));
    QCOMPARE(source.distribution().allResultLines(1)[0], u"1レベル 今まで0回  （★=1）"_s);
    ResultFiles::write(source.path(), ResultFiles::encode({ResultFiles::record(Day, 1, 1, 40)}));
    QCOMPARE(source.refresh(), DistributionSource::Status::Read);
    QCOMPARE(source.distribution().resultCount(1), 1);
}

QTEST_GUILESS_MAIN(TestTimeDistribution)
#include "tst_timedistribution.moc"
