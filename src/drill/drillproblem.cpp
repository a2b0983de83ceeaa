#include "drill/drillproblem.h"

using namespace Qt::StringLiterals;

namespace ProblemSet {

std::optional<ProblemFace> faceOf(int level, int code)
{
    if (code < 0 || code >= MaxProblemCount)
        return std::nullopt;
    const int u = code % 10;
    const int t = code / 10;
    switch (level) {
    case AdditionLevel:
        return ProblemFace{u + 1, QStringLiteral("＋"), t + 1, (u + 1) + (t + 1)};
    case SubtractionLevel:
        return ProblemFace{u + 11, QStringLiteral("－"), t + 1, (u + 11) - (t + 1)};
    case MultiplicationLevel:
        return ProblemFace{u + 1, QStringLiteral("×"), t + 1, (u + 1) * (t + 1)};
    case DivisionLevel:
        return ProblemFace{(t + 1) * (u + 1), QStringLiteral("÷"), t + 1, u + 1};
    default:
        return std::nullopt;
    }
}

QString listText(int level, int code)
{
    const auto face = faceOf(level, code);
    if (!face)
        return QString();
    QString op = face->Operator;
    if (level == AdditionLevel)
        op = QStringLiteral("+");
    else if (level == SubtractionLevel)
        op = QStringLiteral("-");
    return u"%1%2%3"_s.arg(QString::number(face->FirstOperand), op, QString::number(face->SecondOperand));
}

QString withAnswer(int level, int code)
{
    const auto face = faceOf(level, code);
    if (!face)
        return QString();
    return u"%1%2%3＝%4"_s.arg(QString::number(face->FirstOperand), face->Operator,
                               QString::number(face->SecondOperand), QString::number(face->ExpectedAnswer));
}

} // namespace ProblemSet
