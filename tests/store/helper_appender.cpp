// Started by tst_concurrency as separate copies of the program:
//   append <dataFolder> <writer> <count> <goFile>   appends count records as student <writer>,
//                                                   pausing halfway until a load has seen some
//   load <dataFolder> <total> <goFile>              loads until <total> records are seen,
//                                                   checking every load is a whole-record prefix
//   hold <dataFolder> <ms> <readyFile>              holds the file lock for <ms>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <array>
#include <memory>
#include <cstdio>

#include "app/appstate.h"
#include "platform/filelock.h"
#include "store/resultsfile.h"
#include "support/testplatform.h"

namespace {

// The real program waits a second; these copies only want to be quick.
class ShortPause final : public Pause
{
public:
    void wait(int) override { QThread::msleep(1); }
};

void waitFor(const QString &file)
{
    while (!QFile::exists(file))
        QThread::usleep(200);
}

// Created by the loader once a load has seen part of the records: on a busy
// machine the appenders could otherwise finish before the loader first runs.
QString partSeenFile(const QString &goFile)
{
    return goFile + QStringLiteral(".partseen");
}

int fail(const QString &why)
{
    std::fprintf(stderr, "%s\n", qPrintable(why));
    return 1;
}

int append(AppState &state, TestPlatform &tp, int writer, int count, const QString &goFile)
{
    waitFor(goFile);
    for (int seq = 0; seq < count; ++seq) {
        if (seq == count / 2)
            waitFor(partSeenFile(goFile));
        if (!AppendResult(state, tp.platform, qint16(writer), qint16(seq % MaxLevel + 1),
                          writer * 100000 + seq))
            return fail(tp.dialogs.shown.value(0).text);
    }
    return 0;
}

// Each writer's records are its sequence 0, 1, 2 … in file order, so a load
// of whole records shows every writer's sequence without gaps or strangers.
QString checkLoad(const LoadedResults &table)
{
    std::array<int, 5> next{};
    for (int i = 0; i < table.count; ++i) {
        const ResultEntry &e = table.entries[i];
        const int writer = e.studentNumber;
        if (writer < 1 || writer > 4)
            return QStringLiteral("entry %1: student %2").arg(i).arg(writer);
        const int seq = next[writer]++;
        if (e.timeScore != writer * 100000 + seq || e.level != seq % MaxLevel + 1)
            return QStringLiteral("entry %1: writer %2 expected %3, got time %4 level %5")
                .arg(i).arg(writer).arg(seq).arg(e.timeScore).arg(e.level);
    }
    return {};
}

int load(AppState &state, TestPlatform &tp, int total, const QString &goFile)
{
    waitFor(goFile);
    QElapsedTimer timer;
    timer.start();
    int loads = 0;
    int partial = 0;
    while (timer.elapsed() < 60000) {
        if (!LoadResults(state, tp.platform))
            return fail(tp.dialogs.shown.value(0).text);
        ++loads;
        const QString problem = checkLoad(state.ResultTable);
        if (!problem.isEmpty())
            return fail(QStringLiteral("load %1: %2").arg(loads).arg(problem));
        if (state.ResultTable.count == total) {
            std::printf("%d %d\n", loads, partial);
            return 0;
        }
        if (state.ResultTable.count > 0 && partial++ == 0) {
            QFile seen(partSeenFile(goFile));
            if (!seen.open(QIODevice::WriteOnly))
                return fail(QStringLiteral("cannot signal"));
        }
    }
    return fail(QStringLiteral("saw only %1 records").arg(state.ResultTable.count));
}

int hold(const AppState &state, int ms, const QString &readyFile)
{
    OsFileLock lock;
    QString error;
    if (lock.tryLock(ResultsFile::pathIn(state.DataFolder), &error) != FileLock::Result::Locked)
        return fail(QStringLiteral("cannot lock: ") + error);
    QFile ready(readyFile);
    if (!ready.open(QIODevice::WriteOnly))
        return fail(QStringLiteral("cannot signal"));
    ready.close();
    QThread::msleep(static_cast<unsigned long>(ms));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5)
        return fail(QStringLiteral("usage: append|load|hold <dataFolder> …"));

    auto state = std::make_unique<AppState>();
    state->DataFolder = args[2];
    state->SiteCode = QStringLiteral("00123");
    auto tp = std::make_unique<TestPlatform>();
    ShortPause pause;
    tp->platform.pause = &pause;

    const QString mode = args[1];
    if (mode == u"append" && args.size() == 6)
        return append(*state, *tp, args[3].toInt(), args[4].toInt(), args[5]);
    if (mode == u"load")
        return load(*state, *tp, args[3].toInt(), args[4]);
    if (mode == u"hold")
        return hold(*state, args[3].toInt(), args[4]);
    return fail(QStringLiteral("unknown mode ") + mode);
}
