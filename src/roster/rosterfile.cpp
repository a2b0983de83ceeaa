#include "roster/rosterfile.h"

#include <limits>

#include <QDir>

#include "state/appstate.h"
#include "app/textnumber.h"
#include "app/valuestream.h"
#include "roster/grades.h"
#include "roster/rostertable.h"

namespace {

// A number value of the file; out-of-range values are held at the 16-bit
// bounds, which lie outside every valid student number.
qint16 nextShort(ValueStream &stream)
{
    return static_cast<qint16>(
        TextNumber::toWhole(stream.next(), std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

// Values missing at the end of the file read as 0 or empty.
RosterEntry nextEntry(ValueStream &stream)
{
    RosterEntry entry;
    entry.Number = nextShort(stream);
    entry.CohortYear = nextShort(stream);
    entry.unusedColumn3 = nextShort(stream);
    entry.unusedColumn4 = nextShort(stream);
    entry.Name = stream.next();
    entry.Status = static_cast<RosterStatus>(nextShort(stream));
    entry.unusedColumn7 = stream.next();
    entry.unusedColumn8 = stream.next();
    return entry;
}

} // namespace

namespace RosterFile {

QString ReadResult::message() const
{
    const QString shown = QDir::toNativeSeparators(file);
    if (!problem.isEmpty())
        return QStringLiteral("名簿ファイル「%1」を読めません（%2）。\n名簿を用意してから、もう一度開いてください。")
            .arg(shown, problem);
    if (noNames)
        return QStringLiteral("名簿ファイル「%1」に名前がありません。\n名簿を用意してから、もう一度開いてください。")
            .arg(shown);
    return QString();
}

QString ReadResult::notice() const
{
    QString text;
    if (badNumbers > 0)
        text += QStringLiteral("番号が1～%1の範囲にない%2件を読み飛ばしました。").arg(MaxStudent).arg(badNumbers);
    if (overLimit > 0)
        text += QStringLiteral("%1件を超えた%2件を読み飛ばしました。").arg(MaxStudent).arg(overLimit);
    if (text.isEmpty())
        return text;
    return QStringLiteral("名簿ファイル「%1」：").arg(QDir::toNativeSeparators(file)) + text;
}

ReadResult read(const QString &path, int schoolYear, int rosterStatusSwitch, RosterTable &table)
{
    ReadResult result;
    result.file = path;
    table.clear(schoolYear);

    QString reason;
    auto stream = ValueStream::fromFile(path, &reason);
    if (!stream) {
        result.problem = reason.isEmpty() ? QStringLiteral("不明なエラー") : reason;
        return result;
    }
    bool anyName = false;
    while (!stream->atEnd()) {
        RosterEntry entry = nextEntry(*stream);
        // trimmed() drops full-width blanks as well.
        anyName = anyName || !entry.Name.trimmed().isEmpty();
        switch (table.add(std::move(entry), rosterStatusSwitch)) {
        case RosterTable::AddOutcome::Added:
            break;
        case RosterTable::AddOutcome::BadNumber:
            ++result.badNumbers;
            break;
        case RosterTable::AddOutcome::Full:
            ++result.overLimit;
            break;
        }
    }
    result.noNames = !anyName;
    return result;
}

ReadResult load(AppState &state, QDate today)
{
    const int schoolYear = Roster::SchoolYear(today, state.SchoolYearStartMonth);
    return read(state.RosterFolder + QString::fromUtf8(FileName), schoolYear, state.RosterStatusSwitch, state.roster);
}

} // namespace RosterFile
