#include "menu/gradefilter.h"

#include <array>
#include <limits>

#include "app/columns.h"

namespace {

// Index g - 1 holds the mark of grade g.
const std::array<const char16_t *, 9> GradeMarks{u"①", u"②", u"③", u"④", u"⑤", u"⑥", u"Ⅰ", u"Ⅱ", u"Ⅲ"};

struct FilterRange
{
    const char16_t *text;
    int lowest;
    int highest;
};

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

namespace ResultLists {

QString GradeMark(int gradeNumber)
{
    if (gradeNumber < 1 || gradeNumber > int(GradeMarks.size()))
        return QString(QChar(0x3000));
    return QString::fromUtf16(GradeMarks[gradeNumber - 1]);
}

bool GradeFilterMatch(int gradeNumber, const QString &filterText)
{
    for (const FilterRange &filter : Filters) {
        if (filterText == QStringView(filter.text))
            return gradeNumber >= filter.lowest && gradeNumber <= filter.highest;
    }
    return false;
}

QString NameColumn(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == u' ')
        --end;
    return Columns::padName(name.left(end), 5);
}

QStringList GradeFilterTexts()
{
    QStringList texts;
    for (const FilterRange &filter : Filters)
        texts.append(QString::fromUtf16(filter.text));
    return texts;
}

} // namespace ResultLists
