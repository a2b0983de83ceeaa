#include "roster/gradefilter.h"

#include <array>
#include <limits>

namespace {

struct FilterRange
{
    const char16_t *text;
    int lowest;
    int highest;
};

// Only "全学年" reaches pre-school and high-school students.
const std::array<FilterRange, 12> Filters{{
    {u"全学年", std::numeric_limits<int>::min(), std::numeric_limits<int>::max()},
    {u"中学生全体", 7, 9},
    {u"小学生全体", 1, 6},
    {u"中３", 9, 9},
    {u"中２", 8, 8},
    {u"中１", 7, 7},
    {u"小６", 6, 6},
    {u"小５", 5, 5},
    {u"小４", 4, 4},
    {u"小３", 3, 3},
    {u"小２", 2, 2},
    {u"小１", 1, 1},
}};

} // namespace

namespace GradeFilter {

QStringList choices()
{
    QStringList texts;
    for (const FilterRange &filter : Filters)
        texts.append(QString::fromUtf16(filter.text));
    return texts;
}

} // namespace GradeFilter

bool GradeFilterMatch(const QString &filter, int g)
{
    for (const FilterRange &range : Filters) {
        if (filter == QStringView(range.text))
            return g >= range.lowest && g <= range.highest;
    }
    return false;
}
