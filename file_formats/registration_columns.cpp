#include "registration_columns.h"

#include "contestant_names.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orlo {

namespace {

constexpr std::array<std::string_view, 3> nameHeadings{"Name", "Pilot", "Contestant"};
constexpr std::array<std::string_view, 1> firstNameHeadings{"First Name"};
constexpr std::array<std::string_view, 1> lastNameHeadings{"Last Name"};
constexpr std::array<std::string_view, 8> numberHeadings{"Number", "No.", "AMA", "AMA #", "AMA Number", "Licence",
                                                          "License", "Contest number"};
constexpr std::array<std::string_view, 4> classesHeadings{"Classes", "Class", "Events", "Event"};

// The first column headed by one of the headings, the case and blanks aside.
template <std::size_t count>
std::optional<std::size_t> firstHeaded(const std::vector<std::string> &header,
                                       const std::array<std::string_view, count> &headings)
{
    for (std::size_t i = 0; i < header.size(); ++i)
        for (const std::string_view heading : headings)
            if (contest::comparedName(header[i]) == contest::comparedName(heading))
                return i;
    return std::nullopt;
}

template <std::size_t count>
std::string listed(const std::array<std::string_view, count> &headings, std::string_view lastJoin)
{
    std::string list;
    for (std::size_t i = 0; i < count; ++i)
        list += std::string(i == 0 ? "" : i + 1 == count ? lastJoin : ", ") + std::string(headings[i]);
    return list;
}

} // namespace

RegistrationColumns columnsNamed(const std::vector<std::string> &header)
{
    RegistrationColumns columns;
    columns.name = firstHeaded(header, nameHeadings);
    if (!columns.name) {
        columns.firstName = firstHeaded(header, firstNameHeadings);
        columns.lastName = firstHeaded(header, lastNameHeadings);
    }
    columns.number = firstHeaded(header, numberHeadings);
    columns.classes = firstHeaded(header, classesHeadings);
    return columns;
}

std::string headingsLookedFor()
{
    return "the name under " + listed(nameHeadings, " or ") + ", or under First Name and Last Name; the number under "
           + listed(numberHeadings, " or ") + "; the classes under " + listed(classesHeadings, " or ");
}

std::string columnsUsedSaid(const std::vector<std::string> &header, const RegistrationColumns &columns)
{
    const auto heading = [&](std::optional<std::size_t> column) { return contest::tidyName(header.at(*column)); };
    std::string said = columns.name ? "Names from " + heading(columns.name)
                       : columns.firstName && columns.lastName
                           ? "Names from " + heading(columns.firstName) + " and " + heading(columns.lastName)
                           : std::string("No names");
    said += columns.number ? ", numbers from " + heading(columns.number) : std::string(", no numbers");
    said += columns.classes ? ", classes from " + heading(columns.classes) + "." : std::string(", no classes.");
    std::string leftOut;
    int leftOutCount = 0;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::optional<std::size_t> used[] = {columns.name, columns.firstName, columns.lastName, columns.number,
                                                   columns.classes};
        if (contest::tidyName(header[i]).empty() || std::find(std::begin(used), std::end(used), i) != std::end(used))
            continue;
        leftOut += (leftOut.empty() ? "" : ", ") + contest::tidyName(header[i]);
        ++leftOutCount;
    }
    if (leftOutCount > 0)
        said += " " + leftOut + (leftOutCount == 1 ? " was" : " were") + " not imported.";
    return said;
}

} // namespace orlo
