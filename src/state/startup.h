#pragma once

#include <QString>

#include <array>

struct AppState;

// Loading of the settings files and the folder layout at start-up.
namespace Startup {

inline constexpr auto PathDataFile = "パスデータ.txt";
inline constexpr auto CommonDataFile = "共通データ.txt";
inline constexpr auto SoundFolderName = "音フォルダ";
inline constexpr int SettingsValueCount = 10;
// Where the common settings file keeps each setting among its ten values.
inline constexpr int SchoolYearStartMonthValue = 0;
inline constexpr int SiteValue = 1;
inline constexpr int RosterStatusSwitchValue = 2;
inline constexpr int KeyPassLocationValue = 4;
// The levels the level catalogue offers: addition to division.
inline constexpr int DrilledLevels = 4;

// Folder texts from files made on Windows use "\"; this machine's folders
// use "/", which Qt understands everywhere.
QString normalizeSeparators(const QString &path);
// Folder texts in the state end with "/".
QString withSeparator(QString folder);

struct SiteCodeSplit
{
    QString code;
    QString title;
};
// A value 2 starting with a non-zero number in its first five characters
// carries a site code: "00123North" -> 00123 + North; "North", "00000North" stay whole.
SiteCodeSplit splitSiteCode(const QString &value);

// The last component of the program's folder path; empty for a drive root.
QString folderName(const QString &programFolder);

// Result of a step that may stop start-up: an empty `problem` means success.
struct LoadError
{
    QString file;
    QString problem;
    bool failed() const { return !problem.isEmpty(); }
    QString message() const;
};

// The ten values of a settings file, blank lines being empty values.
LoadError readTenValues(const QString &path, const QString &shownName, std::array<QString, SettingsValueCount> &values);

// Fills the folder layout, the common settings, ContentTitle and the level
// standard table. `programFolder` is the executable's folder in the program
// and a temporary folder in tests.
LoadError LoadStartupData(AppState &state, const QString &programFolder);

void SetProductTitle(AppState &state);

// The key file's location the teacher stored in the common settings, as
// written (value 5) and as this machine uses it.
void setKeyPassLocation(AppState &state, const QString &location);

// Names the four levels, sets their kind and makes the last one the goal;
// run before each visit of the level menu.
void SetUpLevelCatalogue(AppState &state);

} // namespace Startup
