#pragma once

#include <QString>

#include <QtEndian>

#include <array>
#include <bit>

#include "store/resulttables.h"

// One 44-byte record of "成績累積データ.dat", little-endian:
// date, time of day (both OLE Automation doubles), student (i16), level (i16),
// time score (i32), then four five-byte text fields.
struct ResultRecord
{
    using TextField = std::array<char, 5>;

    double date = 0;
    double timeOfDay = 0;
    qint16 studentNumber = 0;
    qint16 level = 0;
    qint32 timeScore = 0;
    TextField siteCode{};
    TextField reservedText{};
    TextField pointsText{};
    TextField spareText{};

    // A record as the program appends it: blank reserved text, points "0",
    // spare text of zero bytes.
    static ResultRecord make(double date, double timeOfDay, qint16 studentNumber, qint16 level, qint32 timeScore,
                             const QString &siteCode);

    void encode(unsigned char *out) const;
    static ResultRecord decode(const unsigned char *in);
    // Only the fields a load keeps; inline, as a load runs it per record.
    static ResultEntry decodeEntry(const unsigned char *in);
};

namespace ResultRecordLayout {
inline constexpr int DateAt = 0;
inline constexpr int TimeOfDayAt = 8;
inline constexpr int StudentAt = 16;
inline constexpr int LevelAt = 18;
inline constexpr int TimeScoreAt = 20;
inline constexpr int SiteCodeAt = 24;
inline constexpr int ReservedAt = 29;
inline constexpr int PointsAt = 34;
inline constexpr int SpareAt = 39;

inline double getDouble(const unsigned char *in)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(in));
}
} // namespace ResultRecordLayout

inline ResultEntry ResultRecord::decodeEntry(const unsigned char *in)
{
    using namespace ResultRecordLayout;
    return {getDouble(in + DateAt), qFromLittleEndian<qint32>(in + TimeScoreAt),
            qFromLittleEndian<qint16>(in + StudentAt), qFromLittleEndian<qint16>(in + LevelAt)};
}
