#include <QTest>

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include "app/appstate.h"
#include "app/ui/basefrm.h"
#include "app/ui/firstfrm.h"
#include "app/ui/frmver.h"
#include "app/ui/placeholderscreen.h"
#include "app/ui/screenhost.h"
#include "roster/ui/namesel.h"
#include "support/schoolfolder.h"
#include "support/testplatform.h"

using namespace Qt::StringLiterals;

class TestStartupScreens : public QObject
{
    Q_OBJECT

private slots:
    void splashShowsDateAndOpensNameScreen();
    void brokenSettingsEndTheProgramWithAMessage();
    void versionDialog();
    void waitScreen();
};

void TestStartupScreens::splashShowsDateAndOpensNameScreen()
{
    SchoolFolder school;
    TestPlatform test;
    test.clock.set(QDateTime(QDate(2027, 1, 5), QTime(8, 30)));
    AppState state;
    ScreenHost host(state, test.platform, school.layout().programFolder);
    host.showSplash();

    auto *splash = qobject_cast<Firstfrm *>(host.currentScreen());
    QVERIFY(splash);
    QCOMPARE(splash->Label2->text(), u"令和9年 1月 05日（火）"_s);
    QCOMPARE(state.SeasonColour, (RgbColour{255, 128, 0}));
    QCOMPARE(test.random.seeds.size(), 1);
    QVERIFY(splash->Timer1.isActive());
    QCOMPARE(splash->Timer1.interval(), 100);

    // Settings are loaded only when the timer fires.
    QVERIFY(state.DataFolder.isEmpty());
    QTRY_VERIFY(qobject_cast<namesel *>(host.currentScreen()));
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
    ScreenHost host(state, test.platform, school.layout().programFolder);
    host.showSplash();
    QTRY_VERIFY(test.programEnd.ended);
    QVERIFY(test.programEnd.code != 0);
    QCOMPARE(test.dialogs.shown.size(), 1);
    QCOMPARE(test.dialogs.shown[0].title, u"注意"_s);
    QVERIFY(test.dialogs.shown[0].text.contains(u"共通データ.txt"_s));
    QVERIFY(test.dialogs.shown[0].text.contains(u"2個"_s));
}

void TestStartupScreens::versionDialog()
{
    AppState state;
    state.ContentTitle = u"カズドリ"_s;
    frmver dialog(state);
    dialog.show();
    QCOMPARE(dialog.windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    QCOMPARE(dialog.Label1->text(), u"カズドリ"_s);
    QVERIFY(QRegularExpression(u"^Version\\d+\\.\\d+\\.\\d+$"_s).match(dialog.Label2->text()).hasMatch());
    QCOMPARE(dialog.Label2->text(), frmver::versionText());
    QCOMPARE(dialog.Command1->text(), u"O.K."_s);
    QTest::mouseClick(dialog.Command1, Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
}

void TestStartupScreens::waitScreen()
{
    AppState state;
    TestPlatform test;
    ScreenHost host(state, test.platform, QString());
    host.showWait();
    QVERIFY(host.waitShown());
    BASEFRM *shown = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *b = qobject_cast<BASEFRM *>(w))
            shown = b;
    }
    QVERIFY(shown);
    QCOMPARE(shown->Label1->text(), u"Just a moment, please."_s);
    host.closeWait();
    QVERIFY(!host.waitShown());
}

QTEST_MAIN(TestStartupScreens)
#include "tst_startupscreens.moc"
