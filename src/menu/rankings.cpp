#include "menu/rankings.h"

#include <QStringBuilder>

#include <vector>

#include "app/columns.h"
#include "app/spokentext.h"
#include "menu/gradefilter.h"
#include "menu/stablesort.h"

namespace {

using namespace ResultLists;

const QString CurrentMark = QStringLiteral("●");

struct SortedRow
{
    qint32 index; // into the roster list
    qint32 compared;
};

// Roster positions in ranking order with the value that decides the ranks.
std::vector<SortedRow> sortRows(std::span<const RankingStudent> roster, RankingKind kind)
{
    const std::size_t n = roster.size();
    std::vector<qint32> keys(n);
    std::vector<qint32> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = qint32(i);

    auto sortBy = [&](auto key) {
        for (std::size_t i = 0; i < n; ++i)
            keys[i] = key(roster[std::size_t(order[i])]);
        StableSortByKey(keys, order);
    };
    // Points are never negative, so negating them sorts descending; the
    // secondary pass first, so the primary pass keeps its order on ties.
    if (kind == RankingKind::BestTime) {
        sortBy([](const RankingStudent &s) { return s.bestTime; });
    } else if (kind == RankingKind::TotalPoints) {
        sortBy([](const RankingStudent &s) { return -s.todayPoints; });
        sortBy([](const RankingStudent &s) { return -s.totalPoints; });
    } else {
        sortBy([](const RankingStudent &s) { return -s.totalPoints; });
        sortBy([](const RankingStudent &s) { return -s.todayPoints; });
    }

    std::vector<SortedRow> rows(n);
    for (std::size_t i = 0; i < n; ++i)
        rows[i] = {order[i], keys[i]};
    return rows;
}

QString lineOf(const RankingStudent &student, RankingKind kind, int rank, bool current)
{
    const QString mark1 = current ? CurrentMark : GradeMark(student.gradeNumber);
    const QString mark2 = current ? CurrentMark : QString(QChar(0x3000));
    const QString name5 = nameColumnText(student.name);
    // Two characters keep the column; a rank of 100 or more is shown whole
    // rather than cut to its last two digits.
    const QString rank2 = rank < 100 ? Columns::padLeft(rank, 2) : QString::number(rank);

    // Joined with % in one allocation: a fill makes thousands of lines.
    if (kind != RankingKind::BestTime) {
        return rank2 % mark1 % name5 % Columns::padLeft(student.todayPoints, 3) % u'/'
               % Columns::padLeft(student.totalPoints, 5);
    }
    if (student.bestTime == TimeScore::NoTime)
        return QStringLiteral("--") % mark1 % name5 % QStringLiteral("------ ") % mark2;
    const QString time =
        student.bestTime == TimeScore::NoResultFrom ? QStringLiteral("*失敗*") : Columns::padLeft(student.bestTime, 6);
    return rank2 % mark1 % name5 % time % u' ' % mark2;
}

QString spokenLineOf(const RankingStudent &student, RankingKind kind, int rank, bool current)
{
    const QString who = spokenMark(student.gradeNumber, current);
    const QString place = QString::number(rank) + u'位';
    if (kind != RankingKind::BestTime) {
        return SpokenText::join(
            {place, who, student.name, QString::number(student.todayPoints), QString::number(student.totalPoints)});
    }
    if (student.bestTime == TimeScore::NoTime)
        return SpokenText::join({who, student.name, u"記録なし"});
    const QString time = student.bestTime == TimeScore::NoResultFrom ? QStringLiteral("失敗")
                                                                     : QString::number(student.bestTime) + u'秒';
    return SpokenText::join({place, who, student.name, time});
}

} // namespace

namespace ResultLists {

std::vector<RankedRow> rankRows(std::span<const RankingStudent> roster, RankingKind kind)
{
    const std::vector<SortedRow> rows = sortRows(roster, kind);
    std::vector<RankedRow> ranked(rows.size());
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const bool tied = row > 0 && rows[row].compared == rows[row - 1].compared;
        ranked[row] = {rows[row].index, tied ? ranked[row - 1].rank : qint32(row) + 1};
    }
    return ranked;
}

RankingList levelRanking(std::span<const RankingStudent> roster, RankingKind kind, const QString &gradeFilter,
                         qint16 currentStudent, bool withSpoken)
{
    RankingList list;
    for (const RankedRow &row : rankRows(roster, kind)) {
        const int rank = row.rank;
        const RankingStudent &student = roster[std::size_t(row.index)];
        if (!GradeFilterMatch(student.gradeNumber, gradeFilter))
            continue;
        if (kind == RankingKind::TodayPoints && student.todayPoints == 0)
            continue;
        const bool current = student.number == currentStudent;
        if (current)
            list.scrollLine = int(list.lines.size()) - 1;
        list.lines.append(lineOf(student, kind, rank, current));
        if (withSpoken)
            list.spoken.append(spokenLineOf(student, kind, rank, current));
    }
    return list;
}

} // namespace ResultLists
