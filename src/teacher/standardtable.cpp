#include "teacher/standardtable.h"

#include <algorithm>

#include <QRegularExpression>

#include "app/valuestream.h"
#include "platform/cp932.h"

void StandardTable::load(const QString &fileText)
{
    m_cells.clear();
    m_marks.clear();
    // Line by line rather than twelve values at a time, so that a header of
    // another length cannot shift every level into its neighbour's fields.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = fileText.split(lineBreak);
    for (qsizetype line = 1; line < lines.size(); ++line) {
        if (lines[line].trimmed().isEmpty() || lines[line] == QStringView(u"\x1a"))
            continue;
        ValueStream stream(lines[line]);
        std::array<QString, ColumnCount> values;
        for (QString &value : values)
            value = stream.atEnd() ? QString() : stream.next();
        m_cells.append(values);
        m_marks.append(std::array<bool, ColumnCount>{});
    }
    m_level = 1;
    m_column = 1;
    m_selectionEnd = 1;
}

bool StandardTable::contains(int level, int column) const
{
    return level >= 1 && level <= levelCount() && column >= 1 && column <= ColumnCount;
}

QString StandardTable::cell(int level, int column) const
{
    return contains(level, column) ? m_cells[level - 1][std::size_t(column - 1)] : QString();
}

bool StandardTable::isMarked(int level, int column) const
{
    return contains(level, column) && m_marks[level - 1][std::size_t(column - 1)];
}

void StandardTable::store(int level, int column, const QString &text)
{
    if (!contains(level, column))
        return;
    QString &cell = m_cells[level - 1][std::size_t(column - 1)];
    if (cell == text)
        return;
    cell = text;
    // A mark stays when the text is changed back: the cell was touched.
    m_marks[level - 1][std::size_t(column - 1)] = true;
    m_changed = true;
}

void StandardTable::setCurrentText(const QString &text)
{
    store(m_level, m_column, text);
}

bool StandardTable::move(Move direction)
{
    int level = m_level;
    int column = m_column;
    switch (direction) {
    case Move::Up:
        --level;
        break;
    case Move::Down:
        ++level;
        break;
    case Move::Left:
        --column;
        break;
    case Move::Right:
        ++column;
        break;
    }
    if (!contains(level, column))
        return false;
    m_level = level;
    m_column = column;
    m_selectionEnd = level;
    return true;
}

void StandardTable::setCurrent(int level, int column)
{
    column = std::clamp(column, 1, ColumnCount);
    if (!contains(level, column))
        return;
    m_level = level;
    m_column = column;
    m_selectionEnd = level;
}

bool StandardTable::copyDown(const QString &text)
{
    if (m_selectionEnd >= levelCount())
        return false;
    ++m_selectionEnd;
    // Copies are edits like any other: leaving must not lose them unasked.
    for (int level = m_level; level <= m_selectionEnd; ++level)
        store(level, m_column, text);
    return true;
}

QList<QStringList> StandardTable::fileRows() const
{
    QList<QStringList> rows{LevelStandardFile::headerTexts()};
    for (const auto &cells : m_cells)
        rows.append(QStringList(cells.begin(), cells.end()));
    return rows;
}

std::optional<QString> StandardTable::unkeptCharacter(const QString &text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString character = text.mid(i, length);
        const bool control = length == 1 && !character.at(0).isPrint();
        if (character == u"," || character == u"\"" || control || Cp932::decode(Cp932::encode(character)) != character)
            return character;
        i += length;
    }
    if (!text.isEmpty() && ValueStream(text).next() != text)
        return text.front().isSpace() ? text.left(1) : text.right(1);
    return std::nullopt;
}

std::optional<StandardTable::CellPosition> StandardTable::firstCellNotReadBack(const QByteArray &bytes) const
{
    StandardTable reread;
    reread.load(Cp932::decode(bytes));
    for (int level = 1; level <= levelCount(); ++level) {
        for (int column = 1; column <= ColumnCount; ++column) {
            if (level > reread.levelCount() || reread.cell(level, column) != cell(level, column))
                return CellPosition{level, column};
        }
    }
    if (reread.levelCount() > levelCount())
        return CellPosition{levelCount() + 1, 1};
    return std::nullopt;
}

namespace CellKeys {

Action actionFor(int key, Qt::KeyboardModifiers modifiers, const QString &text)
{
    switch (key) {
    case Qt::Key_Escape:
        return Action::Ignore;
    case Qt::Key_Space:
        return Action::Clear;
    case Qt::Key_Up:
        return Action::Up;
    case Qt::Key_Down:
        return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier) ? Action::CopyDown
                                                                                       : Action::Down;
    case Qt::Key_Left:
        return Action::Left;
    case Qt::Key_Right:
        return Action::Right;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return Action::PassOn;
    case Qt::Key_Backspace:
        return Action::Type;
    default:
        break;
    }
    // A comma or a double quote reaches the cell editor's one check of
    // everything that enters it, which refuses it and says why.
    if (text.isEmpty() || !text.at(0).isPrint())
        return Action::Swallow;
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier))
        return Action::Swallow;
    return Action::Type;
}

} // namespace CellKeys
