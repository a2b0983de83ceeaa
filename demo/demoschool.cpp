#include "demo/demoschool.h"

#include <QDir>
#include <QFile>

#include "demo/demolauncher.h"
#include "demo/demoresults.h"
#include "demo/demoroster.h"
#include "demo/schoolfiles.h"
#include "menu/teacheraccess.h"
#include "roster/rosterfile.h"
#include "state/startup.h"
#include "store/resultsfile.h"

namespace DemoSchool {

Layout layoutOf(const QString &root)
{
    Layout l;
    l.root = Startup::withSeparator(QDir(root).absolutePath());
    l.programFolder = l.root + QStringLiteral("kazudori/");
    l.basePath = l.root + QStringLiteral("school/");
    const SchoolTemplates::Folders folders =
        SchoolTemplates::foldersOf(l.basePath, Startup::folderName(l.programFolder));
    l.dataFolder = folders.dataFolder;
    l.soundFolder = folders.soundFolder;
    l.keyFolder = l.root + QStringLiteral("keydisk/");
    l.launcherFolder = l.root + QStringLiteral("起動/");
    return l;
}

bool writeBinaryFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        if (error)
            *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

bool writeTextFile(const QString &path, const QStringList &lines, QString *error)
{
    return writeBinaryFile(path, schoolText(lines), error);
}

void addSchool(SchoolFiles &files, const SchoolTemplates::Folders &folders, const QString &keyFolder, QDate today)
{
    const QString siteCode = QString::fromUtf8(SiteCode);
    const QString commonData = folders.basePath + QString::fromUtf8(Startup::CommonDataFile);
    SchoolTemplates::addCommonData(
        files, folders.basePath, SchoolTemplates::commonData(siteCode + QStringLiteral("カズドリ算数教室"), keyFolder));
    // Kept settings of a school's own name a key location of their own.
    const bool keyFolderNamed = !files.kept().contains(commonData);
    files.addTextFile(folders.basePath + QString::fromUtf8(RosterFile::FileName), DemoRoster::lines());
    SchoolTemplates::addStandardFiles(files, folders);
    files.addFile(ResultsFile::pathIn(folders.dataFolder),
                  [&siteCode, today] { return DemoResults::sessions(siteCode, today); });
    if (keyFolderNamed)
        files.addTextFile(keyFolder + QString::fromUtf8(TeacherAccess::KeyFileName), {QStringLiteral("kazudori")});
}

bool create(const QString &root, QString *error)
{
    const Layout l = layoutOf(root);
    SchoolFiles files;
    for (const QString &folder : {l.programFolder, l.launcherFolder})
        files.makeFolder(folder);
    addSchool(files, {l.basePath, l.dataFolder, l.soundFolder}, l.keyFolder, QDate::currentDate());
    if (files.failed()) {
        if (error)
            *error = files.error();
        return false;
    }
    return writeTextFile(l.root + QString::fromUtf8(Startup::PathDataFile), SchoolTemplates::pathData(l.basePath),
                         error)
           && DemoLauncher::create(l.launcherFolder, error);
}

} // namespace DemoSchool
