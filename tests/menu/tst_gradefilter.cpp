#include <QTest>

#include <random>
#include <vector>

#include "menu/gradefilter.h"
#include "menu/stablesort.h"

using namespace Qt::StringLiterals;
using namespace ResultLists;

class TestGradeFilter : public QObject
{
    Q_OBJECT

private slots:
    void gradeMark_data();
    void gradeMark();
    void filterMatch_data();
    void filterMatch();
    void filterTextsAllKnown();
    void nameColumn_data();
    void nameColumn();
    void sortKeepsOrderOfEqualKeys();
    void sortTouchesOnlyTheCommonLength();
};

void TestGradeFilter::gradeMark_data()
{
    QTest::addColumn<int>("grade");
    QTest::addColumn<QString>("mark");
    const QStringList marks{u"①"_s, u"②"_s, u"③"_s, u"④"_s, u"⑤"_s, u"⑥"_s, u"Ⅰ"_s, u"Ⅱ"_s, u"Ⅲ"_s};
    for (int g = 1; g <= 9; ++g)
        QTest::addRow("%d", g) << g << marks[g - 1];
    for (int g : {-5, 0, 10, 15})
        QTest::addRow("%d", g) << g << u"　"_s;
}

void TestGradeFilter::gradeMark()
{
    QFETCH(int, grade);
    QFETCH(QString, mark);
    QCOMPARE(GradeMark(grade), mark);
}

void TestGradeFilter::filterMatch_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("passing"); // among grades -1..11

    QTest::newRow("全学年") << u"全学年"_s << QList<int>{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    QTest::newRow("中学生全体") << u"中学生全体"_s << QList<int>{7, 8, 9};
    QTest::newRow("小学生全体") << u"小学生全体"_s << QList<int>{1, 2, 3, 4, 5, 6};
    const QStringList single{u"小１"_s, u"小２"_s, u"小３"_s, u"小４"_s, u"小５"_s,
                             u"小６"_s, u"中１"_s, u"中２"_s, u"中３"_s};
    for (int g = 1; g <= 9; ++g)
        QTest::newRow(qPrintable(single[g - 1])) << single[g - 1] << QList<int>{g};
    QTest::newRow("half-width digit") << u"小3"_s << QList<int>{};
    QTest::newRow("empty") << QString() << QList<int>{};
    QTest::newRow("小７") << u"小７"_s << QList<int>{};
}

void TestGradeFilter::filterMatch()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, passing);
    for (int g = -1; g <= 11; ++g)
        QVERIFY2(GradeFilterMatch(g, filter) == passing.contains(g), qPrintable(QString::number(g)));
}

void TestGradeFilter::filterTextsAllKnown()
{
    const QStringList texts = gradeFilterTexts();
    QCOMPARE(texts.size(), 12);
    QCOMPARE(texts.first(), u"全学年"_s);
    QCOMPARE(texts.last(), u"小１"_s);
    // Every item of the box must let at least one grade through.
    for (const QString &text : texts) {
        bool any = false;
        for (int g = 1; g <= 9; ++g)
            any = any || GradeFilterMatch(g, text);
        QVERIFY2(any, qPrintable(text));
    }
}

void TestGradeFilter::nameColumn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("column");
    QTest::newRow("padded roster name") << u"山田                "_s << u"山田　　　"_s;
    QTest::newRow("long name cut") << u"寿限無寿限無"_s << u"寿限無寿限"_s;
    QTest::newRow("inner blank kept") << u"A B"_s << u"A B　　"_s;
    QTest::newRow("empty") << QString() << u"　　　　　"_s;
}

void TestGradeFilter::nameColumn()
{
    QFETCH(QString, name);
    QFETCH(QString, column);
    QCOMPARE(nameColumnText(name), column);
}

void TestGradeFilter::sortKeepsOrderOfEqualKeys()
{
    std::mt19937 engine(20261209);
    for (int sample = 0; sample < 500; ++sample) {
        const int n = std::uniform_int_distribution<int>(0, 300)(engine);
        // Few distinct keys, many ties; negative keys as the points view uses them.
        std::uniform_int_distribution<qint32> keyOf(-6, 6);
        std::vector<qint32> original(std::size_t(n), 0);
        for (qint32 &key : original)
            key = keyOf(engine);
        std::vector<qint32> keys = original;
        std::vector<qint32> payload(std::size_t(n), 0);
        for (int i = 0; i < n; ++i)
            payload[std::size_t(i)] = i;

        StableSortByKey(keys, payload);

        std::vector<bool> seen(std::size_t(n), false);
        for (int i = 0; i < n; ++i) {
            const qint32 from = payload[std::size_t(i)];
            QVERIFY(from >= 0 && from < n && !seen[std::size_t(from)]);
            seen[std::size_t(from)] = true;
            QCOMPARE(keys[std::size_t(i)], original[std::size_t(from)]);
            if (i > 0) {
                QVERIFY(keys[std::size_t(i - 1)] <= keys[std::size_t(i)]);
                if (keys[std::size_t(i - 1)] == keys[std::size_t(i)])
                    QVERIFY(payload[std::size_t(i - 1)] < from);
            }
        }
    }
}

void TestGradeFilter::sortTouchesOnlyTheCommonLength()
{
    std::vector<qint32> keys{3, 1, 2, 0};
    std::vector<qint32> payload{30, 10, 20};
    StableSortByKey(keys, payload);
    QCOMPARE(keys, (std::vector<qint32>{1, 2, 3, 0}));
    QCOMPARE(payload, (std::vector<qint32>{10, 20, 30}));
}

QTEST_APPLESS_MAIN(TestGradeFilter)
#include "tst_gradefilter.moc"
