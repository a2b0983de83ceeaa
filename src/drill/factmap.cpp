#include "drill/factmap.h"

#include "drill/problemlists.h"
#include "drill/problemstat.h"

namespace FactMap {

namespace {

// Half again the pace the target asks for counts as slow.
constexpr double SlowFactor = 1.5;
constexpr double OftenWrongShare = 0.2;

} // namespace

int codeAt(int row, int column)
{
    return row * Side + column;
}

int rowOperand(int level, int row)
{
    const auto face = ProblemSet::faceOf(level, codeAt(row, 0));
    return face ? face->SecondOperand : 0;
}

int columnOperand(int level, int column)
{
    const auto face = ProblemSet::faceOf(level, codeAt(0, column));
    if (!face)
        return 0;
    // Division is laid out by divisor and quotient, the quotient on top.
    return level == ProblemSet::DivisionLevel ? face->ExpectedAnswer : face->FirstOperand;
}

Standing standingOf(const DrillProblem &problem, qint32 targetTime)
{
    const double tries = problem.CorrectCount + problem.WrongCount;
    if (tries <= 0)
        return Standing::NeverTried;
    if (problem.WrongCount / tries >= OftenWrongShare)
        return Standing::OftenWrong;
    // Average over the target's pace, multiplied out so that a time right at
    // the limit is not tipped over by a rounding.
    const bool slow = problem.TotalTime * MaxProblemCount > targetTime * SlowFactor * tries;
    return slow ? Standing::RightButSlow : Standing::RightAndFast;
}

QString markOf(Standing standing)
{
    switch (standing) {
    case Standing::NeverTried:
        return QStringLiteral("・");
    case Standing::OftenWrong:
        return QStringLiteral("×");
    case Standing::RightButSlow:
        return QStringLiteral("△");
    case Standing::RightAndFast:
        return QStringLiteral("○");
    }
    return QString();
}

QString nameOf(Standing standing)
{
    switch (standing) {
    case Standing::NeverTried:
        return QStringLiteral("まだやっていない");
    case Standing::OftenWrong:
        return QStringLiteral("よくまちがえる");
    case Standing::RightButSlow:
        return QStringLiteral("正しいけれどゆっくり");
    case Standing::RightAndFast:
        return QStringLiteral("正しくてはやい");
    }
    return QString();
}

QStringList legend()
{
    QStringList parts;
    for (Standing s : {Standing::RightAndFast, Standing::RightButSlow, Standing::OftenWrong, Standing::NeverTried})
        parts.append(QStringLiteral("%1 %2").arg(markOf(s), nameOf(s)));
    return parts;
}

DrillProblemTable storedFacts(const QString &dataFolder, int studentNumber, int level)
{
    LevelStats stats{};
    QString error;
    if (!ProblemStatFile::readLevel(ProblemStatFile::pathFor(dataFolder, studentNumber), level, stats, &error))
        stats = LevelStats{};
    return factsOf(stats);
}

DrillProblemTable factsOf(const LevelStats &stats)
{
    DrillProblemTable problems;
    for (int i = 1; i <= MaxProblemCount; ++i) {
        problems[std::size_t(i)].Code = i - 1;
        problems[std::size_t(i)].CorrectCount = stats[std::size_t(i - 1)].CorrectCount;
        problems[std::size_t(i)].WrongCount = stats[std::size_t(i - 1)].WrongCount;
        problems[std::size_t(i)].TotalTime = stats[std::size_t(i - 1)].TotalTime;
    }
    return problems;
}

QString describe(int level, const DrillProblem &problem, qint32 targetTime)
{
    const Standing standing = standingOf(problem, targetTime);
    const QString fact = ProblemSet::withAnswer(level, problem.Code);
    if (standing == Standing::NeverTried)
        return QStringLiteral("%1 %2").arg(fact, nameOf(standing));
    const double tries = problem.CorrectCount + problem.WrongCount;
    return QStringLiteral("%1 正解%2回 まちがい%3回 平均%4秒 %5")
        .arg(fact, ProblemLists::countText(problem.CorrectCount), ProblemLists::countText(problem.WrongCount),
             ProblemLists::secondsText(problem.TotalTime / tries), nameOf(standing));
}

} // namespace FactMap
