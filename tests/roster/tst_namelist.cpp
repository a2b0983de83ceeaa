#include <QTest>

#include "roster/gradefilter.h"
#include "roster/namelist.h"

using namespace Qt::StringLiterals;
using NameList::Figure;
using NameList::Student;
using NameList::Sums;

Q_DECLARE_METATYPE(Sums)

class TestNameList : public QObject
{
    Q_OBJECT

private slots:
    void figurePair_data();
    void figurePair();
    void columnWidths_data();
    void columnWidths();
    void labelAndName_data();
    void labelAndName();
    void filter_data();
    void filter();
    void orderIsCohortThenName();
    void linesCarryTheirKeys();
    void clickTexts();
};

void TestNameList::figurePair_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<Sums>("sums");
    QTest::addColumn<QString>("expected");
    // Sums: today count, today points, total count, total points.
    QTest::newRow("points, none today") << 1 << Sums{0, 0, 9, 123} << u"  　/    123"_s;
    QTest::newRow("counts") << 0 << Sums{3, 40, 12, 500} << u"  3回/   12回"_s;
    QTest::newRow("counts, none") << 0 << Sums{} << u"     /     　"_s;
    QTest::newRow("today") << 2 << Sums{0, 7, 2, 20} << u"   7/     "_s;
    QTest::newRow("total") << 3 << Sums{1, 1, 1, 1234567} << u"1234567/    1回"_s;
    QTest::newRow("too wide keeps the right end") << 3 << Sums{0, 0, 123456, 12345678} << u"2345678/23456回"_s;
    QTest::newRow("unknown mode shows points") << 7 << Sums{0, 5, 0, 5} << u"   5/      5"_s;
}

void TestNameList::figurePair()
{
    QFETCH(int, mode);
    QFETCH(Sums, sums);
    QFETCH(QString, expected);
    QCOMPARE(NameList::figurePair(mode, sums), expected);
}

void TestNameList::columnWidths_data()
{
    QTest::addColumn<int>("figure");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("zeroText");
    QTest::newRow("today count") << int(Figure::TodayCount) << 3 << u"回"_s << u"     "_s;
    QTest::newRow("today points") << int(Figure::TodayPoints) << 4 << QString() << u"  　"_s;
    QTest::newRow("total count") << int(Figure::TotalCount) << 5 << u"回"_s << u"     　"_s;
    QTest::newRow("total points") << int(Figure::TotalPoints) << 7 << QString() << u"       "_s;
}

void TestNameList::columnWidths()
{
    QFETCH(int, figure);
    QFETCH(int, width);
    QFETCH(QString, suffix);
    QFETCH(QString, zeroText);
    const auto f = static_cast<Figure>(figure);
    QCOMPARE(NameList::figureText(f, 0), zeroText);
    for (qint64 value : {1LL, 42LL, 9999999LL}) {
        const QString text = NameList::figureText(f, value);
        QCOMPARE(text.size(), width + suffix.size());
        QVERIFY(text.endsWith(suffix));
        QCOMPARE(text.left(width), QString::number(value).rightJustified(width, u' ').right(width));
    }
}

void TestNameList::labelAndName_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("grade");
    QTest::addColumn<QString>("expected");
    QTest::newRow("short pupil") << u"小3"_s << u"山田"_s << 3 << u"小3 山田　　　　"_s;
    QTest::newRow("pre-school gets 11") << u"幼2"_s << u"森"_s << -1 << u"幼2 森　　　　　　　"_s;
    QTest::newRow("grade 0 is pre-school") << u"幼3"_s << u"森"_s << 0 << u"幼3 森　　　　　　　"_s;
    QTest::newRow("exactly 9") << u"中1"_s << u"佐々木一郎"_s << 7 << u"中1 佐々木一郎　"_s;
    QTest::newRow("full, no pad") << u"中1"_s << u"佐々木一二郎"_s << 7 << u"中1 佐々木一二郎"_s;
    QTest::newRow("long, kept whole") << u"小5"_s << u"ながいながいなまえ"_s << 5 << u"小5 ながいながいなまえ"_s;
}

void TestNameList::labelAndName()
{
    QFETCH(QString, label);
    QFETCH(QString, name);
    QFETCH(int, grade);
    QFETCH(QString, expected);
    QCOMPARE(NameList::labelAndName(label, name, grade), expected);
}

void TestNameList::filter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QList<int>>("passing"); // out of grades -4..14
    QList<int> all;
    for (int g = -4; g <= 14; ++g)
        all.append(g);
    QTest::newRow("all") << u"全学年"_s << all;
    QTest::newRow("elementary") << u"小学生全体"_s << QList<int>{1, 2, 3, 4, 5, 6};
    QTest::newRow("junior high") << u"中学生全体"_s << QList<int>{7, 8, 9};
    QTest::newRow("小３") << u"小３"_s << QList<int>{3};
    QTest::newRow("小１") << u"小１"_s << QList<int>{1};
    QTest::newRow("中１") << u"中１"_s << QList<int>{7};
    QTest::newRow("中３") << u"中３"_s << QList<int>{9};
    QTest::newRow("half-width digit") << u"小3"_s << QList<int>{};
    QTest::newRow("高１ is no choice") << u"高１"_s << QList<int>{};
    QTest::newRow("中４") << u"中４"_s << QList<int>{};
    QTest::newRow("empty") << QString() << QList<int>{};
}

void TestNameList::filter()
{
    QFETCH(QString, filter);
    QFETCH(QList<int>, passing);
    for (int g = -4; g <= 14; ++g)
        QVERIFY2(GradeFilterMatch(filter, g) == passing.contains(g), qPrintable(QString::number(g)));
}

namespace {

Student student(qint16 number, qint16 cohort, int grade, const QString &name)
{
    return {number, cohort, grade, u"小%1"_s.arg(grade), name, Sums{}};
}

QStringList names(const QList<NameList::Line> &lines)
{
    QStringList out;
    for (const auto &line : lines)
        out.append(line.text.mid(3, line.text.indexOf(u'　') - 3));
    return out;
}

} // namespace

void TestNameList::orderIsCohortThenName()
{
    const QList<Student> students{
        student(1, 2016, 3, u"たなか"_s), student(2, 2015, 4, u"わたなべ"_s), student(3, 2016, 3, u"あべ"_s),
        student(4, 2016, 3, u"イトウ"_s), student(5, 2017, 2, u"あおき"_s),   student(6, 2015, 4, u"うえだ"_s),
    };
    QCOMPARE(names(NameList::build(students, 1, u"全学年"_s)),
             (QStringList{u"うえだ"_s, u"わたなべ"_s, u"あべ"_s, u"イトウ"_s, u"たなか"_s, u"あおき"_s}));
    // Filtering keeps the order and drops the others.
    QCOMPARE(names(NameList::build(students, 1, u"小３"_s)), (QStringList{u"あべ"_s, u"イトウ"_s, u"たなか"_s}));
    QVERIFY(NameList::build(students, 1, u"中学生全体"_s).isEmpty());
}

void TestNameList::linesCarryTheirKeys()
{
    Student s = student(1234, 2016, 3, u"山田"_s);
    s.sums = Sums{2, 10, 5, 30};
    const auto lines = NameList::build({s}, 0, u"全学年"_s);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].text, u"小3 山田　　　　  2回/    5回"_s);
    QCOMPARE(lines[0].key, lines[0].text + u"*1234"_s);
    QCOMPARE(lines[0].number, qint16(1234));
    QCOMPARE(NameList::numberOfKey(lines[0].key), qint16(1234));
    QCOMPARE(NameList::sortLine(s, 0), u"2016"_s + lines[0].text + u"*1234"_s);

    // A "*" inside the name neither cuts the line nor confuses the key.
    const auto starred = NameList::build({student(7, 2016, 3, u"a*b"_s)}, 1, u"全学年"_s);
    QVERIFY(starred[0].text.startsWith(u"小3 a*b"_s));
    QCOMPARE(NameList::numberOfKey(starred[0].key), qint16(7));
    QCOMPARE(NameList::numberOfKey(u"no key"_s), qint16(0));
}

void TestNameList::clickTexts()
{
    const QString line = u"小3 山田　　　　  2回/    5回"_s;
    QCOMPARE(NameList::clickedName(line), u"小3 山田　　　　"_s.left(9));
    QCOMPARE(NameList::doubleClickedName(line), u"小3 山田　　　　  2回"_s);
    QCOMPARE(NameList::clickedName(u"  ab  "_s), u"ab"_s);
}

QTEST_MAIN(TestNameList)
#include "tst_namelist.moc"
