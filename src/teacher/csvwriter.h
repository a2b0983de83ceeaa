#pragma once

#include <QString>
#include <QStringView>

class QIODevice;

// The two encodings a school's spreadsheet program opens without asking:
// UTF-8 marked by its byte order mark, or Windows' Shift_JIS.
enum class CsvEncoding { Utf8WithBom, Cp932 };

// Rows of comma-separated values as RFC 4180 writes them: a field holding
// a comma, a double quote, CR or LF is quoted with its quotes doubled, and
// every row ends with CR LF. Rows are gathered and encoded in chunks, so a
// table of any length costs one pass and little memory.
class CsvWriter final
{
public:
    CsvWriter(QIODevice &device, CsvEncoding encoding);

    void field(QStringView text);
    void field(qint64 number);
    void endRow();
    // Writes what is still gathered. False when any write failed.
    bool finish();

    bool failed() const { return m_failed; }
    // The rows ended so far, the header included.
    qint64 rowCount() const { return m_rows; }

private:
    void writePending();

    QIODevice &m_device;
    CsvEncoding m_encoding;
    QString m_pending;
    bool m_rowStarted = false;
    bool m_failed = false;
    qint64 m_rows = 0;
};
