#include "menu/gradefilter.h"

#include <array>

#include "app/columns.h"
#include "roster/gradefilter.h"
#include "roster/grades.h"

namespace {

// Index g - 1 holds the mark of grade g.
const std::array<const char16_t *, 9> GradeMarks{u"①", u"②", u"③", u"④", u"⑤", u"⑥", u"Ⅰ", u"Ⅱ", u"Ⅲ"};

} // namespace

namespace ResultLists {

QString GradeMark(int gradeNumber)
{
    if (gradeNumber < 1 || gradeNumber > int(GradeMarks.size()))
        return QString(QChar(0x3000));
    return QString::fromUtf16(GradeMarks[std::size_t(gradeNumber - 1)]);
}

QString spokenMark(int gradeNumber, bool current)
{
    if (current)
        return QStringLiteral("自分");
    if (gradeNumber < 1 || gradeNumber > int(GradeMarks.size()))
        return QString();
    return Roster::GradeLabel(gradeNumber);
}

bool GradeFilterMatch(int gradeNumber, const QString &filterText)
{
    return ::GradeFilterMatch(filterText, gradeNumber);
}

QString nameColumnText(const QString &name)
{
    qsizetype end = name.size();
    while (end > 0 && name.at(end - 1) == u' ')
        --end;
    return Columns::padName(name.left(end), 5);
}

QStringList gradeFilterTexts()
{
    return GradeFilter::choices();
}

} // namespace ResultLists
