#include <QBuffer>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "state/appstate.h"
#include "app/oledate.h"
#include "state/startup.h"
#include "drill/problemstat.h"
#include "platform/cp932.h"
#include "roster/grades.h"
#include "store/resultsfile.h"
#include "support/resultfiles.h"
#include "support/testplatform.h"
#include "teacher/csvwriter.h"
#include "teacher/resultsexport.h"

using namespace Qt::StringLiterals;

namespace {

using Rows = QList<QStringList>;

const QString Site = u"00123"_s;
const QString TrickyName = u"山田,\"はな\""_s;

// Python's csv module reading `path` in `encoding` ("utf-8-sig" or "cp932"):
// the rows as a parser that knows nothing of this program sees them.
Rows readBack(const QString &path, const QString &encoding)
{
    const QString script = uR"(import csv, json, sys
with open(sys.argv[2], newline='', encoding=sys.argv[1]) as f:
    print(json.dumps(list(csv.reader(f))))
)"_s;
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, script, encoding, path});
    if (!python.waitForFinished(30000) || python.exitCode() != 0)
        qWarning("python3: %s", python.readAllStandardError().constData());
    Rows rows;
    const QJsonArray table = QJsonDocument::fromJson(python.readAllStandardOutput()).array();
    for (const QJsonValue &row : table) {
        QStringList fields;
        const QJsonArray values = row.toArray();
        for (const QJsonValue &field : values)
            fields.append(field.toString());
        rows.append(fields);
    }
    return rows;
}

QString pythonEncoding(CsvEncoding encoding)
{
    return encoding == CsvEncoding::Cp932 ? u"cp932"_s : u"utf-8-sig"_s;
}

double clockTime(int hours, int minutes, int seconds)
{
    return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

ResultRecord session(QDate date, double timeOfDay, qint16 student, qint16 level, qint32 time,
                     const QString &site = Site)
{
    return ResultRecord::make(OleDate::fromDate(date), timeOfDay, student, level, time, site);
}

// A school on 2026-12-09 whose four levels have a 100-second target: a
// session of 5 or more in 14 days with 40 points or more clears a level.
struct School
{
    School()
    {
        state.DataFolder = dir.path() + u"/data/"_s;
        QDir().mkpath(state.DataFolder);
        state.SiteCode = Site;
        state.SiteTitle = u"本校"_s;
        Startup::SetUpLevelCatalogue(state);
        for (int level = 1; level <= 4; ++level) {
            LevelStandard &row = state.LevelStandards[std::size_t(level)];
            row.TargetTime = 100;
            row.PointMultiplier = 1.0f;
            row.ClearCount = 5;
            row.ClearPoints = 40;
            row.JudgeDays = u"14"_s;
            row.OveruseDays = u"1"_s;
        }
        // Cohort 2017 is in its third year of school in the school year 2026.
        state.roster.clear(Roster::SchoolYear(test.clock.today(), 4));
        addStudent(7, 2017, TrickyName);
        addStudent(8, 2016, u"佐藤　一郎"_s);
        addStudent(9, 2017, u"林"_s);
    }
    void addStudent(qint16 number, qint16 cohort, const QString &name)
    {
        RosterEntry entry;
        entry.Number = number;
        entry.CohortYear = cohort;
        entry.Name = RosterTable::fixedField(name);
        state.roster.add(entry, 0);
    }
    void writeResults(const QList<ResultRecord> &records) const
    {
        ResultFiles::write(ResultsFile::pathIn(state.DataFolder), ResultFiles::encode(records));
    }
    QString outPath(const QString &name) const { return dir.path() + u'/' + name; }
    QStringList dataFiles() const { return QDir(state.DataFolder).entryList(QDir::Files); }

    QTemporaryDir dir;
    TestPlatform test;
    AppState state;
};

} // namespace

class TestResultsExport : public QObject
{
    Q_OBJECT

private slots:
    void csvFieldsSurviveAParser();
    void resultsReadBackInBothEncodings();
    void summaryCountsEachStudentsLevels();
    void factsOfChosenStudents();
    void workbookHoldsTheThreeTables();
};

void TestResultsExport::csvFieldsSurviveAParser()
{
    const QStringList fields{u"a,b"_s,    u"say \"hi\""_s, u"two\r\nlines"_s, u"lf\nonly"_s,
                             u" 空白 "_s, u""_s,           u"\""_s,           u"①髙～"_s};
    // Texts a spreadsheet would run as a formula are read as text; a
    // negative number stays a number.
    const QStringList formulas{u"=1+2"_s, u"+1"_s, u"-x"_s, u"@SUM(1)"_s, u"\tx"_s, u"\rx"_s, u"=A1,B1"_s};
    const QStringList guarded{u"'=1+2"_s, u"'+1"_s, u"'-x"_s, u"'@SUM(1)"_s, u"'\tx"_s, u"'\rx"_s, u"'=A1,B1"_s};
    QTemporaryDir dir;
    for (CsvEncoding encoding : {CsvEncoding::Utf8WithBom, CsvEncoding::Cp932}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CsvWriter csv(buffer, encoding);
        // Enough rows to be written in several chunks.
        for (int row = 0; row < 3000; ++row) {
            for (const QString &text : fields + formulas)
                csv.field(text);
            csv.field(-row);
            csv.endRow();
        }
        QVERIFY(csv.finish());
        QCOMPARE(csv.rowCount(), 3000);
        const QByteArray bytes = buffer.data();
        QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), encoding == CsvEncoding::Utf8WithBom);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.contains("\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\""));

        const QString path = dir.filePath(u"fields.csv"_s);
        ResultFiles::write(path, bytes);
        const Rows rows = readBack(path, pythonEncoding(encoding));
        QCOMPARE(rows.size(), 3000);
        QCOMPARE(rows.first(), fields + guarded + QStringList{u"0"_s});
        QCOMPARE(rows.last(), fields + guarded + QStringList{u"-2999"_s});
    }

    // A device that refuses the bytes is noticed.
    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    CsvWriter refused(readOnly, CsvEncoding::Cp932);
    refused.field(u"x"_s);
    refused.endRow();
    QVERIFY(!refused.finish());
}

void TestResultsExport::resultsReadBackInBothEncodings()
{
    School school;
    const QDate first(2026, 12, 1);
    school.writeResults({session(first, clockTime(9, 5, 7), 7, 1, 50),
                         session(first, clockTime(13, 40, 0), 8, 2, 99999),
                         session(first.addDays(1), clockTime(10, 0, 59), 9, 3, 100, u"00999"_s),
                         session(first.addDays(1), clockTime(11, 0, 0), 9, 0, 70),
                         session(first.addDays(2), clockTime(8, 30, 0), 44, 4, 199),
                         session(first.addDays(2), clockTime(8, 40, 0), 9, 1, 5000)});
    const QStringList before = school.dataFiles();
    // Points as the lists give them on a 100-second target: 50 s earns 11,
    // 100 s 5, 199 s 4, a time-out nothing. The level-0 record is no session;
    // 5000 s is a session given up, with no seconds, as the tallies count it.
    const Rows expected{
        {u"日付"_s, u"時刻"_s, u"番号"_s, u"名前"_s, u"学年"_s, u"レベル"_s, u"タイム(秒)"_s, u"時間切れ・中断"_s,
         u"ポイント"_s, u"場所"_s},
        {u"2026-12-01"_s, u"9:05:07"_s, u"7"_s, TrickyName, u"小３"_s, u"足し算"_s, u"50"_s, u""_s, u"11"_s, u"本校"_s},
        {u"2026-12-01"_s, u"13:40:00"_s, u"8"_s, u"佐藤　一郎"_s, u"小４"_s, u"引き算"_s, u""_s, u"時間切れ"_s, u"0"_s,
         u"本校"_s},
        {u"2026-12-02"_s, u"10:00:59"_s, u"9"_s, u"林"_s, u"小３"_s, u"かけ算"_s, u"100"_s, u""_s, u"5"_s, u"他塾"_s},
        {u"2026-12-03"_s, u"8:30:00"_s, u"44"_s, u""_s, u""_s, u"わり算"_s, u"199"_s, u""_s, u"4"_s, u"本校"_s},
        {u"2026-12-03"_s, u"8:40:00"_s, u"9"_s, u"林"_s, u"小３"_s, u"足し算"_s, u""_s, u"中断"_s, u"0"_s, u"本校"_s},
    };
    for (CsvEncoding encoding : {CsvEncoding::Utf8WithBom, CsvEncoding::Cp932}) {
        const QString path = school.outPath(u"成績.csv"_s);
        const ResultsExport::Outcome outcome = ResultsExport::exportTo(
            school.state, school.test.platform, {ResultsExport::Table::Results, encoding, {}}, path);
        QVERIFY2(outcome.succeeded(), qPrintable(outcome.problem));
        QCOMPARE(outcome.rows, 5);
        QCOMPARE(readBack(path, pythonEncoding(encoding)), expected);
        const QString quoted = u"\"山田,\"\"はな\"\"\""_s;
        QVERIFY(
            ResultFiles::read(path).contains(encoding == CsvEncoding::Cp932 ? Cp932::encode(quoted) : quoted.toUtf8()));
    }
    QCOMPARE(school.dataFiles(), before);
    QVERIFY(school.test.dialogs.shown.isEmpty());

    // A results file chosen by mistake is refused and stays as it was.
    const QString resultsPath = ResultsFile::pathIn(school.state.DataFolder);
    const QByteArray results = ResultFiles::read(resultsPath);
    const ResultsExport::Outcome refused = ResultsExport::exportTo(
        school.state, school.test.platform, {ResultsExport::Table::Results, CsvEncoding::Cp932, {}}, resultsPath);
    QVERIFY(refused.problem.contains(u"このプログラムのデータ"_s));
    QCOMPARE(ResultFiles::read(resultsPath), results);
}

void TestResultsExport::summaryCountsEachStudentsLevels()
{
    School school;
    const QDate day(2026, 12, 3);
    QList<ResultRecord> records{session(day, 0.3, 44, 3, 1234)};
    // Student 7 at level 1: twelve sessions of 111 down to 100 seconds and a
    // time-out; the newest ten are 109..100 s.
    for (int time = 111; time >= 100; --time)
        records.append(session(day, 0.4, 7, 1, time));
    records.append(session(day, 0.5, 7, 1, 99999));
    records.append(session(day, 0.5, 9, 4, 99999));
    records.append(session(day, 0.5, 9, 4, 7000));
    records.append(session(day, 0.6, 7, 2, 50));
    records.append(session(day, 0.7, 7, 2, 200));
    school.writeResults(records);

    const QString path = school.outPath(u"まとめ.csv"_s);
    const ResultsExport::Outcome outcome = ResultsExport::exportTo(
        school.state, school.test.platform, {ResultsExport::Table::Summary, CsvEncoding::Cp932, {}}, path);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.problem));
    QCOMPARE(outcome.rows, 4);
    // Level 1: 5 + 11 × 4 = 49 points in 12 sessions clears it; level 2:
    // 11 + 1 points in 2 sessions does not. 1234 s is over ten times the
    // target and earns nothing.
    const Rows expected{
        {u"番号"_s, u"名前"_s, u"学年"_s, u"レベル"_s, u"回数"_s, u"時間切れ"_s, u"中断"_s, u"ベスト(秒)"_s,
         u"最近10回の平均(秒)"_s, u"合計ポイント"_s, u"合格"_s},
        {u"7"_s, TrickyName, u"小３"_s, u"足し算"_s, u"12"_s, u"1"_s, u"0"_s, u"100"_s, u"104.5"_s, u"49"_s, u"合格"_s},
        {u"7"_s, TrickyName, u"小３"_s, u"引き算"_s, u"2"_s, u"0"_s, u"0"_s, u"50"_s, u"125.0"_s, u"12"_s, u"未合格"_s},
        {u"9"_s, u"林"_s, u"小３"_s, u"わり算"_s, u"0"_s, u"1"_s, u"1"_s, u""_s, u""_s, u"0"_s, u"未合格"_s},
        {u"44"_s, u""_s, u""_s, u"かけ算"_s, u"1"_s, u"0"_s, u"0"_s, u"1234"_s, u"1234.0"_s, u"0"_s, u"未合格"_s},
    };
    QCOMPARE(readBack(path, u"cp932"_s), expected);

    // With no results file there is nothing to sum, and none is created.
    QFile::remove(ResultsFile::pathIn(school.state.DataFolder));
    const ResultsExport::Outcome empty = ResultsExport::exportTo(
        school.state, school.test.platform, {ResultsExport::Table::Summary, CsvEncoding::Utf8WithBom, {}}, path);
    QVERIFY(empty.succeeded());
    QCOMPARE(empty.rows, 0);
    QCOMPARE(readBack(path, u"utf-8-sig"_s), Rows{expected.first()});
    QVERIFY(school.dataFiles().isEmpty());
}

void TestResultsExport::factsOfChosenStudents()
{
    School school;
    // Student 7 tried three facts of level 3 (multiplication); student 8
    // never drilled. The target of 100 s for 100 facts is a second a fact.
    LevelStats stats{};
    stats[0] = {4, 0, 8};   // 1×1: right every time, 2 s each: slow
    stats[1] = {5, 0, 5};   // 2×1: right every time, 1 s each
    stats[23] = {2, 1, 12}; // 4×3: one miss in three
    QString error;
    const QString statsPath = ProblemStatFile::pathFor(school.state.DataFolder, 7);
    QVERIFY(ProblemStatFile::create(statsPath, &error));
    QVERIFY(ProblemStatFile::writeLevel(statsPath, 3, stats, &error));

    const QString path = school.outPath(u"問題.csv"_s);
    const ResultsExport::Outcome outcome = ResultsExport::exportTo(
        school.state, school.test.platform, {ResultsExport::Table::Facts, CsvEncoding::Utf8WithBom, {8, 7}}, path);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.problem));
    QCOMPARE(outcome.rows, 100);
    const Rows rows = readBack(path, u"utf-8-sig"_s);
    QCOMPARE(rows.size(), 101);
    QCOMPARE(rows[0], (QStringList{u"番号"_s, u"名前"_s, u"学年"_s, u"レベル"_s, u"問題"_s, u"正解数"_s, u"間違い数"_s,
                                   u"正解率(%)"_s, u"平均時間(秒)"_s, u"判定"_s}));
    const QStringList student{u"7"_s, TrickyName, u"小３"_s, u"かけ算"_s};
    QCOMPARE(rows[1],
             (student + QStringList{u"1×1＝1"_s, u"4"_s, u"0"_s, u"100.00"_s, u"2.00"_s, u"正しいけれどゆっくり"_s}));
    QCOMPARE(rows[2],
             (student + QStringList{u"2×1＝2"_s, u"5"_s, u"0"_s, u"100.00"_s, u"1.00"_s, u"正しくてはやい"_s}));
    QCOMPARE(rows[24],
             (student + QStringList{u"4×3＝12"_s, u"2"_s, u"1"_s, u"66.67"_s, u"4.00"_s, u"よくまちがえる"_s}));
    QCOMPARE(rows[100], (student + QStringList{u"10×10＝100"_s, u"0"_s, u"0"_s, u""_s, u""_s, u"まだやっていない"_s}));
    // Looking creates no statistics file for the student who has none.
    QVERIFY(!QFile::exists(ProblemStatFile::pathFor(school.state.DataFolder, 8)));
}

void TestResultsExport::workbookHoldsTheThreeTables()
{
    School school;
    school.addStudent(10, 2017, u"=1+2"_s);
    const QDate day(2026, 12, 3);
    school.writeResults({session(day, clockTime(9, 0, 0), 7, 1, 80), session(day, clockTime(9, 30, 0), 10, 1, 99999)});
    LevelStats stats{};
    stats[0] = {4, 0, 8};
    QVERIFY(ProblemStatFile::writeLevel(ProblemStatFile::pathFor(school.state.DataFolder, 7), 3, stats, nullptr));

    QTemporaryDir out;
    const QString path = out.filePath(u"成績.xlsx"_s);
    ResultFiles::write(path, "an older file");
    const ResultsExport::Outcome outcome = ResultsExport::exportWorkbook(school.state, school.test.platform, {7}, path);
    QVERIFY2(outcome.succeeded(), qPrintable(outcome.problem));
    QCOMPARE(outcome.sheetRows, (std::array<qint64, 3>{2, 2, 100}));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{u"成績.xlsx"_s});

    // The parts as a zip reader finds them: three sheets in order, the name
    // that looks like a formula kept as a string, no formula anywhere.
    const QString script = uR"(import sys, zipfile
z = zipfile.ZipFile(sys.argv[1])
book = z.read('xl/workbook.xml').decode()
sheets = [z.read('xl/worksheets/sheet%d.xml' % i).decode() for i in (1, 2, 3)]
print(book.index('"成績"') < book.index('"集計"') < book.index('"問題別"'))
print(sum(s.count('<f>') for s in sheets), sheets[0].count('<t>=1+2</t>'), sheets[1].count('<t>=1+2</t>'))
print(all('<autoFilter ' in s and 'state="frozen"' in s for s in sheets))
)"_s;
    QProcess python;
    python.start(u"python3"_s, {u"-c"_s, script, path});
    QVERIFY(python.waitForFinished(30000));
    QCOMPARE(QString::fromUtf8(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts),
             (QStringList{u"True"_s, u"0 1 1"_s, u"True"_s}));

    // A folder that is not there: the teacher is told, nothing is made.
    const QString nowhere = out.filePath(u"無い/成績.xlsx"_s);
    const ResultsExport::Outcome failed =
        ResultsExport::exportWorkbook(school.state, school.test.platform, {}, nowhere);
    QVERIFY(failed.problem.startsWith(u"「%1」に書き出せませんでした（"_s.arg(QDir::toNativeSeparators(nowhere))));
    QCOMPARE(failed.sheetRows, (std::array<qint64, 3>{}));
    QCOMPARE(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"成績.xlsx"_s});
}

QTEST_GUILESS_MAIN(TestResultsExport)
#include "tst_resultsexport.moc"
