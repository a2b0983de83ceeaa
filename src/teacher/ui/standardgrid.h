#pragma once

#include <QTableWidget>

#include "teacher/standardtable.h"

class NoticeLabel;
class QLineEdit;

// The level standard grid: a title row, the level column, and a single
// light-green cell editor laid over the current cell, which takes every key.
class StandardGrid final : public QTableWidget
{
    Q_OBJECT

public:
    explicit StandardGrid(QWidget *parent = nullptr);

    StandardTable &table() { return m_table; }
    const StandardTable &table() const { return m_table; }

    // Shows the table as it now stands, current cell at level 1, column 1.
    void showTable();
    // Over the current cell, focused, caret at 10; tells the column.
    void placeCellEditor();
    // The current cell's text into the cell editor.
    void gridToText();
    // Height for `rows` rows besides the title row.
    int heightFor(int rows) const;

signals:
    void cellPlaced(int column);
    // After every key but Esc and every click: the shown level may have moved.
    void cellVisited();
    // Text that would not read back from the table file was kept out.
    void inputRefused(const QString &character);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool handleKey(QKeyEvent *event);
    void textToGrid(const QString &text);
    void visit(int row, int column);
    void showCell(int level, int column);
    void sayCell();
    void layoutColumns();
    void followEditor();

    StandardTable m_table;
    QLineEdit *m_editor = nullptr;
    NoticeLabel *m_spoken = nullptr;
};
