#include <QTest>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "demo/demoschool.h"
#include "roster/siblinglauncher.h"
#include "roster/singlecopy.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

// The single-copy check and the launcher start, without the screen.
class TestSingleCopy : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyIsRefused();
    void secondProcessIsRefusedUntilTheFirstIsKilled();
    void otherUsersCopyDoesNotBlock();
    void launcherPath();
    void launcherStartsWith001();
    void missingLauncherIsNamed();
    void demoLauncherStartsTheProgramAgain();
};

namespace {

QString helperPath()
{
    return qEnvironmentVariable("KAZUDORI_TEST_BIN") + u"/helpers/helper_singlecopy"_s;
}

// A process environment as another user's session would have it.
QProcessEnvironment userWithRuntime(const QString &runtimeFolder)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"XDG_RUNTIME_DIR"_s, runtimeFolder);
    return env;
}

// Runs one helper to its end; returns its output.
QString runOnce(const QString &lockPath, int *exitCode,
                const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(helperPath(), {lockPath});
    if (!process.waitForFinished(10000))
        return u"<hung>"_s;
    *exitCode = process.exitCode();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

void TestSingleCopy::secondCopyIsRefused()
{
    TestPlatform test;
    QVERIFY(SingleCopy::ensure(test.platform));
    QVERIFY(test.dialogs.shown.isEmpty());
    QVERIFY(!test.programEnd.ended);

    test.singleInstance.available = false;
    QVERIFY(!SingleCopy::ensure(test.platform));
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown[0].icon, DialogIcon::Critical);
    QCOMPARE(test.dialogs.shown[0].title, u"注意"_s);
    QCOMPARE(test.dialogs.shown[0].text, u"このプログラムと同じプログラムがすでに起動され、完全に終了されていません。"
                                         u"同じプログラムを完全に終了させてから実行してください。"_s);
    QVERIFY(test.programEnd.ended);
    QCOMPARE(test.programEnd.code, SingleCopy::ExitCode);
}

void TestSingleCopy::secondProcessIsRefusedUntilTheFirstIsKilled()
{
    QVERIFY2(QFileInfo(helperPath()).isExecutable(), qPrintable(helperPath()));
    QTemporaryDir dir;
    const QString lockPath = dir.filePath(u"kazudori.lock"_s);

    QProcess first;
    first.start(helperPath(), {lockPath, u"hold"_s});
    QVERIFY(first.waitForStarted());
    QByteArray firstOutput;
    QTRY_VERIFY_WITH_TIMEOUT((firstOutput += first.readAllStandardOutput()).contains("running"), 10000);

    int code = -1;
    const QString refused = runOnce(lockPath, &code);
    QCOMPARE(code, SingleCopy::ExitCode);
    QVERIFY2(refused.startsWith(u"注意|このプログラムと同じプログラムがすでに起動され"_s), qPrintable(refused));
    QVERIFY(!refused.contains(u"running"_s));
    QCOMPARE(first.state(), QProcess::Running);

    // A copy that dies without cleaning up must not block the next start.
    first.kill();
    QVERIFY(first.waitForFinished());
    QCOMPARE(first.exitStatus(), QProcess::CrashExit);
    QVERIFY(QFileInfo::exists(lockPath));
    const QString next = runOnce(lockPath, &code);
    QCOMPARE(next, u"running\n"_s);
    QCOMPARE(code, 0);
}

void TestSingleCopy::otherUsersCopyDoesNotBlock()
{
    QTemporaryDir pupilA;
    QTemporaryDir pupilB;
    QProcess first;
    first.setProcessEnvironment(userWithRuntime(pupilA.path()));
    first.start(helperPath(), {u"-"_s, u"hold"_s});
    QVERIFY(first.waitForStarted());
    QByteArray firstOutput;
    QTRY_VERIFY_WITH_TIMEOUT((firstOutput += first.readAllStandardOutput()).contains("running"), 10000);

    int code = -1;
    QCOMPARE(runOnce(u"-"_s, &code, userWithRuntime(pupilB.path())), u"running\n"_s);
    QCOMPARE(code, 0);
    QVERIFY(runOnce(u"-"_s, &code, userWithRuntime(pupilA.path())).startsWith(u"注意|"_s));
    QCOMPARE(code, SingleCopy::ExitCode);
    first.kill();
    QVERIFY(first.waitForFinished());
}

void TestSingleCopy::launcherPath()
{
#ifdef Q_OS_WIN
    const QString name = u"Revevav.exe"_s;
#else
    const QString name = u"Revevav"_s;
#endif
    QCOMPARE(SiblingLauncher::path(u"/srv/drill/kazudori/"_s), u"/srv/drill/kazudori/../起動/"_s + name);
    QCOMPARE(SiblingLauncher::path(u"C:\\drill\\calc\\"_s), u"C:\\drill\\calc/../起動/"_s + name);
}

void TestSingleCopy::launcherStartsWith001()
{
    TestPlatform test;
    QVERIFY(SiblingLauncher::start(test.platform, u"/srv/drill/kazudori/"_s));
    QCOMPARE(test.launcher.calls, 1);
    QCOMPARE(test.launcher.program, SiblingLauncher::path(u"/srv/drill/kazudori/"_s));
    QCOMPARE(test.launcher.arguments, QStringList{u"001"_s});
    QVERIFY(test.dialogs.shown.isEmpty());
}

void TestSingleCopy::missingLauncherIsNamed()
{
    TestPlatform test;
    test.launcher.succeed = false;
    QVERIFY(!SiblingLauncher::start(test.platform, u"/srv/drill/kazudori/"_s));
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(test.dialogs.shown[0].text.contains(u"/srv/drill/起動/Revevav"_s));
    QVERIFY(!test.programEnd.ended);
}

void TestSingleCopy::demoLauncherStartsTheProgramAgain()
{
#ifdef Q_OS_WIN
    QSKIP("the demo launcher is a shell script");
#else
    SchoolFolder school;
    QVERIFY(school.isValid());
    const auto &l = school.layout();
    // A program that only notes how it was started.
    const QString marker = l.root + u"started.txt"_s;
    QVERIFY(DemoSchool::writeBinaryFile(l.programFolder + u"kazudori"_s,
                                        "#!/bin/sh\npwd > \"" + marker.toUtf8() + "\"\n", nullptr));
    QFile(l.programFolder + u"kazudori"_s).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    SystemProcessLauncher launcher;
    QString error;
    QVERIFY2(launcher.start(SiblingLauncher::path(l.programFolder), {u"001"_s}, &error), qPrintable(error));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(marker).size() > 0, 10000);
    QCOMPARE(school.readBytes(marker).trimmed(), QFileInfo(l.programFolder).canonicalFilePath().toUtf8());
#endif
}

QTEST_MAIN(TestSingleCopy)
#include "tst_singlecopy.moc"
