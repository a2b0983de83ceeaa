#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QAudioDevice>
#include <QMediaDevices>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "demo/demoschool.h"
#include "platform/ui/qtsoundplayer.h"
#include "platform/wavfile.h"
#include "support/nullsinkserver.h"
#include "support/windowsystemkeys.h"

// Plays the demo school's cues for real on a silent PulseAudio sink.
class TestQtSoundPlayer : public QObject
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

private:
    NullSinkServer m_server;
    QTemporaryDir m_school;
    QString m_soundFolder;
    bool m_haveServer = false;
    QString m_noServerReason;
};

void TestQtSoundPlayer::initTestCase()
{
    QString error;
    QVERIFY2(DemoSchool::create(m_school.path(), &error), qPrintable(error));
    m_soundFolder = DemoSchool::layoutOf(m_school.path()).soundFolder;
    m_haveServer = m_server.start(&m_noServerReason);
    if (m_haveServer && QMediaDevices::audioOutputs().isEmpty()) {
        m_haveServer = false;
        m_noServerReason = QStringLiteral("the null sink server shows no audio output");
    }
}

void TestQtSoundPlayer::playsEachCueForItsOwnDuration_data()
{
    QTest::addColumn<QString>("file");
    const QStringList files = QDir(m_soundFolder).entryList({QStringLiteral("*.wav")}, QDir::Files);
    QVERIFY(files.size() >= 8);
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file;
}

void TestQtSoundPlayer::playsEachCueForItsOwnDuration()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    QFETCH(QString, file);
    const QString path = m_soundFolder + file;
    const auto wav = WavFile::read(path, nullptr);
    QVERIFY(wav);
    const qint64 duration = wav->durationMs();

    QtSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    const SoundResult result = player.playAndWait(path);
    const qint64 elapsed = clock.elapsed();
    QVERIFY2(result.ok(), qPrintable(result.errorText));
    QVERIFY2(elapsed >= duration, qPrintable(QStringLiteral("returned after %1 ms of %2 ms").arg(elapsed).arg(duration)));
    QVERIFY2(elapsed <= duration + 50,
             qPrintable(QStringLiteral("returned %1 ms after the sound's end").arg(elapsed - duration)));
}

void TestQtSoundPlayer::brokenFilesFailAtOnce_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("code");
    QTest::newRow("missing") << QByteArray() << SoundError::FileNotFound;
    QTest::newRow("text file") << QByteArray("pinpon\r\n") << SoundError::NotPlayable;
    QTest::newRow("header only") << QByteArray("RIFF\x04\0\0\0WAVE", 12) << SoundError::NotPlayable;
}

void TestQtSoundPlayer::brokenFilesFailAtOnce()
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
    QtSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    const SoundResult result = player.playAndWait(path);
    QCOMPARE(result.code, code);
    QVERIFY(!result.errorText.isEmpty());
    QVERIFY(clock.elapsed() < 200);
}

void TestQtSoundPlayer::keysTypedDuringPlayComeAfterwards()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&edit));
    QTimer::singleShot(30, &edit, [&edit] { queueWindowSystemKey(&edit, Qt::Key_7, QStringLiteral("7")); });
    QtSoundPlayer player;
    QVERIFY(player.playAndWait(m_soundFolder + QStringLiteral("pinpon.wav")).ok());
    QCOMPARE(edit.text(), QString());
    QTRY_COMPARE(edit.text(), QStringLiteral("7"));
}

void TestQtSoundPlayer::soundStartedDuringAWaitIsRefused()
{
    if (!m_haveServer)
        QSKIP(qPrintable(QStringLiteral("no PulseAudio server could be started: ") + m_noServerReason));
    QtSoundPlayer player;
    SoundResult nested;
    QTimer::singleShot(20, this, [&] { nested = player.playAndWait(m_soundFolder + QStringLiteral("警告1.wav")); });
    QElapsedTimer clock;
    clock.start();
    QVERIFY(player.playAndWait(m_soundFolder + QStringLiteral("合格.wav")).ok());
    QCOMPARE(nested.code, SoundError::DeviceFailed);
    QVERIFY(clock.elapsed() >= WavFile::read(m_soundFolder + QStringLiteral("合格.wav"), nullptr)->durationMs());
}

// A separate process, because Qt keeps the device list it saw first.
void TestQtSoundPlayer::noAudioDeviceFailsFast()
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

QTEST_MAIN(TestQtSoundPlayer)
#include "tst_qtsoundplayer.moc"
