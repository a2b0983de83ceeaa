#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <set>

#include "state/appstate.h"
#include "store/dailybackup.h"
#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

// Several copies of the program sharing one results file, each a process of
// its own running helper_appender. The copies run with byte-range locks
// enforced per open file, as a school's SMB share enforces them.
class TestConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void appendersNeverInterleave();
    void appendWaitsForAnotherCopysLock();
    void readerWaitsWhileAnOlderCopyLocksTheWholeFile_data();
    void readerWaitsWhileAnOlderCopyLocksTheWholeFile();
    void editsAndAppendsKeepEveryRecord();
    void deleteStoppedAtAnyStepLosesNothing_data();
    void deleteStoppedAtAnyStepLosesNothing();

private:
    std::unique_ptr<QProcess> start(const QStringList &arguments);
    static QString helper();

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

QString TestConcurrency::helper()
{
    return qEnvironmentVariable("KAZUDORI_TEST_BIN") + QStringLiteral("/helpers/helper_appender");
}

void TestConcurrency::init()
{
    QVERIFY2(QFile::exists(helper()), qPrintable(helper()));
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = m_dir->path() + u'/';
}

std::unique_ptr<QProcess> TestConcurrency::start(const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"),
                       qEnvironmentVariable("KAZUDORI_TEST_BIN") + QStringLiteral("/helpers/libenforcedlocks.so"));
    // A sanitizer runtime would otherwise refuse to start behind the preload.
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       environment.value(QStringLiteral("ASAN_OPTIONS")) + QStringLiteral(":verify_asan_link_order=0"));
    process->setProcessEnvironment(environment);
    process->start(helper(), arguments);
    return process;
}

namespace {

// Appended records are student = writer, time = writer * 100000 + sequence.
// Names the ones missing, so that a failure says what was lost.
QString lostAppends(const QList<ResultRecord> &records, int writers, int each)
{
    std::set<std::pair<int, int>> present;
    for (const ResultRecord &r : records)
        if (r.studentNumber >= 1 && r.studentNumber <= writers)
            present.insert({r.studentNumber, r.timeScore - r.studentNumber * 100000});
    QStringList lost;
    for (int w = 1; w <= writers; ++w)
        for (int seq = 0; seq < each; ++seq)
            if (!present.count({w, seq}))
                lost.append(QStringLiteral("%1/%2").arg(w).arg(seq));
    if (lost.isEmpty())
        return {};
    return QStringLiteral("%1 of %2 appended records lost (writer/sequence): %3")
        .arg(lost.size())
        .arg(writers * each)
        .arg(lost.mid(0, 20).join(QStringLiteral(", ")));
}

} // namespace

void TestConcurrency::appendersNeverInterleave()
{
    constexpr int Writers = 4;
    constexpr int Each = 500;
    const QString goFile = m_folder + QStringLiteral("go");
    const QString path = ResultsFile::pathIn(m_folder);
    ResultFiles::write(path, {});

    std::vector<std::unique_ptr<QProcess>> copies;
    for (int w = 1; w <= Writers; ++w)
        copies.push_back(
            start({QStringLiteral("append"), m_folder, QString::number(w), QString::number(Each), goFile}));
    auto loader = start({QStringLiteral("load"), m_folder, QString::number(Writers * Each), goFile});
    for (const auto &p : copies)
        QVERIFY(p->waitForStarted());
    QVERIFY(loader->waitForStarted());
    ResultFiles::write(goFile, {});

    for (const auto &p : copies) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    // Checked before the loader is waited for: it keeps looking for records
    // that were lost.
    const QByteArray bytes = ResultFiles::read(path);
    const QString lost = lostAppends(ResultFiles::decode(bytes), Writers, Each);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
    QCOMPARE(bytes.size(), Writers * Each * ResultRecordLength);

    QVERIFY(loader->waitForFinished(120000));
    QVERIFY2(loader->exitCode() == 0, loader->readAllStandardError().constData());
    const QList<QByteArray> seen = loader->readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(seen.size(), 2);
    qInfo("loads: %s, of them while appending: %s", seen[0].constData(), seen[1].constData());
    QVERIFY2(seen[1].toInt() > 0, "no load ran while the copies appended");
    // Copies that start the day together make one backup copy.
    QCOMPARE(QDir(DailyBackup::folderIn(m_folder)).entryList(QDir::Files).size(), 1);

    std::set<std::pair<int, int>> records;
    std::array<int, Writers + 1> next{};
    for (int i = 0; i < Writers * Each; ++i) {
        const auto *at = reinterpret_cast<const unsigned char *>(bytes.constData()) + i * ResultRecordLength;
        const ResultRecord r = ResultRecord::decode(at);
        const int writer = r.studentNumber;
        QVERIFY(writer >= 1 && writer <= Writers);
        const int seq = r.timeScore - writer * 100000;
        QCOMPARE(seq, next[std::size_t(writer)]++);
        QCOMPARE(int(r.level), seq % MaxLevel + 1);
        QCOMPARE(QByteArray(r.siteCode.data(), 5), QByteArray("00123"));
        QCOMPARE(QByteArray(r.reservedText.data(), 5), QByteArray("     "));
        QCOMPARE(QByteArray(r.pointsText.data(), 5), QByteArray("0    "));
        QCOMPARE(QByteArray(r.spareText.data(), 5), QByteArray(5, '\0'));
        QVERIFY(records.insert({writer, seq}).second);
    }
    QCOMPARE(int(records.size()), Writers * Each);
}

void TestConcurrency::appendWaitsForAnotherCopysLock()
{
    const QString readyFile = m_folder + QStringLiteral("ready");
    ResultFiles::write(ResultsFile::pathIn(m_folder), {});
    auto holder = start({QStringLiteral("hold"), m_folder, QStringLiteral("700"), readyFile});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(readyFile), 10000);

    AppState state;
    state.DataFolder = m_folder;
    TestPlatform tp;
    tp.pause.onWait = [](int) { QThread::msleep(50); };
    QVERIFY(AppendResult(state, tp.platform, 11, 2, 88));
    QVERIFY(tp.pause.waits.size() > 3);
    QCOMPARE(tp.pause.waits.first(), 1000);
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitCode(), 0);

    QVERIFY(LoadResults(state, tp.platform));
    QCOMPARE(state.ResultTable.count, 1);
    QCOMPARE(state.ResultTable.entries[0].timeScore, 88);
}

// Where locks are enforced, reading records that another copy has locked is
// refused: the reader must wait for the lock, not report an error.
void TestConcurrency::readerWaitsWhileAnOlderCopyLocksTheWholeFile_data()
{
    QTest::addColumn<QString>("reader");
    QTest::newRow("tallies") << QStringLiteral("load");
    QTest::newRow("teacher's list and export") << QStringLiteral("list");
}

void TestConcurrency::readerWaitsWhileAnOlderCopyLocksTheWholeFile()
{
    QFETCH(QString, reader);
    constexpr int HoldMs = 1500;
    const QString readyFile = m_folder + QStringLiteral("ready");
    ResultFiles::write(ResultsFile::pathIn(m_folder),
                       ResultFiles::encode({ResultFiles::record(QDate(2026, 4, 1), 1, 1, 100000)}));
    auto holder = start({QStringLiteral("holdwhole"), m_folder, QString::number(HoldMs), readyFile});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(readyFile), 10000);
    QElapsedTimer waited;
    waited.start();
    auto loader = start({reader, m_folder, QStringLiteral("1"), readyFile});
    QVERIFY(loader->waitForFinished(30000));
    QVERIFY2(loader->exitCode() == 0, loader->readAllStandardError().constData());
    QVERIFY2(waited.elapsed() > HoldMs / 2,
             qPrintable(QStringLiteral("the load did not wait: %1 ms").arg(waited.elapsed())));
    QVERIFY(holder->waitForFinished(10000));
    QCOMPARE(holder->exitCode(), 0);
}

namespace {

// Seeded record k: student 900, time 1000 + k. Appended: student = writer,
// time = writer * 100000 + sequence.
QByteArray seededRecords(int count)
{
    QList<ResultRecord> records;
    for (int k = 0; k < count; ++k)
        records.append(ResultFiles::record(QDate(2026, 4, 1), 900, 3, 1000 + k));
    return ResultFiles::encode(records);
}

} // namespace

// Four copies append while a fifth deletes every third seeded record and
// changes the next one.
void TestConcurrency::editsAndAppendsKeepEveryRecord()
{
    constexpr int Writers = 4;
    constexpr int Each = 300;
    constexpr int Seeded = 90;
    const QString goFile = m_folder + QStringLiteral("go");
    const QString path = ResultsFile::pathIn(m_folder);
    ResultFiles::write(path, seededRecords(Seeded));

    std::vector<std::unique_ptr<QProcess>> copies;
    for (int w = 1; w <= Writers; ++w)
        copies.push_back(
            start({QStringLiteral("append"), m_folder, QString::number(w), QString::number(Each), goFile}));
    copies.push_back(start({QStringLiteral("edit"), m_folder, QString::number(Seeded), goFile}));
    for (const auto &p : copies)
        QVERIFY(p->waitForStarted());
    ResultFiles::write(goFile, {});
    for (const auto &p : copies) {
        QVERIFY(p->waitForFinished(120000));
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }

    const QByteArray bytes = ResultFiles::read(path);
    QCOMPARE(bytes.size() % ResultRecordLength, 0);
    const QString lost = lostAppends(ResultFiles::decode(bytes), Writers, Each);
    QVERIFY2(lost.isEmpty(), qPrintable(lost));
    std::array<int, Writers + 1> next{};
    std::set<int> seeded;
    for (const ResultRecord &r : ResultFiles::decode(bytes)) {
        if (r.studentNumber >= 1 && r.studentNumber <= Writers) {
            QCOMPARE(r.timeScore, r.studentNumber * 100000 + next[std::size_t(r.studentNumber)]++);
            continue;
        }
        const int k = r.studentNumber == 777 ? r.timeScore - 50000 : r.timeScore - 1000;
        QVERIFY2(k >= 0 && k < Seeded && k % 3 != 0, qPrintable(QString::number(r.timeScore)));
        QCOMPARE(int(r.studentNumber), k % 3 == 1 ? 777 : 900);
        QCOMPARE(int(r.level), 3);
        QCOMPARE(r.date, ResultFiles::record(QDate(2026, 4, 1), 0, 0, 0).date);
        QVERIFY(seeded.insert(k).second);
    }
    for (int w = 1; w <= Writers; ++w)
        QCOMPARE(next[std::size_t(w)], Each);
    QCOMPARE(int(seeded.size()), Seeded * 2 / 3);
    QVERIFY(!QFile::exists(ResultsRewrite::backupPathIn(m_folder)));
}

void TestConcurrency::deleteStoppedAtAnyStepLosesNothing_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<bool>("deleteFinished");
    QTest::newRow("backup written") << QStringLiteral("backup") << false;
    QTest::newRow("halfway through the shift") << QStringLiteral("shifting") << false;
    QTest::newRow("before the cut") << QStringLiteral("shifted") << false;
    QTest::newRow("before the backup is removed") << QStringLiteral("truncated") << true;
}

// The copy is killed part-way; another copy appends before anyone repairs;
// the next start repairs, says so, and every record but at most the one
// being deleted is there once, the late one last.
void TestConcurrency::deleteStoppedAtAnyStepLosesNothing()
{
    QFETCH(QString, step);
    QFETCH(bool, deleteFinished);
    // More records after the deleted one than one shift block moves.
    const int count = ResultsRewrite::ShiftBlockRecords * 2 + 500;
    constexpr int Deleted = 300;
    const QString path = ResultsFile::pathIn(m_folder);
    const QByteArray before = seededRecords(count);
    ResultFiles::write(path, before);

    auto stopped = start({QStringLiteral("stop"), m_folder, QString::number(Deleted), step});
    QVERIFY(stopped->waitForFinished(60000));
    QCOMPARE(stopped->exitStatus(), QProcess::CrashExit);
    QVERIFY(QFile::exists(ResultsRewrite::backupPathIn(m_folder)));

    AppState state;
    state.DataFolder = m_folder;
    TestPlatform tp;
    QVERIFY(AppendResult(state, tp.platform, 4, 2, 400000));
    QVERIFY(ResultsRewrite::reportInterruptedDelete(state, tp.platform));
    QCOMPARE(tp.dialogs.shown.size(), 1);
    QVERIFY(tp.dialogs.shown[0].text.contains(deleteFinished ? QStringLiteral("消去はすんでいました")
                                                             : QStringLiteral("消去する前の記録にもどしました")));
    QVERIFY(!QFile::exists(ResultsRewrite::backupPathIn(m_folder)));

    QByteArray expected = before;
    if (deleteFinished)
        expected.remove(qsizetype(Deleted - 1) * ResultRecordLength, ResultRecordLength);
    const QByteArray after = ResultFiles::read(path);
    QCOMPARE(after.size(), expected.size() + ResultRecordLength);
    QVERIFY(after.first(expected.size()) == expected);
    QCOMPARE(ResultFiles::decode(after).constLast().timeScore, 400000);

    // Repaired once: a second start has nothing to say.
    QVERIFY(!ResultsRewrite::reportInterruptedDelete(state, tp.platform));
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
