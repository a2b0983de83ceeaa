#pragma once

#include <QString>
#include <QStringView>

#include "teacher/tablesink.h"

class QIODevice;

// The two encodings a school's spreadsheet program opens without asking:
// UTF-8 marked by its byte order mark, or Windows' Shift_JIS.
enum class CsvEncoding { Utf8WithBom, Cp932 };

// Rows of comma-separated values as RFC 4180 writes them: a field holding
// a comma, a double quote, CR or LF is quoted with its quotes doubled, and
// every row ends with CR LF. A text that a spreadsheet would take for a
// formula (it begins with = + - @, a tab or CR) gets a leading apostrophe.
// Dates are yyyy-mm-dd, times of day h:mm:ss. Rows are gathered and encoded
// in chunks, so a table of any length costs one pass and little memory.
class CsvWriter final : public TableSink
{
public:
    CsvWriter(QIODevice &device, CsvEncoding encoding);

    void field(QStringView text);
    void field(qint64 number);
    void endRow() override;
    // Writes what is still gathered. False when any write failed.
    bool finish();

    void text(QStringView text) override { field(text); }
    void number(qint64 number) override { field(number); }
    void decimal(double value, int decimals) override;
    void date(QDate date) override;
    void timeOfDay(QTime time) override;
    void empty() override { field(QStringView()); }

    bool failed() const { return m_failed; }
    // The rows ended so far, the header included.
    qint64 rowCount() const { return m_rows; }

private:
    void separate();
    void writePending();

    QIODevice &m_device;
    CsvEncoding m_encoding;
    QString m_pending;
    // Records come in date order, so most share the day of the one before.
    QDate m_shownDate;
    QString m_dateText;
    bool m_rowStarted = false;
    bool m_failed = false;
    qint64 m_rows = 0;
};
