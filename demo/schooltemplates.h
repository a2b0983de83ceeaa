#pragma once

#include <QString>
#include <QStringList>

#include <array>

#include "state/startup.h"

class SchoolFiles;

// What every school starts from, the demo school and a new one alike: the
// settings files, the level table, the sound cues with their .wav files and
// the two pages.
namespace SchoolTemplates {

// The folders of a school in `basePath` as the program derives them.
struct Folders
{
    QString basePath;    // ends with "/"
    QString dataFolder;  // basePath & the program folder's name & "/"
    QString soundFolder; // basePath & "音フォルダ/"
};
Folders foldersOf(const QString &basePath, const QString &programFolderName);

using SettingsValues = std::array<QString, Startup::SettingsValueCount>;

// The ten values of "パスデータ.txt": the school folder, then nine zeros.
QStringList pathData(const QString &basePath);
// Japanese schools start their year in April.
inline constexpr int SchoolYearStartMonth = 4;

// The ten values of "共通データ.txt".
SettingsValues commonData(const QString &siteCaption, const QString &keyLocation);
// Writes "共通データ.txt" as the teacher panel writes it back; a value that
// would not read back the same (a quote, a character cp932 lacks) fails.
void addCommonData(SchoolFiles &files, const QString &basePath, const SettingsValues &values);

QStringList levelTable();
QStringList soundList();

// The level table, the sound cue list with its .wav files and the pages.
void addStandardFiles(SchoolFiles &files, const Folders &folders);

} // namespace SchoolTemplates
