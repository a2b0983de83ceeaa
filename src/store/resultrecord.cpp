#include "store/resultrecord.h"

#include <bit>
#include <cstring>

#include <QtEndian>

#include "platform/cp932.h"

namespace {

using namespace ResultRecordLayout;

ResultRecord::TextField textField(const QString &text)
{
    const QByteArray bytes = Cp932::encodeFixed(text, 5);
    ResultRecord::TextField field{};
    std::memcpy(field.data(), bytes.constData(), field.size());
    return field;
}

void putDouble(unsigned char *out, double value)
{
    qToLittleEndian(std::bit_cast<quint64>(value), out);
}

void putText(unsigned char *out, const ResultRecord::TextField &field)
{
    std::memcpy(out, field.data(), field.size());
}

ResultRecord::TextField getText(const unsigned char *in)
{
    ResultRecord::TextField field{};
    std::memcpy(field.data(), in, field.size());
    return field;
}

} // namespace

ResultRecord ResultRecord::make(double date, double timeOfDay, qint16 studentNumber, qint16 level, qint32 timeScore,
                                const QString &siteCode)
{
    ResultRecord record;
    record.date = date;
    record.timeOfDay = timeOfDay;
    record.studentNumber = studentNumber;
    record.level = level;
    record.timeScore = timeScore;
    record.siteCode = textField(siteCode);
    record.reservedText = textField(QString());
    record.pointsText = textField(QStringLiteral("0"));
    return record;
}

void ResultRecord::encode(unsigned char *out) const
{
    putDouble(out + DateAt, date);
    putDouble(out + TimeOfDayAt, timeOfDay);
    qToLittleEndian(studentNumber, out + StudentAt);
    qToLittleEndian(level, out + LevelAt);
    qToLittleEndian(timeScore, out + TimeScoreAt);
    putText(out + SiteCodeAt, siteCode);
    putText(out + ReservedAt, reservedText);
    putText(out + PointsAt, pointsText);
    putText(out + SpareAt, spareText);
}

ResultRecord ResultRecord::decode(const unsigned char *in)
{
    ResultRecord record;
    record.date = getDouble(in + DateAt);
    record.timeOfDay = getDouble(in + TimeOfDayAt);
    record.studentNumber = qFromLittleEndian<qint16>(in + StudentAt);
    record.level = qFromLittleEndian<qint16>(in + LevelAt);
    record.timeScore = qFromLittleEndian<qint32>(in + TimeScoreAt);
    record.siteCode = getText(in + SiteCodeAt);
    record.reservedText = getText(in + ReservedAt);
    record.pointsText = getText(in + PointsAt);
    record.spareText = getText(in + SpareAt);
    return record;
}
