#include <QtEndian>
#include <QtTest>

#include "demo/wavsynth.h"
#include "platform/wavfile.h"

namespace {

// Overwrites the 16-bit value at `at` of a rendered file.
QByteArray patched16(QByteArray wav, int at, quint16 value)
{
    qToLittleEndian(value, wav.data() + at);
    return wav;
}

} // namespace

class TestWavFile : public QObject
{
    Q_OBJECT

private slots:
    void durationFromTheHeader();
    void brokenFiles_data();
    void brokenFiles();
};

void TestWavFile::durationFromTheHeader()
{
    const auto wav = WavFile::parse(WavSynth::render({{440, 200}, {0, 200}}), nullptr);
    QVERIFY(wav);
    QCOMPARE(wav->durationMs(), 400);
    QCOMPARE(wav->channels, 1);
    QCOMPARE(wav->bitsPerSample, 16);
}

void TestWavFile::brokenFiles_data()
{
    const QByteArray good = WavSynth::render({{440, 200}});
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("duration"); // -1: refused
    QTest::newRow("empty") << QByteArray() << qint64(-1);
    QTest::newRow("not RIFF") << QByteArray("ID3\x03").append(good) << qint64(-1);
    QTest::newRow("header only") << good.left(12) << qint64(-1);
    QTest::newRow("ADPCM") << patched16(good, 20, 2) << qint64(-1);
    QTest::newRow("24-bit") << patched16(good, 34, 24) << qint64(-1);
    QTest::newRow("no channels") << patched16(good, 22, 0) << qint64(-1);
    // A copy cut short still plays the part that is there.
    QTest::newRow("data cut in half") << good.left(44 + (good.size() - 44) / 2) << qint64(100);
}

void TestWavFile::brokenFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, duration);
    QString error;
    const auto wav = WavFile::parse(bytes, &error);
    if (duration < 0) {
        QVERIFY(!wav);
        QVERIFY(!error.isEmpty());
    } else {
        QVERIFY(wav);
        QCOMPARE(wav->durationMs(), duration);
    }
}

QTEST_MAIN(TestWavFile)
#include "tst_wavfile.moc"
