#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// Lays out a school for カズドリ and points the program at it: a new, empty
// school or the demo school in a school folder, and "パスデータ.txt" in the
// parent of the program's folder. Nothing that exists is ever replaced.
namespace SchoolSetup {

enum class Kind { NewSchool, DemoSchool };

// The key file of a new school is looked for on the teacher's removable
// disk, as schools have always kept it: "A:" is /mnt/A on this system.
// Never inside the school folder, which every student can read.
inline constexpr auto DefaultKeyLocation = "A:";
// The caption the drill and the level menu show until the teacher sets the
// school's own in "共通データ.txt".
inline constexpr auto NewSchoolCaption = "計算ドリル";

struct Request
{
    Kind kind = Kind::NewSchool;
    QString schoolFolder; // relative to the current folder, or absolute
    QString keyLocation;  // new school only; empty gives DefaultKeyLocation
};

struct Report
{
    Kind kind = Kind::NewSchool;
    QString schoolFolder; // absolute, ending with "/"
    QString pathDataFile;
    QString dataFolder; // where the program records the results
    QStringList created;
    QStringList kept;
    QString keyFile; // where the program will look for the key file
    QString error;   // empty on success

    bool failed() const { return !error.isEmpty(); }
    // What was created and kept, and what the teacher does next.
    QString summary() const;
};

// "パスデータ.txt" in the parent of the program's folder, where the program
// looks for it.
QString pathDataFileOf(const QString &programFolder);

// `programFolder` is the folder of the program (and of this tool): its name
// names the data folder, its parent holds "パスデータ.txt".
Report run(const Request &request, const QString &programFolder, QDate today);

// The roster of a new school: the teacher's entry and one example pupil in
// the first year of primary school, for the teacher to overwrite.
QStringList newSchoolRoster(QDate today);

} // namespace SchoolSetup
