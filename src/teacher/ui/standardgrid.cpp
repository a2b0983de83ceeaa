#include "teacher/ui/standardgrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <cmath>

#include "app/spokentext.h"
#include "app/ui/controlnames.h"
#include "app/ui/noticelabel.h"
#include "teacher/editortexts.h"
#include "teacher/ui/standardeditorcontrols.h"

namespace {

constexpr int CaretPosition = 10;
constexpr int RowHeight = 18;
const QColor ChangedColour(255, 255, 0);
const QColor EditorColour(192, 255, 192);

} // namespace

StandardGrid::StandardGrid(QWidget *parent)
    : QTableWidget(parent)
{
    Controls::named(this, StandardEditorControls::Grid);
    setAccessibleName(QStringLiteral("レベル基準の表"));
    setColumnCount(StandardTable::ColumnCount + 1);
    setHorizontalHeaderLabels(EditorTexts::gridTitles());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    // The narrow first column must still show its whole title.
    QFont titleFont = horizontalHeader()->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 0.85);
    horizontalHeader()->setFont(titleFont);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::NoSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The cell editor holds the focus; a click only chooses the cell.
    setFocusPolicy(Qt::NoFocus);

    m_editor = Controls::named(new QLineEdit(viewport()), StandardEditorControls::CellEditor);
    m_spoken = NoticeLabel::unseen(this, QString::fromLatin1(StandardEditorControls::CellSpoken));
    m_editor->setFrame(false);
    QPalette palette = m_editor->palette();
    palette.setColor(QPalette::Base, EditorColour);
    m_editor->setPalette(palette);
    m_editor->installEventFilter(this);
    m_editor->hide();

    connect(m_editor, &QLineEdit::textChanged, this, &StandardGrid::textToGrid);
    connect(this, &QTableWidget::cellClicked, this, &StandardGrid::visit);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &StandardGrid::followEditor);
}

int StandardGrid::heightFor(int rows) const
{
    return horizontalHeader()->sizeHint().height() + rows * RowHeight + 2 * frameWidth();
}

void StandardGrid::showTable()
{
    const int levels = m_table.levelCount();
    setRowCount(levels);
    for (int level = 1; level <= levels; ++level) {
        auto *number = new QTableWidgetItem(QString::number(level));
        number->setFlags(Qt::ItemIsEnabled);
        number->setTextAlignment(Qt::AlignCenter);
        number->setBackground(palette().button());
        setItem(level - 1, 0, number);
        for (int column = 1; column <= StandardTable::ColumnCount; ++column) {
            setItem(level - 1, column, new QTableWidgetItem);
            showCell(level, column);
        }
    }
    layoutColumns();
    m_editor->setVisible(levels > 0);
}

void StandardGrid::showCell(int level, int column)
{
    QTableWidgetItem *cell = item(level - 1, column);
    if (!cell)
        return;
    cell->setText(m_table.cell(level, column));
    cell->setBackground(m_table.isMarked(level, column) ? QBrush(ChangedColour) : QBrush());
}

void StandardGrid::layoutColumns()
{
    const int width = int(std::lround(viewport()->width() / 13.0));
    for (int column = 0; column < columnCount(); ++column)
        setColumnWidth(column, width);
    setColumnWidth(1, int(std::lround(0.8 * width)));
    followEditor();
}

void StandardGrid::followEditor()
{
    if (m_table.levelCount() == 0)
        return;
    m_editor->setGeometry(visualRect(model()->index(m_table.currentLevel() - 1, m_table.currentColumn())));
}

void StandardGrid::placeCellEditor()
{
    if (m_table.levelCount() == 0) {
        emit cellPlaced(0);
        return;
    }
    scrollTo(model()->index(m_table.currentLevel() - 1, m_table.currentColumn()));
    followEditor();
    sayCell();
    m_editor->show();
    m_editor->setFocus();
    m_editor->setCursorPosition(CaretPosition);
    emit cellPlaced(m_table.currentColumn());
}

// The editor keeps the focus from cell to cell: its name says where it is,
// and a notice says it as it moves (Orca 43 drops Qt's name changes).
void StandardGrid::sayCell()
{
    const QStringList titles = EditorTexts::gridTitles();
    const int column = m_table.currentColumn();
    m_editor->setAccessibleName(
        SpokenText::join({column >= 0 && column < titles.size() ? titles[column] : QString(),
                          QStringLiteral("レベル%1").arg(m_table.currentLevel()), m_table.currentText()}));
    if (m_editor->hasFocus())
        m_spoken->announce(m_editor->accessibleName());
}

void StandardGrid::gridToText()
{
    m_editor->setText(m_table.currentText());
    m_editor->setCursorPosition(CaretPosition);
}

// Every way into the cell editor (keys, paste, drop, an input method) ends
// here, so this is the one check of what a cell may hold.
void StandardGrid::textToGrid(const QString &text)
{
    const QString kept = m_table.currentText();
    if (text == kept)
        return;
    if (const std::optional<QString> refused = StandardTable::unkeptCharacter(text)) {
        m_editor->setText(kept);
        m_editor->setCursorPosition(CaretPosition);
        emit inputRefused(*refused);
        return;
    }
    m_table.setCurrentText(text);
    showCell(m_table.currentLevel(), m_table.currentColumn());
}

void StandardGrid::visit(int row, int column)
{
    m_table.setCurrent(row + 1, column);
    placeCellEditor();
    emit cellVisited();
    gridToText();
}

void StandardGrid::resizeEvent(QResizeEvent *event)
{
    QTableWidget::resizeEvent(event);
    layoutColumns();
}

bool StandardGrid::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_editor && event->type() == QEvent::KeyPress)
        return handleKey(static_cast<QKeyEvent *>(event));
    return QTableWidget::eventFilter(watched, event);
}

// True when the key is spent here; false lets the cell editor type it.
bool StandardGrid::handleKey(QKeyEvent *event)
{
    using CellKeys::Action;
    const Action action = CellKeys::actionFor(event->key(), event->modifiers(), event->text());
    const auto moveTo = [this](StandardTable::Move direction) {
        if (m_table.move(direction)) {
            gridToText();
            placeCellEditor();
        }
    };
    switch (action) {
    case Action::Ignore:
        return true;
    case Action::PassOn:
        return false;
    case Action::Up:
        moveTo(StandardTable::Move::Up);
        break;
    case Action::Down:
        moveTo(StandardTable::Move::Down);
        break;
    case Action::Left:
        moveTo(StandardTable::Move::Left);
        break;
    case Action::Right:
        moveTo(StandardTable::Move::Right);
        break;
    case Action::CopyDown:
        if (m_table.copyDown(m_editor->text())) {
            for (int level = m_table.currentLevel(); level <= m_table.selectionEnd(); ++level)
                showCell(level, m_table.currentColumn());
        }
        break;
    case Action::Clear:
    case Action::Type:
    case Action::Swallow:
        break;
    }
    emit cellVisited();
    gridToText();
    if (action == Action::Clear)
        m_editor->clear();
    return action != Action::Type;
}
