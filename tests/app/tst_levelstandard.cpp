#include <QTest>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include "app/levelstandard.h"
#include "demo/demoschool.h"
#include "support/resultfiles.h"

using namespace Qt::StringLiterals;

class TestLevelStandard : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void headerBecomesRowZero();
    void roundTripIsByteIdentical();
    void shorterReloadKeepsLaterRows();
    void extraRowsAreNotStored();
    void unconvertibleValues();
    void incompleteLastRow();
    void writeFailureIsReported();

private:
    QString write(const QStringList &lines);

    QTemporaryDir m_dir;
    QString m_path;
};

void TestLevelStandard::init()
{
    m_path = m_dir.filePath(u"タイム回数データ.txt"_s);
}

QString TestLevelStandard::write(const QStringList &lines)
{
    DemoSchool::writeTextFile(m_path, lines, nullptr);
    return m_path;
}

void TestLevelStandard::headerBecomesRowZero()
{
    write({u"目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"_s,
           u"120,180,40,5,1.5,5,150,14,1,,,"_s, QString(), QString()});
    LevelStandardTable table;
    // Empty lines after the last row are no row.
    table[2].TargetTime = 77;
    QVERIFY(LevelStandardFile::read(m_path, table, nullptr));
    QCOMPARE(table[2].TargetTime, 77);
    const LevelStandard &header = table[0];
    QCOMPARE(header.TargetTime, 0);
    QCOMPARE(header.MinimumTime, 0);
    QCOMPARE(header.ClearPoints, 0);
    QCOMPARE(header.ClearCount, 0);
    QCOMPARE(header.PointMultiplier, 0.0f);
    QCOMPARE(header.OveruseCount, u"禁回"_s);
    QCOMPARE(header.OveruseDays, u"禁期間"_s);
    QCOMPARE(header.unusedColumn10, QString());

    const LevelStandard &level1 = table[1];
    QCOMPARE(level1.TargetTime, 120);
    QCOMPARE(level1.MinimumTime, 180);
    QCOMPARE(level1.ClearPoints, 40);
    QCOMPARE(level1.ClearCount, 5);
    QCOMPARE(level1.PointMultiplier, 1.5f);
    QCOMPARE(level1.overusePointsValue(), 150.0);
    QCOMPARE(level1.judgeDaysValue(), 14.0);
    QCOMPARE(level1.unusedColumn12, QString());
}

void TestLevelStandard::roundTripIsByteIdentical()
{
    LevelStandardTable table;
    table[1] = {120, 180, 40, 5, 1.5f, u"5"_s, u"150"_s, u"14"_s, u"1"_s, {}, {}, {}};
    table[2] = {150, 220, 9999, 9999, 1.2f, u"0"_s, u"300"_s, u"7"_s, u"1"_s, u"memo"_s, {}, u"3.25"_s};
    table[3] = {90, 120, 30, 3, 1.0f, {}, {}, u"0"_s, u"0"_s, {}, {}, {}};
    const QString first = m_dir.filePath(u"first.txt"_s);
    const QString second = m_dir.filePath(u"second.txt"_s);
    QVERIFY(LevelStandardFile::write(first, LevelStandardFile::toRows(table, 3), nullptr));

    const QByteArray bytes = ResultFiles::read(first);
    QVERIFY(
        bytes.startsWith(QByteArray("\x96\xDA\x95\x57Time,\x8D\xC5\x92\xE1Time,\xB8\xD8\xB1\xCE\xDF\xB2\xDD\xC4,")));
    QVERIFY(bytes.contains(",,,\r\n120,180,40,5,1.5,5,150,14,1,,,\r\n"));
    QVERIFY(bytes.endsWith("90,120,30,3,1,,,0,0,,,\r\n"));

    LevelStandardTable reread;
    QVERIFY(LevelStandardFile::read(first, reread, nullptr));
    QCOMPARE(reread[2].PointMultiplier, 1.2f);
    QCOMPARE(reread[2].unusedColumn10, u"memo"_s);
    QVERIFY(LevelStandardFile::write(second, LevelStandardFile::toRows(reread, 3), nullptr));
    QCOMPARE(ResultFiles::read(second), bytes);
}

void TestLevelStandard::shorterReloadKeepsLaterRows()
{
    LevelStandardTable table;
    table[3].TargetTime = 333;
    table[3].JudgeDays = u"9"_s;
    write({u"目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"_s, u"1,2,3,4,5,6,7,8,9,,,"_s,
           u"10,20,30,40,50,60,70,80,90,,,"_s});
    QVERIFY(LevelStandardFile::read(m_path, table, nullptr));
    QCOMPARE(table[2].TargetTime, 10);
    QCOMPARE(table[3].TargetTime, 333);
    QCOMPARE(table[3].JudgeDays, u"9"_s);
}

void TestLevelStandard::extraRowsAreNotStored()
{
    QStringList lines{LevelStandardFile::headerTexts().join(u',')};
    for (int level = 1; level <= 40; ++level)
        lines.append(u"%1,2,3,4,5,6,7,8,9,,,"_s.arg(level));
    write(lines);
    LevelStandardTable table;
    QVERIFY(LevelStandardFile::read(m_path, table, nullptr));
    QCOMPARE(table[35].TargetTime, 35);
    QCOMPARE(int(table.size()), 36);
}

void TestLevelStandard::unconvertibleValues()
{
    write({LevelStandardFile::headerTexts().join(u','), u"abc,12.5,13.5,99999,x,007,1.50,text,,,,"_s});
    LevelStandardTable table;
    QVERIFY(LevelStandardFile::read(m_path, table, nullptr));
    QCOMPARE(table[1].TargetTime, 0);
    QCOMPARE(table[1].MinimumTime, 12); // halves go to the even neighbour
    QCOMPARE(table[1].ClearPoints, 14);
    QCOMPARE(table[1].ClearCount, qint16(32767)); // held within 16 bits
    QCOMPARE(table[1].PointMultiplier, 0.0f);
    QCOMPARE(table[1].OveruseCount, u"7"_s);
    QCOMPARE(table[1].OverusePoints, u"1.5"_s);
    QCOMPARE(table[1].JudgeDays, u"text"_s);
    QCOMPARE(table[1].judgeDaysValue(), 0.0);
}

void TestLevelStandard::incompleteLastRow()
{
    LevelStandardTable table;
    table[2].TargetTime = 77;
    write({LevelStandardFile::headerTexts().join(u','), u"5,6,7"_s});
    QVERIFY(LevelStandardFile::read(m_path, table, nullptr));
    QCOMPARE(table[1].TargetTime, 5);
    QCOMPARE(table[1].ClearPoints, 7);
    QCOMPARE(table[1].ClearCount, 0);
    QCOMPARE(table[2].TargetTime, 77);
}

void TestLevelStandard::writeFailureIsReported()
{
    // A folder standing where the file should be makes the write fail.
    const QString blocked = m_dir.filePath(u"blocked"_s);
    QVERIFY(QDir().mkpath(blocked));
    QString error;
    QVERIFY(!LevelStandardFile::write(blocked, {LevelStandardFile::headerTexts()}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(QFileInfo(blocked).isDir());
    LevelStandardTable table;
    error.clear();
    QVERIFY(!LevelStandardFile::read(m_dir.filePath(u"absent.txt"_s), table, &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TestLevelStandard)
#include "tst_levelstandard.moc"
