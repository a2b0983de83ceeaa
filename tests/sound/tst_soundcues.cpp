#include <QTemporaryDir>
#include <QtTest>

#include "state/appstate.h"
#include "state/startup.h"
#include "app/textnumber.h"
#include "app/valuestream.h"
#include "demo/demoschool.h"
#include "platform/wavfile.h"
#include "sound/soundcues.h"
#include "support/testplatform.h"

namespace {

SoundCueTable read(const QString &listText)
{
    SoundCueTable cues;
    SoundCues::setCueNames(cues);
    ValueStream stream(listText);
    SoundCues::readCueList(cues, stream);
    return cues;
}

QStringList filesOf(const SoundCueTable &cues, int cue)
{
    QStringList result;
    for (int slot = 1; slot <= SoundCueAlternatives; ++slot)
        result.append(cues[std::size_t(cue)][std::size_t(slot)]);
    while (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

QString twentyNames()
{
    QStringList names;
    for (int i = 1; i <= 20; ++i)
        names.append(QStringLiteral("f%1").arg(i));
    return names.join(u',');
}

SoundResult failed()
{
    return {SoundError::FileNotFound, QStringLiteral("見つかりません")};
}

} // namespace

class TestSoundCues : public QObject
{
    Q_OBJECT

private slots:
    void readsCueBlocks_data();
    void readsCueBlocks();
    void playsTheDrawnAlternative();
    void fixedSoundsAndOtherCues_data();
    void fixedSoundsAndOtherCues();
    void fourthAnswerFailureEndsTheProgram();
    void otherSoundsFailSilently();
    void unlistedCueFailsWithoutPlaying();
    void startupLoadsTheList();
    void startupStopsWithoutTheList();
};

void TestSoundCues::readsCueBlocks_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("cue");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("count");

    QTest::newRow("one block") << QStringLiteral("正解音2\r\npinpon\r\npinpon2\r\n*\r\n") << 2
                               << QStringList{QStringLiteral("pinpon"), QStringLiteral("pinpon2")}
                               << QStringLiteral("2");
    QTest::newRow("any order, unknown names skipped")
        << QStringLiteral("不合格音1,gambare,*,おまけ,x,*,正解音2,a,*") << 10 << QStringList{QStringLiteral("gambare")}
        << QStringLiteral("1");
    QTest::newRow("star after the name") << QStringLiteral("間違い音2,*,正解音2,a,*") << 4 << QStringList{}
                                         << QStringLiteral("0");
    QTest::newRow("named twice: later block overwrites from slot 1")
        << QStringLiteral("正解音2,a,b,c,*,正解音2,x,*") << 2
        << QStringList{QStringLiteral("x"), QStringLiteral("b"), QStringLiteral("c")} << QStringLiteral("1");
    QStringList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.append(QStringLiteral("f%1").arg(i));
    // Without "*" the count stays unset and the next value is a cue name again.
    QTest::newRow("twenty names without star")
        << QStringLiteral("正解音2,") + twentyNames() + QStringLiteral(",間違い音2,boo,*") << 2 << twenty << QString();
    QTest::newRow("twenty names then the next cue")
        << QStringLiteral("正解音2,") + twentyNames() + QStringLiteral(",間違い音2,boo,*") << 4
        << QStringList{QStringLiteral("boo")} << QStringLiteral("1");
    QTest::newRow("file ends inside a block")
        << QStringLiteral("自己最高音2,yay") << 8 << QStringList{QStringLiteral("yay")} << QString();
}

void TestSoundCues::readsCueBlocks()
{
    QFETCH(QString, list);
    QFETCH(int, cue);
    QFETCH(QStringList, files);
    QFETCH(QString, count);
    const SoundCueTable cues = read(list);
    QCOMPARE(filesOf(cues, cue), files);
    QCOMPARE(cues[std::size_t(cue)][SoundCueCountSlot], count);
    QCOMPARE(cues[8][0], QStringLiteral("自己最高音2"));
}

void TestSoundCues::playsTheDrawnAlternative()
{
    TestPlatform t;
    AppState state;
    state.SoundFolder = QStringLiteral("/s/");
    state.SoundCues = read(QStringLiteral("正解音2,a,b,c,*"));
    t.random.script({0.0, 0.5, 0.99});
    for (int i = 0; i < 3; ++i)
        QVERIFY(PlayCorrectCue(state, t.platform));
    QCOMPARE(t.sound.played,
             (QStringList{QStringLiteral("/s/a.wav"), QStringLiteral("/s/b.wav"), QStringLiteral("/s/c.wav")}));
}

void TestSoundCues::fixedSoundsAndOtherCues_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("path");
    QTest::newRow("wrong") << 0 << QStringLiteral("/s/boo.wav");
    QTest::newRow("personal record") << 1 << QStringLiteral("/s/yay.wav");
    QTest::newRow("pass") << 2 << QStringLiteral("/s/gambare.wav");
    QTest::newRow("class record") << 3 << QStringLiteral("/s/最高1.wav");
    QTest::newRow("level clear") << 4 << QStringLiteral("/s/合格.wav");
    QTest::newRow("warning") << 5 << QStringLiteral("/s/警告1.wav");
}

void TestSoundCues::fixedSoundsAndOtherCues()
{
    QFETCH(int, which);
    QFETCH(QString, path);
    TestPlatform t;
    AppState state;
    state.SoundFolder = QStringLiteral("/s/");
    state.SoundCues = read(QStringLiteral("間違い音2,boo,*,自己最高音2,yay,*,不合格音1,gambare,*"));
    switch (which) {
    case 0:
        QVERIFY(PlayWrongCue(state, t.platform));
        break;
    case 1:
        PlayPersonalRecordCue(state, t.platform);
        break;
    case 2:
        PlayPassCue(state, t.platform);
        break;
    case 3:
        PlayClassRecordSound(state, t.platform);
        break;
    case 4:
        PlayLevelClearSound(state, t.platform);
        break;
    default:
        PlayWarningSound(state, t.platform);
        break;
    }
    QCOMPARE(t.sound.played, QStringList{path});
}

void TestSoundCues::fourthAnswerFailureEndsTheProgram()
{
    TestPlatform t;
    AppState state;
    state.SoundCues = read(QStringLiteral("正解音2,a,*,間違い音2,b,*"));
    t.sound.script({failed(), {}, failed(), {}, {}, failed()});
    QVERIFY(PlayCorrectCue(state, t.platform));
    QVERIFY(PlayCorrectCue(state, t.platform));
    QVERIFY(PlayWrongCue(state, t.platform));
    QVERIFY(PlayWrongCue(state, t.platform));
    QVERIFY(PlayCorrectCue(state, t.platform));
    QVERIFY(PlayWrongCue(state, t.platform));
    QCOMPARE(state.SoundErrorCount, qint16(3));
    QVERIFY(t.dialogs.shown.isEmpty());
    QVERIFY(!t.programEnd.ended);

    t.sound.script({failed()});
    QVERIFY(!PlayCorrectCue(state, t.platform));
    QVERIFY(t.programEnd.ended);
    QCOMPARE(t.dialogs.shown.size(), 1);
    QCOMPARE(t.dialogs.shown[0].title, QStringLiteral("音声エラー"));
    QCOMPARE(t.dialogs.shown[0].text, QStringLiteral("音声がでません。先生を呼びなさい。\r\n見つかりません"));
    QCOMPARE(t.dialogs.shown[0].buttons, DialogButtons::Ok);
}

void TestSoundCues::otherSoundsFailSilently()
{
    TestPlatform t;
    AppState state;
    state.SoundCues = read(QStringLiteral("自己最高音2,a,*,不合格音1,b,*"));
    t.sound.fallback = failed();
    for (int i = 0; i < 5; ++i) {
        PlayPersonalRecordCue(state, t.platform);
        PlayPassCue(state, t.platform);
        PlayClassRecordSound(state, t.platform);
        PlayLevelClearSound(state, t.platform);
        PlayWarningSound(state, t.platform);
    }
    QCOMPARE(t.sound.played.size(), 25);
    QCOMPARE(state.SoundErrorCount, qint16(0));
    QVERIFY(t.dialogs.shown.isEmpty());
    QVERIFY(!t.programEnd.ended);
}

// A cue the list does not give a file counts as a failed answer sound, and
// the teacher's message names the missing entry.
void TestSoundCues::unlistedCueFailsWithoutPlaying()
{
    TestPlatform t;
    AppState state;
    state.SoundCues = read(QStringLiteral("間違い音2,*"));
    for (int i = 0; i < 3; ++i) {
        QVERIFY(PlayCorrectCue(state, t.platform));
    }
    QVERIFY(!PlayWrongCue(state, t.platform));
    QVERIFY(t.sound.played.isEmpty());
    QVERIFY(t.programEnd.ended);
    QVERIFY(t.dialogs.shown.value(0).text.contains(QStringLiteral("間違い音2")));
    QVERIFY(t.dialogs.shown.value(0).text.contains(QStringLiteral("新音ファイル.txt")));
}

void TestSoundCues::startupLoadsTheList()
{
    QTemporaryDir root;
    QString error;
    QVERIFY(DemoSchool::create(root.path(), &error));
    AppState state;
    const auto result = Startup::LoadStartupData(state, DemoSchool::layoutOf(root.path()).programFolder);
    QVERIFY2(!result.failed(), qPrintable(result.message()));
    for (int cue : {SoundCues::CorrectCue, SoundCues::WrongCue, SoundCues::PersonalRecordCue, SoundCues::PassCue}) {
        QVERIFY(TextNumber::leadingNumber(state.SoundCues[std::size_t(cue)][SoundCueCountSlot]) >= 1);
        QVERIFY(QFile::exists(state.SoundFolder + state.SoundCues[std::size_t(cue)][1] + QStringLiteral(".wav")));
    }
    // A sound follows every answer, so these must stay short.
    const QStringList quick{state.SoundCues[2][1], state.SoundCues[2][2], state.SoundCues[4][1],
                            QStringLiteral("警告1")};
    for (const QString &name : quick) {
        const auto wav = WavFile::read(state.SoundFolder + name + QStringLiteral(".wav"), nullptr);
        QVERIFY(wav);
        QVERIFY2(wav->durationMs() > 0 && wav->durationMs() < 600, qPrintable(name));
    }
}

void TestSoundCues::startupStopsWithoutTheList()
{
    QTemporaryDir root;
    QString error;
    QVERIFY(DemoSchool::create(root.path(), &error));
    const auto layout = DemoSchool::layoutOf(root.path());
    QVERIFY(QFile::remove(layout.soundFolder + QStringLiteral("新音ファイル.txt")));
    AppState state;
    const auto result = Startup::LoadStartupData(state, layout.programFolder);
    QVERIFY(result.failed());
    QVERIFY(result.message().contains(QStringLiteral("新音ファイル.txt")));
    QCOMPARE(state.SoundCues[2][0], QStringLiteral("正解音2"));
}

QTEST_MAIN(TestSoundCues)
#include "tst_soundcues.moc"
