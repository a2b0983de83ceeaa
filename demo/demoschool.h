#pragma once

#include <QString>
#include <QStringList>

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

// Creates whatever of the school is missing; existing files are kept, so
// results recorded in an earlier run survive. "パスデータ.txt" is always
// rewritten because it holds the absolute base path.
bool create(const QString &root, QString *error);

} // namespace DemoSchool
