#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include "demo/schooltemplates.h"

class SchoolFiles;

// Lays out a complete school installation in a folder: the program folder,
// "パスデータ.txt" beside it, the base folder with the settings, level table,
// sound cues, pages and key-file folder. Used by ./run and by tests that
// need a realistic school.
namespace DemoSchool {

struct Layout
{
    QString root;           // ends with "/"
    QString programFolder;  // root & "kazudori/": where the executable is placed
    QString basePath;       // root & "school/"
    QString dataFolder;     // basePath & "kazudori/"
    QString soundFolder;    // basePath & "音フォルダ/"
    QString keyFolder;      // root & "keydisk/"
    QString launcherFolder; // root & "起動/"
};

Layout layoutOf(const QString &root);

// Writes text as cp932 with CR LF line ends, one line per entry.
bool writeTextFile(const QString &path, const QStringList &lines, QString *error);
bool writeBinaryFile(const QString &path, const QByteArray &bytes, QString *error);

// The demo's site code, in its common settings and its seeded results.
inline constexpr auto SiteCode = "00123";

// The demo school's files in `folders`: the standard files, a roster of
// students and the teacher, results up to `today`, and the teacher's key
// file in `keyFolder` when the common settings written here name it.
void addSchool(SchoolFiles &files, const SchoolTemplates::Folders &folders, const QString &keyFolder, QDate today);

// Creates whatever of the school is missing; existing files are kept, so
// results recorded in an earlier run survive. "パスデータ.txt" is always
// rewritten because it holds the absolute base path.
bool create(const QString &root, QString *error);

} // namespace DemoSchool
