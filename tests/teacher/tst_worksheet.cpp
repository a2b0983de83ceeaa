#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <set>

#include "state/appstate.h"
#include "drill/problemstat.h"
#include "support/testplatform.h"
#include "teacher/worksheet.h"
#include "teacher/worksheetplan.h"

using namespace Qt::StringLiterals;
using Layout = Worksheet::Layout;

namespace {

// The question text worked out here, from its digits and operator alone.
int worked(const QString &question)
{
    static const QString operators = u"＋－×÷"_s;
    const qsizetype at = std::find_if(question.begin(), question.end(), [](QChar ch) { return operators.contains(ch); })
                         - question.begin();
    if (at == question.size() || !question.endsWith(u'＝'))
        return -1;
    const int a = question.left(at).toInt();
    const int b = question.mid(at + 1, question.size() - at - 2).toInt();
    switch (operators.indexOf(question[at])) {
    case 0:
        return a + b;
    case 1:
        return a - b;
    case 2:
        return a * b;
    default:
        return b != 0 && a % b == 0 ? a / b : -1;
    }
}

std::vector<int> codesOf(const Worksheet &sheet)
{
    std::vector<int> codes;
    for (const Worksheet::Problem &p : sheet.problems)
        codes.push_back(p.code);
    return codes;
}

ProblemStat stat(float correct, float wrong, double seconds)
{
    return {correct, wrong, seconds};
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void answersAgreeWithTheArithmetic();
    void seedAloneDecidesTheOrder();
    void weakFactsComeFirst();
    void unreadableStatisticsAreNamed();
};

// Every level in both layouts: the 100 facts once each, every answer what
// the question works out to, and each 100マス cell the fact of its operands.
void TestWorksheet::answersAgreeWithTheArithmetic()
{
    for (int level = ProblemSet::FirstLevel; level <= ProblemSet::LastLevel; ++level) {
        for (quint32 seed : {1u, 77u, 999999u}) {
            const Worksheet grid = Worksheet::hundredSquares(level, seed);
            const Worksheet list = Worksheet::numbered(level, seed);
            for (const Worksheet *sheet : {&grid, &list}) {
                QCOMPARE(sheet->problems.size(), std::size_t(MaxProblemCount));
                const std::vector<int> codes = codesOf(*sheet);
                QCOMPARE(std::set<int>(codes.begin(), codes.end()).size(), std::size_t(MaxProblemCount));
                for (const Worksheet::Problem &p : sheet->problems)
                    QCOMPARE(p.face.ExpectedAnswer, worked(p.question()));
            }
            std::set<int> sides;
            std::set<int> tops;
            for (int r = 0; r < FactMap::Side; ++r) {
                for (int c = 0; c < FactMap::Side; ++c) {
                    const ProblemFace &face = grid.problems[std::size_t(r * FactMap::Side + c)].face;
                    const int side = grid.rowOperand(r);
                    const int top = grid.columnOperand(c);
                    sides.insert(side);
                    tops.insert(top);
                    switch (level) {
                    case 1:
                        QCOMPARE(face.ExpectedAnswer, top + side);
                        break;
                    case 2:
                        QCOMPARE(face.FirstOperand, top);
                        QCOMPARE(face.ExpectedAnswer, top - side);
                        break;
                    case 3:
                        QCOMPARE(face.ExpectedAnswer, top * side);
                        break;
                    case 4:
                        // The divisor down the side; the dividend in the cell.
                        QCOMPARE(face.SecondOperand, side);
                        QCOMPARE(face.FirstOperand, face.ExpectedAnswer * side);
                        break;
                    }
                }
            }
            QCOMPARE(sides, (std::set<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
            QCOMPARE(*tops.begin(), level == 2 ? 11 : 1);
            QCOMPARE(tops.size(), std::size_t(FactMap::Side));
            // Without quotients on top, no column may repeat one answer all the way down.
            for (int c = 0; level == 4 && c < FactMap::Side; ++c) {
                std::set<int> answers;
                for (int r = 0; r < FactMap::Side; ++r)
                    answers.insert(grid.problems[std::size_t(r * FactMap::Side + c)].face.ExpectedAnswer);
                QVERIFY(answers.size() > 1);
            }
        }
    }
    QVERIFY(Worksheet::numbered(9, 1).problems.empty());
}

void TestWorksheet::seedAloneDecidesTheOrder()
{
    std::set<std::vector<int>> lists;
    std::set<std::vector<int>> grids;
    for (quint32 seed = 1; seed <= 40; ++seed) {
        const Worksheet list = Worksheet::numbered(3, seed);
        const Worksheet grid = Worksheet::hundredSquares(2, seed);
        QCOMPARE(codesOf(Worksheet::numbered(3, seed)), codesOf(list));
        QCOMPARE(Worksheet::hundredSquares(2, seed).rows, grid.rows);
        QCOMPARE(Worksheet::hundredSquares(2, seed).columns, grid.columns);
        lists.insert(codesOf(list));
        grids.insert(codesOf(grid));
    }
    QCOMPARE(lists.size(), std::size_t(40));
    QCOMPARE(grids.size(), std::size_t(40));

    // Every value lands in the first place about equally often and some
    // values stay where they were: a shuffle that can never leave a value in
    // place (an off-by-one in Fisher–Yates) fails the second check.
    std::array<int, 10> firsts{};
    int stayed = 0;
    for (quint32 seed = 1; seed <= 2000; ++seed) {
        const std::vector<int> order = Worksheet::seededOrder(10, seed);
        ++firsts[std::size_t(order[0])];
        stayed += int(order[0] == 0);
        QCOMPARE(std::set<int>(order.begin(), order.end()).size(), std::size_t(10));
    }
    for (int count : firsts)
        QVERIFY2(count > 140 && count < 260, qPrintable(QString::number(count)));
    QVERIFY(stayed > 0);
}

// A statistics file with known counts: the wrongest share first, equal
// shares by the slower average, right-only facts by time, untried last.
void TestWorksheet::weakFactsComeFirst()
{
    QTemporaryDir dir;
    const QString dataFolder = dir.path() + u'/';
    const int student = 7;
    const int level = 3;
    const QString path = ProblemStatFile::pathFor(dataFolder, student);
    QVERIFY(ProblemStatFile::create(path, nullptr));
    LevelStats stats{};
    for (int code = 0; code < 90; ++code)
        stats[std::size_t(code)] = stat(5, 0, 5.0); // right and 1 s a try
    stats[42] = stat(2, 3, 10);                     // 60 % wrong
    stats[5] = stat(1, 1, 4);                       // 50 % wrong, 2 s
    stats[77] = stat(3, 3, 36);                     // 50 % wrong, 6 s
    stats[63] = stat(9, 1, 10);                     // 10 % wrong
    stats[10] = stat(10, 0, 90);                    // right but 9 s
    stats[11] = stat(10, 0, 30);                    // right, 3 s
    QVERIFY(ProblemStatFile::writeLevel(path, level, stats, nullptr));
    // Another level of the same file must not lead the order.
    LevelStats other{};
    other[0] = stat(0, 9, 9);
    QVERIFY(ProblemStatFile::writeLevel(path, level + 1, other, nullptr));

    AppState state;
    state.LevelNames[level] = u"かけ算"_s;
    state.roster.clear(2026);
    state.roster.add(
        {qint16(student), 2018, 1, 1, RosterTable::fixedField(u"さとう　ゆい"_s), RosterStatus::Offered, {}, {}}, 0);
    TestPlatform test;
    test.random.script({0.25, 0.5});
    WorksheetRequest request;
    request.level = level;
    request.layout = Layout::HundredSquares;
    request.sheetCount = 1;
    request.weakStudents = {student};
    const std::vector<Worksheet> sheets = WorksheetPlan::sheetsFor(request, test.platform, dataFolder);
    QCOMPARE(sheets.size(), std::size_t(2));
    QCOMPARE(sheets[0].layout, Layout::HundredSquares);
    QVERIFY(!sheets[0].weakFacts());
    const Worksheet &weak = sheets[1];
    QCOMPARE(weak.layout, Layout::Numbered);
    QCOMPARE(weak.student, student);
    QVERIFY(weak.seed != sheets[0].seed);

    const std::vector<int> codes = codesOf(weak);
    QCOMPARE(std::vector<int>(codes.begin(), codes.begin() + 6), (std::vector<int>{42, 77, 5, 63, 10, 11}));
    const std::set<int> untried(codes.end() - 10, codes.end());
    QCOMPARE(*untried.begin(), 90);
    QCOMPARE(*untried.rbegin(), 99);
    QCOMPARE(untried.size(), std::size_t(10));
    QCOMPARE(codesOf(Worksheet::weakFirst(level, student, FactMap::storedFacts(dataFolder, student, level), weak.seed)),
             codes);

    const WorksheetTexts texts = WorksheetPlan::textsOf(weak, state);
    QCOMPARE(texts.name, u"さとう　ゆい"_s);
    QVERIFY(texts.title.contains(u"かけ算"_s));
    QVERIFY(texts.seed.contains(QString::number(weak.seed)));
    QVERIFY(WorksheetPlan::textsOf(sheets[0], state).name.isEmpty());

    // A seed typed in prints that sheet again; the sheets after it get new ones.
    request.firstSeed = sheets[0].seed;
    request.weakStudents.clear();
    request.sheetCount = 2;
    const std::vector<Worksheet> again = WorksheetPlan::sheetsFor(request, test.platform, dataFolder);
    QCOMPARE(again[0].seed, sheets[0].seed);
    QCOMPARE(codesOf(again[0]), codesOf(sheets[0]));
    QVERIFY(again[1].seed != again[0].seed);
    QCOMPARE(WorksheetPlan::pagesOf(again, true).size(), std::size_t(4));
    QCOMPARE(WorksheetPlan::pagesOf(again, false).size(), std::size_t(2));
}

// A teacher must not print a "weak facts" sheet that silently knows nothing.
void TestWorksheet::unreadableStatisticsAreNamed()
{
    QTemporaryDir dir;
    const QString dataFolder = dir.path() + u'/';
    QVERIFY(QDir().mkpath(ProblemStatFile::pathFor(dataFolder, 8)));
    TestPlatform test;
    WorksheetRequest request;
    request.level = 2;
    request.sheetCount = 0;
    request.weakStudents = {8, 9};
    QList<std::pair<int, QString>> unread;
    const std::vector<Worksheet> sheets = WorksheetPlan::sheetsFor(request, test.platform, dataFolder, &unread);
    QCOMPARE(sheets.size(), std::size_t(2));
    QCOMPARE(unread.size(), 1);
    QCOMPARE(unread[0].first, 8);
    QVERIFY(!unread[0].second.isEmpty());
    QVERIFY(test.pause.waits.isEmpty());
}

QTEST_GUILESS_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
