#include "demo/demoschool.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "demo/demolauncher.h"
#include "demo/demoroster.h"
#include "demo/demoresults.h"
#include "demo/wavsynth.h"
#include "platform/cp932.h"

namespace {

QString withSlash(QString path)
{
    if (!path.endsWith(u'/'))
        path.append(u'/');
    return path;
}

bool ensureFolder(const QString &folder, QString *error)
{
    if (QDir().mkpath(folder))
        return true;
    if (error)
        *error = QStringLiteral("cannot create folder ") + folder;
    return false;
}

bool writeIfMissing(const QString &path, const QStringList &lines, QString *error)
{
    return QFileInfo::exists(path) || DemoSchool::writeTextFile(path, lines, error);
}

QStringList commonData()
{
    return {QStringLiteral("4"),
            QStringLiteral("\"00123カズドリ算数教室\""),
            QStringLiteral("0"),
            QStringLiteral("0"),
            QString(),  // key-file location, filled in by create()
            QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("0")};
}

// Target and lowest passing times suit a primary-school class; division is
// the slowest and counts a little more.
QStringList levelTable()
{
    return {QStringLiteral("目標Time,最低Time,ｸﾘｱﾎﾟｲﾝﾄ,ｸﾘｱ回数,ﾎﾟｲﾝﾄ倍率,禁回,禁点,判期間,禁期間,,,"),
            QStringLiteral("120,180,40,5,1,5,150,14,1,,,"),
            QStringLiteral("150,220,40,5,1,5,150,14,1,,,"),
            QStringLiteral("130,200,40,5,1.2,5,150,14,1,,,"),
            QStringLiteral("170,250,9999,5,1.5,5,150,14,1,,,")};
}

QStringList soundList()
{
    return {QStringLiteral("正解音1"), QStringLiteral("pinpon"), QStringLiteral("*"),
            QStringLiteral("正解音2"), QStringLiteral("pinpon"), QStringLiteral("pinpon2"), QStringLiteral("*"),
            QStringLiteral("間違い音1"), QStringLiteral("boo"), QStringLiteral("*"),
            QStringLiteral("間違い音2"), QStringLiteral("boo"), QStringLiteral("*"),
            QStringLiteral("自己最高音2"), QStringLiteral("jikosaikou"), QStringLiteral("*"),
            QStringLiteral("不合格音1"), QStringLiteral("gambare"), QStringLiteral("*")};
}

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
        {"最高1", {N{523.3, 140}, N{659.3, 140}, N{784.0, 140}, N{1046.5, 200}, N{0, 60},
                   N{784.0, 140}, N{1046.5, 600}}},
        {"合格", {N{523.3, 180}, N{523.3, 180}, N{523.3, 180}, N{659.3, 300}, N{587.3, 180},
                  N{659.3, 180}, N{784.0, 700}}},
        {"警告1", {N{880.0, 90, 0.4, true}, N{0, 50}, N{880.0, 90, 0.4, true}}},
    };
}

QStringList page(const QString &title, const QString &body)
{
    return {QStringLiteral("<html><head><meta charset=\"shift_jis\"><title>%1</title></head>").arg(title),
            QStringLiteral("<body style=\"font-size:14pt\">"),
            body,
            QStringLiteral("</body></html>")};
}

} // namespace

namespace DemoSchool {

Layout layoutOf(const QString &root)
{
    Layout l;
    l.root = withSlash(QDir(root).absolutePath());
    l.programFolder = l.root + QStringLiteral("kazudori/");
    l.basePath = l.root + QStringLiteral("school/");
    l.dataFolder = l.basePath + QStringLiteral("kazudori/");
    l.soundFolder = l.basePath + QStringLiteral("音フォルダ/");
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
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += Cp932::encode(line) + "\r\n";
    return writeBinaryFile(path, bytes, error);
}

bool create(const QString &root, QString *error)
{
    const Layout l = layoutOf(root);
    for (const QString &folder : {l.programFolder, l.dataFolder, l.soundFolder, l.keyFolder,
                                  l.launcherFolder}) {
        if (!ensureFolder(folder, error))
            return false;
    }

    QStringList pathData{l.basePath};
    for (int i = 2; i <= 10; ++i)
        pathData.append(QStringLiteral("0"));
    if (!writeTextFile(l.root + QStringLiteral("パスデータ.txt"), pathData, error))
        return false;

    QStringList common = commonData();
    common[4] = QStringLiteral("\"%1\"").arg(l.keyFolder);
    if (!writeIfMissing(l.basePath + QStringLiteral("共通データ.txt"), common, error)
        || !writeIfMissing(l.dataFolder + QStringLiteral("タイム回数データ.txt"), levelTable(), error)
        || !writeIfMissing(l.soundFolder + QStringLiteral("新音ファイル.txt"), soundList(), error)
        || !writeIfMissing(l.keyFolder + QStringLiteral("keypass.txt"), {QStringLiteral("kazudori")}, error)
        || !DemoRoster::create(l.basePath, error))
        return false;

    for (const Cue &cue : cues()) {
        const QString path = l.soundFolder + QString::fromUtf8(cue.name) + QStringLiteral(".wav");
        if (!QFileInfo::exists(path) && !writeBinaryFile(path, WavSynth::render(cue.notes), error))
            return false;
    }

    if (!DemoLauncher::create(l.launcherFolder, error))
        return false;
    if (!DemoResults::seed(l.dataFolder, QStringLiteral("00123"), QDate::currentDate(), error))
        return false;

    const QStringList namePage = page(
        QStringLiteral("お知らせ"),
        QStringLiteral("<h2>きょうもがんばろう！</h2><p>名前をえらんで「1」をおしてください。</p>"));
    const QStringList menuPage = page(
        QStringLiteral("せいせき"),
        QStringLiteral("<p>目標タイムをめざして、毎日すこしずつ練習しよう。</p>"));
    return writeIfMissing(l.dataFolder + QStringLiteral("PageName.htm"), namePage, error)
           && writeIfMissing(l.dataFolder + QStringLiteral("PageSeisekisita.htm"), menuPage, error);
}

} // namespace DemoSchool
