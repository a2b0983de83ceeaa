#include "drill/problemlists.h"

#include <algorithm>
#include <cmath>

#include "app/columns.h"
#include "app/spokentext.h"
#include "app/textnumber.h"

using namespace Qt::StringLiterals;

namespace {

// Beyond this a counter is garbage from a broken file; the marks stay short.
constexpr double MaxMarkedMistakes = 99999;

double tries(const DrillProblem &p)
{
    return double(p.CorrectCount) + double(p.WrongCount);
}

// A mistake count fit for repeating marks; garbage from a broken file gives 0.
qint64 markCount(double wrongCount)
{
    return static_cast<qint64>(std::isfinite(wrongCount) ? std::clamp(wrongCount, 0.0, MaxMarkedMistakes) : 0.0);
}

QString repeated(const QString &mark, qint64 times)
{
    return mark.repeated(static_cast<qsizetype>(times));
}

QString keyText(const DrillProblem &p)
{
    return ProblemLists::secondsText(100.0 - p.TotalTime / tries(p));
}

// pad(correct, 4) & "  " & pad(wrong, 4) & marks, shared by both entries.
QString countsAndMarks(const DrillProblem &p)
{
    return u"%1  %2%3"_s.arg(Columns::padLeft(ProblemLists::countText(p.CorrectCount), 4),
                             Columns::padLeft(ProblemLists::countText(p.WrongCount), 4),
                             ProblemLists::mistakeMarks(p.WrongCount));
}

QString spokenLine(int level, const DrillProblem &p, const QString &figure)
{
    return SpokenText::join({ProblemSet::listText(level, p.Code), figure,
                             u"正解%1回"_s.arg(ProblemLists::countText(p.CorrectCount)),
                             u"間違い%1回"_s.arg(ProblemLists::countText(p.WrongCount))});
}

} // namespace

namespace ProblemLists {

QString countText(double count)
{
    if (std::isfinite(count) && std::floor(count) == count && std::abs(count) < 1e15)
        return QString::number(static_cast<qint64>(count));
    return QString::number(count);
}

QString mistakeMarks(double wrongCount)
{
    const qint64 wrong = markCount(wrongCount);
    return u"%1%2%3"_s.arg(repeated(u"★"_s, wrong / 100), repeated(u"●"_s, wrong % 100 / 10),
                           repeated(u"×"_s, wrong % 10));
}

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 2);
}

QString rateEntry(int level, const DrillProblem &p)
{
    const QString rate = u"%1%"_s.arg(QString::number(double(p.CorrectCount) / tries(p) * 100.0, 'f', 2));
    return u"%1  %2 *%3"_s.arg(Columns::padLeft(rate, 7), countsAndMarks(p), ProblemSet::listText(level, p.Code));
}

QString timeEntry(int level, const DrillProblem &p)
{
    return u"%1 \\%2*%3"_s.arg(Columns::padLeft(keyText(p), 7), ProblemSet::listText(level, p.Code), countsAndMarks(p));
}

Lists build(int level, const DrillProblemTable &problems, int problemCount)
{
    struct Row
    {
        QString entry;
        QString figure;
        QString spoken;
    };
    QList<Row> timeRows;
    QList<Row> rateRows;
    const int last = std::clamp(problemCount, 0, MaxProblemCount);
    for (int i = 1; i <= last; ++i) {
        const DrillProblem &p = problems[std::size_t(i)];
        if (!p.tried())
            continue;
        QString rate = rateEntry(level, p);
        QString rateFigure = rate.left(rate.indexOf(u'%') + 1);
        rateRows.append({std::move(rate), {}, spokenLine(level, p, rateFigure)});
        // The 7-column key loses its head above 999 s; the shown time comes
        // from the whole key so such a problem is not listed with a wrong time.
        const double key = TextNumber::leadingNumber(keyText(p));
        QString seconds = secondsText(100.0 - key);
        QString spoken = spokenLine(level, p, u"%1秒"_s.arg(seconds));
        timeRows.append({timeEntry(level, p), std::move(seconds), std::move(spoken)});
    }
    const auto byEntry = [](const Row &a, const Row &b) { return a.entry < b.entry; };
    std::stable_sort(rateRows.begin(), rateRows.end(), byEntry);
    std::stable_sort(timeRows.begin(), timeRows.end(), byEntry);

    Lists lists;
    for (const Row &row : timeRows) {
        const qsizetype slash = row.entry.indexOf(u'\\');
        const qsizetype star = row.entry.indexOf(u'*', slash);
        const QString text = row.entry.mid(slash + 1, star - slash - 1);
        lists.timeLines.append(
            u"%1　→  %2秒  %3"_s.arg(Columns::padLeft(text, 6), row.figure, row.entry.mid(star + 1)));
        lists.timeSpoken.append(row.spoken);
    }
    for (const Row &row : rateRows) {
        const qsizetype star = row.entry.indexOf(u'*');
        lists.rateLines.append(u"%1　→  %2"_s.arg(Columns::padLeft(row.entry.mid(star + 1), 6), row.entry.left(star)));
        lists.rateSpoken.append(row.spoken);
    }
    return lists;
}

History historyOf(const DrillProblem &p)
{
    if (!p.tried()) {
        return {QStringLiteral("はじめて"), QStringLiteral("－－－"), QStringLiteral("－－－")};
    }
    // Tried before: the count and the average replace what the previous
    // problem left in these fields.
    return {countText(tries(p)),
            u"今まで間違い数=%1 %2"_s.arg(countText(p.WrongCount), repeated(u"●"_s, markCount(p.WrongCount))),
            u"%1秒"_s.arg(secondsText(p.TotalTime / tries(p)))};
}

} // namespace ProblemLists
