#include "app/valuestream.h"

#include <QFile>

#include "app/textnumber.h"
#include "platform/cp932.h"
#include "platform/systemerror.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineBreak(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

ValueStream::ValueStream(QString text, BlankLines blankLines)
    : m_text(std::move(text))
    , m_blankLines(blankLines)
{
}

std::optional<ValueStream> ValueStream::fromFile(const QString &path, QString *error, BlankLines blankLines)
{
    QFile file(path);
    SystemError::clear();
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = SystemError::describeFailure(file, SystemError::last());
        return std::nullopt;
    }
    SystemError::clear();
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = SystemError::describeFailure(file, SystemError::last());
        return std::nullopt;
    }
    return ValueStream(Cp932::decode(bytes), blankLines);
}

bool ValueStream::atEnd() const
{
    if (m_afterComma)
        return false;
    const bool lineBreaksAreValues = m_blankLines == BlankLines::AreEmptyValues;
    for (qsizetype i = m_pos; i < m_text.size(); ++i) {
        const QChar c = m_text[i];
        // A Ctrl+Z at the end is the old DOS end-of-file mark.
        if (!isBlank(c) && (lineBreaksAreValues || !isLineBreak(c)) && c != QChar(0x1A))
            return false;
    }
    return true;
}

void ValueStream::skipBlanks()
{
    while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
        ++m_pos;
}

bool ValueStream::atLineEnd() const
{
    return m_pos >= m_text.size() || isLineBreak(m_text[m_pos]);
}

void ValueStream::skipLineEnd()
{
    if (m_pos < m_text.size() && m_text[m_pos] == u'\r')
        ++m_pos;
    if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
}

QString ValueStream::next()
{
    if (!m_afterComma && m_blankLines == BlankLines::Skipped) {
        // Blank lines before a value are not values.
        for (;;) {
            skipBlanks();
            if (m_pos >= m_text.size() || !isLineBreak(m_text[m_pos]))
                break;
            skipLineEnd();
        }
    } else {
        skipBlanks();
    }
    m_afterComma = false;

    QString value;
    if (m_pos < m_text.size() && m_text[m_pos] == u'"') {
        ++m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != u'"' && !isLineBreak(m_text[m_pos]))
            value.append(m_text[m_pos++]);
        if (m_pos < m_text.size() && m_text[m_pos] == u'"')
            ++m_pos;
        // Anything between the closing quote and the separator is dropped.
        while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineBreak(m_text[m_pos]))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] != u',' && !isLineBreak(m_text[m_pos]))
            ++m_pos;
        value = m_text.mid(start, m_pos - start);
        while (!value.isEmpty() && isBlank(value.back()))
            value.chop(1);
    }

    if (m_pos < m_text.size() && m_text[m_pos] == u',') {
        ++m_pos;
        m_afterComma = true;
    } else {
        skipLineEnd();
    }
    return value;
}

double ValueStream::nextNumber()
{
    return TextNumber::leadingNumber(next());
}
