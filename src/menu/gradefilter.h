#pragma once

#include <QString>
#include <QStringList>

// Grade marks, the grade filter and the name column of the result lists.
namespace ResultLists {

// "①".."⑥" for grades 1..6, "Ⅰ".."Ⅲ" for 7..9, one ideographic space otherwise.
QString GradeMark(int gradeNumber);

// What a screen reader says for a list line's student mark: "自分" for the
// current student, the grade ("小3", "中1") for a grade mark, else nothing.
QString spokenMark(int gradeNumber, bool current);

// Whether a student of `gradeNumber` passes the filter text; an unknown text
// passes nobody.
bool GradeFilterMatch(int gradeNumber, const QString &filterText);

// The name with trailing blanks dropped, padded or cut to five characters.
QString nameColumnText(const QString &name);

// The items of the grade filter box, in the order shown.
QStringList gradeFilterTexts();

} // namespace ResultLists
