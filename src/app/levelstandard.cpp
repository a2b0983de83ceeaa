#include "app/levelstandard.h"

#include <QSaveFile>

#include "app/textnumber.h"
#include "app/valuestream.h"
#include "platform/cp932.h"
#include "platform/systemerror.h"

namespace {

constexpr int FieldCount = 12;

// A numeric text becomes its canonical number ("007" -> "7", "1.50" -> "1.5");
// anything else stays text.
QString flexibleValue(const QString &text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return text;
    return QString::number(value, 'g', 15);
}

QString floatText(float value)
{
    return QString::number(static_cast<double>(value), 'g', 7);
}

LevelStandard rowFromValues(const QStringList &v)
{
    LevelStandard row;
    row.TargetTime = static_cast<qint32>(TextNumber::toWhole(v[0], INT32_MIN, INT32_MAX));
    row.MinimumTime = static_cast<qint32>(TextNumber::toWhole(v[1], INT32_MIN, INT32_MAX));
    row.ClearPoints = static_cast<qint32>(TextNumber::toWhole(v[2], INT32_MIN, INT32_MAX));
    row.ClearCount = static_cast<qint16>(TextNumber::toWhole(v[3], INT16_MIN, INT16_MAX));
    row.PointMultiplier = static_cast<float>(TextNumber::leadingNumber(v[4]));
    row.OveruseCount = flexibleValue(v[5]);
    row.OverusePoints = flexibleValue(v[6]);
    row.JudgeDays = flexibleValue(v[7]);
    row.OveruseDays = flexibleValue(v[8]);
    row.unusedColumn10 = flexibleValue(v[9]);
    row.unusedColumn11 = flexibleValue(v[10]);
    row.unusedColumn12 = flexibleValue(v[11]);
    return row;
}

} // namespace

double LevelStandard::overuseCountValue() const
{
    return TextNumber::leadingNumber(OveruseCount);
}
double LevelStandard::overusePointsValue() const
{
    return TextNumber::leadingNumber(OverusePoints);
}
double LevelStandard::judgeDaysValue() const
{
    return TextNumber::leadingNumber(JudgeDays);
}
double LevelStandard::overuseDaysValue() const
{
    return TextNumber::leadingNumber(OveruseDays);
}

namespace LevelStandardFile {

QStringList headerTexts()
{
    return {QStringLiteral("目標Time"),
            QStringLiteral("最低Time"),
            QStringLiteral("ｸﾘｱﾎﾟｲﾝﾄ"),
            QStringLiteral("ｸﾘｱ回数"),
            QStringLiteral("ﾎﾟｲﾝﾄ倍率"),
            QStringLiteral("禁回"),
            QStringLiteral("禁点"),
            QStringLiteral("判期間"),
            QStringLiteral("禁期間"),
            QString(),
            QString(),
            QString()};
}

bool read(const QString &path, LevelStandardTable &table, QString *error)
{
    auto stream = ValueStream::fromFile(path, error);
    if (!stream)
        return false;
    for (int index = 0; index < LevelRowCount && !stream->atEnd(); ++index) {
        QStringList values;
        for (int f = 0; f < FieldCount; ++f)
            values.append(stream->atEnd() ? QString() : stream->next());
        table[std::size_t(index)] = rowFromValues(values);
    }
    return true;
}

QStringList toTexts(const LevelStandard &row)
{
    return {QString::number(row.TargetTime),
            QString::number(row.MinimumTime),
            QString::number(row.ClearPoints),
            QString::number(row.ClearCount),
            floatText(row.PointMultiplier),
            row.OveruseCount,
            row.OverusePoints,
            row.JudgeDays,
            row.OveruseDays,
            row.unusedColumn10,
            row.unusedColumn11,
            row.unusedColumn12};
}

QList<QStringList> toRows(const LevelStandardTable &table, int levelCount)
{
    QList<QStringList> rows{headerTexts()};
    for (int level = 1; level <= levelCount && level < LevelRowCount; ++level)
        rows.append(toTexts(table[std::size_t(level)]));
    return rows;
}

QByteArray encode(const QList<QStringList> &rows)
{
    QByteArray bytes;
    for (const QStringList &row : rows) {
        bytes += Cp932::encode(row.join(u','));
        bytes += "\r\n";
    }
    return bytes;
}

bool write(const QString &path, const QList<QStringList> &rows, QString *error)
{
    const QByteArray bytes = encode(rows);
    // Written aside and renamed, so a failed write never leaves half a table.
    QSaveFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = SystemError::describeFailure(file, SystemError::last());
        return false;
    }
    SystemError::clear();
    const qint64 written = file.write(bytes);
    const int writeError = SystemError::last();
    if (written != bytes.size()) {
        if (error)
            *error = SystemError::describeWriteFailure(file, written, writeError);
        return false;
    }
    SystemError::clear();
    if (!file.commit()) {
        if (error)
            *error = SystemError::describeFailure(file, SystemError::last());
        return false;
    }
    return true;
}

bool levelCanRun(const LevelStandard &level)
{
    return level.MinimumTime > 0;
}

int firstLevelThatCannotRun(const LevelStandardTable &table, int levels)
{
    for (int level = 1; level <= levels && level < LevelRowCount; ++level) {
        if (!levelCanRun(table[std::size_t(level)]))
            return level;
    }
    return 0;
}

} // namespace LevelStandardFile
