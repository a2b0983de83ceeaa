// Started by tst_concurrency as separate copies of the program:
//   append <dataFolder> <writer> <count> <goFile>   appends count records as student <writer>,
//                                                   pausing halfway until a load has seen some
//   load <dataFolder> <total> <goFile>              loads until <total> records are seen,
//                                                   checking every load is a whole-record prefix
//   list <dataFolder> <total> <goFile>              reads the teacher's list and exports the
//                                                   results, each expected to hold <total> records
//   hold <dataFolder> <ms> <readyFile>              holds the file lock for <ms>
//   holdwhole <dataFolder> <ms> <readyFile>         locks the whole file for <ms>, as
//                                                   older copies of the program did
//   edit <dataFolder> <seeded> <goFile>             deletes and changes the seeded records while
//                                                   the appenders run (see tst_concurrency)
//   stop <dataFolder> <record> <step>               deletes <record> and is killed at <step>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <array>
#include <map>
#include <vector>
#include <memory>
#include <csignal>
#include <cstdio>
#include <fcntl.h>

#include "state/appstate.h"
#include "platform/filelock.h"
#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/testplatform.h"
#include "teacher/resultsexport.h"
#include "teacher/resultslist.h"

namespace {

// The real program waits a second; these copies only want to be quick.
class ShortPause final : public Pause
{
public:
    void wait(int) override { QThread::msleep(1); }
};

// Gives up after half a minute, so that a copy that failed never leaves the
// others waiting until the test's own timeout.
bool waitFor(const QString &file)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFile::exists(file)) {
        if (timer.elapsed() > 30000)
            return false;
        QThread::usleep(200);
    }
    return true;
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

bool signal(const QString &file)
{
    QFile signalled(file);
    return signalled.open(QIODevice::WriteOnly);
}

int append(AppState &state, TestPlatform &tp, int writer, int count, const QString &goFile)
{
    if (!waitFor(goFile))
        return fail(QStringLiteral("never told to go"));
    for (int seq = 0; seq < count; ++seq) {
        if (seq == count / 2 && !waitFor(partSeenFile(goFile)))
            return fail(QStringLiteral("writer %1: no load ever saw a record").arg(writer));
        if (!AppendResult(state, tp.platform, qint16(writer), qint16(seq % MaxLevel + 1), writer * 100000 + seq))
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
        const ResultEntry &e = table.entries[std::size_t(i)];
        const int writer = e.studentNumber;
        if (writer < 1 || writer > 4)
            return QStringLiteral("entry %1: student %2").arg(i).arg(writer);
        const int seq = next[std::size_t(writer)]++;
        if (e.timeScore != writer * 100000 + seq || e.level != seq % MaxLevel + 1)
            return QStringLiteral("entry %1: writer %2 expected %3, got time %4 level %5")
                .arg(i)
                .arg(writer)
                .arg(seq)
                .arg(e.timeScore)
                .arg(e.level);
    }
    return {};
}

int loadUntilAllSeen(AppState &state, TestPlatform &tp, int total, const QString &goFile)
{
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
        if (state.ResultTable.count > 0 && partial++ == 0 && !signal(partSeenFile(goFile)))
            return fail(QStringLiteral("cannot signal"));
    }
    return fail(QStringLiteral("saw only %1 records").arg(state.ResultTable.count));
}

int load(AppState &state, TestPlatform &tp, int total, const QString &goFile)
{
    if (!waitFor(goFile))
        return fail(QStringLiteral("never told to go"));
    const int result = loadUntilAllSeen(state, tp, total, goFile);
    // A loader that failed early must not leave the appenders waiting for it.
    signal(partSeenFile(goFile));
    return result;
}

int listAndExport(AppState &state, TestPlatform &tp, int total, const QString &goFile)
{
    if (!waitFor(goFile))
        return fail(QStringLiteral("never told to go"));
    ResultsListing listing;
    const FileFault fault = listing.read(tp.platform, ResultsFile::pathIn(state.DataFolder));
    if (fault.failed() || listing.lineCount() != total)
        return fail(QStringLiteral("list: %1 lines, %2").arg(listing.lineCount()).arg(fault.description));
    const ResultsExport::Outcome exported =
        ResultsExport::exportTo(state, tp.platform, {}, state.DataFolder + QStringLiteral("export.csv"));
    if (!exported.succeeded() || exported.rows != total)
        return fail(QStringLiteral("export: %1 rows, %2").arg(exported.rows).arg(exported.problem));
    return 0;
}

int signalAndSleep(int ms, const QString &readyFile)
{
    if (!signal(readyFile))
        return fail(QStringLiteral("cannot signal"));
    QThread::msleep(static_cast<unsigned long>(ms));
    return 0;
}

int hold(const AppState &state, int ms, const QString &readyFile)
{
    OsFileLock lock;
    QString error;
    if (lock.tryLock(ResultsFile::pathIn(state.DataFolder), &error) != FileLock::Result::Locked)
        return fail(QStringLiteral("cannot lock: ") + error);
    return signalAndSleep(ms, readyFile);
}

int holdWhole(const AppState &state, int ms, const QString &readyFile)
{
    QFile file(ResultsFile::pathIn(state.DataFolder));
    struct flock whole
    {
    };
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    if (!file.open(QIODevice::ReadWrite) || fcntl(file.handle(), F_OFD_SETLK, &whole) != 0)
        return fail(QStringLiteral("cannot lock the whole file"));
    return signalAndSleep(ms, readyFile);
}

// Seeded record k is deleted when k % 3 == 0, changed to student 777 and
// time 50000 + k when k % 3 == 1, and left alone otherwise. Only this copy
// deletes, so it knows where each seeded record stands.
int edit(AppState &state, TestPlatform &tp, int seeded, const QString &goFile)
{
    if (!waitFor(goFile))
        return fail(QStringLiteral("never told to go"));
    std::vector<qint32> position(static_cast<std::size_t>(seeded));
    for (int k = 0; k < seeded; ++k)
        position[std::size_t(k)] = k + 1;
    ResultsFile file;
    for (int k = 0; k < seeded; ++k) {
        if (k == 12 && !signal(partSeenFile(goFile)))
            return fail(QStringLiteral("cannot signal"));
        if (k % 3 == 2)
            continue;
        const qint32 at = position[std::size_t(k)];
        ResultRecord opened;
        if (file.open(ResultsFile::pathIn(state.DataFolder), ResultsFile::Access::ReadOnly).failed()
            || file.readRecord(at, opened).failed())
            return fail(QStringLiteral("cannot read record %1").arg(at));
        file.close();
        const ResultsRewrite::Result result =
            k % 3 == 0 ? ResultsRewrite::deleteRecord(state, tp.platform, at, opened)
                       : ResultsRewrite::changeRecord(state, tp.platform, at, opened, 777, 50000 + k);
        if (result.outcome != ResultsRewrite::Outcome::Done)
            return fail(QStringLiteral("seeded %1 at %2: outcome %3 %4")
                            .arg(k)
                            .arg(at)
                            .arg(int(result.outcome))
                            .arg(result.fault.description));
        if (k % 3 == 0)
            for (int later = k + 1; later < seeded; ++later)
                --position[std::size_t(later)];
    }
    return 0;
}

int stopDeleting(AppState &state, TestPlatform &tp, qint32 number, const QString &stepName)
{
    ResultsFile file;
    ResultRecord opened;
    if (file.open(ResultsFile::pathIn(state.DataFolder), ResultsFile::Access::ReadOnly).failed()
        || file.readRecord(number, opened).failed())
        return fail(QStringLiteral("cannot read record %1").arg(number));
    file.close();
    using Step = ResultsRewrite::DeleteStep;
    const std::map<QString, Step> steps{{QStringLiteral("backup"), Step::BackupWritten},
                                        {QStringLiteral("shifting"), Step::ShiftBlockWritten},
                                        {QStringLiteral("shifted"), Step::ShiftDone},
                                        {QStringLiteral("truncated"), Step::Truncated}};
    const Step stopAt = steps.at(stepName);
    ResultsRewrite::deleteRecord(state, tp.platform, number, opened, [stopAt](Step step) {
        // Killed, not ended: nothing is closed, flushed or removed on the way out.
        if (step == stopAt)
            std::raise(SIGKILL);
    });
    return fail(QStringLiteral("the delete passed every step"));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5)
        return fail(QStringLiteral("usage: append|load|hold|holdwhole|edit|stop <dataFolder> …"));

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
    if (mode == u"list")
        return listAndExport(*state, *tp, args[3].toInt(), args[4]);
    if (mode == u"hold")
        return hold(*state, args[3].toInt(), args[4]);
    if (mode == u"holdwhole")
        return holdWhole(*state, args[3].toInt(), args[4]);
    if (mode == u"edit")
        return edit(*state, *tp, args[3].toInt(), args[4]);
    if (mode == u"stop")
        return stopDeleting(*state, *tp, args[3].toInt(), args[4]);
    return fail(QStringLiteral("unknown mode ") + mode);
}
