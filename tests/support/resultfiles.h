#pragma once

#include <QDate>
#include <QList>
#include <QString>

#include "store/resultrecord.h"

// Writing results files directly, byte for byte, for tests to load.
namespace ResultFiles {

ResultRecord record(QDate date, qint16 student, qint16 level, qint32 timeScore);
QByteArray encode(const QList<ResultRecord> &records);
// The whole records in `bytes`; a partial one at the end is left out.
QList<ResultRecord> decode(const QByteArray &bytes);
void write(const QString &path, const QByteArray &bytes);
QByteArray read(const QString &path);

} // namespace ResultFiles
