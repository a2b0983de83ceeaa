#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <vector>

#include "teacher/tablesink.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

class XlsxBook;

// One sheet of an XlsxBook, written row by row from its header down. The
// header row stays in view and carries the filter buttons; each column is
// made as wide as its widest cell.
class XlsxSheet final : public TableSink
{
public:
    void text(QStringView text) override;
    void number(qint64 number) override;
    void decimal(double value, int decimals) override;
    void date(QDate date) override;
    void timeOfDay(QTime time) override;
    void empty() override;
    void endRow() override;

private:
    friend class XlsxBook;
    XlsxSheet(XlsxBook &book, lxw_worksheet *sheet);
    void cellWritten(int error, int width);
    void finish();

    // The UTF-8 of the last text of each column: names, levels and sites
    // repeat from row to row, so most texts are converted once.
    struct Column
    {
        QString lastText;
        QByteArray lastUtf8;
        int lastWidth = 0;
        int widest = 0;
    };

    XlsxBook &m_book;
    lxw_worksheet *m_sheet;
    std::vector<Column> m_columns;
    unsigned m_row = 0;
    unsigned short m_column = 0;
};

// An .xlsx workbook written to `path` by libxlsxwriter in its constant
// memory mode: rows go to temporary files in `tempFolder` as they come, and
// the file is put together by close(). Every text is a string cell, never
// a formula; dates are shown yyyy/mm/dd, times of day h:mm:ss.
class XlsxBook final
{
public:
    XlsxBook(const QString &path, const QString &tempFolder);
    ~XlsxBook();
    XlsxBook(const XlsxBook &) = delete;
    XlsxBook &operator=(const XlsxBook &) = delete;

    // Lives as long as the book; sheets are written one after the other. A
    // sheet the library refused (failure() tells) takes every cell unwritten.
    XlsxSheet &addSheet(const QString &name);
    // Writes the file. False when it could not be made or a cell was refused.
    bool close();
    // What went wrong, as an errno value (EFBIG: more rows than a sheet holds).
    int failure() const { return m_failure; }

private:
    friend class XlsxSheet;
    void fail(int errnoValue);

    QByteArray m_tempFolder;
    lxw_workbook *m_book = nullptr;
    lxw_format *m_header = nullptr;
    lxw_format *m_date = nullptr;
    lxw_format *m_time = nullptr;
    std::array<lxw_format *, 3> m_decimals{};
    std::vector<std::unique_ptr<XlsxSheet>> m_sheets;
    int m_failure = 0;
};
