#include "roster/namelist.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "state/appstate.h"
#include "app/columns.h"
#include "app/spokentext.h"
#include "platform/clock.h"
#include "platform/platform.h"
#include "store/tallies.h"
#include "roster/gradefilter.h"
#include "roster/grades.h"
#include "roster/rostertable.h"

namespace {

struct Column
{
    int width;
    QStringView suffix;
    QStringView zeroText;
};

// The blank texts are as wide on screen as a figure with its suffix.
constexpr std::array<Column, 4> FigureColumns{{
    {3, u"回", u"     "},
    {4, u"", u"  　"},
    {5, u"回", u"     　"},
    {7, u"", u"       "},
}};

using NameList::Figure;
constexpr std::array<std::pair<Figure, Figure>, NameList::ModeCount> ModeFigures{{
    {Figure::TodayCount, Figure::TotalCount},
    {Figure::TodayPoints, Figure::TotalPoints},
    {Figure::TodayPoints, Figure::TodayCount},
    {Figure::TotalPoints, Figure::TotalCount},
}};

qint64 sumOf(Figure figure, const NameList::Sums &sums)
{
    switch (figure) {
    case Figure::TodayCount:
        return sums.todayCount;
    case Figure::TodayPoints:
        return sums.todayPoints;
    case Figure::TotalCount:
        return sums.totalCount;
    case Figure::TotalPoints:
        return sums.totalPoints;
    }
    return 0;
}

QString visibleText(const NameList::Student &student, int mode)
{
    return NameList::labelAndName(student.gradeLabel, student.name, student.gradeNumber)
           + NameList::figurePair(mode, student.sums);
}

QString cohortText(const NameList::Student &student)
{
    return QStringLiteral("%1").arg(student.cohortYear, 4, 10, QChar(u'0'));
}

} // namespace

namespace NameList {

QString figureText(Figure figure, qint64 sum)
{
    const Column &column = FigureColumns[static_cast<std::size_t>(figure)];
    if (sum == 0)
        return column.zeroText.toString();
    return Columns::padLeft(sum, column.width) + column.suffix.toString();
}

QString figurePair(int mode, const Sums &sums)
{
    if (mode < 0 || mode >= ModeCount)
        mode = DefaultMode;
    const auto [first, second] = ModeFigures[static_cast<std::size_t>(mode)];
    return figureText(first, sumOf(first, sums)) + u'/' + figureText(second, sumOf(second, sums));
}

QString spokenLine(const Student &student, int mode)
{
    if (mode < 0 || mode >= ModeCount)
        mode = DefaultMode;
    const auto [first, second] = ModeFigures[static_cast<std::size_t>(mode)];
    const auto figure = [&student](Figure f) -> QString {
        return QString::number(sumOf(f, student.sums)) + FigureColumns[static_cast<std::size_t>(f)].suffix.toString();
    };
    return SpokenText::join({student.gradeLabel, student.name, figure(first), figure(second)});
}

QString labelAndName(const QString &gradeLabel, const QString &name, int gradeNumber)
{
    const QString text = gradeLabel + u' ' + name;
    const int width = gradeNumber <= 0 ? 11 : 9;
    return text.size() >= width ? text : Columns::padName(text, width);
}

Sums sumsOf(const TallyTables &tallies, int number)
{
    Sums sums;
    if (!TallyTables::contains(1, number))
        return sums;
    for (int level = 1; level <= MaxLevel; ++level) {
        const TallyCell &cell = tallies.at(level, number);
        sums.todayCount += qRound64(cell.todayCount);
        sums.todayPoints += cell.todayPoints;
        sums.totalCount += cell.totalCount;
        sums.totalPoints += cell.totalPoints;
    }
    return sums;
}

QList<Student> offeredStudents(const RosterTable &roster, const std::function<Sums(int)> &sumsOf)
{
    QList<Student> students;
    students.reserve(roster.offeredNumbers().size());
    for (const RosterEntry &entry : roster.entries()) {
        if (!entry.offered())
            continue;
        const int grade = roster.gradeNumber(entry);
        students.append({entry.Number, entry.CohortYear, grade, Roster::GradeLabel(grade),
                         RosterTable::trimBlanks(entry.Name), sumsOf(entry.Number)});
    }
    return students;
}

QString sortLine(const Student &student, int mode)
{
    return cohortText(student) + visibleText(student, mode) + u'*' + QString::number(student.number);
}

QList<Line> build(const QList<Student> &students, int mode, const QString &filter)
{
    // Japanese collation on every machine, whatever the system's own locale:
    // names then sort as a Japanese Windows would sort them, kana by reading.
    QCollator collator{QLocale(QLocale::Japanese, QLocale::Japan)};
    struct Keyed
    {
        QCollatorSortKey key;
        QString text;
        qsizetype index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(static_cast<std::size_t>(students.size()));
    for (qsizetype i = 0; i < students.size(); ++i) {
        const Student &student = students[i];
        QString text = visibleText(student, mode);
        keyed.push_back({collator.sortKey(cohortText(student) + text + u'*' + QString::number(student.number)),
                         std::move(text), i});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed &a, const Keyed &b) { return a.key.compare(b.key) < 0; });

    QList<Line> lines;
    lines.reserve(students.size());
    for (Keyed &k : keyed) {
        const Student &student = students[k.index];
        if (!GradeFilterMatch(filter, student.gradeNumber))
            continue;
        // Built from the parts rather than cut at the first "*", so a name
        // holding a "*" still shows whole.
        QString key = k.text + u'*' + QString::number(student.number).left(4);
        lines.append({std::move(k.text), std::move(key), student.number, spokenLine(student, mode)});
    }
    return lines;
}

bool rebuild(AppState &state, Platform &platform, int mode, const QString &filter, QList<Line> &lines,
             RosterFile::ReadResult &roster)
{
    if (!ComputeTallies(state, platform))
        return false;
    roster = RosterFile::load(state, platform.clock.today());
    const auto sums = [&state](int number) { return sumsOf(state.ResultTallies, number); };
    lines = build(offeredStudents(state.roster, sums), mode, filter);
    return true;
}

qint16 numberOfKey(const QString &key)
{
    const qsizetype star = key.lastIndexOf(u'*');
    if (star < 0)
        return 0;
    bool ok = false;
    const int number = QStringView(key).mid(star + 1).toInt(&ok);
    return ok ? static_cast<qint16>(number) : qint16(0);
}

QString clickedName(const QString &line)
{
    return RosterTable::trimBlanks(line.left(10));
}

QString doubleClickedName(const QString &line)
{
    return RosterTable::trimBlanks(line.left(line.indexOf(u'/') < 0 ? line.size() : line.indexOf(u'/')));
}

} // namespace NameList
