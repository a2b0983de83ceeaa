#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdlib>

#include "demo/demoschool.h"
#include "demo/wavsynth.h"
#include "platform/ui/pulsesoundplayer.h"
#include "platform/wavfile.h"
#include "support/nullsinkserver.h"
#include "support/windowsystemkeys.h"

// Plays the demo school's cues for real on a silent PulseAudio sink.
class TestSoundPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playsEachCueForItsOwnDuration_data();
    void playsEachCueForItsOwnDuration();
    void brokenFilesFailAtOnce_data();
    void brokenFilesFailAtOnce();
    void keysTypedDuringPlayComeAfterwards();
    void soundStartedDuringAWaitIsRefused();
    void noAudioDeviceFailsFast();
    void twoCuesBackToBackArePlayedWhole();
    void soundsAreReadOnce();

private:
    NullSinkServer m_server;
    QTemporaryDir m_school;
    QString m_soundFolder;
    std::unique_ptr<PulseSoundPlayer> m_player;
    bool m_haveServer = false;
    QString m_noServerReason;
};

void TestSoundPlayer::initTestCase()
{
    QString error;
    QVERIFY2(DemoSchool::create(m_school.path(), &error), qPrintable(error));
    m_soundFolder = DemoSchool::layoutOf(m_school.path()).soundFolder;
    m_haveServer = m_server.start(&m_noServerReason);
    // One player for all, as in the program: the first stream after the
    // server starts waits out the idle sink's long latency.
    m_player = std::make_unique<PulseSoundPlayer>();
    // On a slow machine the first play may even be given up; the stream
    // still connects, and the second play finds it ready.
    if (m_haveServer && !m_player->playAndWait(m_soundFolder + QStringLiteral("警告1.wav")).ok())
        m_player->playAndWait(m_soundFolder + QStringLiteral("警告1.wav"));
}

void TestSoundPlayer::playsEachCueForItsOwnDuration_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(m_soundFolder).entryList({QStringLiteral("*.wav")}, QDir::Files);
    QVERIFY(files.size() >= 8);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestSoundPlayer::playsEachCueForItsOwnDuration()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    QFETCH(QString, file);
    const QString path = m_soundFolder + file;
    const auto wav = WavFile::read(path, nullptr);
    QVERIFY(wav);
    const qint64 duration = wav->durationMs();

    QElapsedTimer clock;
    clock.start();
    const SoundResult result = m_player->playAndWait(path);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    QVERIFY2(elapsed >= duration,
             qPrintable(QStringLiteral("returned after %1 ms of %2 ms").arg(elapsed).arg(duration)));
#ifdef KAZUDORI_SANITIZED_BUILD
    constexpr qint64 LateMs = 300;
#else
    constexpr qint64 LateMs = 50;
#endif
    QVERIFY2(elapsed <= duration + LateMs,
             qPrintable(QStringLiteral("returned %1 ms after the sound's end").arg(elapsed - duration)));
    QCOMPARE(m_player->underruns(), 0);
}

void TestSoundPlayer::brokenFilesFailAtOnce_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::newRow("missing") << QByteArray() << SoundError::FileNotFound;
    QTest::newRow("text file") << QByteArray("pinpon\r\n") << SoundError::NotPlayable;
    QTest::newRow("header only") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << SoundError::NotPlayable;
}

void TestSoundPlayer::brokenFilesFailAtOnce()
{
    QFETCH(QByteArray, content);
    QFETCH(int, code);
    const QString path = m_school.filePath(QStringLiteral("broken.wav"));
    QFile::remove(path);
    if (!content.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    PulseSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    const SoundResult result = player.playAndWait(path);
    QCOMPARE(result.code, code);
    QVERIFY(!result.errorText.isEmpty());
    QVERIFY(clock.elapsed() < 200);
}

void TestSoundPlayer::keysTypedDuringPlayComeAfterwards()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QTimer::singleShot(30, &edit, [&edit] { queueWindowSystemKey(&edit, Qt::Key_7, QStringLiteral("7")); });
    QVERIFY(m_player->playAndWait(m_soundFolder + QStringLiteral("pinpon.wav")).ok());
    QCOMPARE(edit.text(), QString());
    QTRY_COMPARE(edit.text(), QStringLiteral("7"));
}

void TestSoundPlayer::soundStartedDuringAWaitIsRefused()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    SoundResult nested;
    QTimer::singleShot(20, this, [&] { nested = m_player->playAndWait(m_soundFolder + QStringLiteral("警告1.wav")); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(m_player->playAndWait(m_soundFolder + QStringLiteral("合格.wav")).ok());
    QCOMPARE(nested.code, SoundError::DeviceFailed);
    QVERIFY(clock.elapsed() >= WavFile::read(m_soundFolder + QStringLiteral("合格.wav"), nullptr)->durationMs());
}

// A separate process, because Qt keeps the device list it saw first.
void TestSoundPlayer::noAudioDeviceFailsFast()
{
    QProcess helper;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("PULSE_SERVER"), m_school.filePath(QStringLiteral("no-such-socket")));
    helper.setProcessEnvironment(env);
    helper.start(qEnvironmentVariable("KAZUDORI_TEST_BIN") + QStringLiteral("/helpers/helper_playsound"),
                 {m_soundFolder + QStringLiteral("合格.wav")});
    QVERIFY2(helper.waitForFinished(10000), "the player hung without an audio device");
    const QStringList out = QString::fromUtf8(helper.readAllStandardOutput()).trimmed().split(u' ');
    QCOMPARE(out.size(), 2);
    if (out[0].toInt() == 0)
        QSKIP("this machine has an audio output even without a PulseAudio server");
    QCOMPARE(out[0].toInt(), SoundError::NoOutputDevice);
    QVERIFY2(out[1].toInt() < 500, qPrintable(out[1] + QStringLiteral(" ms")));
}

namespace {

// The stretches of sound in a recording of 16-bit mono samples, with their
// pitch from the zero crossings. The silence between two plays splits them.
struct Sounded
{
    double lengthMs = 0;
    double hertz = 0;
};

QList<Sounded> soundedStretches(const QByteArray &pcm, int rate)
{
    constexpr int Quiet = 50;
    const qsizetype bridged = rate / 500; // 2 ms: a sine passing zero is no silence
    const auto *samples = reinterpret_cast<const qint16 *>(pcm.constData());
    const qsizetype count = pcm.size() / 2;
    QList<Sounded> stretches;
    qsizetype i = 0;
    while (i < count) {
        if (std::abs(samples[i]) <= Quiet) {
            ++i;
            continue;
        }
        const qsizetype first = i;
        qsizetype last = i;
        int crossings = 0;
        for (; i < count && i - last <= bridged; ++i) {
            if (std::abs(samples[i]) > Quiet)
                last = i;
            crossings += i > first && (samples[i - 1] < 0) != (samples[i] < 0);
        }
        const double lengthMs = double(last - first + 1) * 1000 / rate;
        stretches.append({lengthMs, crossings / 2.0 * 1000 / lengthMs});
    }
    return stretches;
}

} // namespace

// What the sound server really played, recorded from its monitor: the first
// cue whole, then the second whole, not the first cut short by the second.
void TestSoundPlayer::twoCuesBackToBackArePlayedWhole()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    const QString recorderProgram = QStandardPaths::findExecutable(QStringLiteral("parec"));
    if (recorderProgram.isEmpty())
        QSKIP("parec is not installed");
    const QString low = m_school.filePath(QStringLiteral("low.wav"));
    const QString high = m_school.filePath(QStringLiteral("high.wav"));
    QVERIFY(DemoSchool::writeBinaryFile(low, WavSynth::render({{440, 400, 0.6}}), nullptr));
    QVERIFY(DemoSchool::writeBinaryFile(high, WavSynth::render({{880, 300, 0.6}}), nullptr));

    constexpr int Rate = 22050;
    QProcess recorder;
    // A low latency, or the recorder holds back up to seconds and loses them when stopped.
    recorder.start(recorderProgram,
                   {QStringLiteral("--latency-msec=20"), QStringLiteral("--format=s16le"),
                    QStringLiteral("--rate=%1").arg(Rate), QStringLiteral("--channels=1"), QStringLiteral("--raw"),
                    QStringLiteral("-d"), QStringLiteral("@DEFAULT_MONITOR@")});
    QVERIFY(recorder.waitForStarted());
    QByteArray pcm;
    QTRY_VERIFY_WITH_TIMEOUT((pcm += recorder.readAllStandardOutput()).size() > Rate / 10, 5000);

    QVERIFY(m_player->playAndWait(low).ok());
    QVERIFY(m_player->playAndWait(high).ok());
    QTest::qWait(300);
    pcm += recorder.readAllStandardOutput();
    recorder.terminate();
    QVERIFY(recorder.waitForFinished(5000));
    pcm += recorder.readAllStandardOutput();

    const QList<Sounded> heard = soundedStretches(pcm, Rate);
    QString told;
    for (const Sounded &stretch : heard)
        told += QStringLiteral(" %1 ms at %2 Hz;").arg(stretch.lengthMs, 0, 'f', 1).arg(stretch.hertz, 0, 'f', 0);
    QCOMPARE(m_player->underruns(), 0);
    QVERIFY2(heard.size() == 2, qPrintable(told));
    QVERIFY2(std::abs(heard[0].lengthMs - 400) <= 20 && heard[0].hertz < 660, qPrintable(told));
    QVERIFY2(std::abs(heard[1].lengthMs - 300) <= 20 && heard[1].hertz > 660, qPrintable(told));
}

// Once read, a sound needs its file no more: a school's share may be slow
// or gone for a moment in the middle of a drill.
void TestSoundPlayer::soundsAreReadOnce()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    const QString copy = m_school.filePath(QStringLiteral("copy.wav"));
    QVERIFY(QFile::copy(m_soundFolder + QStringLiteral("pinpon.wav"), copy));
    m_player->preload(copy);
    QVERIFY(QFile::remove(copy));
    const SoundResult result = m_player->playAndWait(copy);
    QVERIFY2(result.ok(), qPrintable(result.errorText));
}

QTEST_MAIN(TestSoundPlayer)
#include "tst_soundplayer.moc"
