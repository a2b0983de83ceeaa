#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/appstate.h"
#include "benchplatform.h"
#include "app/oledate.h"
#include "platform/cp932.h"
#include "roster/namelist.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"

namespace {

constexpr int Students = 2000;
constexpr int Records = 20000;

// A roster of 2000 students over every grade, with kanji family names and
// kana given names, as a large school would have.
QByteArray rosterBytes(int schoolYear)
{
    const QStringList family{QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋"),
                             QStringLiteral("田中"), QStringLiteral("伊藤"), QStringLiteral("渡辺"),
                             QStringLiteral("山本"), QStringLiteral("中村"), QStringLiteral("小林"),
                             QStringLiteral("加藤"), QStringLiteral("吉田"), QStringLiteral("山田")};
    const QStringList given{QStringLiteral("はると"), QStringLiteral("ゆいな"), QStringLiteral("れん"),
                            QStringLiteral("ひまり"), QStringLiteral("みなと"), QStringLiteral("さくら"),
                            QStringLiteral("そうた"), QStringLiteral("めい")};
    QByteArray bytes;
    for (int n = 1; n <= Students; ++n) {
        const int cohort = schoolYear - 6 - (n % 14 - 2);
        const QString name = family[n % family.size()] + QChar(0x3000) + given[(n / 12) % given.size()];
        bytes += Cp932::encode(QStringLiteral("%1,%2,1,1,\"%3\",0,\"\",\"\"\r\n").arg(n).arg(cohort).arg(name));
    }
    return bytes;
}

// 20000 sessions of the 2000 students over the last 60 days.
QByteArray resultsBytes(double today)
{
    QByteArray bytes(Records * ResultRecordLength, '\0');
    quint32 seed = 12345;
    for (int i = 0; i < Records; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int level = int(seed >> 8) % 4 + 1;
        const qint32 time = (seed >> 4) % 50 == 0 ? 99999 : 60 + int(seed >> 12) % 240;
        const ResultRecord r = ResultRecord::make(today - 60 + i * 60.0 / Records, 0.4, qint16(i % Students + 1),
                                                  qint16(level), time, QStringLiteral("00123"));
        r.encode(reinterpret_cast<unsigned char *>(bytes.data()) + i * ResultRecordLength);
    }
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

struct Fixture
{
    Fixture()
    {
        state->DataFolder = dir.path() + u'/';
        const int targets[] = {120, 150, 130, 170};
        for (int level = 1; level <= 4; ++level) {
            LevelStandard &row = state->LevelStandards[level];
            row.TargetTime = targets[level - 1];
            row.PointMultiplier = 1.0f;
            row.JudgeDays = QStringLiteral("14");
            row.OveruseDays = QStringLiteral("1");
        }
        writeFile(ResultsFile::pathIn(state->DataFolder), resultsBytes(OleDate::fromDate(clock.today())));
        state->RosterFolder = dir.path() + u'/';
        state->SchoolYearStartMonth = 4;
        writeFile(state->RosterFolder + QString::fromUtf8(RosterFile::FileName), rosterBytes(clock.today().year()));
    }

    QTemporaryDir dir;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    BenchPlatform bench;
    SystemClock &clock = bench.clock;
    Platform &platform = bench.platform;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

// The whole rebuild of the name list: tallies, roster and the sorted lines.
void BM_NameListRebuild(benchmark::State &st)
{
    Fixture &f = fixture();
    QList<NameList::Line> lines;
    RosterFile::ReadResult roster;
    for (auto _ : st) {
        if (!NameList::rebuild(*f.state, f.platform, 1, QStringLiteral("全学年"), lines, roster))
            std::abort();
        benchmark::DoNotOptimize(lines.data());
    }
    if (lines.size() != Students || f.state->ResultTable.count != Records)
        st.SkipWithError("not every student or record was read");
}

// The sorting and line building alone.
void BM_NameListBuildOnly(benchmark::State &st)
{
    Fixture &f = fixture();
    QList<NameList::Line> lines;
    RosterFile::ReadResult roster;
    NameList::rebuild(*f.state, f.platform, 1, QStringLiteral("全学年"), lines, roster);
    const QList<NameList::Student> students =
        NameList::offeredStudents(f.state->Roster, [](int) { return NameList::Sums{3, 40, 120, 2345}; });
    for (auto _ : st) {
        lines = NameList::build(students, 1, QStringLiteral("全学年"));
        benchmark::DoNotOptimize(lines.data());
    }
}

} // namespace

BENCHMARK(BM_NameListBuildOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NameListRebuild)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
