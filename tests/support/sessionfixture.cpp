#include "support/sessionfixture.h"

#include <QFileInfo>
#include <QLabel>

#include "state/startup.h"
#include "drill/problemstat.h"
#include "drill/ui/drillcontrols.h"
#include "drill/ui/drillscreen.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "support/controls.h"
#include "support/resultfiles.h"

SessionFixture::SessionFixture()
{
    host = std::make_unique<MainWindow>(state, test.platform, school.layout().programFolder);
    loadSettings();
    // Tests say which sessions exist; the demo school's own are left out.
    ResultFiles::write(resultsPath(), {});
    state.StudentNumber = Student;
    state.StudentName = QStringLiteral("山田　花子  ");
    state.LoginTime = test.clock.now().time().msecsSinceStartOfDay() / 1000 - 600;
    state.loginTick = test.clock.tickCount() - 600 * 1000;
    refreshTallies();
}

void SessionFixture::refreshTallies()
{
    // As the name screen and the level menu do before a drill starts.
    if (!ComputeTallies(state, test.platform))
        qFatal("tallies cannot be computed");
}

void SessionFixture::loadSettings()
{
    if (Startup::LoadStartupData(state, school.layout().programFolder).failed())
        qFatal("demo school does not load");
    Startup::SetUpLevelCatalogue(state);
}

void SessionFixture::setLevelTable(const QStringList &rows)
{
    QStringList lines{LevelStandardFile::headerTexts().join(u',')};
    lines += rows;
    DemoSchool::writeTextFile(school.layout().dataFolder + QString::fromUtf8(LevelStandardFile::FileName), lines,
                              nullptr);
    loadSettings();
}

void SessionFixture::setResults(const QList<ResultRecord> &records)
{
    ResultFiles::write(resultsPath(), ResultFiles::encode(records));
    refreshTallies();
}

QString SessionFixture::resultsPath() const
{
    return ResultsFile::pathIn(state.DataFolder);
}

QString SessionFixture::statisticsPath() const
{
    return ProblemStatFile::pathFor(state.DataFolder, Student);
}

QList<ResultRecord> SessionFixture::results() const
{
    return ResultFiles::decode(ResultFiles::read(resultsPath()));
}

QStringList SessionFixture::playedNames() const
{
    QStringList names;
    for (const QString &path : test.sound.played)
        names.append(QFileInfo(path).fileName());
    return names;
}

int answerOnScreen(const DrillScreen &drill)
{
    const int first = control<QLabel>(&drill, DrillControls::First)->text().toInt();
    const int second = control<QLabel>(&drill, DrillControls::Second)->text().toInt();
    const QString op = control<QLabel>(&drill, DrillControls::Operator)->text();
    if (op == QStringLiteral("＋"))
        return first + second;
    if (op == QStringLiteral("－"))
        return first - second;
    if (op == QStringLiteral("×"))
        return first * second;
    return first / second;
}
