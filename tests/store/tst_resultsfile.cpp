#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>
#include <utility>

#include "state/appstate.h"
#include "app/oledate.h"
#include "store/dailybackup.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

namespace {

// 2026-12-09 (day 46365) 10:30, student 7, level 3, 123 s, site "00123",
// laid out by hand from the record table.
QByteArray goldenRecord()
{
    return QByteArray::fromHex("00000000a0a3e640" // date 46365.0
                               "000000000000dc3f" // time of day 0.4375
                               "0700"
                               "0300"         // student 7, level 3
                               "7b000000"     // time score 123
                               "3030313233"   // "00123"
                               "2020202020"   // reserved: five blanks
                               "3020202020"   // points text "0    "
                               "0000000000"); // spare: five zero bytes
}

} // namespace

class TestResultsFile : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void recordLayout();
    void siteCodeIsShiftJis();
    void appendWritesTheLayout();
    void missingFileIsCreatedEmpty();
    void window_data();
    void window();
    void skippedRecords_data();
    void skippedRecords();
    void personalBestIgnoresOrder_data();
    void personalBestIgnoresOrder();
    void classBestCountsStudentsUpTo1000_data();
    void classBestCountsStudentsUpTo1000();
    void reloadForgetsWhatTheFileNoLongerHolds();
    void partialLastRecord();
    void correctionInPlace();
    void appendWaitsWhileLocked();
    void firstAppendOfTheDayKeepsACopy();
    void writeFailureEndsTheProgram();
    void appendWithoutFolderEndsTheProgram();
    void loadErrorMessage();
    void missingFolderIsRetriedThreeTimes();
    void missingFolderThatAppearsIsLoaded();

private:
    QString resultsPath() const { return ResultsFile::pathIn(m_state->DataFolder); }
    void writeRecords(const QList<ResultRecord> &records)
    {
        ResultFiles::write(resultsPath(), ResultFiles::encode(records));
    }
    bool load() { return LoadResults(*m_state, m_tp->platform); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<TestPlatform> m_tp;
    const QDate m_day{2026, 12, 9};
};

void TestResultsFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<AppState>();
    m_state->DataFolder = m_dir->path() + u'/';
    m_state->SiteCode = QStringLiteral("00123");
    m_tp = std::make_unique<TestPlatform>();
}

void TestResultsFile::recordLayout()
{
    const ResultRecord made = ResultRecord::make(46365, 0.4375, 7, 3, 123, QStringLiteral("00123"));
    QByteArray bytes(ResultRecordLength, 'x');
    made.encode(reinterpret_cast<unsigned char *>(bytes.data()));
    const QByteArray golden = goldenRecord();
    QCOMPARE(golden.size(), ResultRecordLength);
    for (int i = 0; i < ResultRecordLength; ++i)
        QVERIFY2(bytes[i] == golden[i], qPrintable(QStringLiteral("byte %1").arg(i)));

    const ResultRecord back = ResultRecord::decode(reinterpret_cast<const unsigned char *>(golden.constData()));
    QCOMPARE(back.date, 46365.0);
    QCOMPARE(back.timeOfDay, 0.4375);
    QCOMPARE(back.studentNumber, qint16(7));
    QCOMPARE(back.level, qint16(3));
    QCOMPARE(back.timeScore, 123);
    QCOMPARE(QByteArray(back.siteCode.data(), 5), QByteArray("00123"));
    QCOMPARE(QByteArray(back.spareText.data(), 5), QByteArray(5, '\0'));
}

void TestResultsFile::siteCodeIsShiftJis()
{
    const ResultRecord made = ResultRecord::make(0, 0, 1, 1, 1, QStringLiteral("東京"));
    QCOMPARE(QByteArray(made.siteCode.data(), 5), QByteArray::fromHex("938c8b9e20"));
}

void TestResultsFile::appendWritesTheLayout()
{
    m_tp->clock.set(QDateTime(m_day, QTime(10, 30)));
    QVERIFY(AppendResult(*m_state, m_tp->platform, 7, 3, 123));
    QCOMPARE(ResultFiles::read(resultsPath()), goldenRecord());
    QVERIFY(AppendResult(*m_state, m_tp->platform, 7, 3, 123));
    QCOMPARE(ResultFiles::read(resultsPath()), goldenRecord() + goldenRecord());
    QVERIFY(m_tp->dialogs.shown.isEmpty());
}

void TestResultsFile::missingFileIsCreatedEmpty()
{
    QVERIFY(!QFile::exists(resultsPath()));
    QVERIFY(load());
    QVERIFY(QFile::exists(resultsPath()));
    QCOMPARE(QFile(resultsPath()).size(), 0);
    QCOMPARE(m_state->ResultTable.count, 0);
    for (int level = 1; level <= MaxLevel; ++level) {
        QCOMPARE(m_state->ClassBest[std::size_t(level)], TimeScore::NoTime);
        for (int student = 1; student <= MaxStudent; ++student)
            QCOMPARE(m_state->PersonalBest.at(level, student), TimeScore::NoTime);
    }

    QVERIFY(AppendResult(*m_state, m_tp->platform, 1, 1, 90));
    QCOMPARE(QFile(resultsPath()).size(), ResultRecordLength);
}

void TestResultsFile::window_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<int>("firstRecord");

    QTest::newRow("empty") << 0 << 0 << 0;
    QTest::newRow("one") << 1 << 1 << 1;
    QTest::newRow("exactly the window") << 20000 << 20000 << 1;
    QTest::newRow("one more than the window") << 20001 << 20000 << 2;
    QTest::newRow("beyond 16-bit record numbers") << 40000 << 20000 << 20001;
}

void TestResultsFile::window()
{
    QFETCH(int, records);
    QFETCH(int, expectedCount);
    QFETCH(int, firstRecord);

    // Record k carries k as its time score, so each entry names its record.
    QList<ResultRecord> list;
    for (int k = 1; k <= records; ++k)
        list.append(ResultFiles::record(m_day, qint16(k % 3000 + 1), qint16(k % 35 + 1), k));
    writeRecords(list);

    QVERIFY(load());
    const LoadedResults &table = m_state->ResultTable;
    QCOMPARE(table.count, expectedCount);
    for (int i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[std::size_t(i)];
        const int k = firstRecord + i;
        QCOMPARE(e.timeScore, k);
        QCOMPARE(e.studentNumber, qint16(k % 3000 + 1));
        QCOMPARE(e.level, qint16(k % 35 + 1));
        QCOMPARE(e.date, OleDate::fromDate(m_day));
    }
}

void TestResultsFile::skippedRecords_data()
{
    QTest::addColumn<double>("date");
    QTest::addColumn<int>("student");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("kept");

    QTest::newRow("student 0") << 46365.0 << 0 << 1 << false;
    QTest::newRow("student 5001") << 46365.0 << 5001 << 1 << false;
    QTest::newRow("student -3") << 46365.0 << -3 << 1 << false;
    QTest::newRow("student 5000") << 46365.0 << 5000 << 1 << true;
    QTest::newRow("level 0") << 46365.0 << 1 << 0 << false;
    QTest::newRow("level 36") << 46365.0 << 1 << 36 << false;
    QTest::newRow("level 35") << 46365.0 << 1 << 35 << true;
    QTest::newRow("negative date") << -1.0 << 1 << 1 << false;
    QTest::newRow("date 0") << 0.0 << 1 << 1 << true;
    QTest::newRow("NaN date") << std::numeric_limits<double>::quiet_NaN() << 1 << 1 << false;
}

void TestResultsFile::skippedRecords()
{
    QFETCH(double, date);
    QFETCH(int, student);
    QFETCH(int, level);
    QFETCH(bool, kept);

    ResultRecord odd = ResultFiles::record(m_day, qint16(student), qint16(level), 40);
    odd.date = date;
    writeRecords({ResultFiles::record(m_day, 2, 2, 60), odd, ResultFiles::record(m_day, 3, 4, 70)});

    QVERIFY(load());
    const LoadedResults &table = m_state->ResultTable;
    QCOMPARE(table.count, kept ? 3 : 2);
    // The record after a skipped one takes its place.
    const ResultEntry &second = table.entries[1];
    QCOMPARE(second.timeScore, kept ? 40 : 70);
    if (kept)
        QCOMPARE(m_state->PersonalBest.at(level, student), 40);
}

void TestResultsFile::personalBestIgnoresOrder_data()
{
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<int>("best");

    QTest::newRow("80 then 75") << QList<int>{80, 75} << 75;
    QTest::newRow("75 then 80") << QList<int>{75, 80} << 75;
    QTest::newRow("time-out only") << QList<int>{99999} << 99999;
    QTest::newRow("time-out after a time") << QList<int>{120, 99999} << 120;
}

void TestResultsFile::personalBestIgnoresOrder()
{
    QFETCH(QList<int>, times);
    QFETCH(int, best);

    QList<ResultRecord> list;
    for (int t : times)
        list.append(ResultFiles::record(m_day, 12, 5, t));
    list.append(ResultFiles::record(m_day, 13, 5, 10)); // another student's better time
    writeRecords(list);

    QVERIFY(load());
    QCOMPARE(m_state->PersonalBest.at(5, 12), best);
    QCOMPARE(m_state->PersonalBest.at(5, 13), 10);
    QCOMPARE(m_state->PersonalBest.at(4, 12), TimeScore::NoTime);
}

void TestResultsFile::classBestCountsStudentsUpTo1000_data()
{
    QTest::addColumn<QList<int>>("students");
    QTest::addColumn<QList<int>>("times");
    QTest::addColumn<int>("classBest");

    QTest::newRow("1001 is fastest") << QList<int>{1000, 1001} << QList<int>{50, 10} << 50;
    QTest::newRow("only 1001") << QList<int>{1001} << QList<int>{10} << 99999;
    QTest::newRow("student 1 and 999") << QList<int>{1, 999} << QList<int>{70, 65} << 65;
}

void TestResultsFile::classBestCountsStudentsUpTo1000()
{
    QFETCH(QList<int>, students);
    QFETCH(QList<int>, times);
    QFETCH(int, classBest);

    QList<ResultRecord> list;
    for (int i = 0; i < students.size(); ++i)
        list.append(ResultFiles::record(m_day, qint16(students[i]), 9, times[i]));
    writeRecords(list);

    QVERIFY(load());
    QCOMPARE(m_state->ClassBest[9], classBest);
    QCOMPARE(m_state->ClassBest[8], TimeScore::NoTime);
}

void TestResultsFile::reloadForgetsWhatTheFileNoLongerHolds()
{
    writeRecords({ResultFiles::record(m_day, 1000, 3, 40), ResultFiles::record(m_day, 1001, 3, 30),
                  ResultFiles::record(m_day, 1, 35, 20), ResultFiles::record(m_day, 5000, 1, 70)});
    QVERIFY(load());
    QCOMPARE(m_state->ClassBest[3], 40);
    QCOMPARE(m_state->ClassBest[35], 20);
    QCOMPARE(m_state->ClassBest[1], TimeScore::NoTime);
    // A new best as the result screen records it, before the file holds it.
    m_state->PersonalBest.write(4, 2) = 10;

    // The file replaced by a teacher's copy that holds none of them.
    writeRecords({ResultFiles::record(m_day, 500, 3, 60)});
    QVERIFY(load());
    for (const auto &[level, student] : {std::pair{3, 1000}, {3, 1001}, {35, 1}, {1, 5000}, {4, 2}})
        QCOMPARE(m_state->PersonalBest.at(level, student), TimeScore::NoTime);
    QCOMPARE(m_state->PersonalBest.at(3, 500), 60);
    QCOMPARE(m_state->ClassBest[3], 60);
    QCOMPARE(m_state->ClassBest[35], TimeScore::NoTime);
    QCOMPARE(m_state->ClassBest[4], TimeScore::NoTime);
}

void TestResultsFile::partialLastRecord()
{
    const QList<ResultRecord> list{ResultFiles::record(m_day, 1, 1, 100), ResultFiles::record(m_day, 2, 1, 110),
                                   ResultFiles::record(m_day, 3, 1, 120)};
    ResultFiles::write(resultsPath(), ResultFiles::encode(list) + QByteArray(20, '\x7f'));

    QVERIFY(load());
    QCOMPARE(m_state->ResultTable.count, 3);

    m_tp->clock.set(QDateTime(m_day, QTime(10, 30)));
    QVERIFY(AppendResult(*m_state, m_tp->platform, 7, 3, 123));
    QCOMPARE(ResultFiles::read(resultsPath()), ResultFiles::encode(list) + goldenRecord());
}

void TestResultsFile::correctionInPlace()
{
    const QList<ResultRecord> list{ResultFiles::record(m_day, 1, 1, 100), ResultFiles::record(m_day, 2, 1, 110),
                                   ResultFiles::record(m_day, 3, 1, 120)};
    writeRecords(list);

    ResultsFile file;
    QVERIFY(!OpenResultsFile(*m_state, m_tp->platform, file, ResultsFile::Access::ReadWrite).failed());
    ResultRecord second;
    QVERIFY(!file.readRecord(2, second).failed());
    QCOMPARE(second.timeScore, 110);
    second.timeScore = 95;
    second.studentNumber = 9;
    QVERIFY(!file.writeRecord(2, second).failed());
    ResultRecord beyond;
    QVERIFY(file.readRecord(4, beyond).failed());
    file.close();

    QList<ResultRecord> expected = list;
    expected[1].timeScore = 95;
    expected[1].studentNumber = 9;
    QCOMPARE(ResultFiles::read(resultsPath()), ResultFiles::encode(expected));
}

void TestResultsFile::appendWaitsWhileLocked()
{
    QVERIFY(load());
    OsFileLock otherCopy;
    QCOMPARE(otherCopy.tryLock(resultsPath(), nullptr), FileLock::Result::Locked);
    // The other holder lets go during the program's second wait.
    m_tp->pause.onWait = [&](int) {
        if (m_tp->pause.waits.size() == 2)
            otherCopy.unlock(resultsPath());
    };

    QVERIFY(AppendResult(*m_state, m_tp->platform, 4, 2, 95));
    QCOMPARE(m_tp->pause.waits, (QList<int>{1000, 1000}));
    QVERIFY(load());
    QCOMPARE(m_state->ResultTable.count, 1);
    QCOMPARE(m_state->ResultTable.entries[0].timeScore, 95);
    // The lock is given back: another holder can take it now.
    QCOMPARE(otherCopy.tryLock(resultsPath(), nullptr), FileLock::Result::Locked);
}

void TestResultsFile::firstAppendOfTheDayKeepsACopy()
{
    const QList<ResultRecord> before{ResultFiles::record(m_day, 1, 1, 90), ResultFiles::record(m_day, 2, 1, 95)};
    writeRecords(before);
    const QString folder = DailyBackup::folderIn(m_state->DataFolder);
    QVERIFY(QDir().mkpath(folder));
    for (int back = 9; back >= 2; --back)
        ResultFiles::write(DailyBackup::copyPath(m_state->DataFolder, m_day.addDays(-back)), "old");
    const QStringList teachersOwn{QStringLiteral("メモ.txt"), QStringLiteral("成績累積データ_2025.dat")};
    for (const QString &name : teachersOwn)
        ResultFiles::write(folder + name, "keep");

    QVERIFY(AppendResult(*m_state, m_tp->platform, 3, 1, 99));
    QVERIFY(AppendResult(*m_state, m_tp->platform, 4, 1, 99));
    // The file as the day's first append found it, once.
    QCOMPARE(ResultFiles::read(DailyBackup::copyPath(m_state->DataFolder, m_day)), ResultFiles::encode(before));
    QStringList expected = teachersOwn;
    for (int back = 7; back >= 2; --back)
        expected.append(QFileInfo(DailyBackup::copyPath(m_state->DataFolder, m_day.addDays(-back))).fileName());
    expected.append(QFileInfo(DailyBackup::copyPath(m_state->DataFolder, m_day)).fileName());
    expected.sort();
    QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name), expected);
    QVERIFY(m_tp->dialogs.shown.isEmpty());

    // A copy that cannot be made is told once; the results are still written.
    const QDate next = m_day.addDays(1);
    m_tp->clock.set(QDateTime(next, QTime(9, 0)));
    QVERIFY(QDir().mkpath(DailyBackup::copyPath(m_state->DataFolder, next)));
    QVERIFY(AppendResult(*m_state, m_tp->platform, 5, 1, 99));
    QVERIFY(AppendResult(*m_state, m_tp->platform, 6, 1, 99));
    QCOMPARE(m_tp->dialogs.shown.size(), 1);
    QVERIFY2(m_tp->dialogs.shown[0].text.contains(QStringLiteral("バックアップ")),
             qPrintable(m_tp->dialogs.shown[0].text));
    QVERIFY(!m_tp->programEnd.ended);
    QVERIFY(load());
    QCOMPARE(m_state->ResultTable.count, 6);
}

void TestResultsFile::writeFailureEndsTheProgram()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("needs /dev/full");
    // Every write to /dev/full fails with "no space left on device".
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), resultsPath()));

    QVERIFY(!AppendResult(*m_state, m_tp->platform, 1, 1, 100));
    QVERIFY(m_tp->programEnd.ended);
    QCOMPARE(m_tp->dialogs.shown.size(), 1);
    const QString text = m_tp->dialogs.shown[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("成績ランダムファイル記録ディスクがいっぱいです（%1）")
                                 .arg(QDir::toNativeSeparators(resultsPath()))),
             qPrintable(text));
}

void TestResultsFile::appendWithoutFolderEndsTheProgram()
{
    m_state->DataFolder = m_dir->path() + QStringLiteral("/gone/");
    QVERIFY(!AppendResult(*m_state, m_tp->platform, 1, 1, 100));
    QVERIFY(m_tp->programEnd.ended);
    QCOMPARE(m_tp->dialogs.shown.size(), 1);
    QVERIFY(m_tp->dialogs.shown[0].text.startsWith(QStringLiteral("成績ランダムファイル記録")));
    QVERIFY(m_tp->pause.waits.isEmpty());
}

void TestResultsFile::loadErrorMessage()
{
    // A folder where the file should be cannot be opened as a file.
    QVERIFY(QDir().mkpath(resultsPath()));
    QVERIFY(!load());
    QVERIFY(m_tp->programEnd.ended);
    QCOMPARE(m_tp->dialogs.shown.size(), 1);
    const QString text = m_tp->dialogs.shown[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("成績ランダムファイル表示375")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("75/date1899/12/30/i=0/time=00:00:00/name=/Bangou=0/level=0/time=0line3")),
             qPrintable(text));
    QVERIFY(m_tp->pause.waits.isEmpty());
    QCOMPARE(m_state->ResultTable.count, 0);
}

void TestResultsFile::missingFolderIsRetriedThreeTimes()
{
    m_state->DataFolder = m_dir->path() + QStringLiteral("/gone/");
    QVERIFY(!load());
    QCOMPARE(m_tp->pause.waits, (QList<int>{5000, 5000, 5000}));
    QVERIFY(m_tp->programEnd.ended);
    QCOMPARE(m_tp->dialogs.shown.size(), 1);
    const QString text = m_tp->dialogs.shown[0].text;
    QVERIFY2(text.startsWith(QStringLiteral("ファイルがありません3")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("53")), qPrintable(text));
}

void TestResultsFile::missingFolderThatAppearsIsLoaded()
{
    const QString folder = m_dir->path() + QStringLiteral("/late/");
    m_state->DataFolder = folder;
    m_tp->pause.onWait = [&](int) {
        if (m_tp->pause.waits.size() == 3)
            QDir().mkpath(folder);
    };
    QVERIFY(load());
    QCOMPARE(m_tp->pause.waits.size(), 3);
    QVERIFY(m_tp->dialogs.shown.isEmpty());

    // Every load starts counting its retries afresh.
    QVERIFY(QDir(folder).removeRecursively());
    m_tp->pause.waits.clear();
    QVERIFY(load());
    QCOMPARE(m_tp->pause.waits.size(), 3);
    QVERIFY(!m_tp->programEnd.ended);
}

QTEST_GUILESS_MAIN(TestResultsFile)
#include "tst_resultsfile.moc"
