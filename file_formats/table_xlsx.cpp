#include "spreadsheet_files.h"

#include "decimal.h"
#include "results_table.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace orlo::exports {

namespace {

// A spreadsheet cell holds at most this many bytes of text.
constexpr std::size_t maxCellText = 32767;

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throw std::runtime_error(lxw_strerror(error));
}

// The text cut to what a cell holds, at a character's start.
std::string fitted(const std::string &text)
{
    if (text.size() <= maxCellText)
        return text;
    std::size_t end = maxCellText;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xc0) == 0x80)
        --end;
    return text.substr(0, end);
}

// "2026-07-01" or "2026-12-08T14:03:27+01:00", the local time as written.
bool readDate(const std::string &text, lxw_datetime &when)
{
    int hour = 0, minute = 0, second = 0;
    const int read = std::sscanf(text.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d", &when.year, &when.month, &when.day,
                                 &hour, &minute, &second);
    if (!(read == 3 && text.size() == 10) && read != 6)
        return false;
    when.hour = hour;
    when.min = minute;
    when.sec = second;
    return when.month >= 1 && when.month <= 12 && when.day >= 1 && when.day <= 31;
}

// A workbook being written; closed, and so written, once.
class Workbook {
public:
    explicit Workbook(const std::string &path) : m_book(workbook_new(path.c_str()))
    {
        if (!m_book)
            throw std::runtime_error("the workbook cannot be started");
        m_bold = workbook_add_format(m_book);
        format_set_bold(m_bold);
        m_day = workbook_add_format(m_book);
        format_set_num_format(m_day, "yyyy-mm-dd");
        m_time = workbook_add_format(m_book);
        format_set_num_format(m_time, "yyyy-mm-dd hh:mm:ss");
        std::string pattern = "0";
        for (lxw_format *&format : m_decimals) {
            format = workbook_add_format(m_book);
            format_set_num_format(format, pattern.c_str());
            pattern += pattern.size() == 1 ? ".0" : "0";
        }
    }
    ~Workbook()
    {
        if (m_book)
            workbook_close(m_book);
    }
    Workbook(const Workbook &) = delete;
    Workbook &operator=(const Workbook &) = delete;

    void add(const Table &table)
    {
        lxw_worksheet *sheet = workbook_add_worksheet(m_book, table.name.c_str());
        if (!sheet)
            throw std::runtime_error("the sheet " + table.name + " cannot be added");
        for (std::size_t column = 0; column < table.headings.size(); ++column)
            check(worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(column),
                                         fitted(table.headings[column]).c_str(), m_bold));
        worksheet_freeze_panes(sheet, 1, 0);
        for (std::size_t row = 0; row < table.rows.size(); ++row)
            for (std::size_t column = 0; column < table.rows[row].size(); ++column)
                write(sheet, static_cast<lxw_row_t>(row + 1), static_cast<lxw_col_t>(column), table.rows[row][column]);
    }

    void close()
    {
        const lxw_error error = workbook_close(m_book);
        m_book = nullptr;
        check(error);
    }

private:
    void write(lxw_worksheet *sheet, lxw_row_t row, lxw_col_t column, const Cell &cell)
    {
        if (cell.text.empty())
            return;
        if (cell.kind == CellKind::Number) {
            // A speed has more decimals than a score ("72.0133333333333"): a
            // number all the same, shown with as many decimals as a format has.
            const std::size_t point = cell.text.find('.');
            const std::size_t decimals = point == std::string::npos ? 0 : cell.text.size() - point - 1;
            const std::string whole = cell.text.substr(0, point);
            double value = 0;
            const char *end = cell.text.data() + cell.text.size();
            if (contest::Decimal::read(whole.empty() ? "0" : whole) && std::all_of(cell.text.begin() + long(cell.text.size() - decimals),
                                                             cell.text.end(), [](char c) { return c >= '0' && c <= '9'; })
                && std::from_chars(cell.text.data(), end, value).ptr == end) {
                check(worksheet_write_number(sheet, row, column, value,
                                             m_decimals[std::min<std::size_t>(decimals, m_decimals.size() - 1)]));
                return;
            }
        }
        lxw_datetime when{};
        if (cell.kind == CellKind::Date && readDate(cell.text, when)) {
            check(worksheet_write_datetime(sheet, row, column, &when, cell.text.size() == 10 ? m_day : m_time));
            return;
        }
        check(worksheet_write_string(sheet, row, column, fitted(cell.text).c_str(), nullptr));
    }

    lxw_workbook *m_book;
    lxw_format *m_bold = nullptr;
    lxw_format *m_day = nullptr;
    lxw_format *m_time = nullptr;
    std::array<lxw_format *, 7> m_decimals{}; // "0", "0.0" … "0.000000"
};

} // namespace

} // namespace orlo::exports

// The module's one entry, found by name at the first workbook written: the
// tables as a workbook at path (exports::writeXlsx writes it aside and puts
// it in place). Throws std::runtime_error saying why.
extern "C" __attribute__((visibility("default"))) void
orloWriteXlsx(const std::vector<orlo::exports::Table> &tables, const std::string &path)
{
    orlo::exports::Workbook book(path);
    for (const orlo::exports::Table &table : tables)
        book.add(table);
    book.close();
}
