#include "teacher/resultsexport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <array>
#include <vector>

#include "app/appstate.h"
#include "app/oledate.h"
#include "drill/factmap.h"
#include "drill/problemlists.h"
#include "menu/storeinputs.h"
#include "platform/systemerror.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "teacher/resultslist.h"

namespace ResultsExport {

namespace {

// Every text the tables carry besides the data.
const QStringList ResultsHeader{QStringLiteral("日付"),     QStringLiteral("時刻"),      QStringLiteral("番号"),
                                QStringLiteral("名前"),     QStringLiteral("学年"),      QStringLiteral("レベル"),
                                QStringLiteral("タイム(秒)"), QStringLiteral("ポイント"), QStringLiteral("場所")};
const QStringList SummaryHeader{QStringLiteral("番号"),        QStringLiteral("名前"),
                                QStringLiteral("学年"),        QStringLiteral("レベル"),
                                QStringLiteral("回数"),        QStringLiteral("時間切れ"),
                                QStringLiteral("ベスト(秒)"),   QStringLiteral("最近10回の平均(秒)"),
                                QStringLiteral("合計ポイント"), QStringLiteral("合格")};
const QStringList FactsHeader{QStringLiteral("番号"),       QStringLiteral("名前"),     QStringLiteral("学年"),
                              QStringLiteral("レベル"),     QStringLiteral("問題"),     QStringLiteral("正解数"),
                              QStringLiteral("間違い数"),   QStringLiteral("正解率(%)"), QStringLiteral("平均時間(秒)"),
                              QStringLiteral("判定")};
const QString ClearedText = QStringLiteral("合格");
const QString NotClearedText = QStringLiteral("未合格");
// Spreadsheets read these as a date and a time of day.
const QString DateFormat = QStringLiteral("yyyy/MM/dd");
const QString TimeFormat = QStringLiteral("h:mm:ss");

// The sessions the average is taken over.
constexpr int RecentSessions = 10;

void writeRow(CsvWriter &csv, const QStringList &fields)
{
    for (const QString &text : fields)
        csv.field(text);
    csv.endRow();
}

QString levelName(const AppState &state, int level)
{
    if (level >= 1 && level <= MaxLevel && !state.LevelNames[std::size_t(level)].isEmpty())
        return state.LevelNames[std::size_t(level)];
    return QStringLiteral("ﾚﾍﾞﾙ") + QString::number(level);
}

void studentFields(CsvWriter &csv, const AppState &state, int number)
{
    csv.field(number);
    csv.field(state.Roster.trimmedName(number));
    csv.field(state.Roster.gradeName(number));
}

// What the summary gathers of one student's sessions at one level.
struct LevelSessions
{
    qint32 finished = 0;
    qint32 unfinished = 0;
    qint32 best = NoTime;
    qint64 points = 0;
    // The newest finished times, as a ring over `finished`.
    std::array<qint32, RecentSessions> recent{};

    void add(qint32 timeScore, qint32 sessionPoints)
    {
        points += sessionPoints;
        if (timeScore >= UnfinishedTime) {
            ++unfinished;
            return;
        }
        best = std::min(best, timeScore);
        recent[std::size_t(finished % RecentSessions)] = timeScore;
        ++finished;
    }
    QString recentAverage() const
    {
        const int counted = std::min(finished, RecentSessions);
        if (counted == 0)
            return QString();
        qint64 sum = 0;
        for (int i = 0; i < counted; ++i)
            sum += recent[std::size_t(i)];
        return QString::number(double(sum) / counted, 'f', 1);
    }
};

// An existing file of the program's own folders that is not a CSV file: a
// name typed by mistake must not replace the results file or the roster.
bool isProgramData(const AppState &state, const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() || target.suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
        return false;
    for (const QString &folder : {state.DataFolder, state.RosterFolder, state.BasePath}) {
        if (!folder.isEmpty() && QFileInfo(folder).canonicalFilePath() == target.canonicalPath())
            return true;
    }
    return false;
}

std::size_t cellOf(int student, int level)
{
    return std::size_t(student) * (MaxLevel + 1) + std::size_t(level);
}

} // namespace

QStringList header(Table table)
{
    switch (table) {
    case Table::Results:
        return ResultsHeader;
    case Table::Summary:
        return SummaryHeader;
    case Table::Facts:
        return FactsHeader;
    }
    return {};
}

qint64 writeResults(CsvWriter &csv, const ResultsListing &listing, const AppState &state)
{
    writeRow(csv, ResultsHeader);
    // Records come in date order and from few sites, so most share the day
    // and the site of the record before them: each is worked out once.
    double shownDay = 0;
    QString dayText;
    ResultRecord::TextField shownSite{};
    QString siteText;
    for (int line = 0; line < listing.lineCount(); ++line) {
        const ResultRecord record = listing.record(line);
        if (line == 0 || record.date != shownDay) {
            shownDay = record.date;
            dayText = OleDate::toDate(record.date).toString(DateFormat);
        }
        if (line == 0 || record.siteCode != shownSite) {
            shownSite = record.siteCode;
            siteText = ResultsList::siteTag(record, state.SiteCode, state.SiteTitle);
        }
        csv.field(dayText);
        csv.field(OleDate::toTimeOfDay(record.timeOfDay).toString(TimeFormat));
        studentFields(csv, state, record.studentNumber);
        csv.field(levelName(state, record.level));
        csv.field(record.timeScore == NoTime ? QString() : QString::number(record.timeScore));
        csv.field(ResultLists::LogPoints(state, record.timeScore, record.level));
        csv.field(siteText);
        csv.endRow();
    }
    return listing.lineCount();
}

qint64 writeSummary(CsvWriter &csv, const ResultsListing &listing, const AppState &state)
{
    writeRow(csv, SummaryHeader);
    // Cells are made as students and levels are met; the index finds them.
    std::vector<int> slot(cellOf(MaxStudent + 1, 0), -1);
    std::vector<LevelSessions> sessions;
    for (int line = 0; line < listing.lineCount(); ++line) {
        const ResultRecord record = listing.record(line);
        if (!TallyTables::contains(record.level, record.studentNumber))
            continue;
        int &at = slot[cellOf(record.studentNumber, record.level)];
        if (at < 0) {
            at = int(sessions.size());
            sessions.emplace_back();
        }
        sessions[std::size_t(at)].add(record.timeScore, ResultLists::LogPoints(state, record.timeScore, record.level));
    }
    for (int student = 1; student <= MaxStudent; ++student) {
        for (int level = 1; level <= MaxLevel; ++level) {
            const int at = slot[cellOf(student, level)];
            if (at < 0)
                continue;
            const LevelSessions &s = sessions[std::size_t(at)];
            studentFields(csv, state, student);
            csv.field(levelName(state, level));
            csv.field(s.finished);
            csv.field(s.unfinished);
            csv.field(s.finished > 0 ? QString::number(s.best) : QString());
            csv.field(s.recentAverage());
            csv.field(s.points);
            csv.field(LevelCleared(state, level, student) ? ClearedText : NotClearedText);
            csv.endRow();
        }
    }
    return qint64(sessions.size());
}

qint64 writeFacts(CsvWriter &csv, const AppState &state, const QList<qint16> &students)
{
    writeRow(csv, FactsHeader);
    qint64 rows = 0;
    for (qint16 student : students) {
        for (int level = ProblemSet::FirstLevel; level <= ProblemSet::LastLevel; ++level) {
            const DrillProblemTable facts = FactMap::storedFacts(state.DataFolder, student, level);
            if (std::none_of(facts.begin() + 1, facts.end(), [](const DrillProblem &p) { return p.tried(); }))
                continue;
            const qint32 target = state.LevelStandards[std::size_t(level)].TargetTime;
            for (int i = 1; i <= MaxProblemCount; ++i) {
                const DrillProblem &fact = facts[std::size_t(i)];
                const double tries = fact.CorrectCount + fact.WrongCount;
                studentFields(csv, state, student);
                csv.field(levelName(state, level));
                csv.field(ProblemSet::withAnswer(level, fact.Code));
                csv.field(ProblemLists::countText(fact.CorrectCount));
                csv.field(ProblemLists::countText(fact.WrongCount));
                csv.field(fact.tried() ? QString::number(fact.CorrectCount / tries * 100, 'f', 2) : QString());
                csv.field(fact.tried() ? ProblemLists::secondsText(fact.TotalTime / tries) : QString());
                csv.field(FactMap::nameOf(FactMap::standingOf(fact, target)));
                csv.endRow();
                ++rows;
            }
        }
    }
    return rows;
}

Outcome exportTo(AppState &state, Platform &platform, const Request &request, const QString &path)
{
    Outcome outcome;
    if (isProgramData(state, path)) {
        outcome.problem = QStringLiteral("「%1」はこのプログラムのデータなので、書き出しには使えません。別の名前を選んでください。")
                              .arg(QDir::toNativeSeparators(path));
        return outcome;
    }
    ResultsListing listing;
    if (request.table != Table::Facts) {
        const FileFault fault = listing.read(platform, ResultsFile::pathIn(state.DataFolder));
        if (fault.failed()) {
            outcome.problem = QStringLiteral("%1を読めません（%2）。")
                                  .arg(QString::fromUtf8(ResultsFile::FileName), fault.description);
            return outcome;
        }
    }
    // "Cleared" is judged as the level menu judges it, on fresh tallies. With
    // no record there is nothing to judge, and the load would create the file.
    if (request.table == Table::Summary && listing.lineCount() > 0 && !ComputeTallies(state, platform)) {
        outcome.programEnding = true;
        return outcome;
    }

    // Written aside and renamed: a failure leaves no half file behind.
    QSaveFile file(path);
    SystemError::clear();
    int captured = 0;
    if (file.open(QIODevice::WriteOnly)) {
        CsvWriter csv(file, request.encoding);
        switch (request.table) {
        case Table::Results:
            outcome.rows = writeResults(csv, listing, state);
            break;
        case Table::Summary:
            outcome.rows = writeSummary(csv, listing, state);
            break;
        case Table::Facts:
            outcome.rows = writeFacts(csv, state, request.students);
            break;
        }
        if (csv.finish() && file.commit())
            return outcome;
        captured = SystemError::last();
        file.cancelWriting();
    } else {
        captured = SystemError::last();
    }
    outcome.rows = 0;
    outcome.problem = QStringLiteral("「%1」に書き出せませんでした（%2）。")
                          .arg(QDir::toNativeSeparators(path), SystemError::describeFailure(file, captured));
    return outcome;
}

QString suggestedFileName(Table table, QDate today)
{
    const QString day = today.toString(QStringLiteral("yyyyMMdd"));
    switch (table) {
    case Table::Results:
        return QStringLiteral("成績データ_%1.csv").arg(day);
    case Table::Summary:
        return QStringLiteral("生徒別まとめ_%1.csv").arg(day);
    case Table::Facts:
        return QStringLiteral("問題別成績_%1.csv").arg(day);
    }
    return QString();
}

} // namespace ResultsExport
