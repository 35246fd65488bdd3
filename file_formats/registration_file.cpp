#include "registration_file.h"

#include "contest_lists.h"
#include "contestant_names.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

namespace orlo {

using contest::characterCount;
using contest::comparedName;
using contest::longestName;
using journal::RegistrationRow;
using contest::tidyName;

namespace {

// The length of the UTF-8 character at the start of text, 0 when it is none
// (a stray byte, an overlong form, a surrogate or beyond U+10FFFF).
std::size_t utf8Length(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(0);
    if (first < 0x80)
        return 1;
    std::size_t length = first >= 0xc2 && first <= 0xdf ? 2 : first >= 0xe0 && first <= 0xef ? 3
                       : first >= 0xf0 && first <= 0xf4 ? 4 : 0;
    if (length == 0 || text.size() < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(i) & 0xc0) != 0x80)
            return 0;
    const unsigned char second = byte(1);
    if ((first == 0xe0 && second < 0xa0) || (first == 0xed && second > 0x9f) || (first == 0xf0 && second < 0x90)
        || (first == 0xf4 && second > 0x8f))
        return 0;
    return length;
}

bool isUtf8(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t length = utf8Length(text);
        if (length == 0)
            return false;
        text.remove_prefix(length);
    }
    return true;
}

// Where the line starting at start ends, and where the next one starts: a
// line ends at LF, at CR LF or at a CR alone, as older spreadsheets write.
std::pair<std::size_t, std::size_t> lineFrom(std::string_view file, std::size_t start)
{
    const std::size_t end = std::min(file.find_first_of("\r\n", start), file.size());
    const bool crLf = end + 1 < file.size() && file[end] == '\r' && file[end + 1] == '\n';
    return {end, end + (crLf ? 2 : 1)};
}

// One record of the file: its fields and the line it starts on; too long
// when a field grew past the longest line, the rest of it then left out.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
    bool tooLong = false;
    bool quoteLeftOpen = false;
};

// Reads the file a record at a time; a quote left open is a problem.
class Records {
public:
    Records(std::string_view file, char separator) : m_file(file), m_separator(separator) {}

    // The next record that is not blank; false at the end of the file.
    bool next(Record &record, std::vector<std::string> &problems)
    {
        while (m_at < m_file.size()) {
            read(record);
            if (record.quoteLeftOpen) {
                problems.push_back("line " + std::to_string(record.line) + ": a quote opened here is never closed.");
                m_at = m_file.size();
                return false;
            }
            // A spreadsheet writes an empty row as separators alone.
            const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                           [](const std::string &field) { return tidyName(field).empty(); });
            if (!blank || record.tooLong)
                return true;
        }
        return false;
    }

private:
    bool lineBreakAt(std::size_t i) const
    {
        return m_file[i] == '\n' || (m_file[i] == '\r' && (i + 1 >= m_file.size() || m_file[i + 1] != '\n'));
    }

    void read(Record &record)
    {
        record = Record{m_line, {std::string()}};
        bool quoted = false;
        const auto keep = [&](char c) {
            std::string &field = record.fields.back();
            if (field.size() < longestRegistrationLine)
                field += c;
            else
                record.tooLong = true;
        };
        for (; m_at < m_file.size(); ++m_at) {
            const char c = m_file[m_at];
            if (quoted) {
                if (c == '"' && m_at + 1 < m_file.size() && m_file[m_at + 1] == '"')
                    keep(m_file[++m_at]);
                else if (c == '"')
                    quoted = false;
                else
                    keep(c);
                m_line += lineBreakAt(m_at) ? 1 : 0;
            } else if (c == '"' && record.fields.back().empty()) {
                quoted = true;
            } else if (c == m_separator) {
                record.fields.emplace_back();
            } else if (c == '\n' || c == '\r') {
                m_at = lineFrom(m_file, m_at).second;
                ++m_line;
                return;
            } else {
                keep(c);
            }
        }
        record.quoteLeftOpen = quoted;
    }

    std::string_view m_file;
    char m_separator;
    std::size_t m_at = 0;
    int m_line = 1;
};

// The separator the header line holds most of, outside quotes: a comma, a
// semicolon (spreadsheets where the comma is the decimal mark) or a tab (a
// spreadsheet's or a website's text export); a comma on a tie.
char separatorOf(std::string_view file)
{
    int commas = 0;
    int semicolons = 0;
    int tabs = 0;
    bool quoted = false;
    for (const char c : file.substr(0, lineFrom(file, 0).first)) {
        quoted = c == '"' ? !quoted : quoted;
        commas += !quoted && c == ',';
        semicolons += !quoted && c == ';';
        tabs += !quoted && c == '\t';
    }
    if (tabs > commas && tabs > semicolons)
        return '\t';
    return semicolons > commas ? ';' : ',';
}

std::string at(int line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

namespace {

// A classes cell that is no list: a per-event export's event.
bool isEventName(std::string_view typed)
{
    return !typed.empty() && typed.find_first_of("/|;,") == std::string_view::npos;
}

// "line 4: ", "lines 2, 5 and 8: ", "lines 2, 5, 8 and 14 more: "
std::string atLines(const std::vector<int> &lines)
{
    if (lines.size() == 1)
        return at(lines.front());
    constexpr std::size_t listed = 3;
    std::string said = "lines ";
    for (std::size_t i = 0; i < std::min(lines.size(), listed); ++i)
        said += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[i]);
    if (lines.size() > listed)
        said += " and " + std::to_string(lines.size() - listed) + " more";
    return said + ": ";
}

// An event read as no class, told once for all its rows with what would work.
std::string eventRefused(const RegistrationEvent &event)
{
    const std::vector<std::string> held = contest::classesInEventName(event.event);
    std::string said = atLines(event.lines)
                       + (event.lines.size() == 1 ? std::string()
                                                  : std::to_string(event.lines.size()) + " rows name ")
                       + (characterCount(event.event) > 60 ? std::string("the classes cell") : "“" + event.event + "”");
    if (held.size() > 1) {
        std::string classes;
        for (std::size_t i = 0; i < held.size(); ++i)
            classes += (i == 0 ? "" : i + 1 == held.size() ? " and " : ", ") + held[i];
        said += (event.lines.size() == 1 ? " names " : ", which names ") + std::string("more than one class (")
                + classes + ")";
    } else {
        said += (event.lines.size() == 1 ? " names " : ", ") + std::string("a class the program does not know");
    }
    return said + "; its classes are " + contest::knownClassesSaid()
           + ". Write one of them in the file, or choose the event's class in the entry list's import.";
}

Registration readWith(std::string_view file, const std::optional<RegistrationColumns> &chosen,
                      const EventClasses &eventClasses)
{
    Registration read;
    if (file.starts_with("\xef\xbb\xbf"))
        file.remove_prefix(3);
    // Lines too long or not UTF-8 are told at once, and the file read no further.
    int line = 1;
    for (std::size_t start = 0; start < file.size(); ++line) {
        const auto [end, next] = lineFrom(file, start);
        const std::string_view text = file.substr(start, end - start);
        if (text.size() > longestRegistrationLine)
            read.problems.push_back(at(line) + "longer than 1 MB; a registration file holds one entry a line.");
        else if (!isUtf8(text))
            read.problems.push_back(at(line) + "not UTF-8 text; save the file as \"CSV UTF-8\".");
        start = next;
    }
    if (!read.problems.empty())
        return read;

    Records records(file, separatorOf(file));
    Record header;
    if (!records.next(header, read.problems)) {
        if (read.problems.empty())
            read.problems.push_back("line 1: no header row naming the columns; a registration file is read by "
                                    + headingsLookedFor() + ".");
        return read;
    }
    if (header.tooLong) {
        read.problems.push_back(at(header.line) + "a header longer than 1 MB; the header row names the columns.");
        return read;
    }
    for (const std::string &heading : header.fields)
        read.header.push_back(tidyName(heading));
    read.columns = chosen ? *chosen : columnsNamed(read.header);
    for (std::optional<std::size_t> *column : {&read.columns.name, &read.columns.firstName, &read.columns.lastName,
                                               &read.columns.number, &read.columns.classes})
        if (*column && **column >= read.header.size())
            column->reset();
    const RegistrationColumns &columns = read.columns;
    if (!columns.namesSomeone()) {
        std::string found;
        for (const std::string &heading : read.header)
            if (!heading.empty())
                found += (found.empty() ? "" : ", ") + heading;
        read.problems.push_back(at(header.line) + "the header row names no column for the name. It names "
                                + (found.empty() ? std::string("no column") : found) + "; the program reads "
                                + headingsLookedFor() + ".");
        return read;
    }
    // Rows of one pilot are one entry: by number, else by compared name.
    std::unordered_map<std::string, std::size_t> rowOfName;
    std::unordered_map<std::string, std::size_t> rowOfNumber;
    std::map<std::string, std::size_t> eventOf;
    for (Record record; records.next(record, read.problems);) {
        if (record.tooLong) {
            read.problems.push_back(at(record.line)
                                    + "a field longer than 1 MB; a registration file holds one entry a line.");
            continue;
        }
        if (record.fields.size() != header.fields.size()) {
            read.problems.push_back(at(record.line) + std::to_string(record.fields.size()) + " fields where the header has "
                                    + std::to_string(header.fields.size()) + ".");
            continue;
        }
        const auto cell = [&](std::optional<std::size_t> at) {
            return at && *at < record.fields.size() ? record.fields[*at] : std::string();
        };
        const std::string name = columns.name ? cell(columns.name)
                                              : cell(columns.firstName) + " " + cell(columns.lastName);
        RegistrationRow row{record.line, {tidyName(name), tidyName(cell(columns.number)), {}}};
        if (row.entry.name.empty()) {
            read.problems.push_back(at(record.line) + "no name.");
            continue;
        }
        // Told without the text itself, which would fill the director's screen.
        if (const std::size_t length = characterCount(row.entry.name); length > longestName) {
            read.problems.push_back(at(record.line) + "a name of " + std::to_string(length) + " characters; a name holds at most "
                                    + std::to_string(longestName) + ".");
            continue;
        }
        if (const std::size_t length = characterCount(row.entry.number); length > longestName) {
            read.problems.push_back(at(record.line) + "a number of " + std::to_string(length)
                                    + " characters; a number holds at most " + std::to_string(longestName) + ".");
            continue;
        }
        const std::string typed = tidyName(cell(columns.classes));
        std::optional<std::vector<std::string>> classes = contest::knownClassesIn(typed);
        if (!classes && isEventName(typed)) {
            // One event's name, as a per-event export writes it: read as the
            // class the director chose, else as the one class its name holds.
            auto [event, added] = eventOf.emplace(comparedName(typed), read.events.size());
            if (added) {
                RegistrationEvent named{typed, {}, false, {}};
                if (const auto choice = eventClasses.find(typed); choice != eventClasses.end())
                    named = {typed, choice->second, true, {}};
                else if (const std::vector<std::string> held = contest::classesInEventName(typed); held.size() == 1)
                    named.caption = held.front();
                read.events.push_back(std::move(named));
            }
            RegistrationEvent &named = read.events[event->second];
            named.lines.push_back(record.line);
            if (named.caption)
                classes = named.caption->empty() ? std::vector<std::string>() : std::vector{*named.caption};
            else
                continue; // told once for all its rows, below
        }
        if (!classes) {
            // A cell too long to quote is told without its text.
            read.problems.push_back(at(record.line)
                                    + (characterCount(typed) > 60 ? std::string("the classes cell") : "“" + typed + "”")
                                    + " names a class the program does not know; its classes are "
                                    + contest::knownClassesSaid() + ". Write those it means in the file.");
            continue;
        }
        row.entry.classes = std::move(*classes);
        const std::string compared = comparedName(row.entry.name);
        const auto byNumber = row.entry.number.empty() ? rowOfNumber.end() : rowOfNumber.find(row.entry.number);
        const auto byName = rowOfName.find(compared);
        if (byNumber != rowOfNumber.end() && comparedName(read.rows[byNumber->second].entry.name) != compared) {
            const RegistrationRow &earlier = read.rows[byNumber->second];
            read.problems.push_back(at(record.line) + "number " + row.entry.number + " is " + earlier.entry.name
                                    + "'s on line " + std::to_string(earlier.line)
                                    + " already; a number is one pilot's, so correct the number or the name.");
            continue;
        }
        if (byName != rowOfName.end()) {
            RegistrationRow &earlier = read.rows[byName->second];
            if (!row.entry.number.empty() && !earlier.entry.number.empty() && earlier.entry.number != row.entry.number) {
                read.problems.push_back(at(record.line) + row.entry.name + " is on line " + std::to_string(earlier.line)
                                        + " already with number " + earlier.entry.number + ", not " + row.entry.number
                                        + "; a pilot has one number, so correct the number or the name.");
                continue;
            }
            // The same pilot on another row: one entry, with this row's classes too.
            if (earlier.entry.number.empty() && !row.entry.number.empty()) {
                earlier.entry.number = row.entry.number;
                rowOfNumber.emplace(row.entry.number, byName->second);
            }
            for (std::string &caption : row.entry.classes)
                if (std::find(earlier.entry.classes.begin(), earlier.entry.classes.end(), caption)
                    == earlier.entry.classes.end())
                    earlier.entry.classes.push_back(std::move(caption));
            continue;
        }
        rowOfName.emplace(compared, read.rows.size());
        if (!row.entry.number.empty())
            rowOfNumber.emplace(row.entry.number, read.rows.size());
        read.rows.push_back(std::move(row));
    }
    for (const RegistrationEvent &event : read.events)
        if (!event.caption)
            read.problems.push_back(eventRefused(event));
    return read;
}

} // namespace

Registration readRegistration(std::string_view file)
{
    return readWith(file, std::nullopt, {});
}

Registration readRegistration(std::string_view file, const RegistrationColumns &chosen,
                              const EventClasses &eventClasses)
{
    return readWith(file, chosen, eventClasses);
}

} // namespace orlo
