#include "teacher/ui/resultslistmodel.h"

#include <algorithm>

#include "app/timescore.h"
#include "roster/rostertable.h"

ResultsListModel::ResultsListModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

FileFault ResultsListModel::reload(Platform &platform, const QString &path, const ResultsList::LineContext &context)
{
    beginResetModel();
    FileFault fault = m_listing.read(platform, path);
    m_context = context;
    m_context.numberWidth = ResultsList::numberWidth(m_listing.recordCount());
    endResetModel();
    return fault;
}

int ResultsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_listing.lineCount();
}

QVariant ResultsListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_listing.lineCount() || !m_context.roster)
        return {};
    // A screen reader reads each line as it is shown.
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)
        return {};
    const int line = index.row();
    return ResultsList::line(m_listing.recordNumber(line), m_listing.record(line), m_context);
}

QStringList ResultsListModel::widestLines() const
{
    if (!m_context.roster)
        return {};
    const RosterTable &roster = *m_context.roster;
    qint16 student = 0;
    for (const RosterEntry &entry : roster.entries()) {
        if (roster.gradeName(entry.Number).size() > roster.gradeName(student).size())
            student = entry.Number;
    }
    const qint32 number = std::max(m_listing.recordCount(), 1);
    const QString otherSite =
        m_context.siteCode == QStringLiteral("00000") ? QStringLiteral("99999") : QStringLiteral("00000");
    QStringList lines;
    for (const QString &site : {m_context.siteCode, otherSite}) {
        const ResultRecord record = ResultRecord::make(0, 0.99998, student, 35, TimeScore::NoTime, site);
        lines.append(ResultsList::line(number, record, m_context));
    }
    return lines;
}
