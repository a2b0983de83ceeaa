#include <QTemporaryDir>
#include <QtTest>

#include "drill/problemstat.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"

namespace {

// A file whose every byte is different, so any rewrite shows.
QByteArray patternedFile(int records)
{
    QByteArray bytes(records * ProblemStat::Size, '\0');
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

DrillProblemTable sessionTable()
{
    DrillProblemTable table{};
    for (int i = 1; i <= MaxProblemCount; ++i)
        table[std::size_t(i)] = {i - 1, 1, 1, float(i), float(i % 3), i * 1.25};
    return table;
}

} // namespace

class TestProblemStat : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recordLayout();
    void newFileHasThousandZeroRecords();
    void saveThenLoadRoundTrip();
    void saveLeavesOtherLevelsByteIdentical_data();
    void saveLeavesOtherLevelsByteIdentical();
    void shortFileReadsZerosBeyondItsEnd();
    void unreadableFileIsNeverOverwritten();
    void failedWriteIsReported();
    void levelsOutsideTheFileAreRefused();
    void fileThatCannotBeMadeIsMadeAtSave();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_folder;
};

void TestProblemStat::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_folder = m_dir->path() + u'/';
}

void TestProblemStat::recordLayout()
{
    const ProblemStat stat{2, 1, 12.5};
    const QByteArray bytes = stat.toBytes();
    QCOMPARE(bytes.toHex(), QByteArray("00000040"
                                       "0000803f"
                                       "0000000000002940"));
    QCOMPARE(ProblemStat::fromBytes(bytes), stat);
    QCOMPARE(ProblemStat::fromBytes(bytes.left(4)), (ProblemStat{2, 0, 0}));
    QCOMPARE(ProblemStatFile::pathFor(QStringLiteral("/d/"), 17), QStringLiteral("/d/成績記録17.dat"));
}

void TestProblemStat::newFileHasThousandZeroRecords()
{
    TestPlatform t;
    LevelStatistics stats(m_folder, 5, 2, t.dialogs);
    DrillProblemTable table = sessionTable();
    stats.load(table);
    QCOMPARE(ResultFiles::read(stats.path()), QByteArray(16000, '\0'));
    for (int i = 1; i <= MaxProblemCount; ++i)
        QVERIFY(!table[std::size_t(i)].tried());
    QVERIFY(t.dialogs.shown.isEmpty());
}

void TestProblemStat::saveThenLoadRoundTrip()
{
    TestPlatform t;
    LevelStatistics writer(m_folder, 9, 3, t.dialogs);
    DrillProblemTable empty{};
    writer.load(empty);
    QVERIFY(writer.save(sessionTable()));

    DrillProblemTable loaded{};
    LevelStatistics(m_folder, 9, 3, t.dialogs).load(loaded);
    const DrillProblemTable expected = sessionTable();
    for (int i = 1; i <= MaxProblemCount; ++i) {
        QCOMPARE(loaded[std::size_t(i)].CorrectCount, expected[std::size_t(i)].CorrectCount);
        QCOMPARE(loaded[std::size_t(i)].WrongCount, expected[std::size_t(i)].WrongCount);
        QCOMPARE(loaded[std::size_t(i)].TotalTime, expected[std::size_t(i)].TotalTime);
    }
}

void TestProblemStat::saveLeavesOtherLevelsByteIdentical_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("records");
    QTest::newRow("level 1 of full file") << 1 << 1000;
    QTest::newRow("level 4 of full file") << 4 << 1000;
    QTest::newRow("level 10, last of the file") << 10 << 1000;
    QTest::newRow("level 3 of a file cut inside level 2") << 3 << 150;
    QTest::newRow("level 2 of a file cut mid-record inside it") << 2 << 120;
}

void TestProblemStat::saveLeavesOtherLevelsByteIdentical()
{
    QFETCH(int, level);
    QFETCH(int, records);
    const QString path = ProblemStatFile::pathFor(m_folder, 1);
    // A cut of half a record shows a partly written file is never truncated.
    QByteArray before = patternedFile(records);
    if (records == 120)
        before.chop(8);
    ResultFiles::write(path, before);

    TestPlatform t;
    LevelStatistics stats(m_folder, 1, level, t.dialogs);
    DrillProblemTable table{};
    stats.load(table);
    QVERIFY(stats.save(sessionTable()));

    const QByteArray after = ResultFiles::read(path);
    const qsizetype start = (level - 1) * 1600;
    QCOMPARE(after.left(std::min(start, before.size())), before.left(start));
    QCOMPARE(after.mid(start + 1600), before.mid(start + 1600));
    if (before.size() < start)
        QCOMPARE(after.mid(before.size(), start - before.size()), QByteArray(start - before.size(), '\0'));
    QCOMPARE(after.size(), std::max<qsizetype>(before.size(), start + 1600));
}

// Records beyond a short file's end are never-tried problems; loading leaves
// the file exactly as it was.
void TestProblemStat::shortFileReadsZerosBeyondItsEnd()
{
    const QString path = ProblemStatFile::pathFor(m_folder, 2);
    QByteArray bytes;
    for (int i = 1; i <= 150; ++i)
        bytes += ProblemStat{float(i), 1, 2.0}.toBytes();
    bytes.chop(3);
    ResultFiles::write(path, bytes);

    TestPlatform t;
    DrillProblemTable table{};
    LevelStatistics(m_folder, 2, 2, t.dialogs).load(table);
    QCOMPARE(table[49].CorrectCount, 149.0f);
    QCOMPARE(table[50].CorrectCount, 150.0f);
    QCOMPARE(table[50].TotalTime, 0.0);
    QVERIFY(!table[51].tried());
    QCOMPARE(ResultFiles::read(path), bytes);
    QVERIFY(t.dialogs.shown.isEmpty());
}

void TestProblemStat::unreadableFileIsNeverOverwritten()
{
    // A folder in the file's place cannot be read (permissions do not stop root).
    const QString path = ProblemStatFile::pathFor(m_folder, 3);
    QVERIFY(QDir().mkpath(path));
    TestPlatform t;
    LevelStatistics stats(m_folder, 3, 1, t.dialogs);
    DrillProblemTable table = sessionTable();
    stats.load(table);
    QVERIFY(!table[1].tried());
    QCOMPARE(t.dialogs.shown.size(), 1);
    QVERIFY(t.dialogs.shown[0].text.contains(path));

    QVERIFY(QDir(path).removeRecursively());
    ResultFiles::write(path, patternedFile(1000));
    QVERIFY(!stats.save(sessionTable()));
    QCOMPARE(ResultFiles::read(path), patternedFile(1000));
}

void TestProblemStat::failedWriteIsReported()
{
    TestPlatform t;
    LevelStatistics level(m_folder, 4, 2, t.dialogs);
    DrillProblemTable table{};
    level.load(table);
    // The file turns into a folder before the save: nothing can be written.
    const QString path = level.path();
    QVERIFY(QFile::remove(path));
    QVERIFY(QDir().mkpath(path));
    QVERIFY(!level.save(sessionTable()));
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].title, QStringLiteral("注意"));
}

void TestProblemStat::levelsOutsideTheFileAreRefused()
{
    const QString path = ProblemStatFile::pathFor(m_folder, 6);
    ResultFiles::write(path, patternedFile(1000));
    LevelStats stats{};
    QString error;
    for (int level : {0, -1, 36}) {
        QVERIFY(!ProblemStatFile::readLevel(path, level, stats, &error));
        QVERIFY(!ProblemStatFile::writeLevel(path, level, stats, &error));
    }
    QCOMPARE(ResultFiles::read(path), patternedFile(1000));
}

// Nothing was stored yet, so the session's counters may still be saved once
// the folder is back; the file then gets its full size.
void TestProblemStat::fileThatCannotBeMadeIsMadeAtSave()
{
    const QString folder = m_folder + QStringLiteral("later/");
    TestPlatform t;
    LevelStatistics stats(folder, 8, 2, t.dialogs);
    DrillProblemTable table{};
    stats.load(table);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(stats.save(sessionTable()));
    const QByteArray bytes = ResultFiles::read(stats.path());
    QCOMPARE(bytes.size(), 16000);
    QCOMPARE(bytes.left(1600), QByteArray(1600, '\0'));
    QCOMPARE(ProblemStat::fromBytes(bytes.mid(1600 + 16 * 4)), (ProblemStat{5, 2, 6.25}));
}

QTEST_MAIN(TestProblemStat)
#include "tst_problemstat.moc"
