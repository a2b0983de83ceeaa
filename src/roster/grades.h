#pragma once

#include <QDate>
#include <QString>

// School years and grades derived from a roster entry's cohort year.
namespace Roster {

// The calendar year, minus 1 before the month in which the school year starts.
int SchoolYear(QDate today, int schoolYearStartMonth);

// 1..6 elementary, 7..9 junior high, 10..12 high school, 0 and below pre-school.
int GradeNumber(int schoolYear, int cohortYear);

// Full-width digits ("小１"); empty outside 0..10.
QString GradeName(int gradeNumber);

// Short ASCII-digit label of the name list ("小1", "幼-", "大+").
QString GradeLabel(int gradeNumber);

} // namespace Roster
