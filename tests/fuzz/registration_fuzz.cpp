// The registration reader, the program's one reader of files from outside,
// on any bytes: a file is refused with at least one line naming where, or
// read into entries (a pilot's rows of a per-event file joined) that come
// back the same when written out as CSV, one row each, and read again.
#include "registration_file.h"
#include "fuzz_check.h"

#include <cstdint>
#include <string>

namespace {

using orlo::Registration;
using orlo::journal::RegistrationRow;

void appendQuoted(std::string &csv, const std::string &field)
{
    csv += '"';
    for (const char c : field)
        csv += c == '"' ? std::string("\"\"") : std::string(1, c);
    csv += '"';
}

// The rows as a spreadsheet would save them: every field quoted, classes
// separated by "|".
std::string csvOf(const Registration &read)
{
    std::string csv = "Name,Number,Classes\r\n";
    for (const RegistrationRow &row : read.rows) {
        appendQuoted(csv, row.entry.name);
        csv += ',';
        appendQuoted(csv, row.entry.number);
        csv += ',';
        std::string classes;
        for (const std::string &eventClass : row.entry.classes)
            classes += (classes.empty() ? "" : "|") + eventClass;
        appendQuoted(csv, classes);
        csv += "\r\n";
    }
    return csv;
}

std::string described(const Registration &read)
{
    std::string text;
    for (const RegistrationRow &row : read.rows) {
        text += "[" + row.entry.name + "|" + row.entry.number + "|";
        for (const std::string &eventClass : row.entry.classes)
            text += eventClass + "/";
        text += "]";
    }
    for (const std::string &problem : read.problems)
        text += " {" + problem + "}";
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const Registration read = orlo::readRegistration(input);
    if (!read.problems.empty()) {
        for (const std::string &problem : read.problems)
            FUZZ_CHECK((problem.starts_with("line ") || problem.starts_with("lines ")) && problem.find(": ") != std::string::npos,
                       "each problem names its lines", input, problem, "line N: ... or lines N, M: ...");
        return 0;
    }
    for (const RegistrationRow &row : read.rows)
        FUZZ_CHECK(!row.entry.name.empty(), "every entry read has a name", input, described(read), "a name");
    const std::string written = csvOf(read);
    const Registration again = orlo::readRegistration(written);
    bool same = again.problems.empty() && again.rows.size() == read.rows.size();
    for (std::size_t i = 0; same && i < read.rows.size(); ++i)
        same = again.rows[i].entry.name == read.rows[i].entry.name
               && again.rows[i].entry.number == read.rows[i].entry.number
               && again.rows[i].entry.classes == read.rows[i].entry.classes;
    FUZZ_CHECK(same, "the entries read, written out as CSV and read again, are the same", input, described(again),
               described(read));
    return 0;
}
