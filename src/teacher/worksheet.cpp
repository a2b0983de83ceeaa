#include "teacher/worksheet.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

Worksheet::Problem problemOf(int level, int code)
{
    return {code, ProblemSet::faceOf(level, code).value_or(ProblemFace{})};
}

bool knownLevel(int level)
{
    return level >= ProblemSet::FirstLevel && level <= ProblemSet::LastLevel;
}

Worksheet listed(int level, quint32 seed, const std::vector<int> &codes)
{
    Worksheet sheet;
    sheet.level = level;
    sheet.layout = Worksheet::Layout::Numbered;
    sheet.seed = seed;
    if (!knownLevel(level))
        return sheet;
    for (int code : codes)
        sheet.problems.push_back(problemOf(level, code));
    return sheet;
}

struct Weakness
{
    bool tried = false;
    double wrongShare = 0;
    double averageTime = 0;
};

Weakness weaknessOf(const DrillProblem &fact)
{
    const double tries = double(fact.CorrectCount) + double(fact.WrongCount);
    // Garbage from a broken file must not break the sort's ordering.
    if (!(tries > 0) || !std::isfinite(tries))
        return {};
    const double average = fact.TotalTime / tries;
    return {true, double(fact.WrongCount) / tries, std::isfinite(average) ? average : 0.0};
}

bool weaker(const Weakness &a, const Weakness &b)
{
    if (a.tried != b.tried)
        return a.tried;
    if (a.wrongShare != b.wrongShare)
        return a.wrongShare > b.wrongShare;
    return a.averageTime > b.averageTime;
}

std::vector<int> inOrder(int count)
{
    std::vector<int> order(std::size_t(std::max(count, 0)));
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// Fisher–Yates, written out: std::shuffle's algorithm differs between
// standard libraries, and a reprinted sheet must match the first print.
void shuffle(std::vector<int> &order, QRandomGenerator &generator)
{
    for (std::size_t i = order.size(); i > 1; --i) {
        const std::size_t j = generator.bounded(quint32(i));
        std::swap(order[i - 1], order[j]);
    }
}

} // namespace

QString Worksheet::Problem::question() const
{
    return QStringLiteral("%1%2%3＝")
        .arg(QString::number(face.FirstOperand), face.Operator, QString::number(face.SecondOperand));
}

bool Worksheet::quotientsInCells() const
{
    return layout == Layout::HundredSquares && level == DivisionLevel;
}

int Worksheet::rowOperand(int row) const
{
    return FactMap::rowOperand(level, rows[std::size_t(row)]);
}

int Worksheet::columnOperand(int column) const
{
    return FactMap::columnOperand(level, columns[std::size_t(column)]);
}

Worksheet Worksheet::hundredSquares(int level, quint32 seed)
{
    Worksheet sheet;
    sheet.level = level;
    sheet.layout = Layout::HundredSquares;
    sheet.seed = seed;
    // One stream for the whole sheet, so that a sheet is its seed alone.
    QRandomGenerator generator(seed);
    const auto drawn = [&generator] {
        std::vector<int> order = inOrder(FactMap::Side);
        shuffle(order, generator);
        std::array<int, FactMap::Side> side{};
        std::copy(order.begin(), order.end(), side.begin());
        return side;
    };
    sheet.rows = drawn();
    sheet.columns = drawn();
    if (!knownLevel(level))
        return sheet;
    for (int row : sheet.rows) {
        // Division shows no quotients on top; with one column order for all
        // rows every column would repeat one answer, so each row has its own.
        const std::array<int, FactMap::Side> columns = sheet.quotientsInCells() ? drawn() : sheet.columns;
        for (int column : columns)
            sheet.problems.push_back(problemOf(level, FactMap::codeAt(row, column)));
    }
    return sheet;
}

Worksheet Worksheet::numbered(int level, quint32 seed)
{
    return listed(level, seed, seededOrder(MaxProblemCount, seed));
}

Worksheet Worksheet::weakFirst(int level, int student, const DrillProblemTable &facts, quint32 seed)
{
    Worksheet sheet = listed(level, seed, weakOrder(facts, seed));
    sheet.student = student;
    return sheet;
}

std::vector<int> Worksheet::seededOrder(int count, quint32 seed)
{
    std::vector<int> order = inOrder(count);
    QRandomGenerator generator(seed);
    shuffle(order, generator);
    return order;
}

std::vector<int> Worksheet::weakOrder(const DrillProblemTable &facts, quint32 seed)
{
    std::vector<int> order = seededOrder(MaxProblemCount, seed);
    std::array<Weakness, MaxProblemCount> weakness;
    for (int code = 0; code < MaxProblemCount; ++code)
        weakness[std::size_t(code)] = weaknessOf(facts[std::size_t(code + 1)]);
    std::stable_sort(order.begin(), order.end(),
                     [&weakness](int a, int b) { return weaker(weakness[std::size_t(a)], weakness[std::size_t(b)]); });
    return order;
}
