#include "teacher/xlsxbook.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>

namespace {

// Excel counts from 1900-01-00 and takes 1900 for a leap year, so its day
// numbers are those of 1899-12-30 only from March 1900 on.
const QDate DayZero(1899, 12, 30);
const QDate FirstSharedDay(1900, 3, 1);

// Column widths are in widths of the digit 0; a full-width character takes two.
constexpr int FilterButtonWidth = 3;
constexpr int MaxColumnWidth = 60;

int displayWidth(QStringView text)
{
    int width = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        // Half-width katakana and the Latin range are narrow.
        width += (u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFFDC) && !c.isLowSurrogate()) ? 2 : 1;
    }
    return width;
}

// The characters of a number as a spreadsheet shows it in general form:
// counted, not printed, since every row has several.
int digitsOf(double value)
{
    if (std::floor(value) != value || std::abs(value) >= 1e15)
        return 12;
    int digits = value < 0 ? 2 : 1;
    for (double rest = std::abs(value); rest >= 10; rest /= 10)
        ++digits;
    return digits;
}

} // namespace

XlsxSheet::XlsxSheet(XlsxBook &book, lxw_worksheet *sheet)
    : m_book(book)
    , m_sheet(sheet)
{
}

void XlsxSheet::cellWritten(int error, int width)
{
    if (error != LXW_NO_ERROR)
        m_book.fail(error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE ? EFBIG : EIO);
    if (m_column >= m_columns.size())
        m_columns.resize(std::size_t(m_column) + 1);
    Column &column = m_columns[m_column];
    column.widest = std::max(column.widest, m_row == 0 ? width + FilterButtonWidth : width);
    ++m_column;
}

void XlsxSheet::text(QStringView text)
{
    if (!m_sheet)
        return empty();
    if (m_column >= m_columns.size())
        m_columns.resize(std::size_t(m_column) + 1);
    Column &column = m_columns[m_column];
    if (column.lastText != text || column.lastUtf8.isNull()) {
        column.lastText = text.toString();
        column.lastUtf8 = text.toUtf8();
        column.lastWidth = displayWidth(text);
    }
    if (text.isEmpty()) {
        empty();
        return;
    }
    cellWritten(worksheet_write_string(m_sheet, m_row, m_column, column.lastUtf8.constData(),
                                       m_row == 0 ? m_book.m_header : nullptr),
                column.lastWidth);
}

void XlsxSheet::number(qint64 number)
{
    if (!m_sheet)
        return empty();
    cellWritten(worksheet_write_number(m_sheet, m_row, m_column, double(number), nullptr), digitsOf(double(number)));
}

void XlsxSheet::decimal(double value, int decimals)
{
    if (!m_sheet)
        return empty();
    if (!std::isfinite(value)) {
        empty();
        return;
    }
    lxw_format *format = nullptr;
    if (decimals >= 0)
        format = m_book.m_decimals[std::size_t(std::min(decimals, int(m_book.m_decimals.size()) - 1))];
    const int width = digitsOf(std::trunc(value)) + (decimals > 0 ? decimals + 1 : 0);
    cellWritten(worksheet_write_number(m_sheet, m_row, m_column, value, format), width);
}

void XlsxSheet::date(QDate date)
{
    if (!m_sheet)
        return empty();
    if (!date.isValid()) {
        empty();
        return;
    }
    if (date < FirstSharedDay) {
        text(date.toString(QStringLiteral("yyyy/MM/dd")));
        return;
    }
    cellWritten(worksheet_write_number(m_sheet, m_row, m_column, double(DayZero.daysTo(date)), m_book.m_date), 10);
}

void XlsxSheet::timeOfDay(QTime time)
{
    if (!m_sheet)
        return empty();
    if (!time.isValid()) {
        empty();
        return;
    }
    cellWritten(
        worksheet_write_number(m_sheet, m_row, m_column, time.msecsSinceStartOfDay() / 86400000.0, m_book.m_time), 8);
}

void XlsxSheet::empty()
{
    // Without a format libxlsxwriter leaves the cell out: an empty cell.
    cellWritten(LXW_NO_ERROR, 0);
}

void XlsxSheet::endRow()
{
    ++m_row;
    m_column = 0;
}

void XlsxSheet::finish()
{
    if (!m_sheet)
        return;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const int width = std::min(m_columns[i].widest + 1, MaxColumnWidth);
        worksheet_set_column(m_sheet, lxw_col_t(i), lxw_col_t(i), width, nullptr);
    }
    worksheet_freeze_panes(m_sheet, 1, 0);
    if (!m_columns.empty())
        worksheet_autofilter(m_sheet, 0, 0, m_row > 0 ? m_row - 1 : 0, lxw_col_t(m_columns.size() - 1));
}

XlsxBook::XlsxBook(const QString &path, const QString &tempFolder)
    : m_tempFolder(tempFolder.toLocal8Bit())
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    options.tmpdir = m_tempFolder.data();
    // A sheet of a million rows is more than the 4 GiB a plain zip entry holds.
    options.use_zip64 = LXW_TRUE;
    errno = 0;
    m_book = workbook_new_opt(path.toLocal8Bit().constData(), &options);
    if (!m_book) {
        fail(errno != 0 ? errno : ENOMEM);
        return;
    }
    m_header = workbook_add_format(m_book);
    format_set_bold(m_header);
    m_date = workbook_add_format(m_book);
    format_set_num_format(m_date, "yyyy/mm/dd");
    m_time = workbook_add_format(m_book);
    format_set_num_format(m_time, "h:mm:ss");
    const char *decimals[] = {"0", "0.0", "0.00"};
    for (std::size_t i = 0; i < m_decimals.size(); ++i) {
        m_decimals[i] = workbook_add_format(m_book);
        format_set_num_format(m_decimals[i], decimals[i]);
    }
}

XlsxBook::~XlsxBook()
{
    // Closing is the library's only way to free the book.
    if (m_book)
        workbook_close(m_book);
}

XlsxSheet &XlsxBook::addSheet(const QString &name)
{
    lxw_worksheet *sheet = m_book ? workbook_add_worksheet(m_book, name.toUtf8().constData()) : nullptr;
    if (!sheet && m_book)
        fail(EINVAL);
    m_sheets.push_back(std::unique_ptr<XlsxSheet>(new XlsxSheet(*this, sheet)));
    return *m_sheets.back();
}

void XlsxBook::fail(int errnoValue)
{
    if (m_failure == 0)
        m_failure = errnoValue;
}

bool XlsxBook::close()
{
    if (!m_book)
        return false;
    for (const std::unique_ptr<XlsxSheet> &sheet : m_sheets)
        sheet->finish();
    errno = 0;
    const lxw_error error = workbook_close(m_book);
    m_book = nullptr;
    if (error != LXW_NO_ERROR)
        fail(errno != 0 ? errno : EIO);
    return m_failure == 0;
}
