#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "app/levelstandard.h"

// The level standard table as the editor holds it: twelve cell texts per
// level, which cells were changed, the current cell and how far a
// copy-down reaches. Levels are 1..levelCount(), columns 1..12.
class StandardTable final
{
public:
    static constexpr int ColumnCount = 12;
    // Row 0 of LevelStandards is the header, so 35 levels is all it holds.
    static constexpr int MaxLevels = LevelRowCount - 1;

    enum class Move { Up, Down, Left, Right };

    // Reads the text of a table file: the first line is the header and is
    // dropped, then twelve values per level. Marks go and the current cell
    // is level 1, column 1; whether the table counts as changed stays.
    void load(const QString &fileText);

    int levelCount() const { return int(m_cells.size()); }
    bool fitsLevelTable() const { return levelCount() <= MaxLevels; }
    // Empty outside the table.
    QString cell(int level, int column) const;
    bool isMarked(int level, int column) const;
    bool changed() const { return m_changed; }
    void markSaved() { m_changed = false; }

    int currentLevel() const { return m_level; }
    int currentColumn() const { return m_column; }
    QString currentText() const { return cell(m_level, m_column); }
    int selectionEnd() const { return m_selectionEnd; }

    // The cell editor's text into the current cell; a different text marks it.
    void setCurrentText(const QString &text);
    // False at the table's edge, where the current cell stays.
    bool move(Move direction);
    // A click: the level column itself is never current.
    void setCurrent(int level, int column);
    // Writes `text` into the current column from the current level down to
    // one level further than the last copy reached. False on the last level.
    bool copyDown(const QString &text);

    // The header line, then one line of twelve texts per level.
    QList<QStringList> fileRows() const;

    // The first character that would make `text` read back from the table
    // file as another value (a comma, a double quote, a line break or other
    // control character, a character cp932 lacks, a blank at either end);
    // nullopt when it reads back as it is.
    static std::optional<QString> unkeptCharacter(const QString &text);

    struct CellPosition
    {
        int level = 0;
        int column = 0;
    };
    // The first cell that the table file `bytes` (written from this table)
    // would not give back as it stands here; nullopt when all read back.
    std::optional<CellPosition> firstCellNotReadBack(const QByteArray &bytes) const;

private:
    bool contains(int level, int column) const;
    void store(int level, int column, const QString &text);

    QList<std::array<QString, ColumnCount>> m_cells;
    QList<std::array<bool, ColumnCount>> m_marks;
    bool m_changed = false;
    int m_level = 1;
    int m_column = 1;
    int m_selectionEnd = 1;
};

// What a key pressed in the cell editor does.
namespace CellKeys {

enum class Action {
    Ignore, // Esc: nothing at all
    Clear,  // Space empties the cell
    Up,
    Down,
    CopyDown, // Down with Shift, Ctrl or Alt
    Left,
    Right,
    Type,    // a character or Backspace reaches the text
    Swallow, // no effect on the text, but the panel is refreshed
    PassOn,  // Tab: moves the focus as everywhere else
};

Action actionFor(int key, Qt::KeyboardModifiers modifiers, const QString &text);

} // namespace CellKeys
