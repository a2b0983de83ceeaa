#pragma once

#include <QString>

#include <array>

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
    static ResultRecord make(double date, double timeOfDay, qint16 studentNumber, qint16 level,
                             qint32 timeScore, const QString &siteCode);

    void encode(unsigned char *out) const;
    static ResultRecord decode(const unsigned char *in);
    // Only the fields a load keeps.
    static ResultEntry decodeEntry(const unsigned char *in);
};
