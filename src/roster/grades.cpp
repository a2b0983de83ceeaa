#include "roster/grades.h"

#include <array>

namespace {

// Index g holds the name of GradeNumber g, 0..10.
const std::array<const char16_t *, 11> GradeNames{u"幼３", u"小１", u"小２", u"小３", u"小４", u"小５",
                                                  u"小６", u"中１", u"中２", u"中３", u"高１"};

// Index g + 2 holds the label of GradeNumber g, -2..12.
const std::array<const char16_t *, 15> GradeLabels{u"幼1", u"幼2", u"幼3", u"小1", u"小2", u"小3", u"小4", u"小5",
                                                   u"小6", u"中1", u"中2", u"中3", u"高1", u"高2", u"高3"};

} // namespace

namespace Roster {

int SchoolYear(QDate today, int schoolYearStartMonth)
{
    return today.month() < schoolYearStartMonth ? today.year() - 1 : today.year();
}

int GradeNumber(int schoolYear, int cohortYear)
{
    return schoolYear - cohortYear - 6;
}

QString GradeName(int gradeNumber)
{
    if (gradeNumber < 0 || gradeNumber >= int(GradeNames.size()))
        return QString();
    return QString::fromUtf16(GradeNames[std::size_t(gradeNumber)]);
}

QString GradeLabel(int gradeNumber)
{
    if (gradeNumber <= -3)
        return QStringLiteral("幼-");
    if (gradeNumber >= 13)
        return QStringLiteral("大+");
    return QString::fromUtf16(GradeLabels[std::size_t(gradeNumber + 2)]);
}

} // namespace Roster
