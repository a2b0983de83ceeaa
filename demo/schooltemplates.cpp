#include "demo/schooltemplates.h"

#include <QDir>
#include <QList>

#include "app/levelstandard.h"
#include "demo/schoolfiles.h"
#include "demo/wavsynth.h"
#include "menu/teacheraccess.h"
#include "sound/soundcues.h"

namespace {

struct Cue
{
    const char *name;
    QList<WavSynth::Note> notes;
};

QList<Cue> cues()
{
    using N = WavSynth::Note;
    return {
        {"pinpon", {N{1318.5, 140}, N{1046.5, 260}}},
        {"pinpon2", {N{1568.0, 120}, N{2093.0, 240}}},
        {"boo", {N{155.6, 380, 0.35, true}}},
        {"jikosaikou", {N{784.0, 120}, N{988.0, 120}, N{1175.0, 120}, N{1568.0, 400}}},
        {"gambare", {N{659.3, 160}, N{784.0, 300}}},
        {"最高1",
         {N{523.3, 140}, N{659.3, 140}, N{784.0, 140}, N{1046.5, 200}, N{0, 60}, N{784.0, 140}, N{1046.5, 600}}},
        {"合格",
         {N{523.3, 180}, N{523.3, 180}, N{523.3, 180}, N{659.3, 300}, N{587.3, 180}, N{659.3, 180}, N{784.0, 700}}},
        {"警告1", {N{880.0, 90, 0.4, true}, N{0, 50}, N{880.0, 90, 0.4, true}}},
    };
}

QStringList page(const QString &title, const QString &body)
{
    return {QStringLiteral("<html><head><meta charset=\"shift_jis\"><title>%1</title></head>").arg(title),
            QStringLiteral("<body style=\"font-size:14pt\">"), body, QStringLiteral("</body></html>")};
}

// A folder with a comma or blanks at its ends would be cut by the reader
// unless quoted.
QString pathValue(const QString &path)
{
    if (path.contains(u',') || path.trimmed() != path)
        return u'"' + path + u'"';
    return path;
}

} // namespace

namespace SchoolTemplates {

Folders foldersOf(const QString &basePath, const QString &programFolderName)
{
    return {basePath, basePath + programFolderName + u'/',
            basePath + QString::fromUtf8(Startup::SoundFolderName) + u'/'};
}

QStringList pathData(const QString &basePath)
{
    QStringList values{pathValue(basePath)};
    for (int i = 2; i <= Startup::SettingsValueCount; ++i)
        values.append(QStringLiteral("0"));
    return values;
}

SettingsValues commonData(const QString &siteCaption, const QString &keyLocation)
{
    const QString zero = QStringLiteral("0");
    return {QString::number(SchoolYearStartMonth), siteCaption, zero, zero, keyLocation, zero, zero, zero, zero, zero};
}

void addCommonData(SchoolFiles &files, const QString &basePath, const SettingsValues &values)
{
    const QString path = basePath + QString::fromUtf8(Startup::CommonDataFile);
    const QByteArray text = TeacherAccess::commonDataText(values);
    if (text.isEmpty()) {
        files.fail(
            QStringLiteral("「%1」を作れません（キーファイルの場所などに、「\"」か Shift_JIS にない文字があります）。")
                .arg(QDir::toNativeSeparators(path)));
        return;
    }
    files.addFile(path, [&text] { return text; });
}

// Target and lowest passing times suit a primary-school class; division is
// the slowest and counts a little more.
QStringList levelTable()
{
    return {QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"),
            QStringLiteral("120,180,40,5,1,5,150,14,1,,,"), QStringLiteral("150,220,40,5,1,5,150,14,1,,,"),
            QStringLiteral("130,200,40,5,1.2,5,150,14,1,,,"), QStringLiteral("170,250,9999,5,1.5,5,150,14,1,,,")};
}

QStringList soundList()
{
    return {QStringLiteral("正解音1"), QStringLiteral("pinpon"),      QStringLiteral("*"),
            QStringLiteral("正解音2"), QStringLiteral("pinpon"),      QStringLiteral("pinpon2"),
            QStringLiteral("*"),       QStringLiteral("間違い音1"),   QStringLiteral("boo"),
            QStringLiteral("*"),       QStringLiteral("間違い音2"),   QStringLiteral("boo"),
            QStringLiteral("*"),       QStringLiteral("自己最高音2"), QStringLiteral("jikosaikou"),
            QStringLiteral("*"),       QStringLiteral("不合格音1"),   QStringLiteral("gambare"),
            QStringLiteral("*")};
}

void addStandardFiles(SchoolFiles &files, const Folders &folders)
{
    files.addTextFile(folders.dataFolder + QString::fromUtf8(LevelStandardFile::FileName), levelTable());
    files.addTextFile(folders.soundFolder + QString::fromUtf8(SoundCues::ListFileName), soundList());
    for (const Cue &cue : cues()) {
        const QList<WavSynth::Note> notes = cue.notes;
        files.addFile(folders.soundFolder + QString::fromUtf8(cue.name) + QStringLiteral(".wav"),
                      [notes] { return WavSynth::render(notes); });
    }
    files.addTextFile(
        folders.dataFolder + QStringLiteral("PageName.htm"),
        page(QStringLiteral("お知らせ"),
             QStringLiteral("<h2>きょうもがんばろう！</h2><p>名前をえらんで「1」をおしてください。</p>")));
    files.addTextFile(
        folders.dataFolder + QStringLiteral("PageSeisekisita.htm"),
        page(QStringLiteral("せいせき"), QStringLiteral("<p>目標タイムをめざして、毎日すこしずつ練習しよう。</p>")));
}

} // namespace SchoolTemplates
