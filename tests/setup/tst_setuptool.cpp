#include <QTest>

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include "state/appstate.h"
#include "state/startup.h"
#include "demo/demoroster.h"
#include "demo/demoschool.h"
#include "platform/cp932.h"
#include "roster/grades.h"
#include "roster/rosterfile.h"
#include "roster/rostertable.h"
#include "setup/schoolsetup.h"
#include "store/resultsfile.h"

using namespace Qt::StringLiterals;

// The set-up tool lays out a school the real program starts from, and never
// touches what a school already has.
class TestSetupTool : public QObject
{
    Q_OBJECT

private slots:
    void newSchoolStartsTheProgram();
    void secondRunChangesNoByte();
    void unmakeableSchoolFolderIsNamed();
    void commandLineLaysOutARelativeFolder();
    void pathDataOfAnotherSchoolIsLeftAlone();
};

namespace {

const QDate Today(2026, 5, 11);

// A program folder under `root` as the package has it: its parent gets
// "パスデータ.txt".
QString programFolderIn(const QTemporaryDir &root)
{
    const QString folder = root.path() + u"/lib/kazudori/"_s;
    QDir().mkpath(folder);
    return folder;
}

// Every file under `root` with a hash of its bytes.
QMap<QString, QByteArray> filesUnder(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            files.insert(file.fileName(), QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return files;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

SchoolSetup::Report runSetup(SchoolSetup::Kind kind, const QString &school, const QString &programFolder)
{
    return SchoolSetup::run({kind, school, QString()}, programFolder, Today);
}

struct ToolRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a copy of the built tool from `programFolder`, as the package
// installs it beside the program.
ToolRun runTool(const QString &programFolder, const QString &workingFolder, const QStringList &arguments)
{
    const QString tool = programFolder + u"kazudori-setup"_s;
    if (!QFile::exists(tool))
        QFile::copy(qEnvironmentVariable("KAZUDORI_TEST_BIN") + u"/setup/kazudori-setup"_s, tool);
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(tool, arguments);
    ToolRun run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

} // namespace

void TestSetupTool::newSchoolStartsTheProgram()
{
    QTemporaryDir root;
    const QString programFolder = programFolderIn(root);
    const QString school = root.path() + u"/共有/学校"_s;
    const SchoolSetup::Report report = runSetup(SchoolSetup::Kind::NewSchool, school, programFolder);
    QVERIFY2(!report.failed(), qPrintable(report.error));
    QVERIFY(report.kept.isEmpty());
    QVERIFY(report.created.contains(root.path() + u"/lib/パスデータ.txt"_s));

    AppState state;
    const Startup::LoadError loaded = Startup::LoadStartupData(state, programFolder);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.message()));
    QCOMPARE(state.BasePath, school + u'/');
    QCOMPARE(state.DataFolder, school + u"/kazudori/"_s);
    for (int level = 1; level <= 4; ++level) {
        const LevelStandard &row = state.LevelStandards[std::size_t(level)];
        QVERIFY(row.TargetTime > 0 && row.MinimumTime > row.TargetTime);
    }
    // Every cue the program plays names a file that is there.
    for (int cue = 1; cue <= SoundCueCount; ++cue) {
        const auto &files = state.SoundCues[std::size_t(cue)];
        for (int k = 1; k <= files[SoundCueCountSlot].toInt(); ++k)
            QVERIFY2(QFile::exists(state.SoundFolder + files[std::size_t(k)] + u".wav"_s), qPrintable(files[0]));
    }
    QVERIFY(!state.SoundCues[2][SoundCueCountSlot].isEmpty());
    for (const QString &fixed : {u"最高1"_s, u"合格"_s, u"警告1"_s})
        QVERIFY(QFile::exists(state.SoundFolder + fixed + u".wav"_s));
    QVERIFY(QFile::exists(state.DataFolder + u"PageName.htm"_s));
    QVERIFY(QFile::exists(state.DataFolder + u"PageSeisekisita.htm"_s));

    RosterTable roster;
    const RosterFile::ReadResult read =
        RosterFile::read(state.RosterFolder + u"新名簿.txt"_s, Roster::SchoolYear(Today, state.SchoolYearStartMonth),
                         state.RosterStatusSwitch, roster);
    QVERIFY2(!read.failed(), qPrintable(read.message()));
    QCOMPARE(read.badNumbers, 0);
    QCOMPARE(roster.offeredNumbers().size(), 2);
    QCOMPARE(roster.trimmedName(DemoRoster::TeacherNumber), u"監督"_s);
    QVERIFY(roster.offeredNumbers().contains(1));
    QVERIFY(!roster.trimmedName(1).isEmpty());
    QCOMPARE(roster.gradeName(1), u"小１"_s);

    // No results yet, and the key is not left where students can open it.
    QVERIFY(!QFile::exists(ResultsFile::pathIn(state.DataFolder)));
    QCOMPARE(state.KeyPassLocation, QString::fromUtf8(SchoolSetup::DefaultKeyLocation));
    const QMap<QString, QByteArray> files = filesUnder(school);
    for (auto path = files.keyBegin(); path != files.keyEnd(); ++path)
        QVERIFY2(!path->endsWith(u"keypass.txt"_s), qPrintable(*path));
}

void TestSetupTool::secondRunChangesNoByte()
{
    QTemporaryDir newRoot;
    const QString newProgram = programFolderIn(newRoot);
    const QString newSchool = newRoot.path() + u"/school"_s;
    QVERIFY(!runSetup(SchoolSetup::Kind::NewSchool, newSchool, newProgram).failed());
    const QMap<QString, QByteArray> newBefore = filesUnder(newRoot.path());
    const SchoolSetup::Report again = runSetup(SchoolSetup::Kind::NewSchool, newSchool, newProgram);
    QVERIFY2(!again.failed(), qPrintable(again.error));
    QCOMPARE(again.created, QStringList());
    QCOMPARE(sorted(again.kept), newBefore.keys());
    QCOMPARE(filesUnder(newRoot.path()), newBefore);

    // A demo school in use: a pupil added to the roster, a session recorded.
    QTemporaryDir demoRoot;
    const QString demoProgram = programFolderIn(demoRoot);
    const QString demoSchool = demoRoot.path() + u"/school/"_s;
    QVERIFY(!runSetup(SchoolSetup::Kind::DemoSchool, demoSchool, demoProgram).failed());
    const QString results = ResultsFile::pathIn(demoSchool + u"kazudori/"_s);
    QVERIFY(QFileInfo(results).size() > 0);
    {
        QFile roster(demoSchool + u"新名簿.txt"_s);
        QVERIFY(roster.open(QIODevice::Append));
        roster.write(Cp932::encode(u"31,2015,1,3,\"新入　生徒\",0,\"\",\"\"\r\n"_s));
        QFile record(results);
        QVERIFY(record.open(QIODevice::Append));
        record.write(QByteArray(44, '\x01'));
    }
    const QMap<QString, QByteArray> demoBefore = filesUnder(demoRoot.path());
    for (const SchoolSetup::Kind kind : {SchoolSetup::Kind::DemoSchool, SchoolSetup::Kind::NewSchool}) {
        const SchoolSetup::Report report = runSetup(kind, demoSchool, demoProgram);
        QVERIFY2(!report.failed(), qPrintable(report.error));
        QCOMPARE(report.created, QStringList());
        QVERIFY(report.kept.contains(demoSchool + u"新名簿.txt"_s));
        QCOMPARE(report.kept.contains(results), kind == SchoolSetup::Kind::DemoSchool);
        QCOMPARE(filesUnder(demoRoot.path()), demoBefore);
    }
}

void TestSetupTool::unmakeableSchoolFolderIsNamed()
{
    QTemporaryDir root;
    QFile blocker(root.path() + u"/共有"_s);
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const SchoolSetup::Report report =
        runSetup(SchoolSetup::Kind::NewSchool, blocker.fileName() + u"/学校"_s, programFolderIn(root));
    QVERIFY(report.failed());
    QVERIFY2(report.error.contains(blocker.fileName() + u"/学校/"_s), qPrintable(report.error));
    QVERIFY2(report.error.contains(u"（"_s), qPrintable(report.error)); // the cause follows
    QVERIFY(!QFile::exists(root.path() + u"/lib/パスデータ.txt"_s));
}

void TestSetupTool::commandLineLaysOutARelativeFolder()
{
    QTemporaryDir root;
    const QString programFolder = programFolderIn(root);
    const ToolRun run = runTool(programFolder, root.path(), {u"--new"_s, u"学校"_s, u"--key"_s, u"鍵"_s});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    QVERIFY2(run.out.contains(u"作ったファイル"_s), qPrintable(run.out));
    QVERIFY2(run.out.contains(root.path() + u"/学校/新名簿.txt"_s), qPrintable(run.out));

    AppState state;
    const Startup::LoadError loaded = Startup::LoadStartupData(state, programFolder);
    QVERIFY2(!loaded.failed(), qPrintable(loaded.message()));
    QCOMPARE(state.BasePath, root.path() + u"/学校/"_s);
    QCOMPARE(state.KeyPassLocation, root.path() + u"/鍵"_s);

    const ToolRun again = runTool(programFolder, root.path(), {u"--new"_s, u"学校"_s});
    QCOMPARE(again.exitCode, 0);
    QVERIFY2(again.out.contains(u"そのままにしたファイル"_s), qPrintable(again.out));
    QVERIFY(!again.out.contains(u"作ったファイル"_s));
}

void TestSetupTool::pathDataOfAnotherSchoolIsLeftAlone()
{
    QTemporaryDir root;
    const QString programFolder = programFolderIn(root);
    const QString pathData = root.path() + u"/lib/パスデータ.txt"_s;
    DemoSchool::writeTextFile(
        pathData, {u"/srv/他の学校/"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s},
        nullptr);
    const QMap<QString, QByteArray> before = filesUnder(root.path());

    const ToolRun run = runTool(programFolder, root.path(), {u"--demo"_s, u"school"_s});
    QVERIFY(run.exitCode > 0);
    QVERIFY2(run.err.contains(pathData) && run.err.contains(u"/srv/他の学校/"_s), qPrintable(run.err));
    QVERIFY2(run.err.contains(u"削除"_s), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(root.path() + u"/school"_s));
    QMap<QString, QByteArray> after = filesUnder(root.path());
    after.remove(programFolder + u"kazudori-setup"_s);
    QCOMPARE(after, before);
}

QTEST_GUILESS_MAIN(TestSetupTool)
#include "tst_setuptool.moc"
