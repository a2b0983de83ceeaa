#include "fuzzschool.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

#include "state/startup.h"
#include "demo/demoresults.h"
#include "roster/rosterfile.h"
#include "drill/problemstat.h"
#include "store/resultsfile.h"

namespace {

[[noreturn]] void giveUp(const QString &what)
{
    std::fprintf(stderr, "fuzz school: %s\n", qPrintable(what));
    std::abort();
}

} // namespace

FuzzSchool &FuzzSchool::instance()
{
    static FuzzSchool school;
    return school;
}

FuzzSchool::FuzzSchool()
{
    if (!m_dir.isValid())
        giveUp(QStringLiteral("no temporary folder"));
    QString error;
    if (!DemoSchool::create(m_dir.path(), &error))
        giveUp(error);
    m_layout = DemoSchool::layoutOf(m_dir.path());
    // The demo seeds results up to the day it is made; seeded again up to
    // the fake clock's day, every run is alike whatever the date.
    QFile::remove(resultsPath());
    if (!DemoResults::seed(m_layout.dataFolder, QStringLiteral("00123"), m_doubles.clock.today(), &error))
        giveUp(error);
    const Startup::LoadError loaded = Startup::LoadStartupData(m_state, m_layout.programFolder);
    if (loaded.failed())
        giveUp(loaded.message());
    Startup::SetUpLevelCatalogue(m_state);
    const RosterFile::ReadResult roster = RosterFile::load(m_state, m_doubles.clock.today());
    if (roster.failed())
        giveUp(roster.message());
}

void FuzzSchool::write(const QString &path, const std::uint8_t *data, std::size_t size)
{
    write(path, QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
}

void FuzzSchool::write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        giveUp(path + QStringLiteral(": ") + file.errorString());
}

void FuzzSchool::forgetRun()
{
    m_doubles.dialogs.shown.clear();
    m_doubles.programEnd.ended = false;
    m_doubles.programEnd.code = 0;
    m_doubles.pause.waits.clear();
    m_doubles.pause.inputHeld.clear();
    m_doubles.sound.played.clear();
    m_doubles.sound.preloaded.clear();
    m_doubles.random.seeds.clear();
}

QString FuzzSchool::resultsPath() const
{
    return ResultsFile::pathIn(m_layout.dataFolder);
}

QString FuzzSchool::statisticsPath(int student) const
{
    return ProblemStatFile::pathFor(m_layout.dataFolder, student);
}
