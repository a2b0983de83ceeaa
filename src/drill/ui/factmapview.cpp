#include "drill/ui/factmapview.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "app/ui/controlnames.h"
#include "drill/factmap.h"
#include "drill/ui/factmapcontrols.h"

namespace {

QColor colourOf(FactMap::Standing standing)
{
    switch (standing) {
    case FactMap::Standing::NeverTried:
        return {232, 232, 232};
    case FactMap::Standing::OftenWrong:
        return {255, 176, 176};
    case FactMap::Standing::RightButSlow:
        return {255, 232, 140};
    case FactMap::Standing::RightAndFast:
        return {176, 228, 176};
    }
    return Qt::white;
}

} // namespace

FactMapView::FactMapView(QWidget *parent)
    : QWidget(parent)
{
    m_map = new QTableWidget(FactMap::Side, FactMap::Side, this);
    Controls::named(m_map, FactMapControls::Map);
    m_map->setAccessibleName(QStringLiteral("100マスの成績"));
    m_map->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_map->setSelectionMode(QAbstractItemView::NoSelection);
    // The drill's keys stay the drill's: Space and Return start it.
    m_map->setFocusPolicy(Qt::NoFocus);
    m_map->setMouseTracking(true);
    m_map->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_map->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    for (QHeaderView *header : {m_map->horizontalHeader(), m_map->verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Stretch);
        // Narrow enough for the start panel of a 1024-pixel screen.
        header->setMinimumSectionSize(12);
        QFont small = header->font();
        small.setPointSize(8);
        header->setFont(small);
        header->setSectionsClickable(false);
    }
    // Two standings to a line, so the legend is short under a narrow map.
    const QStringList legend = FactMap::legend();
    m_legend = new QLabel(QStringLiteral("%1　%2\n%3　%4").arg(legend[0], legend[1], legend[2], legend[3]), this);
    Controls::named(m_legend, FactMapControls::Legend);
    m_legend->setWordWrap(true);

    connect(m_map, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (const QTableWidgetItem *cell = m_map->item(row, column); cell && m_map->hasFocus()) {
            const QRect place = m_map->visualItemRect(cell);
            QToolTip::showText(m_map->viewport()->mapToGlobal(place.bottomLeft()), cell->toolTip(), m_map, place);
        }
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_map, 1);
    layout->addWidget(m_legend);
}

void FactMapView::setFocusable(bool focusable)
{
    m_map->setFocusPolicy(focusable ? Qt::StrongFocus : Qt::NoFocus);
}

int FactMapView::readableHeight(int width) const
{
    // A row is readable while its number in the row header is.
    const int rows = FactMap::Side * m_map->verticalHeader()->fontMetrics().height();
    return m_map->horizontalHeader()->sizeHint().height() + rows + 2 * m_map->frameWidth() + layout()->spacing()
           + m_legend->heightForWidth(width);
}

void FactMapView::showFacts(int level, const DrillProblemTable &problems, qint32 targetTime)
{
    QStringList columns;
    QStringList rows;
    for (int i = 0; i < FactMap::Side; ++i) {
        columns.append(QString::number(FactMap::columnOperand(level, i)));
        rows.append(QString::number(FactMap::rowOperand(level, i)));
    }
    m_map->setHorizontalHeaderLabels(columns);
    m_map->setVerticalHeaderLabels(rows);
    // The map is laid out by code, whatever order the table holds them in.
    std::array<const DrillProblem *, MaxProblemCount> byCode{};
    for (int i = 1; i <= MaxProblemCount; ++i) {
        if (problems[std::size_t(i)].Code >= 0 && problems[std::size_t(i)].Code < MaxProblemCount)
            byCode[std::size_t(problems[std::size_t(i)].Code)] = &problems[std::size_t(i)];
    }
    const DrillProblem untried;
    for (int row = 0; row < FactMap::Side; ++row) {
        for (int column = 0; column < FactMap::Side; ++column) {
            const int code = FactMap::codeAt(row, column);
            DrillProblem problem = byCode[std::size_t(code)] ? *byCode[std::size_t(code)] : untried;
            problem.Code = code;
            const FactMap::Standing standing = FactMap::standingOf(problem, targetTime);
            auto *cell = new QTableWidgetItem(FactMap::markOf(standing));
            const QString described = FactMap::describe(level, problem, targetTime);
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setBackground(colourOf(standing));
            cell->setForeground(Qt::black);
            cell->setToolTip(described);
            cell->setData(Qt::AccessibleTextRole, described);
            m_map->setItem(row, column, cell);
        }
    }
}
