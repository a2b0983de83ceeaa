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
    explicit ValueStream(QString text);

    // Reads a cp932 file; nullopt with a reason in `error` when it cannot be read.
    static std::optional<ValueStream> fromFile(const QString &path, QString *error);

    // True when no further value follows. A value after a final comma still
    // counts; blank lines between values do not make values of their own.
    bool atEnd() const;
    QString next();
    double nextNumber();

private:
    void skipBlanks();
    bool atLineEnd() const;
    void skipLineEnd();

    QString m_text;
    qsizetype m_pos = 0;
    bool m_afterComma = false;
};
