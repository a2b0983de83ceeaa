#pragma once

#include <QString>

#include <optional>

// Reads a text file as a stream of values: a value ends at a comma or at a
// line end, blanks around an unquoted value are dropped, double quotes
// around a value are removed and protect the commas inside. Line breaks carry
// no further meaning, so ten values on one line or on ten lines read alike.
class ValueStream final
{
public:
    // The settings files are written one value per line, so an empty line
    // there is an empty value; in the tables a blank line is only spacing.
    enum class BlankLines { Skipped, AreEmptyValues };

    explicit ValueStream(QString text, BlankLines blankLines = BlankLines::Skipped);

    // Reads a cp932 file; nullopt with a reason in `error` when it cannot be read.
    static std::optional<ValueStream> fromFile(const QString &path, QString *error,
                                               BlankLines blankLines = BlankLines::Skipped);

    // True when no further value follows. A value after a final comma still
    // counts; blank lines count as BlankLines says, except at the very end,
    // where the last line break closes the last line.
    bool atEnd() const;
    QString next();
    double nextNumber();

private:
    void skipBlanks();
    bool atLineEnd() const;
    void skipLineEnd();

    QString m_text;
    BlankLines m_blankLines = BlankLines::Skipped;
    qsizetype m_pos = 0;
    bool m_afterComma = false;
};
