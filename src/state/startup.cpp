#include "state/startup.h"

#include <QDir>
#include <QStringList>

#include "state/appstate.h"
#include "app/levelstandard.h"
#include "app/textnumber.h"
#include "app/valuestream.h"
#include "sound/soundcues.h"

namespace Startup {

QString withSeparator(QString folder)
{
    if (!folder.endsWith(u'/'))
        folder.append(u'/');
    return folder;
}

LoadError readTenValues(const QString &path, const QString &shownName, std::array<QString, SettingsValueCount> &values)
{
    QString reason;
    auto stream = ValueStream::fromFile(path, &reason, ValueStream::BlankLines::AreEmptyValues);
    if (!stream)
        return {shownName, QStringLiteral("ファイルを開けません（%1）。").arg(reason)};
    for (int i = 0; i < SettingsValueCount; ++i) {
        if (stream->atEnd()) {
            return {shownName, QStringLiteral("値が%1個しかありません。10個の値が必要です。").arg(i)};
        }
        values[std::size_t(i)] = stream->next();
    }
    return {};
}

QString normalizeSeparators(const QString &path)
{
    QString result = path;
    result.replace(u'\\', u'/');
    return result;
}

SiteCodeSplit splitSiteCode(const QString &value)
{
    const QString head = value.left(5);
    if (TextNumber::leadingNumber(head) != 0.0)
        return {head, value.mid(5)};
    return {QString(), value};
}

QString folderName(const QString &programFolder)
{
    QString path = normalizeSeparators(programFolder);
    while (path.endsWith(u'/'))
        path.chop(1);
    const qsizetype slash = path.lastIndexOf(u'/');
    QString last = slash < 0 ? path : path.mid(slash + 1);
    // "D:" alone is a drive root, which has no folder name.
    if (last.size() == 2 && last[1] == u':')
        return QString();
    return last;
}

QString LoadError::message() const
{
    return QStringLiteral("設定ファイル「%1」を読めないため、起動できません。\n%2")
        .arg(QDir::toNativeSeparators(file), problem);
}

LoadError LoadStartupData(AppState &state, const QString &programFolder)
{
    state.ProgramFolder = withSeparator(normalizeSeparators(programFolder));

    std::array<QString, SettingsValueCount> pathValues;
    const QString pathFile = state.ProgramFolder + QStringLiteral("../") + QString::fromUtf8(PathDataFile);
    if (auto error = readTenValues(pathFile, QDir::cleanPath(pathFile), pathValues); error.failed())
        return error;
    state.BasePath = normalizeSeparators(pathValues[0]);

    const QString commonFile = state.BasePath + QString::fromUtf8(CommonDataFile);
    if (auto error = readTenValues(commonFile, commonFile, state.commonDataValues); error.failed())
        return error;
    const auto &common = state.commonDataValues;
    state.SchoolYearStartMonth =
        static_cast<int>(TextNumber::toWhole(common[SchoolYearStartMonthValue], INT32_MIN, INT32_MAX));
    state.RosterStatusSwitch =
        static_cast<int>(TextNumber::toWhole(common[RosterStatusSwitchValue], INT32_MIN, INT32_MAX));
    setKeyPassLocation(state, common[KeyPassLocationValue]);

    const SiteCodeSplit site = splitSiteCode(common[SiteValue]);
    state.SiteCode = site.code;
    state.SiteTitle = site.title;

    state.ProgramFolderName = folderName(state.ProgramFolder);
    state.DataFolder = state.BasePath + state.ProgramFolderName + u'/';
    state.SoundFolder = state.BasePath + QString::fromUtf8(SoundFolderName) + u'/';
    state.RosterFolder = state.BasePath;

    SetProductTitle(state);

    const QString tableFile = state.DataFolder + QString::fromUtf8(LevelStandardFile::FileName);
    QString reason;
    if (!LevelStandardFile::read(tableFile, state.LevelStandards, &reason))
        return {tableFile, QStringLiteral("ファイルを開けません（%1）。").arg(reason)};
    // An empty or broken table reads as zeros, and every drill would be out
    // of time the moment it starts.
    if (const int level = LevelStandardFile::firstLevelThatCannotRun(state.LevelStandards, DrilledLevels))
        return {tableFile, QStringLiteral("レベル%1の最低Time（合格最低ラインタイム）が0以下です。"
                                          "このままでは練習がすぐに時間切れになります。")
                               .arg(level)};

    // Without the list every answer sound would fail and the fourth answer
    // would stop the drill; better to tell the teacher before a student starts.
    if (!LoadSoundCues(state, &reason)) {
        return {state.SoundFolder + QString::fromUtf8(SoundCues::ListFileName),
                QStringLiteral("ファイルを開けません（%1）。").arg(reason)};
    }
    return {};
}

void setKeyPassLocation(AppState &state, const QString &location)
{
    state.commonDataValues[KeyPassLocationValue] = location;
    state.KeyPassLocation = normalizeSeparators(location);
}

void SetProductTitle(AppState &state)
{
    state.ContentTitle = QStringLiteral("カズドリ");
}

void SetUpLevelCatalogue(AppState &state)
{
    state.LevelCount = DrilledLevels;
    state.GoalLevel = state.LevelCount;
    const QStringList names{QStringLiteral("足し算"), QStringLiteral("引き算"), QStringLiteral("かけ算"),
                            QStringLiteral("わり算")};
    for (int level = 1; level <= DrilledLevels; ++level) {
        state.LevelNames[std::size_t(level)] = names[level - 1];
        state.LevelKind[std::size_t(level)] = TimedLevelKind;
    }
}

} // namespace Startup
