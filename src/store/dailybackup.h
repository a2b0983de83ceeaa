#pragma once

#include <QDate>
#include <QString>

// Years of a class's results live in one file on one share: a copy of it is
// kept for each of the last days it was written, in a folder beside it.
namespace DailyBackup {

inline constexpr int KeptCopies = 7;
inline constexpr auto FolderName = "成績バックアップ";

QString folderIn(const QString &dataFolder);
QString copyPath(const QString &dataFolder, QDate day);

// Copies the results file of `dataFolder` as `day`'s copy unless that copy
// exists, then drops all but the newest KeptCopies. The caller holds the
// append lock, so copies of the program that write together make one copy.
// False with `error` set when the copy could not be made.
bool makeIfDue(const QString &dataFolder, QDate day, QString *error);

} // namespace DailyBackup
