#include "teacher/resultsexport.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cerrno>
#include <unordered_map>
#include <vector>

#include "state/appstate.h"
#include "app/oledate.h"
#include "app/timescore.h"
#include "drill/factmap.h"
#include "menu/storeinputs.h"
#include "platform/systemerror.h"
#include "store/resultsfile.h"
#include "store/tallies.h"
#include "teacher/resultslist.h"
#include "teacher/xlsxbook.h"

namespace ResultsExport {

namespace {

// Every text the tables carry besides the data.
const QStringList ResultsHeader{QStringLiteral("日付"),       QStringLiteral("時刻"),
                                QStringLiteral("番号"),       QStringLiteral("名前"),
                                QStringLiteral("学年"),       QStringLiteral("レベル"),
                                QStringLiteral("タイム(秒)"), QStringLiteral("時間切れ・中断"),
                                QStringLiteral("ポイント"),   QStringLiteral("場所")};
const QStringList SummaryHeader{
    QStringLiteral("番号"),         QStringLiteral("名前"),       QStringLiteral("学年"),
    QStringLiteral("レベル"),       QStringLiteral("回数"),       QStringLiteral("時間切れ"),
    QStringLiteral("中断"),         QStringLiteral("ベスト(秒)"), QStringLiteral("最近10回の平均(秒)"),
    QStringLiteral("合計ポイント"), QStringLiteral("合格")};
const QStringList FactsHeader{QStringLiteral("番号"),     QStringLiteral("名前"),      QStringLiteral("学年"),
                              QStringLiteral("レベル"),   QStringLiteral("問題"),      QStringLiteral("正解数"),
                              QStringLiteral("間違い数"), QStringLiteral("正解率(%)"), QStringLiteral("平均時間(秒)"),
                              QStringLiteral("判定")};
const QString ClearedText = QStringLiteral("合格");
const QString NotClearedText = QStringLiteral("未合格");
const QString TimeOutText = QStringLiteral("時間切れ");
const QString GivenUpText = QStringLiteral("中断");

// The sessions the average is taken over.
constexpr int RecentSessions = 10;

void writeRow(TableSink &sink, const QStringList &fields)
{
    for (const QString &text : fields)
        sink.text(text);
    sink.endRow();
}

bool finished(qint32 timeScore)
{
    return timeScore < TimeScore::FinishedBelow;
}

bool timedOut(qint32 timeScore)
{
    return timeScore >= TimeScore::NoResultFrom;
}

QString levelName(const AppState &state, int level)
{
    if (level >= 1 && level <= MaxLevel && !state.LevelNames[std::size_t(level)].isEmpty())
        return state.LevelNames[std::size_t(level)];
    return QStringLiteral("ﾚﾍﾞﾙ") + QString::number(level);
}

void studentFields(TableSink &sink, const AppState &state, int number)
{
    sink.number(number);
    sink.text(state.roster.trimmedName(number));
    sink.text(state.roster.gradeName(number));
}

// What the summary gathers of one student's sessions at one level.
struct LevelSessions
{
    qint32 finished = 0;
    qint32 timeOuts = 0;
    qint32 givenUp = 0;
    qint32 best = TimeScore::NoTime;
    qint64 points = 0;
    // The newest finished times, as a ring over `finished`.
    std::array<qint32, RecentSessions> recent{};

    void add(qint32 timeScore, qint32 sessionPoints)
    {
        points += sessionPoints;
        if (!ResultsExport::finished(timeScore)) {
            ++(timedOut(timeScore) ? timeOuts : givenUp);
            return;
        }
        best = std::min(best, timeScore);
        recent[std::size_t(finished % RecentSessions)] = timeScore;
        ++finished;
    }
    void recentAverage(TableSink &sink) const
    {
        const int counted = std::min(finished, RecentSessions);
        if (counted == 0)
            return sink.empty();
        qint64 sum = 0;
        for (int i = 0; i < counted; ++i)
            sum += recent[std::size_t(i)];
        sink.decimal(double(sum) / counted, 1);
    }
};

// An existing file of the program's own folders that is not a spreadsheet:
// a name typed by mistake must not replace the results file or the roster.
bool isProgramData(const AppState &state, const QString &path)
{
    const QFileInfo target(path);
    if (!target.exists() || target.suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0
        || target.suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) == 0)
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

QString sheetName(Table table)
{
    switch (table) {
    case Table::Results:
        return QStringLiteral("成績");
    case Table::Summary:
        return QStringLiteral("集計");
    case Table::Facts:
        return QStringLiteral("問題別");
    }
    return {};
}

qint64 writeResults(TableSink &sink, const ResultsListing &listing, const AppState &state)
{
    writeRow(sink, ResultsHeader);
    // Records come in date order and from few sites, so most share the day
    // of the record before them, and each site is worked out once.
    double shownDay = 0;
    QDate day;
    std::unordered_map<quint64, QString> sites;
    for (int line = 0; line < listing.lineCount(); ++line) {
        const ResultRecord record = listing.record(line);
        if (line == 0 || record.date != shownDay) {
            shownDay = record.date;
            day = OleDate::toDate(record.date);
        }
        quint64 siteKey = 0;
        for (char c : record.siteCode)
            siteKey = siteKey << 8 | quint8(c);
        auto site = sites.find(siteKey);
        if (site == sites.end())
            site = sites.emplace(siteKey, ResultsList::siteTag(record, state.SiteCode, state.SiteTitle)).first;
        sink.date(day);
        sink.timeOfDay(OleDate::toTimeOfDay(record.timeOfDay));
        studentFields(sink, state, record.studentNumber);
        sink.text(levelName(state, record.level));
        if (finished(record.timeScore)) {
            sink.number(record.timeScore);
            sink.empty();
        } else {
            sink.empty();
            sink.text(timedOut(record.timeScore) ? TimeOutText : GivenUpText);
        }
        sink.number(ResultLists::logPoints(state, record.timeScore, record.level));
        sink.text(site->second);
        sink.endRow();
    }
    return listing.lineCount();
}

qint64 writeSummary(TableSink &sink, const ResultsListing &listing, const AppState &state)
{
    writeRow(sink, SummaryHeader);
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
        sessions[std::size_t(at)].add(record.timeScore, ResultLists::logPoints(state, record.timeScore, record.level));
    }
    for (int student = 1; student <= MaxStudent; ++student) {
        for (int level = 1; level <= MaxLevel; ++level) {
            const int at = slot[cellOf(student, level)];
            if (at < 0)
                continue;
            const LevelSessions &s = sessions[std::size_t(at)];
            studentFields(sink, state, student);
            sink.text(levelName(state, level));
            sink.number(s.finished);
            sink.number(s.timeOuts);
            sink.number(s.givenUp);
            if (s.finished > 0)
                sink.number(s.best);
            else
                sink.empty();
            s.recentAverage(sink);
            sink.number(s.points);
            sink.text(LevelCleared(state, level, student) ? ClearedText : NotClearedText);
            sink.endRow();
        }
    }
    return qint64(sessions.size());
}

qint64 writeFacts(TableSink &sink, const AppState &state, const QList<qint16> &students)
{
    writeRow(sink, FactsHeader);
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
                studentFields(sink, state, student);
                sink.text(levelName(state, level));
                sink.text(ProblemSet::withAnswer(level, fact.Code));
                sink.decimal(fact.CorrectCount, -1);
                sink.decimal(fact.WrongCount, -1);
                if (fact.tried()) {
                    sink.decimal(fact.CorrectCount / tries * 100, 2);
                    sink.decimal(fact.TotalTime / tries, 2);
                } else {
                    sink.empty();
                    sink.empty();
                }
                sink.text(FactMap::nameOf(FactMap::standingOf(fact, target)));
                sink.endRow();
                ++rows;
            }
        }
    }
    return rows;
}

namespace {

// What both exports check and read before anything is written: false when
// `outcome` says why nothing will be.
bool prepare(AppState &state, Platform &platform, bool wantsRecords, bool wantsTallies, const QString &path,
             ResultsListing &listing, Outcome &outcome)
{
    if (isProgramData(state, path)) {
        outcome.problem =
            QStringLiteral("「%1」はこのプログラムのデータなので、書き出しには使えません。別の名前を選んでください。")
                .arg(QDir::toNativeSeparators(path));
        return false;
    }
    if (wantsRecords) {
        const FileFault fault = listing.read(platform, ResultsFile::pathIn(state.DataFolder));
        if (fault.failed()) {
            outcome.problem = QStringLiteral("%1を読めません（%2）。")
                                  .arg(QString::fromUtf8(ResultsFile::FileName), fault.description);
            return false;
        }
    }
    // "Cleared" is judged as the level menu judges it, on fresh tallies. With
    // no record there is nothing to judge, and the load would create the file.
    if (wantsTallies && listing.lineCount() > 0 && !ComputeTallies(state, platform)) {
        outcome.programEnding = true;
        return false;
    }
    return true;
}

void failedToWrite(Outcome &outcome, const QString &path, const QString &reason)
{
    outcome.rows = 0;
    outcome.sheetRows = {};
    outcome.problem =
        QStringLiteral("「%1」に書き出せませんでした（%2）。").arg(QDir::toNativeSeparators(path), reason);
}

// The end of a whole-or-nothing write: commit when all went well, else drop
// the half-written copy and tell why, leaving the old file as it was.
void commitOrTell(QSaveFile &file, bool opened, bool written, Outcome &outcome, const QString &path)
{
    if (opened && written && file.commit())
        return;
    const int captured = SystemError::last();
    if (opened)
        file.cancelWriting();
    failedToWrite(outcome, path, SystemError::describeFailure(file, captured));
}

// Copies the finished workbook into `file`; false when a read or write failed.
bool copyInto(QFile &from, QSaveFile &file)
{
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 read = from.read(chunk.data(), chunk.size());
        if (read < 0)
            return false;
        if (read == 0)
            return true;
        if (file.write(chunk.constData(), read) != read)
            return false;
    }
}

} // namespace

Outcome exportTo(AppState &state, Platform &platform, const Request &request, const QString &path)
{
    Outcome outcome;
    ResultsListing listing;
    if (!prepare(state, platform, request.table != Table::Facts, request.table == Table::Summary, path, listing,
                 outcome))
        return outcome;

    // Written aside and renamed: a failure leaves no half file behind.
    QSaveFile file(path);
    SystemError::clear();
    const bool opened = file.open(QIODevice::WriteOnly);
    bool written = false;
    if (opened) {
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
        written = csv.finish();
    }
    commitOrTell(file, opened, written, outcome, path);
    return outcome;
}

Outcome exportWorkbook(AppState &state, Platform &platform, const QList<qint16> &students, const QString &path)
{
    Outcome outcome;
    ResultsListing listing;
    if (!prepare(state, platform, true, true, path, listing, outcome))
        return outcome;

    // The library writes a file by name: it is made in a private folder,
    // then copied into the QSaveFile that the CSV uses too, so the chosen
    // file is replaced whole or not at all.
    const QTemporaryDir aside;
    if (!aside.isValid()) {
        failedToWrite(outcome, path, SystemError::describe(EIO));
        return outcome;
    }
    const QString made = aside.filePath(QStringLiteral("book.xlsx"));
    {
        XlsxBook book(made, aside.path());
        XlsxSheet &results = book.addSheet(sheetName(Table::Results));
        XlsxSheet &summary = book.addSheet(sheetName(Table::Summary));
        XlsxSheet &facts = book.addSheet(sheetName(Table::Facts));
        outcome.sheetRows = {writeResults(results, listing, state), writeSummary(summary, listing, state),
                             writeFacts(facts, state, students)};
        if (!book.close()) {
            failedToWrite(outcome, path, SystemError::describe(book.failure()));
            return outcome;
        }
    }
    outcome.rows = outcome.sheetRows[0];

    QFile from(made);
    QSaveFile file(path);
    SystemError::clear();
    const bool opened = from.open(QIODevice::ReadOnly) && file.open(QIODevice::WriteOnly);
    commitOrTell(file, opened, opened && copyInto(from, file), outcome, path);
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

QString suggestedWorkbookName(QDate today)
{
    return QStringLiteral("成績データ_%1.xlsx").arg(today.toString(QStringLiteral("yyyyMMdd")));
}

} // namespace ResultsExport
