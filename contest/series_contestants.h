#pragma once

#include "series_settings.h"

#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orlo::contest {

// Why two spellings are shown to the director: they differ in accents alone
// ("Jose Nunez", "José Núñez"), or in a first name given as its initial
// ("B Okafor", "Bola Okafor").
enum class NearKind { Accents, Initial };

// Two spellings of near names from the contests, as the director is asked
// about them, first the one listed first in the season.
struct NearName {
    std::string first, second;
    NearKind kind = NearKind::Accents;
    bool joined = false; // as the director chose, or as it stands without a choice
    bool chosen = false; // the director has chosen

    friend bool operator==(const NearName &, const NearName &) = default;
};

// The contestants of a series: the names and numbers the contests list,
// found to be the same contestant by the number, else by the tidy name
// whatever its case, else by the name whatever its accents (unless the
// numbers differ), and by the director's joining of near names. Accents are
// folded by searchedName(): the letters of Latin-1 and Latin Extended-A,
// which cover the names of the clubs this program serves; other scripts are
// compared as written.
class SeriesContestants {
public:
    // Adds a name and number as a contest lists it; the contests in the
    // season's order, so that a contestant is shown as last listed.
    void add(const std::string &name, const std::string &number);
    // Matches what was added, the director's choices applied.
    void match(const std::vector<NameChoice> &choices);

    // The contestant of a name and number added: 0, 1, 2… in the order first added.
    std::size_t contestantOf(const std::string &name, const std::string &number) const;
    std::size_t count() const { return m_names.size(); }
    // As the latest contest lists the contestant, and its latest number.
    const std::string &name(std::size_t contestant) const { return m_names[contestant]; }
    const std::string &number(std::size_t contestant) const { return m_numbers[contestant]; }
    const std::vector<NearName> &nearNames() const { return m_nearNames; }

private:
    struct Spelling {
        std::string name, number, compared, searched;
        std::size_t lastSeen = 0;
    };
    std::size_t rootOf(std::size_t spelling);
    bool unite(std::size_t a, std::size_t b, bool whateverNumbers);

    std::vector<Spelling> m_spellings;
    std::map<std::pair<std::string, std::string>, std::size_t> m_spellingOf;
    std::size_t m_added = 0;
    std::vector<std::size_t> m_parent;
    std::vector<std::string> m_rootNumber;
    std::vector<std::size_t> m_contestantOfSpelling;
    std::vector<std::string> m_names, m_numbers;
    std::vector<NearName> m_nearNames;
};

} // namespace orlo::contest
