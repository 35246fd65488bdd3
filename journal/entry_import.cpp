#include "entry_import.h"

#include "contest_store.h"
#include "contestant_names.h"

#include <algorithm>
#include <map>

namespace orlo::journal {

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

// One record of the file: its fields and the line it starts on.
struct Record {
    int line = 0;
    std::vector<std::string> fields;
};

// Splits the file into records; a quote left open is a problem.
std::vector<Record> recordsOf(std::string_view file, char separator, std::vector<std::string> &problems)
{
    std::vector<Record> records;
    int line = 1;
    std::size_t i = 0;
    while (i < file.size()) {
        Record record{line, {std::string()}};
        bool quoted = false;
        const int quoteLine = line;
        for (; i < file.size(); ++i) {
            const char c = file[i];
            if (quoted) {
                if (c == '"' && i + 1 < file.size() && file[i + 1] == '"')
                    record.fields.back() += file[++i];
                else if (c == '"')
                    quoted = false;
                else
                    record.fields.back() += c;
                line += c == '\n' ? 1 : 0;
            } else if (c == '"' && record.fields.back().empty()) {
                quoted = true;
            } else if (c == separator) {
                record.fields.emplace_back();
            } else if (c == '\n') {
                ++i;
                ++line;
                break;
            } else if (c != '\r') {
                record.fields.back() += c;
            }
        }
        if (quoted) {
            problems.push_back("line " + std::to_string(quoteLine) + ": a quote opened here is never closed.");
            break;
        }
        // A spreadsheet writes an empty row as separators alone.
        const bool blank = std::all_of(record.fields.begin(), record.fields.end(),
                                       [](const std::string &field) { return tidyName(field).empty(); });
        if (!blank)
            records.push_back(std::move(record));
    }
    return records;
}

// The separator the header line holds more of, outside quotes; a comma on a tie.
char separatorOf(std::string_view file)
{
    int commas = 0;
    int semicolons = 0;
    bool quoted = false;
    for (const char c : file.substr(0, file.find('\n'))) {
        quoted = c == '"' ? !quoted : quoted;
        commas += !quoted && c == ',';
        semicolons += !quoted && c == ';';
    }
    return semicolons > commas ? ';' : ',';
}

std::vector<std::string> classesIn(const std::string &cell)
{
    std::vector<std::string> classes;
    std::string current;
    for (const char c : cell + "|") {
        if (c != '/' && c != '|') {
            current += c;
            continue;
        }
        if (!tidyName(current).empty())
            classes.push_back(tidyName(current));
        current.clear();
    }
    return classes;
}

std::string at(int line)
{
    return "line " + std::to_string(line) + ": ";
}

} // namespace

Registration readRegistration(std::string_view file)
{
    Registration read;
    if (file.starts_with("\xef\xbb\xbf"))
        file.remove_prefix(3);
    // Lines too long or not UTF-8 are told at once, and the file read no further.
    int line = 1;
    for (std::size_t start = 0; start < file.size(); ++line) {
        const std::size_t end = std::min(file.find('\n', start), file.size());
        const std::string_view text = file.substr(start, end - start);
        if (text.size() > longestRegistrationLine)
            read.problems.push_back(at(line) + "longer than 1 MB; a registration file holds one entry a line.");
        else if (!isUtf8(text))
            read.problems.push_back(at(line) + "not UTF-8 text; save the file as \"CSV UTF-8\".");
        start = end + 1;
    }
    if (!read.problems.empty())
        return read;

    std::vector<Record> records = recordsOf(file, separatorOf(file), read.problems);
    if (records.empty()) {
        read.problems.push_back("line 1: no header row naming the columns Name, Number and Classes.");
        return read;
    }
    const Record &header = records.front();
    std::map<std::string, std::size_t> column;
    for (std::size_t i = 0; i < header.fields.size(); ++i)
        if (!column.emplace(comparedName(header.fields[i]), i).second && !tidyName(header.fields[i]).empty())
            read.problems.push_back(at(header.line) + "the column " + tidyName(header.fields[i]) + " is named twice.");
    if (!column.contains("name")) {
        read.problems.push_back(at(header.line) + "the header row names no Name column.");
        return read;
    }
    std::map<std::string, int> lineOfName;
    std::map<std::string, int> lineOfNumber;
    for (std::size_t r = 1; r < records.size(); ++r) {
        const Record &record = records[r];
        if (record.fields.size() != header.fields.size()) {
            read.problems.push_back(at(record.line) + std::to_string(record.fields.size()) + " fields where the header has "
                                    + std::to_string(header.fields.size()) + ".");
            continue;
        }
        const auto cell = [&](const char *name) {
            const auto found = column.find(name);
            return found == column.end() ? std::string() : record.fields[found->second];
        };
        RegistrationRow row{record.line, {tidyName(cell("name")), tidyName(cell("number")), classesIn(cell("classes"))}};
        if (row.entry.name.empty()) {
            read.problems.push_back(at(record.line) + "no name.");
            continue;
        }
        if (const auto [earlier, first] = lineOfName.emplace(comparedName(row.entry.name), record.line); !first)
            read.problems.push_back(at(record.line) + row.entry.name + " is on line " + std::to_string(earlier->second)
                                    + " already.");
        else if (const auto [other, unique] = lineOfNumber.emplace(row.entry.number, record.line);
                 !row.entry.number.empty() && !unique)
            read.problems.push_back(at(record.line) + "number " + row.entry.number + " is on line "
                                    + std::to_string(other->second) + " already.");
        read.rows.push_back(std::move(row));
    }
    return read;
}

ImportOutcome ContestJournal::importEntries(const std::vector<RegistrationRow> &rows)
{
    return m_impl->run(false, [&] {
        sqlite3 *db = m_impl->db;
        ImportOutcome outcome;
        WriteTransaction transaction(db);
        for (const RegistrationRow &row : rows) {
            const std::string number = tidyName(row.entry.number);
            Statement numbered(db, "SELECT name, compared_name FROM entry WHERE number = ?1 AND ?1 <> ''");
            numbered.bind(1, number);
            const auto named = entryNamed(db, row.entry.name);
            if (numbered.step()) {
                if (numbered.text(1) == comparedName(row.entry.name))
                    ++outcome.alreadyListed;
                else
                    outcome.problems.push_back(at(row.line) + "number " + number + " is " + numbered.text(0)
                                               + "'s on the entry list.");
            } else if (named) {
                Statement listed(db, "SELECT name, number FROM entry WHERE id = ?1");
                listed.bind(1, *named);
                listed.step();
                if (!number.empty() && !listed.text(1).empty())
                    outcome.problems.push_back(at(row.line) + listed.text(0) + " is on the entry list with number "
                                               + listed.text(1) + ", not " + number + ".");
                else
                    ++outcome.alreadyListed;
            } else {
                try {
                    insertEntry(db, row.entry);
                    ++outcome.added;
                } catch (const EntryRefused &refused) {
                    outcome.problems.push_back(at(row.line) + refused.what());
                }
            }
        }
        if (!outcome.problems.empty())
            return ImportOutcome{0, 0, outcome.problems};
        transaction.commit();
        return outcome;
    });
}

} // namespace orlo::journal
