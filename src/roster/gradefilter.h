#pragma once

#include <QString>
#include <QStringList>

// The grade filter shared by the name list and the level menu's lists.
namespace GradeFilter {

inline constexpr auto AllGrades = "全学年";

// The twelve choices, in the order the filter boxes offer them.
QStringList choices();

} // namespace GradeFilter

// True when a student of grade number g passes the filter text. Pre-school
// and high-school students pass only "全学年"; an unknown text passes no one.
bool GradeFilterMatch(const QString &filter, int g);
