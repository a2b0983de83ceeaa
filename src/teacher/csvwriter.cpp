#include "teacher/csvwriter.h"

#include <QIODevice>

#include <cmath>

#include "platform/cp932.h"

namespace {

// Large enough that the encoder's set-up is lost in the work, small enough
// to stay in the cache.
constexpr qsizetype ChunkCharacters = qsizetype{32} * 1024;

bool needsQuotes(QStringView text)
{
    for (QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

// The characters that make Excel and LibreOffice read a cell as a formula
// (or, for tab and CR, hide one); an apostrophe first makes it text.
bool looksLikeFormula(QStringView text)
{
    if (text.isEmpty())
        return false;
    const QChar first = text.front();
    return first == u'=' || first == u'+' || first == u'-' || first == u'@' || first == u'\t' || first == u'\r';
}

} // namespace

CsvWriter::CsvWriter(QIODevice &device, CsvEncoding encoding)
    : m_device(device)
    , m_encoding(encoding)
{
    m_pending.reserve(ChunkCharacters + 1024);
    if (m_encoding == CsvEncoding::Utf8WithBom)
        m_failed = m_device.write("\xEF\xBB\xBF", 3) != 3;
}

void CsvWriter::separate()
{
    if (m_rowStarted)
        m_pending += u',';
    m_rowStarted = true;
}

void CsvWriter::field(QStringView text)
{
    separate();
    const bool guarded = looksLikeFormula(text);
    if (!needsQuotes(text)) {
        if (guarded)
            m_pending += u'\'';
        m_pending += text;
        return;
    }
    m_pending += u'"';
    if (guarded)
        m_pending += u'\'';
    for (QChar c : text) {
        if (c == u'"')
            m_pending += u'"';
        m_pending += c;
    }
    m_pending += u'"';
}

void CsvWriter::field(qint64 number)
{
    // A negative number stays a number: only texts are guarded.
    separate();
    m_pending += QString::number(number);
}

void CsvWriter::decimal(double value, int decimals)
{
    if (!std::isfinite(value)) {
        empty();
        return;
    }
    separate();
    if (decimals >= 0)
        m_pending += QString::number(value, 'f', decimals);
    else if (std::floor(value) == value && std::abs(value) < 1e15)
        m_pending += QString::number(qint64(value));
    else
        m_pending += QString::number(value);
}

void CsvWriter::date(QDate date)
{
    if (date != m_shownDate || m_dateText.isEmpty()) {
        m_shownDate = date;
        // The form every spreadsheet program reads as a date with its year.
        m_dateText = date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    field(m_dateText);
}

void CsvWriter::timeOfDay(QTime time)
{
    field(time.toString(QStringLiteral("h:mm:ss")));
}

void CsvWriter::endRow()
{
    m_pending += u"\r\n";
    m_rowStarted = false;
    ++m_rows;
    if (m_pending.size() >= ChunkCharacters)
        writePending();
}

bool CsvWriter::finish()
{
    writePending();
    return !m_failed;
}

void CsvWriter::writePending()
{
    if (m_pending.isEmpty())
        return;
    // A row is never split between two chunks, so no character is either.
    const QByteArray bytes = m_encoding == CsvEncoding::Cp932 ? Cp932::encode(m_pending) : m_pending.toUtf8();
    if (!m_failed && m_device.write(bytes) != bytes.size())
        m_failed = true;
    m_pending.clear();
}
