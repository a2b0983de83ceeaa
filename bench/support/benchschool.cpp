#include "support/benchschool.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "app/oledate.h"
#include "menu/storeinputs.h"
#include "platform/cp932.h"
#include "roster/rosterfile.h"
#include "store/resultrecord.h"
#include "store/resultsfile.h"

namespace {

void writeOrAbort(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// Kanji family names with kana given names, as a large school would have.
QByteArray rosterBytes(int schoolYear, int students)
{
    const QStringList family{QStringLiteral("佐藤"), QStringLiteral("鈴木"), QStringLiteral("高橋"),
                             QStringLiteral("田中"), QStringLiteral("伊藤"), QStringLiteral("渡辺"),
                             QStringLiteral("山本"), QStringLiteral("中村"), QStringLiteral("小林"),
                             QStringLiteral("加藤"), QStringLiteral("吉田"), QStringLiteral("山田")};
    const QStringList given{QStringLiteral("はると"), QStringLiteral("ゆいな"), QStringLiteral("れん"),
                            QStringLiteral("ひまり"), QStringLiteral("みなと"), QStringLiteral("さくら"),
                            QStringLiteral("そうた"), QStringLiteral("めい")};
    QByteArray bytes;
    for (int n = 1; n <= students; ++n) {
        const int cohort = schoolYear - 6 - (n % 14 - 2);
        const QString name = family[n % family.size()] + QChar(0x3000) + given[(n / 12) % given.size()];
        bytes += Cp932::encode(QStringLiteral("%1,%2,1,1,\"%3\",0,\"\",\"\"\r\n").arg(n).arg(cohort).arg(name));
    }
    return bytes;
}

} // namespace

namespace BenchSchool {

void setLevelStandards(AppState &state)
{
    const int targets[] = {120, 150, 130, 170};
    for (int level = 1; level <= 4; ++level) {
        LevelStandard &row = state.LevelStandards[std::size_t(level)];
        row.TargetTime = targets[level - 1];
        row.MinimumTime = targets[level - 1] * 3 / 2;
        row.PointMultiplier = 1.0f;
        row.ClearCount = 5;
        row.ClearPoints = 40;
        row.JudgeDays = QStringLiteral("14");
        row.OveruseDays = QStringLiteral("1");
    }
}

void writeResults(const QString &dataFolder, double today, int records, int students)
{
    QByteArray bytes(qsizetype(records) * ResultRecordLength, '\0');
    quint32 seed = 12345;
    for (int i = 0; i < records; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int level = int(seed >> 8) % 4 + 1;
        const qint32 time = (seed >> 4) % 50 == 0 ? 99999 : 60 + int(seed >> 12) % 240;
        const ResultRecord r =
            ResultRecord::make(std::floor(today - 60 + i * 60.0 / records), 0.4, qint16(i % students + 1),
                               qint16(level), time, QStringLiteral("00123"));
        r.encode(reinterpret_cast<unsigned char *>(bytes.data()) + qsizetype(i) * ResultRecordLength);
    }
    writeOrAbort(ResultsFile::pathIn(dataFolder), bytes);
}

void writeRoster(const QString &rosterFolder, int schoolYear, int students)
{
    writeOrAbort(rosterFolder + QString::fromUtf8(RosterFile::FileName), rosterBytes(schoolYear, students));
}

Fixture::Fixture(int records, int students)
    : records(records)
    , students(students)
{
    state->DataFolder = dir.path() + u'/';
    state->RosterFolder = dir.path() + u'/';
    state->SchoolYearStartMonth = 4;
    setLevelStandards(*state);
    writeResults(state->DataFolder, OleDate::fromDate(clock.today()), records, students);
    writeRoster(state->RosterFolder, clock.today().year(), students);
}

void readAndDecodeNewest(const QString &dataFolder, std::vector<unsigned char> &bytes,
                         std::vector<ResultEntry> &entries)
{
    QFile file(ResultsFile::pathIn(dataFolder));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        std::abort();
    const qint64 count = std::min<qint64>(file.size() / ResultRecordLength, ResultWindow);
    bytes.resize(std::size_t(count) * ResultRecordLength);
    entries.resize(std::size_t(count));
    if (!file.seek(file.size() / ResultRecordLength * ResultRecordLength - qint64(bytes.size()))
        || file.read(reinterpret_cast<char *>(bytes.data()), qint64(bytes.size())) != qint64(bytes.size()))
        std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = ResultRecord::decodeEntry(bytes.data() + i * ResultRecordLength);
}

bool readWholeFile(Fixture &f, std::vector<ResultLists::LogRecord> &records, std::vector<unsigned char> &buffer)
{
    return ResultLists::readLogRecords(*f.state, f.platform, std::numeric_limits<qint32>::max(), records, buffer).ok;
}

void measureWholeFileRead(benchmark::State &st, Fixture &f)
{
    std::vector<ResultLists::LogRecord> records;
    std::vector<unsigned char> buffer;
    for (auto _ : st) {
        if (!readWholeFile(f, records, buffer))
            st.SkipWithError("the file could not be read");
        benchmark::DoNotOptimize(records.data());
    }
}

int runWithWidgets(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace BenchSchool
