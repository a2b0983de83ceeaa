#include "support/resultfiles.h"

#include <QFile>

#include "app/oledate.h"

namespace ResultFiles {

ResultRecord record(QDate date, qint16 student, qint16 level, qint32 timeScore)
{
    return ResultRecord::make(OleDate::fromDate(date), 0.5, student, level, timeScore, QStringLiteral("00123"));
}

QByteArray encode(const QList<ResultRecord> &records)
{
    QByteArray bytes(records.size() * ResultRecordLength, '\0');
    for (qsizetype i = 0; i < records.size(); ++i)
        records[i].encode(reinterpret_cast<unsigned char *>(bytes.data()) + i * ResultRecordLength);
    return bytes;
}

QList<ResultRecord> decode(const QByteArray &bytes)
{
    QList<ResultRecord> records;
    for (qsizetype at = 0; at + ResultRecordLength <= bytes.size(); at += ResultRecordLength)
        records.append(ResultRecord::decode(reinterpret_cast<const unsigned char *>(bytes.constData()) + at));
    return records;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace ResultFiles
