#include <QTest>

#include <QTemporaryDir>

#include "app/localpage.h"
#include "platform/cp932.h"

using namespace Qt::StringLiterals;

class TestLocalPage : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void missingFileIsEmpty();
};

namespace {
const QString Text = u"①髙橋さん～がんばろう"_s;
}

void TestLocalPage::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("no charset") << "<html><body>" + Cp932::encode(Text) + "</body></html>";
    QTest::newRow("shift_jis") << "<meta charset=\"Shift_JIS\"><p>" + Cp932::encode(Text);
    QTest::newRow("http-equiv sjis") << "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">"
                                            + Cp932::encode(Text);
    QTest::newRow("utf-8") << "<meta charset='utf-8'><p>" + Text.toUtf8();
    QTest::newRow("unknown charset") << "<meta charset=\"klingon\"><p>" + Cp932::encode(Text);
}

void TestLocalPage::decode()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(LocalPage::decode(bytes).contains(Text));
}

void TestLocalPage::missingFileIsEmpty()
{
    QTemporaryDir dir;
    QVERIFY(LocalPage::read(dir.filePath(u"PageName.htm"_s)).isEmpty());
}

QTEST_MAIN(TestLocalPage)
#include "tst_localpage.moc"
