#include "roster/gradefilter.h"

namespace GradeFilter {

QStringList choices()
{
    return {QStringLiteral("全学年"), QStringLiteral("中学生全体"), QStringLiteral("小学生全体"),
            QStringLiteral("中３"),   QStringLiteral("中２"),       QStringLiteral("中１"),
            QStringLiteral("小６"),   QStringLiteral("小５"),       QStringLiteral("小４"),
            QStringLiteral("小３"),   QStringLiteral("小２"),       QStringLiteral("小１")};
}

} // namespace GradeFilter

namespace {

// "小１".."小６" and "中１".."中３" name one grade; 0 for any other text.
int singleGrade(const QString &filter)
{
    if (filter.size() != 2)
        return 0;
    const int digit = filter.at(1).unicode() - u'０';
    if (filter.at(0) == u'小' && digit >= 1 && digit <= 6)
        return digit;
    if (filter.at(0) == u'中' && digit >= 1 && digit <= 3)
        return 6 + digit;
    return 0;
}

} // namespace

bool GradeFilterMatch(const QString &filter, int g)
{
    if (filter == QString::fromUtf8(GradeFilter::AllGrades))
        return true;
    if (filter == u"小学生全体")
        return g >= 1 && g <= 6;
    if (filter == u"中学生全体")
        return g >= 7 && g <= 9;
    const int grade = singleGrade(filter);
    return grade != 0 && g == grade;
}
