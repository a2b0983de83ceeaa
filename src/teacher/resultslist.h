#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "store/resultrecord.h"
#include "store/resultsfile.h"

class RosterTable;
struct Platform;

// The teacher's list of every record of the results file, one line per
// record in record order, and the rules of its edit panel.
namespace ResultsList {

// What a line needs besides the record.
struct LineContext
{
    const RosterTable *roster = nullptr;
    QString siteCode;
    QString siteTitle;
    // Characters of the record number: 4, more when the file holds 10000
    // records or more, so that no two lines show the same number.
    int numberWidth = 4;
};

int numberWidth(qint32 recordCount);

// The value's decimal text with spaces on the left, cut to the rightmost
// `width` characters.
QString rightAligned(qint64 value, int width);

QString line(qint32 recordNumber, const ResultRecord &record, const LineContext &context);

// The site tag of a line: the site's title for a record of this site,
// "他塾" for any other (a site without a code has no records of its own).
QString siteTag(const ResultRecord &record, const QString &siteCode, const QString &siteTitle);

// A line of the student pick list: "12 /  名前".
QString studentChoice(qint32 number, const QString &trimmedName);

// The student a pick-list text names: the number before its first "/". Only
// a number the roster holds, or the record's own student, is taken.
std::optional<qint16> chosenStudent(const QString &text, const RosterTable &roster, qint16 recordStudent);

// The time a time-box text gives, rounded to whole seconds: 1 up to a
// time-out, or nothing. A 0-second record would stay a class best for ever.
std::optional<qint32> typedTime(const QString &text);

} // namespace ResultsList

// The records of the results file read in one block, with the records the
// list shows (level 0 is left out) in record order.
class ResultsListing final
{
public:
    // A missing file is an empty listing; it is not created. Waits, with the
    // waiting notice, while another copy holds the file.
    FileFault read(Platform &platform, const QString &path);

    qint32 recordCount() const { return m_recordCount; }
    int lineCount() const { return int(m_listed.size()); }
    qint32 recordNumber(int line) const { return m_listed[std::size_t(line)]; }
    ResultRecord record(int line) const;
    // The line of the first listed record numbered `number` or later, else
    // the last line; -1 when nothing is listed.
    int lineAtOrAfter(qint32 number) const;

private:
    std::vector<unsigned char> m_bytes;
    std::vector<qint32> m_listed;
    qint32 m_recordCount = 0;
};
