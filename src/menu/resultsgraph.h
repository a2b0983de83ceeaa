#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

#include "menu/rankings.h"
#include "menu/resultlogs.h"

// What one band of the results graph shows for a student at a level: the
// session times in the order played, the trail of personal bests, and the
// figures beside them. Positions are fractions of the band (see PlotPoint),
// so the same band paints on the screen and on paper.
namespace ResultsGraph {

// Sessions this long or longer (time-outs included) count nowhere.
inline constexpr qint32 CountedBelow = 1800;
inline constexpr int DaysShown = 3650;
inline constexpr qint32 HighestScaleTop = 1000;

// A point of the band: x in units of half the surface width, offset in
// units of the band height from the band's top.
struct PlotPoint
{
    double x = 0;
    double offset = 0;
    bool personalBest = false;
};

struct TrailEntry
{
    double x = 0;
    double offset = 0;
    qint32 time = 0;
    double date = 0; // day number of the session
};

struct BandQuery
{
    int level = 0;
    int levelCount = 0;
    qint32 student = 0;
    QDate today;
    // The student's grade passes the grade filter; otherwise nothing is plotted.
    bool plotted = true;
};

struct Band
{
    qint32 ownCount = 0;
    qint64 ownSum = 0;
    qint32 ownMaximum = 0;
    qint32 scaleTop = 10;
    qint32 classCount = 0;
    qint64 classSum = 0;
    qint32 classBest = TimeScore::NoTime;
    std::vector<PlotPoint> points;
    std::vector<TrailEntry> trail;
    // The student's last session at the level, shown under the end of the time axis.
    bool hasLastSession = false;
    double lastSessionX = 0;
    double lastSessionDate = 0;
};

// The place of the student in the level's rankings, as the figures block
// shows it. Ranks are right-aligned in three characters, "---" for a
// student without a best time, empty for one the grade filter hides.
struct RankFigures
{
    QString timeRank;
    QString pointsRank;
    qint32 points = 0;
    qint64 classPointsSum = 0;
    qint32 classPointsCount = 0;
};

// `pointsKind` is the points ranking currently chosen in the menu.
RankFigures levelRankFigures(std::span<const ResultLists::RankingStudent> roster, ResultLists::RankingKind pointsKind,
                             const QString &gradeFilter, qint32 shownStudent);

// `records` are the whole results file in file order.
Band computeBand(std::span<const ResultLists::LogRecord> records, const BandQuery &query);

// The figures block, one text per line position; an empty text keeps its
// line free. The class points average is left out when no student has
// points, and the last entry is the class-average caption.
QStringList figuresLines(const Band &band, const RankFigures &ranks);

// A trail date: year/month/day, or month/day when the year is the one of
// the date before it (an empty `previous` always gives the whole date).
QString trailDate(double date, const QString &previous);

// The date texts of the trail in order, each shortened against the one before.
QStringList trailDates(const std::vector<TrailEntry> &trail);

// Besides the first and the last, the trail entries that carry labels:
// every third from the third when there are more than five (indexes into trail).
std::vector<std::size_t> middleTrailLabels(std::size_t trailSize);

// The number after the last "/" of a roster chooser line; 0 for none.
qint32 studentOfChooserLine(const QString &line);
QString chooserLine(const QString &gradeName, const QString &name, qint32 studentNumber);

} // namespace ResultsGraph
