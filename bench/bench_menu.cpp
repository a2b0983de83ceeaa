#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/appstate.h"
#include "app/oledate.h"
#include "app/ui/screenhost.h"
#include "benchplatform.h"
#include "menu/ui/seisekitime1.h"
#include "platform/cp932.h"
#include "roster/rosterfile.h"
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
    ScreenHost host{*state, platform, dir.path() + u'/'};
};

Fixture &fixture()
{
    // Left to the end of the process: its window must not outlive the application.
    static Fixture *f = new Fixture;
    return *f;
}

// Opening the menu as the name screen does: build, refresh with the tallies
// and the total-points ranking of the four levels.
void BM_MenuRefresh(benchmark::State &st)
{
    Fixture &f = fixture();
    for (auto _ : st) {
        f.host.openLevelMenu();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    auto *menu = qobject_cast<seisekitime1 *>(f.host.currentScreen());
    if (!menu || menu->List5[1]->count() < Students / 2)
        st.SkipWithError("the rankings do not hold the roster");
}

// The period log of "all so far" over the newest 20000 records.
void BM_PeriodLog(benchmark::State &st)
{
    Fixture &f = fixture();
    f.host.openLevelMenu();
    auto *menu = qobject_cast<seisekitime1 *>(f.host.currentScreen());
    menu->Option1[3]->click();
    menu->Combo2->setCurrentIndex(4);
    for (auto _ : st)
        menu->Combo2_Click();
    int lines = 0;
    for (int k = 1; k <= 4; ++k)
        lines += menu->List5[k]->count();
    if (lines < Records * 9 / 10)
        st.SkipWithError("the period log lost records");
}

} // namespace

BENCHMARK(BM_MenuRefresh)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodLog)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Fixture &f = fixture();
    const RosterFile::ReadResult roster = RosterFile::load(*f.state, f.clock.today());
    if (roster.failed())
        return 1;
    f.state->StudentNumber = 7;
    f.state->StudentName = f.state->Roster.name(7);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
