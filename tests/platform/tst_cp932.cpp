#include <QTest>

#include "platform/cp932.h"

class TestCp932 : public QObject
{
    Q_OBJECT

private slots:
    void windowsBytes_data();
    void windowsBytes();
    void unmappableBecomesQuestionMark();
    void fixedWidthNeverSplitsACharacter();
};

void TestCp932::windowsBytes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("circled one") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("roman one") << QStringLiteral("Ⅰ") << QByteArray("\x87\x54");
    QTest::newRow("fullwidth tilde") << QStringLiteral("\uFF5E") << QByteArray("\x81\x60");
    QTest::newRow("fullwidth minus") << QStringLiteral("\uFF0D") << QByteArray("\x81\x7C");
    QTest::newRow("taka (IBM ext)") << QStringLiteral("髙") << QByteArray("\xFB\xFC");
    QTest::newRow("halfwidth katakana") << QStringLiteral("ｸﾘｱﾎﾟｲﾝﾄ") << QByteArray("\xB8\xD8\xB1\xCE\xDF\xB2\xDD\xC4");
    QTest::newRow("operators") << QStringLiteral("＋－×÷") << QByteArray("\x81\x7B\x81\x7C\x81\x7E\x81\x80");
    QTest::newRow("ascii") << QStringLiteral("00123North") << QByteArray("00123North");
    QTest::newRow("kanji") << QStringLiteral("監督") << QByteArray("\x8A\xC4\x93\xC2");
}

void TestCp932::windowsBytes()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QVERIFY(Cp932::isAvailable());
    QCOMPARE(Cp932::encode(text), bytes);
    QCOMPARE(Cp932::decode(bytes), text);
}

void TestCp932::unmappableBecomesQuestionMark()
{
    // U+2212 and U+301C have no cp932 form on Windows (their look-alikes do).
    QCOMPARE(Cp932::encode(QStringLiteral("a\u2212b\u301Cc")), QByteArray("a?b?c"));
    QCOMPARE(Cp932::encode(QStringLiteral("x\U0001F600y")), QByteArray("x?y"));
}

void TestCp932::fixedWidthNeverSplitsACharacter()
{
    QCOMPARE(Cp932::encodeFixed(u"0", 5), QByteArray("0    "));
    QCOMPARE(Cp932::encodeFixed(u"abcdefg", 5), QByteArray("abcde"));
    // Three kanji are six bytes; five bytes hold two kanji and a pad blank.
    QCOMPARE(Cp932::encodeFixed(u"監督者", 5), QByteArray("\x8A\xC4\x93\xC2 "));
    QCOMPARE(Cp932::encodeFixed(u"ｱ監督", 5), QByteArray("\xB1\x8A\xC4\x93\xC2"));
}

QTEST_APPLESS_MAIN(TestCp932)
#include "tst_cp932.moc"
