#include "setup/schoolsetup.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include "state/startup.h"
#include "demo/demoroster.h"
#include "demo/demoschool.h"
#include "demo/schoolfiles.h"
#include "demo/schooltemplates.h"
#include "menu/teacheraccess.h"
#include "platform/cp932.h"
#include "roster/grades.h"
#include "roster/rosterfile.h"

namespace SchoolSetup {

namespace {

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString absoluteFolder(const QString &folder)
{
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    if (!path.endsWith(u'/'))
        path.append(u'/');
    return path;
}

bool sameFolder(const QString &a, const QString &b)
{
    return QDir::cleanPath(Startup::normalizeSeparators(a)) == QDir::cleanPath(b);
}

bool isInside(const QString &path, const QString &folder)
{
    const QString inner = QDir::cleanPath(path);
    const QString outer = QDir::cleanPath(folder);
    return inner == outer || inner.startsWith(outer + u'/');
}

// Settings files store cp932 and use '"' to quote: a folder name outside
// that would come back as another folder.
bool storable(const QString &text)
{
    return !text.contains(u'"') && Cp932::decode(Cp932::encode(text)) == text;
}

// A drive name written as on Windows ("A:", "E:\keys") stays as it is; any
// other relative location is taken from the current folder.
QString keyLocationOf(const QString &given)
{
    const QString location = given.isEmpty() ? QString::fromUtf8(DefaultKeyLocation) : given;
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:"));
    if (drive.match(location).hasMatch() || QDir::isAbsolutePath(location))
        return location;
    return QDir(location).absolutePath();
}

// Empty when "パスデータ.txt" is missing or already names the school folder.
QString pathDataConflict(const QString &pathDataFile, const QString &schoolFolder)
{
    if (!QFileInfo::exists(pathDataFile))
        return {};
    std::array<QString, Startup::SettingsValueCount> values;
    if (const Startup::LoadError error = Startup::readTenValues(pathDataFile, pathDataFile, values); error.failed()) {
        return QStringLiteral("「%1」がすでにありますが、読めないので、そのままにしました。%2\n"
                              "作り直すときは、先にこのファイルを削除してください。")
            .arg(shown(pathDataFile), error.problem);
    }
    if (sameFolder(values[0], schoolFolder))
        return {};
    return QStringLiteral("「%1」はすでに別の学校フォルダー「%2」を指しているので、そのままにしました。"
                          "学校フォルダーを変えるときは、先にこのファイルを削除してから、もう一度実行してください。")
        .arg(shown(pathDataFile), shown(values[0]));
}

void addNewSchool(SchoolFiles &files, const SchoolTemplates::Folders &folders, const QString &keyLocation, QDate today)
{
    SchoolTemplates::addCommonData(files, folders.basePath,
                                   SchoolTemplates::commonData(QString::fromUtf8(NewSchoolCaption), keyLocation));
    files.addTextFile(folders.basePath + QString::fromUtf8(RosterFile::FileName), newSchoolRoster(today));
    SchoolTemplates::addStandardFiles(files, folders);
}

// The key file as the program will look for it: value 5 of the common
// settings, which may be a kept file of the school's own.
QString keyFileNamedIn(const QString &basePath)
{
    std::array<QString, Startup::SettingsValueCount> values;
    const QString path = basePath + QString::fromUtf8(Startup::CommonDataFile);
    if (Startup::readTenValues(path, path, values).failed())
        return {};
    return TeacherAccess::keyFilePath(values[4]);
}

// Why a request cannot be carried out as given; empty when it can.
QString refusal(Kind kind, const QString &schoolFolder, const QString &keyLocation)
{
    if (!storable(schoolFolder)) {
        return QStringLiteral("学校フォルダー「%1」の名前には、設定ファイルに書けない文字"
                              "（「\"」や Shift_JIS にない文字）があります。別の名前にしてください。")
            .arg(shown(schoolFolder));
    }
    if (kind != Kind::NewSchool)
        return {};
    if (!storable(keyLocation)) {
        return QStringLiteral("キーファイルの場所「%1」には、設定ファイルに書けない文字"
                              "（「\"」や Shift_JIS にない文字）があります。")
            .arg(shown(keyLocation));
    }
    if (isInside(QFileInfo(TeacherAccess::keyFilePath(keyLocation)).absolutePath(), schoolFolder)) {
        return QStringLiteral("キーファイルの場所「%1」が学校フォルダーの中にあります。"
                              "生徒も開けるので、先生だけが持つ場所（USBメモリーなど）にしてください。")
            .arg(shown(keyLocation));
    }
    return {};
}

QString listed(const QString &title, const QStringList &paths)
{
    QString text = title.arg(paths.size()) + u'\n';
    for (const QString &path : paths)
        text += QStringLiteral("  ") + shown(path) + u'\n';
    return text;
}

} // namespace

QStringList newSchoolRoster(QDate today)
{
    const int firstYearCohort = Roster::SchoolYear(today, SchoolTemplates::SchoolYearStartMonth) - 7;
    return {DemoRoster::teacherLine(), DemoRoster::entryLine(1, firstYearCohort, 1, QStringLiteral("見本　花子"), 0,
                                                             QStringLiteral("みほん　はなこ"))};
}

QString pathDataFileOf(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + QStringLiteral("/..")) + u'/' + QString::fromUtf8(Startup::PathDataFile);
}

Report run(const Request &request, const QString &programFolder, QDate today)
{
    Report report;
    report.kind = request.kind;
    if (request.schoolFolder.trimmed().isEmpty()) {
        report.error = QStringLiteral("学校フォルダーを指定してください。");
        return report;
    }
    report.schoolFolder = absoluteFolder(request.schoolFolder);
    report.pathDataFile = pathDataFileOf(programFolder);
    const QString keyLocation = keyLocationOf(request.keyLocation);
    report.error = refusal(request.kind, report.schoolFolder, keyLocation);
    if (report.error.isEmpty())
        report.error = pathDataConflict(report.pathDataFile, report.schoolFolder);
    if (report.failed())
        return report;

    SchoolFiles files;
    files.makeFolder(report.schoolFolder);
    const auto folders = SchoolTemplates::foldersOf(report.schoolFolder, Startup::folderName(programFolder));
    report.dataFolder = folders.dataFolder;
    if (request.kind == Kind::NewSchool)
        addNewSchool(files, folders, keyLocation, today);
    else
        DemoSchool::addSchool(files, folders, report.schoolFolder + QStringLiteral("keydisk/"), today);
    const bool schoolLaidOut = !files.failed();
    files.addTextFile(report.pathDataFile, SchoolTemplates::pathData(report.schoolFolder));

    report.created = files.created();
    report.kept = files.kept();
    report.error = files.error();
    if (schoolLaidOut && files.failed()) {
        report.error +=
            QStringLiteral("\nこのファイルは、プログラムのフォルダーの上に書き込める人（管理者。sudo などで）"
                           "が作ります。学校のファイルはそのまま使われるので、同じ指定でもう一度実行してください。");
    }
    report.keyFile = keyFileNamedIn(report.schoolFolder);
    return report;
}

QString Report::summary() const
{
    QString text;
    if (!failed()) {
        text += (kind == Kind::NewSchool ? QStringLiteral("新しい学校を用意しました: %1\n")
                                         : QStringLiteral("デモの学校を用意しました: %1\n"))
                    .arg(shown(schoolFolder));
    }
    if (!created.isEmpty())
        text += listed(QStringLiteral("作ったファイル（%1）:"), created);
    if (!kept.isEmpty())
        text += listed(QStringLiteral("すでにあったので、そのままにしたファイル（%1）:"), kept);
    if (failed() || keyFile.isEmpty())
        return text;
    if (created.contains(schoolFolder + QString::fromUtf8(RosterFile::FileName)) && kind == Kind::NewSchool) {
        text += QStringLiteral("名簿「%1」には先生用の「監督」と見本の生徒が一人入っています。"
                               "見本の行を書きかえて、生徒を加えてください。\n")
                    .arg(QString::fromUtf8(RosterFile::FileName));
    }
    // A folder made by the teacher's own account is not yet writable for the pupils' accounts.
    text += QStringLiteral("成績は「%1」に記録されます。生徒が使うアカウントから書き込めるようにしてください。\n")
                .arg(shown(dataFolder));
    text += QStringLiteral("先生用のキーファイル: %1（中身は空でかまいません）。").arg(shown(QDir::cleanPath(keyFile)));
    text += QFileInfo::exists(keyFile) ? QStringLiteral("ファイルはあります。")
                                       : QStringLiteral("まだないので、先生のUSBメモリーなどに作ってください。");
    text += QStringLiteral("場所は「監督」の「データ処理」にある「KeyPassの場所」で変えられます。\n");
    return text;
}

} // namespace SchoolSetup
