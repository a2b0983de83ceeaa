#include "teacher/csvwriter.h"

#include <QIODevice>

#include "platform/cp932.h"

namespace {

// Large enough that the encoder's set-up is lost in the work, small enough
// to stay in the cache.
constexpr qsizetype ChunkCharacters = 32 * 1024;

bool needsQuotes(QStringView text)
{
    for (QChar c : text) {
        if (c == u',' || c == u'"' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
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

void CsvWriter::field(QStringView text)
{
    if (m_rowStarted)
        m_pending += u',';
    m_rowStarted = true;
    if (!needsQuotes(text)) {
        m_pending += text;
        return;
    }
    m_pending += u'"';
    for (QChar c : text) {
        if (c == u'"')
            m_pending += u'"';
        m_pending += c;
    }
    m_pending += u'"';
}

void CsvWriter::field(qint64 number)
{
    field(QString::number(number));
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
