#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include "teacher/resultslist.h"

// The teacher's list of the results file, one row per listed record. Rows
// are formatted only when the view asks for them: a file of a million
// records is read in one block and never turned into a million texts.
class ResultsListModel final : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit ResultsListModel(QObject *parent = nullptr);

    // Reads the results file afresh; names and grades come from `context`'s
    // roster, which must outlive the rows. On a fault the list is empty.
    FileFault reload(Platform &platform, const QString &path, const ResultsList::LineContext &context);

    const ResultsListing &listing() const { return m_listing; }
    // Lines with every part that varies at its longest, one with this
    // site's tag and one with "他塾", for a font that shows whole rows.
    QStringList widestLines() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    ResultsListing m_listing;
    ResultsList::LineContext m_context;
};
