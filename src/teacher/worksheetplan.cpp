#include "teacher/worksheetplan.h"

#include <QFileInfo>

#include "state/appstate.h"
#include "drill/factmap.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "store/resultsfile.h"

namespace WorksheetPlan {

namespace {

// A student who never practised has no file, and nothing to report.
FileFault readWeakFacts(Platform &platform, const QString &dataFolder, int student, int level, LevelStats &stats)
{
    const QString path = ProblemStatFile::pathFor(dataFolder, student);
    if (!QFileInfo::exists(path))
        return {};
    return retryWhileHeld(platform, path, [&] {
        QString error;
        int code = 0;
        if (ProblemStatFile::readLevel(path, level, stats, &error, &code))
            return FileFault{};
        return faultOfError(code, path, error);
    });
}

} // namespace

std::vector<Worksheet> sheetsFor(const WorksheetRequest &request, Platform &platform, const QString &dataFolder,
                                 QList<std::pair<int, QString>> *unread)
{
    Random &random = platform.random;
    quint32 given = request.firstSeed;
    const auto nextSeed = [&given, &random] {
        const quint32 seed = given != 0 ? given : quint32(random.pick(MaxSeed));
        given = 0;
        return seed;
    };
    std::vector<Worksheet> sheets;
    for (int i = 0; i < request.sheetCount; ++i) {
        const quint32 seed = nextSeed();
        sheets.push_back(request.layout == Worksheet::Layout::HundredSquares
                             ? Worksheet::hundredSquares(request.level, seed)
                             : Worksheet::numbered(request.level, seed));
    }
    for (int student : request.weakStudents) {
        LevelStats stats{};
        const FileFault fault = readWeakFacts(platform, dataFolder, student, request.level, stats);
        if (fault.failed()) {
            stats = LevelStats{};
            if (unread)
                unread->append({student, fault.description});
        }
        sheets.push_back(Worksheet::weakFirst(request.level, student, FactMap::factsOf(stats), nextSeed()));
    }
    return sheets;
}

std::vector<WorksheetPage> pagesOf(const std::vector<Worksheet> &sheets, bool answerSheets)
{
    std::vector<WorksheetPage> pages;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        pages.push_back({i, false});
        if (answerSheets)
            pages.push_back({i, true});
    }
    return pages;
}

WorksheetTexts textsOf(const Worksheet &sheet, const AppState &state)
{
    const bool named = sheet.level > 0 && sheet.level < int(state.LevelNames.size());
    const QString levelName = named ? state.LevelNames[std::size_t(sheet.level)] : QString();
    WorksheetTexts texts;
    QString kind;
    if (sheet.weakFacts()) {
        kind = QStringLiteral("苦手な問題");
        texts.title = QStringLiteral("%1　%2").arg(levelName, kind);
        texts.name = state.roster.trimmedName(sheet.student);
    } else if (sheet.layout == Worksheet::Layout::HundredSquares) {
        kind = QStringLiteral("100マス");
        texts.title = QStringLiteral("100マス計算　%1").arg(levelName);
    } else {
        kind = QStringLiteral("100問");
        texts.title = QStringLiteral("%1　100問").arg(levelName);
    }
    texts.footer = QStringLiteral("%1　%2　%3").arg(state.ContentTitle, levelName, kind);
    texts.seed = QStringLiteral("番号 %1").arg(sheet.seed);
    return texts;
}

} // namespace WorksheetPlan
