#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "state/appstate.h"
#include "state/startup.h"
#include "demo/demoroster.h"
#include "demo/demoschool.h"
#include "platform/cp932.h"
#include "roster/grades.h"
#include "roster/rosterfile.h"
#include "roster/rostertable.h"

using Numbers = QList<qint16>;

class TestRosterFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsValuesOverLinesAndQuoted();
    void statusDecidesOffered_data();
    void statusDecidesOffered();
    void numberOutsideTableIsSkipped_data();
    void numberOutsideTableIsSkipped();
    void keepsFirstEntriesBeyondLimit();
    void unreadableFileIsReportedAndEmpties_data();
    void unreadableFileIsReportedAndEmpties();
    void rosterWithoutNamesIsTold_data();
    void rosterWithoutNamesIsTold();
    void rereadForgetsEarlierEntries();
    void lookupsOutsideTableAreEmpty();
    void demoRosterCoversEveryGrade();

private:
    QString writeRoster(const QString &text);
    QString path() const { return m_dir->filePath(QString::fromUtf8(RosterFile::FileName)); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRosterFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestRosterFile::writeRoster(const QString &text)
{
    QFile file(path());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the roster");
    file.write(Cp932::encode(text));
    return path();
}

static QString padded(const QString &text)
{
    return text.leftJustified(RosterTable::FieldWidth, u' ');
}

void TestRosterFile::readsValuesOverLinesAndQuoted()
{
    const QString longName = QStringLiteral("ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹ");
    QCOMPARE(longName.size(), 25);
    writeRoster(QStringLiteral("1,2004,3,4,\"　山田　太郎\",0,\"やまだ, たろう\",\"x\"\r\n"
                               "2\r\n 2005 , 7 \r\n8,\"髙橋, 一郎\",0\r\n\"t7\",t8\r\n"
                               "\r\n")
                + QStringLiteral("3,1990,0,0,") + longName + QStringLiteral(",0,,\r\n"));
    RosterTable table;
    const auto result = RosterFile::read(path(), 2011, 0, table);
    QVERIFY(!result.failed());
    QCOMPARE(result.badNumbers + result.overLimit, 0);
    QCOMPARE(result.notice(), QString());

    QCOMPARE(table.entries().size(), 3);
    const RosterEntry &first = table.entries()[0];
    QCOMPARE(first.Number, 1);
    QCOMPARE(first.CohortYear, 2004);
    QCOMPARE(first.unusedColumn3, 3);
    QCOMPARE(first.unusedColumn4, 4);
    QCOMPARE(first.Name, padded(QStringLiteral("　山田　太郎")));
    QCOMPARE(first.unusedColumn7, padded(QStringLiteral("やまだ, たろう")));
    QCOMPARE(first.unusedColumn8, padded(QStringLiteral("x")));

    const RosterEntry &second = table.entries()[1];
    QCOMPARE(second.CohortYear, 2005);
    QCOMPARE(second.unusedColumn3, 7);
    QCOMPARE(second.unusedColumn4, 8);
    QCOMPARE(second.Name, padded(QStringLiteral("髙橋, 一郎")));
    QCOMPARE(second.unusedColumn7, padded(QStringLiteral("t7")));
    QCOMPARE(second.unusedColumn8, padded(QStringLiteral("t8")));

    const RosterEntry &third = table.entries()[2];
    QCOMPARE(third.Name, longName.left(20));
    QCOMPARE(third.unusedColumn7, padded(QString()));

    // The ideographic space at the front belongs to the name.
    QCOMPARE(table.trimmedName(1), QStringLiteral("　山田　太郎"));
    QCOMPARE(table.name(3), longName.left(20));
    QCOMPARE(table.gradeName(1), QStringLiteral("小１"));
    QCOMPARE(table.gradeName(3), QString());
    QCOMPARE(table.gradeNumber(third), 15);
    QCOMPARE(table.cohortYear(2), 2005);
    QCOMPARE(table.offeredNumbers(), (Numbers{1, 2, 3}));
}

void TestRosterFile::statusDecidesOffered_data()
{
    QTest::addColumn<int>("statusSwitch");
    QTest::addColumn<Numbers>("offered");
    QTest::addColumn<Numbers>("storedStatus");

    // Entries 1..7 carry the statuses 0, 2, 1, 0, -1, 0, 2.
    QTest::newRow("switch 0 hides status 2") << 0 << Numbers{1, 4, 6} << Numbers{0, 2, 1, 0, -1, 0, 2};
    QTest::newRow("switch 1 offers status 2") << 1 << Numbers{1, 2, 4, 6, 7} << Numbers{0, 0, 1, 0, -1, 0, 0};
    QTest::newRow("switch 2 is not 1") << 2 << Numbers{1, 4, 6} << Numbers{0, 2, 1, 0, -1, 0, 2};
}

void TestRosterFile::statusDecidesOffered()
{
    QFETCH(int, statusSwitch);
    QFETCH(Numbers, offered);
    QFETCH(Numbers, storedStatus);

    const int statuses[] = {0, 2, 1, 0, -1, 0, 2};
    QString text;
    for (int i = 0; i < 7; ++i)
        text += QStringLiteral("%1,2010,0,0,\"生徒%1\",%2,\"\",\"\"\r\n").arg(i + 1).arg(statuses[i]);
    writeRoster(text);

    RosterTable table;
    QVERIFY(!RosterFile::read(path(), 2020, statusSwitch, table).failed());
    QCOMPARE(table.offeredNumbers(), offered);
    for (int p = 1; p <= offered.size(); ++p)
        QCOMPARE(table.offeredNumber(p), offered[p - 1]);
    QCOMPARE(table.offeredNumber(0), 0);
    QCOMPARE(table.offeredNumber(offered.size() + 1), 0);

    QCOMPARE(table.entries().size(), 7);
    for (int i = 0; i < 7; ++i) {
        const RosterEntry &entry = table.entries()[i];
        QCOMPARE(qint16(entry.Status), storedStatus[i]);
        QCOMPARE(entry.offered(), offered.contains(entry.Number));
        // Hidden students keep their names for the results that name them.
        QCOMPARE(table.trimmedName(i + 1), QStringLiteral("生徒%1").arg(i + 1));
        QCOMPARE(table.gradeName(i + 1), QStringLiteral("小４"));
    }
}

void TestRosterFile::numberOutsideTableIsSkipped_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("kept"); // the number stored, or -1 when skipped

    QTest::newRow("zero") << QStringLiteral("0") << -1;
    QTest::newRow("negative") << QStringLiteral("-1") << -1;
    QTest::newRow("one above the table") << QStringLiteral("5001") << -1;
    QTest::newRow("beyond 16 bits") << QStringLiteral("70000") << -1;
    QTest::newRow("not a number") << QStringLiteral("abc") << -1;
    QTest::newRow("empty") << QString() << -1;
    QTest::newRow("last of the table") << QStringLiteral("5000") << 5000;
    QTest::newRow("rounds into the table") << QStringLiteral("4999.6") << 5000;
    QTest::newRow("first of the table") << QStringLiteral("1") << 1;
}

void TestRosterFile::numberOutsideTableIsSkipped()
{
    QFETCH(QString, number);
    QFETCH(int, kept);

    writeRoster(QStringLiteral("10,2010,0,0,\"前\",0,\"\",\"\"\r\n"
                               "%1,2010,0,0,\"問題\",0,\"\",\"\"\r\n"
                               "20,2010,0,0,\"後\",0,\"\",\"\"\r\n")
                    .arg(number));
    RosterTable table;
    const auto result = RosterFile::read(path(), 2020, 0, table);
    QVERIFY(!result.failed());

    const bool skipped = kept < 0;
    QCOMPARE(result.badNumbers, skipped ? 1 : 0);
    QCOMPARE(result.notice().isEmpty(), !skipped);
    QCOMPARE(table.entries().size(), skipped ? 2 : 3);
    QCOMPARE(table.offeredNumbers(), skipped ? (Numbers{10, 20}) : (Numbers{10, qint16(kept), 20}));
    QCOMPARE(table.trimmedName(20), QStringLiteral("後"));
    for (int n : {0, 1, 5000})
        QCOMPARE(table.contains(n), n == kept);
    if (!skipped)
        QCOMPARE(table.trimmedName(kept), QStringLiteral("問題"));
}

void TestRosterFile::keepsFirstEntriesBeyondLimit()
{
    QString text;
    for (int i = 0; i < MaxStudent + 3; ++i)
        text += QStringLiteral("%1,2010,0,0,\"第%2行\",0,\"\",\"\"\r\n").arg(i % MaxStudent + 1).arg(i + 1);
    writeRoster(text);

    RosterTable table;
    const auto result = RosterFile::read(path(), 2020, 0, table);
    QVERIFY(!result.failed());
    QCOMPARE(result.overLimit, 3);
    QVERIFY(result.notice().contains(QStringLiteral("3件")));
    QCOMPARE(table.entries().size(), MaxStudent);
    QCOMPARE(table.offeredNumbers().size(), MaxStudent);
    // The ignored lines 5001..5003 would have renamed students 1..3.
    QCOMPARE(table.trimmedName(1), QStringLiteral("第1行"));
    QCOMPARE(table.trimmedName(3), QStringLiteral("第3行"));
    QCOMPARE(table.trimmedName(MaxStudent), QStringLiteral("第%1行").arg(MaxStudent));
}

void TestRosterFile::unreadableFileIsReportedAndEmpties_data()
{
    QTest::addColumn<bool>("asFolder");
    QTest::newRow("missing") << false;
    QTest::newRow("a folder in its place") << true;
}

void TestRosterFile::unreadableFileIsReportedAndEmpties()
{
    QFETCH(bool, asFolder);

    AppState state;
    state.RosterFolder = m_dir->path() + u'/';
    state.SchoolYearStartMonth = 4;
    writeRoster(QStringLiteral("1,2010,0,0,\"前回\",0,\"\",\"\"\r\n"));
    QVERIFY(!RosterFile::load(state, QDate(2026, 12, 9)).failed());
    QCOMPARE(state.roster.entries().size(), 1);

    QVERIFY(QFile::remove(path()));
    if (asFolder)
        QVERIFY(QDir().mkpath(path()));

    const auto result = RosterFile::load(state, QDate(2026, 12, 9));
    QVERIFY(result.failed());
    QVERIFY2(result.message().contains(path()), qPrintable(result.message()));
    QVERIFY(!result.problem.isEmpty());
    QCOMPARE(state.roster.entries().size(), 0);
    QCOMPARE(state.roster.offeredNumbers().size(), 0);
    QVERIFY(!state.roster.contains(1));
    QCOMPARE(state.roster.schoolYear(), 2026);
}

// Without a name nobody can log in, however many lines the file has.
void TestRosterFile::rosterWithoutNamesIsTold_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("noNames");

    QTest::newRow("empty file") << QString() << true;
    QTest::newRow("blank lines") << QStringLiteral("\r\n  \r\n\r\n") << true;
    QTest::newRow("names of blanks only")
        << QStringLiteral("1,2010,0,0,\"\",0,\"\",\"\"\r\n2,2010,0,0,\"　 　\",0,\"\",\"\"\r\n") << true;
    QTest::newRow("one hidden name") << QStringLiteral("1,2010,0,0,\"\",0,,\r\n2,2010,0,0,\"前\",1,,\r\n") << false;
    QTest::newRow("one name with a bad number") << QStringLiteral("0,2010,0,0,\"前\",0,,\r\n") << false;
}

void TestRosterFile::rosterWithoutNamesIsTold()
{
    QFETCH(QString, text);
    QFETCH(bool, noNames);

    writeRoster(text);
    RosterTable table;
    const auto result = RosterFile::read(path(), 2020, 0, table);
    QCOMPARE(result.noNames, noNames);
    QCOMPARE(result.failed(), noNames);
    QVERIFY(result.problem.isEmpty());
    const QString told = QStringLiteral("名簿ファイル「%1」に名前がありません。").arg(QDir::toNativeSeparators(path()));
    QCOMPARE(result.message().startsWith(told), noNames);
}

void TestRosterFile::rereadForgetsEarlierEntries()
{
    RosterTable table;
    writeRoster(QStringLiteral("1,2010,0,0,\"一\",0,,\r\n2,2010,0,0,\"二\",0,,\r\n3,2010,0,0,\"三\",0,,\r\n"));
    QVERIFY(!RosterFile::read(path(), 2020, 0, table).failed());
    writeRoster(QStringLiteral("2,2012,0,0,\"新二\",0,,\r\n2,2011,0,0,\"再二\",2,,\r\n"));
    QVERIFY(!RosterFile::read(path(), 2021, 0, table).failed());

    QCOMPARE(table.entries().size(), 2);
    QVERIFY(!table.contains(1));
    QCOMPARE(table.name(1), QString());
    QVERIFY(!table.contains(3));
    // Two entries with one number: the later one's values, the earlier one's offer.
    QCOMPARE(table.trimmedName(2), QStringLiteral("再二"));
    QCOMPARE(table.cohortYear(2), 2011);
    QCOMPARE(table.gradeName(2), QStringLiteral("小４"));
    QCOMPARE(table.offeredNumbers(), (Numbers{2}));
}

void TestRosterFile::lookupsOutsideTableAreEmpty()
{
    writeRoster(QStringLiteral("5000,2010,0,0,\"最後\",0,,\r\n1,2010,0,0,\"最初\",0"));
    RosterTable table;
    QVERIFY(!RosterFile::read(path(), 2020, 0, table).failed());
    // The last entry stops short of its texts; what it has counts.
    QCOMPARE(table.entries().size(), 2);
    QCOMPARE(table.entries()[1].unusedColumn8, padded(QString()));
    for (int n : {-1, 5001, 32767, -32768}) {
        QVERIFY(!table.contains(n));
        QCOMPARE(table.name(n), QString());
        QCOMPARE(table.gradeName(n), QString());
        QCOMPARE(table.cohortYear(n), 0);
    }
    QCOMPARE(table.trimmedName(5000), QStringLiteral("最後"));
}

void TestRosterFile::demoRosterCoversEveryGrade()
{
    QVERIFY(DemoSchool::create(m_dir->path(), nullptr));
    const DemoSchool::Layout layout = DemoSchool::layoutOf(m_dir->path());
    AppState state;
    const auto startup = Startup::LoadStartupData(state, layout.programFolder);
    QVERIFY2(!startup.failed(), qPrintable(startup.message()));
    QCOMPARE(state.SchoolYearStartMonth, 4);
    QCOMPARE(state.RosterStatusSwitch, 0);

    const auto result = RosterFile::load(state, QDate(2026, 12, 9));
    QVERIFY2(!result.failed(), qPrintable(result.message()));
    QCOMPARE(result.notice(), QString());
    const RosterTable &roster = state.roster;
    QCOMPARE(roster.entries().size(), DemoRoster::StudentCount + 1);

    QSet<QString> labels;
    int hidden = 0;
    for (const RosterEntry &entry : roster.entries()) {
        if (entry.Number != DemoRoster::TeacherNumber) {
            QVERIFY(entry.Number >= 1 && entry.Number <= DemoRoster::StudentCount);
            labels.insert(Roster::GradeLabel(roster.gradeNumber(entry)));
        }
        QVERIFY(entry.Status == RosterStatus::Offered || entry.Status == RosterStatus::OfferedWhenSwitchedOn);
        hidden += entry.offered() ? 0 : 1;
    }
    const QSet<QString> everyGrade{QStringLiteral("幼1"), QStringLiteral("幼2"), QStringLiteral("幼3"),
                                   QStringLiteral("小1"), QStringLiteral("小2"), QStringLiteral("小3"),
                                   QStringLiteral("小4"), QStringLiteral("小5"), QStringLiteral("小6"),
                                   QStringLiteral("中1"), QStringLiteral("中2"), QStringLiteral("中3"),
                                   QStringLiteral("高1"), QStringLiteral("高2"), QStringLiteral("高3")};
    QCOMPARE(labels, everyGrade);
    QVERIFY(hidden > 0);
    QCOMPARE(roster.offeredNumbers().size(), roster.entries().size() - hidden);
    QCOMPARE(roster.trimmedName(DemoRoster::TeacherNumber), QString::fromUtf8(TeacherEntryName));
    QVERIFY(roster.offeredNumbers().contains(DemoRoster::TeacherNumber));

    // A school's own roster survives the next start.
    QFile own(layout.basePath + QString::fromUtf8(RosterFile::FileName));
    QVERIFY(own.open(QIODevice::WriteOnly | QIODevice::Truncate));
    own.write("7,2015,0,0,\"own\",0,,\r\n");
    own.close();
    QVERIFY(DemoSchool::create(m_dir->path(), nullptr));
    QVERIFY(!RosterFile::load(state, QDate(2026, 12, 9)).failed());
    QCOMPARE(state.roster.entries().size(), 1);
}

QTEST_APPLESS_MAIN(TestRosterFile)
#include "tst_rosterfile.moc"
