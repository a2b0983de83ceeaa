#pragma once

#include <QDate>
#include <QString>

// A few weeks of plausible sessions for the demo class, so that rankings,
// logs and graphs have something to show on the first start.
namespace DemoResults {

// Four weeks of sessions up to and including `today`, students 1..30,
// levels 1..4, as the bytes of a results file.
QByteArray sessions(const QString &siteCode, QDate today);

// Writes "成績累積データ.dat" into `dataFolder` unless it exists already:
// four weeks up to and including `today`, students 1..30, levels 1..4.
// The same arguments always give the same bytes.
bool seed(const QString &dataFolder, const QString &siteCode, QDate today, QString *error);

} // namespace DemoResults
