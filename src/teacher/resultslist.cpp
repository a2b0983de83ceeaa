#include "teacher/resultslist.h"

#include <QFileInfo>

#include <algorithm>

#include "app/oledate.h"
#include "app/textnumber.h"
#include "app/timescore.h"
#include "platform/cp932.h"
#include "roster/rostertable.h"

namespace ResultsList {

namespace {

constexpr int NameLength = 6;
constexpr int ClockWidth = 9;
constexpr int TimeWidth = 5;
constexpr int StudentWidth = 4;
const QString IdeographicSpace = QStringLiteral("　");

QString nameColumn(const QString &trimmedName)
{
    return QString(trimmedName + IdeographicSpace.repeated(5)).left(NameLength);
}

} // namespace

int numberWidth(qint32 recordCount)
{
    return std::max(4, int(QString::number(recordCount).size()));
}

QString rightAligned(qint64 value, int width)
{
    return QString::number(value).rightJustified(width).right(width);
}

QString siteTag(const ResultRecord &record, const QString &siteCode, const QString &siteTitle)
{
    const QString code = Cp932::decode(QByteArrayView(record.siteCode.data(), qsizetype(record.siteCode.size())));
    // A short code is stored padded to the field; a site without a code
    // stores blanks, which stay another site's.
    const bool ours = !siteCode.isEmpty() && code == siteCode.leftJustified(code.size());
    return ours ? siteTitle : QStringLiteral("他塾");
}

QString line(qint32 recordNumber, const ResultRecord &record, const LineContext &context)
{
    const QDate date = OleDate::toDate(record.date);
    const QTime time = OleDate::toDateTime(record.timeOfDay).time();
    const RosterTable &roster = *context.roster;
    return rightAligned(recordNumber, context.numberWidth) + u' ' + date.toString(QStringLiteral("yyyy/MM/dd"))
           + IdeographicSpace + time.toString(QStringLiteral("h:mm:ss")).rightJustified(ClockWidth).right(ClockWidth)
           + QStringLiteral("ﾚﾍﾞﾙ") + QString::number(record.level) + IdeographicSpace
           + rightAligned(record.timeScore, TimeWidth) + QStringLiteral("秒 ") + IdeographicSpace
           + rightAligned(record.studentNumber, StudentWidth) + u' '
           + nameColumn(roster.trimmedName(record.studentNumber)) + u' ' + roster.gradeName(record.studentNumber)
           + QStringLiteral("++") + siteTag(record, context.siteCode, context.siteTitle);
}

QString studentChoice(qint32 number, const QString &trimmedName)
{
    return QString::number(number) + QStringLiteral(" /  ") + trimmedName;
}

std::optional<qint16> chosenStudent(const QString &text, const RosterTable &roster, qint16 recordStudent)
{
    const qsizetype slash = text.indexOf(u'/');
    if (slash < 0)
        return std::nullopt;
    const QStringView head = QStringView(text).left(slash).trimmed();
    bool ok = false;
    const int number = head.toInt(&ok);
    if (!ok || (number != recordStudent && !roster.contains(number)))
        return std::nullopt;
    return qint16(number);
}

std::optional<qint32> typedTime(const QString &text)
{
    const double value = TextNumber::leadingNumber(text);
    if (!(value >= 0.5 && value < TimeScore::NoTime + 0.5))
        return std::nullopt;
    return qint32(TextNumber::roundHalfEven(value));
}

} // namespace ResultsList

FileFault ResultsListing::read(Platform &platform, const QString &path)
{
    m_bytes.clear();
    m_listed.clear();
    m_recordCount = 0;
    if (!QFileInfo::exists(path))
        return {};
    ResultsFile file;
    FileFault fault = openResultsFileAt(platform, file, path, ResultsFile::Access::ReadOnly);
    qint32 count = 0;
    if (!fault.failed())
        count = file.recordCount(&fault);
    if (!fault.failed()) {
        m_bytes.resize(std::size_t(count) * ResultRecordLength);
        fault = readResultsWaiting(platform, file, 1, count, m_bytes.data(), &m_recordCount);
    }
    if (fault.failed()) {
        m_recordCount = 0;
        return fault;
    }
    m_listed.reserve(std::size_t(m_recordCount));
    for (qint32 number = 1; number <= m_recordCount; ++number) {
        const unsigned char *at = m_bytes.data() + std::size_t(number - 1) * ResultRecordLength;
        if (ResultRecord::decodeEntry(at).level != 0)
            m_listed.push_back(number);
    }
    return {};
}

ResultRecord ResultsListing::record(int line) const
{
    return ResultRecord::decode(m_bytes.data() + std::size_t(recordNumber(line) - 1) * ResultRecordLength);
}

int ResultsListing::lineAtOrAfter(qint32 number) const
{
    if (m_listed.empty())
        return -1;
    const auto it = std::lower_bound(m_listed.begin(), m_listed.end(), number);
    if (it == m_listed.end())
        return lineCount() - 1;
    return int(it - m_listed.begin());
}
