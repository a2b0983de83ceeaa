#include "menu/resultsgraph.h"

#include <algorithm>
#include <limits>

#include "app/columns.h"
#include "app/oledate.h"
#include "app/textnumber.h"
#include "menu/gradefilter.h"

using namespace Qt::StringLiterals;

namespace ResultsGraph {

namespace {

using ResultLists::LogRecord;
using ResultLists::RankingKind;
using ResultLists::RankingStudent;

bool shownAt(const LogRecord &r, const BandQuery &q, double oldestDay)
{
    return r.level <= q.levelCount && r.date > oldestDay && r.level == q.level;
}

qint32 scaleTopFor(qint32 ownMaximum)
{
    return std::min(10 * (ownMaximum / 10 + 1), HighestScaleTop);
}

QString rankText(qint32 rank)
{
    return Columns::padLeft(rank, 3);
}

} // namespace

RankFigures levelRankFigures(std::span<const RankingStudent> roster, RankingKind pointsKind, const QString &gradeFilter,
                             qint32 shownStudent)
{
    RankFigures figures;
    for (const ResultLists::RankedRow &row : ResultLists::rankRows(roster, RankingKind::BestTime)) {
        const RankingStudent &s = roster[std::size_t(row.index)];
        if (s.number != shownStudent || !ResultLists::GradeFilterMatch(s.gradeNumber, gradeFilter))
            continue;
        figures.timeRank = s.bestTime == TimeScore::NoTime ? QStringLiteral("---") : rankText(row.rank);
        break;
    }
    bool found = false;
    for (const ResultLists::RankedRow &row : ResultLists::rankRows(roster, pointsKind)) {
        const RankingStudent &s = roster[std::size_t(row.index)];
        if (!ResultLists::GradeFilterMatch(s.gradeNumber, gradeFilter))
            continue;
        if (pointsKind == RankingKind::TodayPoints && s.todayPoints == 0)
            continue;
        if (s.totalPoints > 0) {
            figures.classPointsSum += s.totalPoints;
            ++figures.classPointsCount;
        }
        // By number: a name may be part of another student's name.
        if (!found && s.number == shownStudent) {
            found = true;
            figures.pointsRank = rankText(row.rank);
            figures.points = s.totalPoints;
        }
    }
    return figures;
}

Band computeBand(std::span<const LogRecord> records, const BandQuery &query)
{
    Band band;
    const double oldestDay = OleDate::fromDate(query.today) - DaysShown;
    for (const LogRecord &r : records) {
        if (r.studentNumber != query.student || !shownAt(r, query, oldestDay) || r.timeScore >= CountedBelow)
            continue;
        ++band.ownCount;
        band.ownSum += r.timeScore;
        band.ownMaximum = std::max(band.ownMaximum, r.timeScore);
    }
    band.scaleTop = scaleTopFor(band.ownMaximum);

    qint32 played = 0;
    double trailOffset = -std::numeric_limits<double>::infinity();
    for (const LogRecord &r : records) {
        if (!shownAt(r, query, oldestDay))
            continue;
        const bool counted = r.timeScore < CountedBelow;
        if (counted) {
            band.classSum += r.timeScore;
            ++band.classCount;
        }
        band.classBest = std::min(band.classBest, r.timeScore);
        if (r.studentNumber != query.student)
            continue;
        if (counted)
            ++played;
        if (!query.plotted)
            continue;
        const double x = 0.2 + (band.ownCount > 0 ? 0.7 * played / band.ownCount : 0.0);
        const double offset = 0.8 - 0.7 * r.timeScore / band.scaleTop;
        const bool best = counted && offset > trailOffset;
        if (best) {
            trailOffset = offset;
            band.trail.push_back({x, offset, r.timeScore, r.date});
        }
        band.points.push_back({x, offset, best});
        band.hasLastSession = true;
        band.lastSessionX = x;
        band.lastSessionDate = r.date;
    }
    return band;
}

QStringList figuresLines(const Band &band, const RankFigures &ranks)
{
    using Columns::padLeft;
    const QString best = band.trail.empty() ? QString() : QString::number(band.trail.back().time) + u'秒';
    QStringList lines;
    lines << u"回数　　　　　　　%1回"_s.arg(padLeft(band.ownCount, 3)) << u"タイム  　　 　    本人 / 塾全体"_s
          << u"　　順位　　　　%1位"_s.arg(padLeft(ranks.timeRank, 5))
          << u"　　最高　　　　%1 /%2秒"_s.arg(padLeft(best, 6), padLeft(band.classBest, 5));
    if (band.ownCount != 0 && band.classCount != 0) {
        const qint64 classAverage = TextNumber::roundHalfEven(double(band.classSum) / band.classCount);
        lines << u"　　平均　　　　%1秒 /%2秒"_s.arg(padLeft(band.ownSum / band.ownCount, 5), padLeft(classAverage, 5));
    } else {
        lines << QString();
    }
    lines << u"ポイント  　　　"_s << u"　　順位　　　　%1位"_s.arg(padLeft(ranks.pointsRank, 5))
          << u"　　獲得ポイント%1点"_s.arg(padLeft(ranks.points, 5));
    if (ranks.classPointsCount != 0) {
        const qint64 average = TextNumber::roundHalfEven(double(ranks.classPointsSum) / ranks.classPointsCount);
        lines << u"　　　　　　　　　　　　/%1点"_s.arg(padLeft(average, 5));
    }
    lines << u"　　　　　　　　　　　　 (塾平均)"_s;
    return lines;
}

QString trailDate(double date, const QString &previous)
{
    const QString whole = OleDate::toDate(date).toString(QStringLiteral("yyyy/MM/dd"));
    return !previous.isEmpty() && whole.left(5) == previous.left(5) ? whole.right(5) : whole;
}

QStringList trailDates(const std::vector<TrailEntry> &trail)
{
    QStringList dates;
    QString previous;
    for (const TrailEntry &entry : trail) {
        dates.append(trailDate(entry.date, previous));
        previous = OleDate::toDate(entry.date).toString(QStringLiteral("yyyy/MM/dd"));
    }
    return dates;
}

std::vector<std::size_t> middleTrailLabels(std::size_t trailSize)
{
    // Entries 3, 6, 9 … up to C - 2, counted from 1, when there are more than five.
    std::vector<std::size_t> entries;
    for (std::size_t k = 3; trailSize > 5 && k + 2 <= trailSize; k += 3)
        entries.push_back(k - 1);
    return entries;
}

qint32 studentOfChooserLine(const QString &line)
{
    const qsizetype slash = line.lastIndexOf(u'/');
    if (slash < 0)
        return 0;
    bool ok = false;
    const int number = line.mid(slash + 1).trimmed().toInt(&ok);
    return ok ? number : 0;
}

QString chooserLine(const QString &gradeName, const QString &name, qint32 studentNumber)
{
    return QStringLiteral("%1 /  %2/%3").arg(gradeName, name, QString::number(studentNumber));
}

} // namespace ResultsGraph
