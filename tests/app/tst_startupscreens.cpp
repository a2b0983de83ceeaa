#include <QTest>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "state/appstate.h"
#include "app/ui/waitcontrols.h"
#include "app/ui/waitscreen.h"
#include "app/ui/splashcontrols.h"
#include "app/ui/splashscreen.h"
#include "app/ui/versiondialog.h"
#include "app/ui/versiondialogcontrols.h"
#include "host/mainwindow.h"
#include "roster/ui/namescreen.h"
#include "store/resultsfile.h"
#include "store/resultsrewrite.h"
#include "support/controls.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

class TestStartupScreens : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsDateAndOpensNameScreen();
    void brokenSettingsEndTheProgramWithAMessage();
    void deleteStoppedPartWayIsRepairedAndToldAtStart();
    void versionDialog();
    void waitScreen();
};

void TestStartupScreens::splashShowsDateAndOpensNameScreen()
{
    SchoolFolder school;
    TestPlatform test;
    test.clock.set(QDateTime(QDate(2027, 1, 5), QTime(8, 30)));
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.showSplash();

    auto *splash = qobject_cast<SplashScreen *>(host.currentScreen());
    QVERIFY(splash);
    QCOMPARE(control<QLabel>(splash, SplashControls::Date)->text(), u"令和9年 1月 05日（火）"_s);
    QCOMPARE(state.SeasonColour, (RgbColour{255, 128, 0}));
    QCOMPARE(test.random.seeds.size(), 1);
    const auto *pause = control<QTimer>(splash, SplashControls::Pause);
    QVERIFY(pause && pause->isActive());
    QCOMPARE(pause->interval(), 100);

    // Settings are loaded only when the timer fires.
    QVERIFY(state.DataFolder.isEmpty());
    QTRY_VERIFY(qobject_cast<NameScreen *>(host.currentScreen()));
    QCOMPARE(state.DataFolder, school.layout().dataFolder);
    // Every listed cue and the fixed sounds go to the player before a drill.
    for (const QString &name : {u"pinpon2"_s, u"最高1"_s, u"合格"_s, u"警告1"_s})
        QVERIFY2(test.sound.preloaded.contains(school.layout().soundFolder + name + u".wav"_s), qPrintable(name));
    QCOMPARE(host.windowTitle(), u"Growna"_s);
    QVERIFY(test.dialogs.shown.isEmpty());
    QVERIFY(!test.programEnd.ended);
}

void TestStartupScreens::brokenSettingsEndTheProgramWithAMessage()
{
    SchoolFolder school;
    school.writeText(u"school/共通データ.txt"_s, {u"4,North"_s});
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.showSplash();
    QTRY_VERIFY(test.programEnd.ended);
    QVERIFY(test.programEnd.code != 0);
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(test.dialogs.shown[0].text.contains(u"共通データ.txt"_s));
    QVERIFY(test.dialogs.shown[0].text.contains(u"2個"_s));
}

// A delete killed after its backup: the file still holds every record.
void TestStartupScreens::deleteStoppedPartWayIsRepairedAndToldAtStart()
{
    SchoolFolder school;
    const QString results = ResultsFile::pathIn(school.layout().dataFolder);
    const QString backup = ResultsRewrite::backupPathIn(school.layout().dataFolder);
    const QByteArray records = school.readBytes(results);
    QVERIFY(QFile::copy(results, backup));
    TestPlatform test;
    AppState state;
    MainWindow host(state, test.platform, school.layout().programFolder);
    host.showSplash();
    QTRY_VERIFY(qobject_cast<NameScreen *>(host.currentScreen()));
    QCOMPARE(test.dialogs.shown.size(), 1);
    QVERIFY(test.dialogs.shown[0].text.contains(u"消去が途中で止まっていました"_s));
    QVERIFY(!QFile::exists(backup));
    QCOMPARE(school.readBytes(results), records);
    QVERIFY(!test.programEnd.ended);
}

void TestStartupScreens::versionDialog()
{
    VersionDialog dialog(u"カズドリ"_s);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    QCOMPARE(control<QLabel>(&dialog, VersionDialogControls::Title)->text(), u"カズドリ"_s);
    QVERIFY(QRegularExpression(u"^Version\\d+\\.\\d+\\.\\d+$"_s)
                .match(control<QLabel>(&dialog, VersionDialogControls::Version)->text())
                .hasMatch());
    QCOMPARE(control<QLabel>(&dialog, VersionDialogControls::Version)->text(), VersionDialog::versionText());
    auto *ok = control<QPushButton>(&dialog, VersionDialogControls::OkButton);
    QCOMPARE(ok->text(), u"O.K."_s);
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestStartupScreens::waitScreen()
{
    AppState state;
    TestPlatform test;
    MainWindow host(state, test.platform, QString());
    host.setBusy(true);
    QVERIFY(host.waitShown());
    WaitScreen *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<WaitScreen *>(w))
            shown = b;
    }
    QVERIFY(shown);
    QCOMPARE(control<QLabel>(shown, WaitControls::Message)->text(), u"Just a moment, please."_s);
    host.setBusy(false);
    QVERIFY(!host.waitShown());
}

QTEST_MAIN(TestStartupScreens)
#include "tst_startupscreens.moc"
